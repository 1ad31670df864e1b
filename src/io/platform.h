// The only place that talks to the operating system about time and input.
#pragma once

#include <cstddef>
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

// Memory for a large table, aligned to a cache line; from 2 MB on, rounded up to
// and aligned on the large page, which the system is asked to back it with where
// it offers them on request (transparent huge pages in their madvise or always
// mode); elsewhere ordinary pages serve, silently. The memory is mapped afresh,
// so it reads as zero, but nothing is touched here. Null when the memory cannot
// be had.
void* allocate_table(std::size_t bytes);
void free_table(void* table, std::size_t bytes);

// Reads what is available from standard input, blocking until something is;
// returns 0 at end of input.
long read_stdin(char* buffer, unsigned long size);
