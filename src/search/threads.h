// Helper threads of the shared-table search. They are started once and wait
// between searches; during one they search the same root as the main thread,
// each with its own records, and share only the transposition table. Only the
// main thread calls these, but for helper_stop_requested.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "board/state.h"
#include "io/output.h"
#include "search/shared.h"

inline constexpr int MAX_THREADS = 64;

// One helper as the main thread sees it: what it hands back during a search.
struct Helper {
  std::thread thread;
  int id = 0;
  std::atomic<std::uint64_t> visited{0};
  std::atomic<std::uint64_t> searched{0};
  std::uint64_t completed = 0;  // the helper's own: nodes of its finished iterations
  output::HelperLog log;
};

// Starts or ends helpers so that `count` threads search, the main one among
// them; returns how many do (fewer if a thread could not be started).
int set_search_threads(int count);
// Hands the root and the go limits to every helper and wakes them.
void start_helpers(const BoardState& root, const GoLimits& limits);
// Stops the helpers and waits until each is idle; then writes what their
// self-checks found, for only the main thread writes.
void stop_helpers();
// Nodes the helpers have visited (as the poll counts them) and searched (as
// the reports count them) since they were last started.
std::uint64_t helpers_visited();
std::uint64_t helpers_searched();
// Stops and joins every helper, before the table is released and the process ends.
void end_helpers();
// The main thread has asked the helpers to stop.
bool helper_stop_requested();
// The depth of the main thread's iteration in hand, which the helpers search ahead of.
void note_main_depth(int depth);
int main_depth();

// The root moves of the main thread's iteration, once its first move has set a
// bound: helpers refute them from the far end of the list on the same null
// window while the main thread works from the near end, and the table hands
// their results to the main thread when it comes to those moves. Published
// again each iteration, with the main thread's place in the list and its bound
// kept up to date as it goes.
void publish_root_moves(int depth, std::int32_t bound, const MoveList& list);
void note_root_move(int index, std::int32_t bound);
struct RootMoveTask {
  Move move;
  int depth;
  std::int32_t bound;
};
// The count of root move lists published so far.
std::uint32_t root_moves_published();
// The next move of list `generation` that the main thread has not come to, if any.
bool take_root_move(std::uint32_t generation, RootMoveTask& task);
