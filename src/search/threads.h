// Helper threads of the shared-table search. They are started once and wait
// between searches; during one they search the same root as the main thread,
// each in its own record (board/thread.h), and share with it only the
// transposition table and what search/shared.h lists. Only the main thread
// calls these.
#pragma once

#include "board/state.h"

// Starts or ends helpers so that `count` threads search, the main one among
// them; returns how many do (fewer if a thread could not be started).
int set_search_threads(int count);
// Hands the root to every helper and wakes them; they read the go limits
// from the search's control.
void start_helpers(const BoardState& root);
// Stops the helpers and waits until each is idle; then writes what their
// self-checks found, for only the main thread writes.
void stop_helpers();
// Stops and joins every helper, before the table is released and the process ends.
void end_helpers();
