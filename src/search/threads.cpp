#include "search/threads.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "io/output.h"

// The helpers' build of the search (see helper_copy.h), whose state is thread-local.
namespace helper_copy {
void enter_helper(Helper& h);
void helper_search(Helper& h, const BoardState& root, const GoLimits& limits);
}  // namespace helper_copy

namespace {

struct Pool {
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable idle;
  std::uint64_t generation = 0;
  bool quit = false;
  int busy = 0;
  int started = 0;  // read and written by the main thread only, between searches
  std::atomic<bool> stop{false};
  std::atomic<int> main_depth{0};
  // The main thread's root moves (see publish_root_moves), under `root_mutex`.
  std::mutex root_mutex;
  std::atomic<std::uint32_t> root_generation{0};
  int root_depth = 0;
  std::int32_t root_bound = 0;
  int root_main_index = 0;
  int root_next = 0;  // the next move from the far end, while above root_main_index
  Move root_moves[MAX_LIST_MOVES];
  BoardState root;
  GoLimits limits;
  Helper helpers[MAX_THREADS - 1];
};

// Made when helpers are first asked for, never during a search, and never
// destroyed: a helper may still be waiting on it when the process exits.
Pool* the_pool = nullptr;
Pool& pool() { return *the_pool; }
bool helpers_running() { return the_pool && the_pool->started > 0; }

std::uint64_t helpers_sum(std::atomic<std::uint64_t> Helper::*count) {
  if (!the_pool) return 0;
  std::uint64_t n = 0;
  for (int i = 0; i < the_pool->started; ++i) n += (the_pool->helpers[i].*count).load(std::memory_order_relaxed);
  return n;
}

// `seen` is the last search started before this helper was: a helper added
// after a search waits for the next one, as the others do.
void helper_main(Helper& h, std::uint64_t seen) {
  Pool& p = pool();
  helper_copy::enter_helper(h);
  for (;;) {
    {
      std::unique_lock lock(p.mutex);
      p.wake.wait(lock, [&] { return p.quit || p.generation != seen; });
      if (p.quit) return;
      seen = p.generation;
    }
    helper_copy::helper_search(h, p.root, p.limits);
    std::lock_guard lock(p.mutex);
    if (--p.busy == 0) p.idle.notify_all();
  }
}

}  // namespace

int set_search_threads(int count) {
  const int wanted = std::clamp(count, 1, MAX_THREADS) - 1;
  if (!the_pool) {
    if (wanted == 0) return 1;
    the_pool = new Pool;
  }
  Pool& p = pool();
  if (wanted == p.started) return p.started + 1;
  end_helpers();
  for (int i = 0; i < wanted; ++i) {
    Helper& h = p.helpers[i];
    h.id = i + 1;
    try {
      h.thread = std::thread(helper_main, std::ref(h), p.generation);
    } catch (const std::system_error&) {
      break;  // go on with the threads that did start
    }
    ++p.started;
  }
  return p.started + 1;
}

void start_helpers(const BoardState& root, const GoLimits& limits) {
  if (!the_pool || the_pool->started == 0) return;
  Pool& p = pool();
  p.root = root;
  p.limits = limits;
  p.stop.store(false, std::memory_order_relaxed);
  p.main_depth.store(0, std::memory_order_relaxed);
  {
    std::lock_guard lock(p.root_mutex);
    p.root_next = 0;
  }
  for (int i = 0; i < p.started; ++i) {
    p.helpers[i].visited.store(0, std::memory_order_relaxed);
    p.helpers[i].searched.store(0, std::memory_order_relaxed);
  }
  std::lock_guard lock(p.mutex);
  p.busy = p.started;
  ++p.generation;
  p.wake.notify_all();
}

void stop_helpers() {
  if (!the_pool || the_pool->started == 0) return;
  Pool& p = pool();
  p.stop.store(true, std::memory_order_relaxed);
  {
    std::unique_lock lock(p.mutex);
    p.idle.wait(lock, [&] { return p.busy == 0; });
  }
  for (int i = 0; i < p.started; ++i) {
    // The next search's node limit counts from zero, before the helpers are woken.
    p.helpers[i].visited.store(0, std::memory_order_relaxed);
    p.helpers[i].searched.store(0, std::memory_order_relaxed);
    output::HelperLog& log = p.helpers[i].log;
    if (log.size > 0) OutLine() << std::string_view(log.text, log.size);
    log.size = 0;
  }
}

std::uint64_t helpers_visited() { return helpers_sum(&Helper::visited); }
std::uint64_t helpers_searched() { return helpers_sum(&Helper::searched); }

void end_helpers() {
  if (!the_pool || the_pool->started == 0) return;
  Pool& p = pool();
  p.stop.store(true, std::memory_order_relaxed);
  {
    std::lock_guard lock(p.mutex);
    p.quit = true;
    p.wake.notify_all();
  }
  for (int i = 0; i < p.started; ++i) p.helpers[i].thread.join();
  p.started = 0;
  p.busy = 0;
  p.quit = false;
}

void note_main_depth(int depth) {
  if (the_pool) the_pool->main_depth.store(depth, std::memory_order_relaxed);
}
int main_depth() { return pool().main_depth.load(std::memory_order_relaxed); }

void publish_root_moves(int depth, std::int32_t bound, const MoveList& list) {
  if (!helpers_running()) return;
  Pool& p = pool();
  std::lock_guard lock(p.root_mutex);
  p.root_depth = depth;
  p.root_bound = bound;
  std::copy_n(list.move, list.move_count, p.root_moves);
  p.root_main_index = 0;
  p.root_next = list.move_count - 1;
  p.root_generation.fetch_add(1, std::memory_order_release);
}

void note_root_move(int index, std::int32_t bound) {
  if (!helpers_running()) return;
  Pool& p = pool();
  std::lock_guard lock(p.root_mutex);
  p.root_main_index = index;
  p.root_bound = bound;
  if (index == 0) p.root_next = 0;  // a new iteration: the last list is closed
}

std::uint32_t root_moves_published() { return pool().root_generation.load(std::memory_order_acquire); }

bool take_root_move(std::uint32_t generation, RootMoveTask& task) {
  Pool& p = pool();
  std::lock_guard lock(p.root_mutex);
  if (p.root_generation.load(std::memory_order_relaxed) != generation || p.root_next <= p.root_main_index) return false;
  task = {p.root_moves[p.root_next--], p.root_depth, p.root_bound};
  return true;
}

bool helper_stop_requested() { return pool().stop.load(std::memory_order_relaxed); }
