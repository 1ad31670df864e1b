// A helper thread's side of the shared-table search, in its own build of the
// search (see helper_copy.h).
#pragma once

#include "board/state.h"
#include "search/shared.h"
#include "search/threads.h"

// Makes the calling thread a helper: it reads no input and its lines go to its log.
void enter_helper(Helper& h);
// Searches the root until the main thread asks the helpers to stop.
void helper_search(Helper& h, const BoardState& root, const GoLimits& limits);
// A helper's look at the main thread: publishes its counts, and stops its
// search once the main thread has asked. Nothing for the main thread.
void helper_poll();
