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
// it removed). Lines kept back during a search come first, in the order they
// arrived. Fails at end of input with nothing read, and for a line of more than
// MAX_LINE_LENGTH characters; once failed, every later read fails too.
bool read_line(char* line);

// What a look at the input during a search found.
enum class PolledLine : std::uint8_t { NONE, LINE, TOO_LONG, END };

// Never blocks: takes a complete line when one has arrived (LINE), reports a line
// that has outgrown MAX_LINE_LENGTH once (TOO_LONG; its remaining characters are
// skipped as they arrive, so reading stays bounded and the next line is found),
// the end of input (END), or that nothing complete is waiting (NONE).
PolledLine poll_line(char* line);

// Keeps a line read during a search for the command loop, which reads it first.
void keep_line(const char* line);

// True once standard input has reached its end.
bool input_ended();

// Test hook: forget buffered input, kept lines and the end-of-input state.
void reset_input_for_tests();
