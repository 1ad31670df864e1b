#include "search/shared.h"

#include <algorithm>
#include <mutex>

std::uint64_t key_history_game[MAX_GAME_KEYS];
std::uint16_t key_history_game_count;

namespace {

// Never destroyed: a helper may still be waiting when the process exits.
Helper* const helpers = new Helper[MAX_THREADS - 1];
int running = 0;  // written by the main thread only, between searches
std::atomic<bool> stop{false};
std::atomic<int> depth_of_main{0};

// The main thread's root moves (see publish_root_moves), under `root_mutex`.
struct RootMoves {
  std::mutex mutex;
  std::atomic<std::uint32_t> generation{0};
  int depth = 0;
  std::int32_t bound = 0;
  int main_index = 0;
  int next = 0;  // the next move from the far end, while above main_index
  Move moves[MAX_LIST_MOVES];
};
RootMoves root;

std::uint64_t helpers_sum(std::atomic<std::uint64_t> Helper::*count) {
  std::uint64_t n = 0;
  for (int i = 0; i < running; ++i) n += (helpers[i].*count).load(std::memory_order_relaxed);
  return n;
}

}  // namespace

Helper& helper_slot(int index) { return helpers[index]; }
int helper_count() { return running; }
void set_helper_count(int count) { running = count; }

std::uint64_t helpers_visited() { return helpers_sum(&Helper::visited); }
std::uint64_t helpers_searched() { return helpers_sum(&Helper::searched); }

void clear_helper_counts() {
  for (int i = 0; i < running; ++i) {
    helpers[i].visited.store(0, std::memory_order_relaxed);
    helpers[i].searched.store(0, std::memory_order_relaxed);
  }
}

void request_helper_stop(bool requested) { stop.store(requested, std::memory_order_relaxed); }
bool helper_stop_requested() { return stop.load(std::memory_order_relaxed); }

void note_main_depth(int depth) { depth_of_main.store(depth, std::memory_order_relaxed); }
int main_depth() { return depth_of_main.load(std::memory_order_relaxed); }

void publish_root_moves(int depth, std::int32_t bound, const MoveList& list) {
  if (running == 0) return;
  std::lock_guard lock(root.mutex);
  root.depth = depth;
  root.bound = bound;
  std::copy_n(list.move, list.move_count, root.moves);
  root.main_index = 0;
  root.next = list.move_count - 1;
  root.generation.fetch_add(1, std::memory_order_release);
}

void note_root_move(int index, std::int32_t bound) {
  if (running == 0) return;
  std::lock_guard lock(root.mutex);
  root.main_index = index;
  root.bound = bound;
  if (index == 0) root.next = 0;  // a new iteration: the last list is closed
}

std::uint32_t root_moves_published() { return root.generation.load(std::memory_order_acquire); }

bool take_root_move(std::uint32_t generation, RootMoveTask& task) {
  std::lock_guard lock(root.mutex);
  if (root.generation.load(std::memory_order_relaxed) != generation || root.next <= root.main_index) return false;
  task = {root.moves[root.next--], root.depth, root.bound};
  return true;
}

void close_root_moves() {
  std::lock_guard lock(root.mutex);
  root.next = 0;
}
