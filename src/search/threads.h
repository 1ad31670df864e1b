// Helper threads of the shared-table search. They are started once and wait
// between searches; during one they search the same root as the main thread,
// each with its own records, and share only the transposition table. Only the
// main thread calls these.
#pragma once

#include <cstdint>

inline constexpr int MAX_THREADS = 64;

// Starts or ends helpers so that `count` threads search, the main one among
// them; returns how many do (fewer if a thread could not be started).
int set_search_threads(int count);
// Hands the position on the board and the go limits to every helper and wakes them.
void start_helpers();
// Stops the helpers and waits until each is idle; then writes what their
// self-checks found, for only the main thread writes.
void stop_helpers();
// Nodes the helpers have visited (as the poll counts them) and searched (as
// the reports count them) since they were last started.
std::uint64_t helpers_visited();
std::uint64_t helpers_searched();
// Stops and joins every helper, before the table is released and the process ends.
void end_helpers();
// A helper's look at the main thread: publishes its counts, and stops its
// search once the main thread has asked.
void helper_poll();
