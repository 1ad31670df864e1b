// The engine's one reader of standard input. It keeps its own buffer, so the
// pending-input test looks there first and then asks the system: nothing read
// ahead is ever hidden from it.
#pragma once

#include <cstddef>
#include <cstdint>

// Longest line accepted, newline excluded; a longer line ends the input.
constexpr std::size_t MAX_LINE_LENGTH = 65533;
constexpr std::size_t LINE_BUFFER_SIZE = 65536;

// Reads one line into `line` (NUL-terminated, newline and a carriage return before
// it removed). Fails at end of input with nothing read, and for a line of more than
// MAX_LINE_LENGTH characters; once failed, every later read fails too.
bool read_line(char* line);

// 0 when nothing is waiting; otherwise non-zero (also at end of input, so that the
// caller reads and meets it). Never blocks, never consumes.
std::uint32_t input_waiting();

// True once standard input has reached its end.
bool input_ended();

// Test hook: forget buffered input and the end-of-input state.
void reset_input_for_tests();
