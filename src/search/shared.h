// What the search threads share: the game before the root and the limits of
// `go`, which none writes during a search; and what passes between the main
// thread and its helpers while they search (the stop, their node counts, the
// main thread's depth and root moves).
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "board/move.h"
#include "io/output.h"

// The game's positions before the search: entry k is the key after k moves of the
// `position` command's list, entry `key_history_game_count` the root.
inline constexpr int MAX_GAME_KEYS = 1000;
extern std::uint64_t key_history_game[MAX_GAME_KEYS];
extern std::uint16_t key_history_game_count;

// What `go` may ask beyond a depth and a time; zero where it was not given.
struct GoLimits {
  std::uint64_t nodes;  // nodes the search may visit, alpha-beta and quiescence alike
  std::uint8_t mate;    // a mate for the side to move in at most this many moves ends the search
  // The root moves to search (`searchmoves`); none given, every move.
  std::uint8_t root_move_count;
  Move root_moves[MAX_LIST_MOVES];
};

inline constexpr int MAX_THREADS = 64;

// One helper as the main thread sees it: what it hands back during a search.
// Each on cache lines of its own, for each helper writes its counts often.
struct alignas(64) Helper {
  std::thread thread;
  int id = 0;
  std::atomic<std::uint64_t> visited{0};
  std::atomic<std::uint64_t> searched{0};
  std::uint64_t completed = 0;  // the helper's own: nodes of its finished iterations
  output::HelperLog log;
};

// The helpers' slots, of which the first `helper_count()` run (search/threads.h starts them).
Helper& helper_slot(int index);
int helper_count();
void set_helper_count(int count);

// Nodes the helpers have visited (as the poll counts them) and searched (as
// the reports count them) since they were last started.
std::uint64_t helpers_visited();
std::uint64_t helpers_searched();
// The next search's node limit counts from zero.
void clear_helper_counts();

// The main thread asks the helpers to stop, or lets them search.
void request_helper_stop(bool stop);
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
// Forgets the last list, before a new search.
void close_root_moves();
