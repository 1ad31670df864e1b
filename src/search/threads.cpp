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
  BoardState root;
  GoLimits limits;
  Helper helpers[MAX_THREADS - 1];
};

// Made when helpers are first asked for, never during a search, and never
// destroyed: a helper may still be waiting on it when the process exits.
Pool* the_pool = nullptr;
Pool& pool() { return *the_pool; }

void helper_main(Helper& h) {
  Pool& p = pool();
  helper_copy::enter_helper(h);
  std::uint64_t seen = 0;
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
      h.thread = std::thread(helper_main, std::ref(h));
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

namespace {

std::uint64_t helpers_sum(std::atomic<std::uint64_t> Helper::*count) {
  if (!the_pool) return 0;
  std::uint64_t n = 0;
  for (int i = 0; i < the_pool->started; ++i) n += (the_pool->helpers[i].*count).load(std::memory_order_relaxed);
  return n;
}

}  // namespace

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

bool helper_stop_requested() { return pool().stop.load(std::memory_order_relaxed); }
