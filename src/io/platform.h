// The only place that talks to the operating system about time and input.
#pragma once

#include <cstdint>

// Once at start-up: an interface that stops reading must not kill the engine with
// SIGPIPE; its writes then fail quietly instead.
void prepare_process();

// Wall-clock milliseconds since the process started (monotonic).
std::int64_t clock_ms();

// Whether standard input can be read without blocking (data, or its end).
bool stdin_readable_now();
// The same, waiting up to `milliseconds` for it.
bool stdin_readable_within(int milliseconds);

// Reads what is available from standard input, blocking until something is;
// returns 0 at end of input.
long read_stdin(char* buffer, unsigned long size);
