// The main thread's look at the input and the clock during a search.
#pragma once

#include <cstdint>

// How long a finished ponder search sleeps between looks at the input; input
// that arrives wakes it at once.
inline constexpr int PONDER_WAIT_MS = 100;

// Reads the lines waiting and the clock; sets `stop_search`, and on `quit` the
// control's quit flag as well.
void poll_input_and_clock();
// The count of nodes the poll paces on, from the start of a `go`.
void start_node_count();
std::uint64_t nodes_visited();
// A ponder search that ended on its own waits for `ponderhit` or `stop`.
void wait_while_pondering();
