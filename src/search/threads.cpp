#include "search/threads.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "eval/material.h"
#include "eval/placement.h"
#include "hash/zobrist.h"
#include "io/output.h"
#include "io/per_thread.h"
#include "io/platform.h"
#include "movegen/generate.h"
#include "search/Iterative_Deepening.h"
#include "search/aids.h"
#include "search/search.h"
#include "search/search_state.h"

namespace {

struct Helper {
  std::thread thread;
  int id = 0;
  std::atomic<std::uint64_t> visited{0};
  std::atomic<std::uint64_t> searched{0};
  std::uint64_t completed = 0;  // the helper's own: nodes of its finished iterations
  output::HelperLog log;
};

struct Pool {
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable idle;
  std::uint64_t generation = 0;
  bool quit = false;
  int busy = 0;
  int started = 0;  // read and written by the main thread only, between searches
  std::atomic<bool> stop{false};
  BoardState root;
  GoLimits limits;
  Helper helpers[MAX_THREADS - 1];
};

// Made when helpers are first asked for, never during a search, and never
// destroyed: a helper may still be waiting on it when the process exits.
Pool* the_pool = nullptr;
Pool& pool() { return *the_pool; }

thread_local constinit Helper* this_helper = nullptr;

// The helpers' iterations are spread over the depths, as shared-table searches
// do, so that their trees differ from the main thread's and from each other's.
void helper_search(Helper& h) {
  Pool& p = pool();
  BoardState& b = bitboard;
  b = p.root;
  b.minor_placement = count_minor_placement();
  for (int k = 0; k <= MAX_PLY; ++k) key_history_search[k] = static_cast<std::uint64_t>(k);
  key_history_search[0] = b.hash_key;
  SearchState& st = search_state;
  st.stop_search = 0;
  st.poll_count = 0;
  st.nodes_polled = 0;
  st.poll_start = 0;
  st.time_limit = 0;
  st.deadline_ms = NO_DEADLINE;
  st.limits = p.limits;
  st.limits.nodes = 0;
  st.limits.mate = 0;
  st.pondering = 0;
  st.multipv = 1;
  h.log.size = 0;
  const std::int32_t material_start = material_balance(b);
  const std::uint64_t key_start = b.hash_key;
  generate_all_moves(list_root);
  keep_searched_root_moves(list_root);
  h.completed = 0;
  for (int depth = 1 + (h.id & 1); depth <= MAX_ITERATION_DEPTH && st.stop_search == 0; depth += 1 + (h.id >> 2 & 1)) {
    std::memset(killer_1, 0, sizeof killer_1);
    std::memset(killer_2, 0, sizeof killer_2);
    nodes_root = 0;
    st.nodes = 0;
    time_start = clock_ms();
    const auto d = static_cast<std::uint8_t>(depth);
    if (b.colour_move == 1) root_search_white(d);
    else root_search_black(d);
    h.completed += st.nodes + nodes_root;
    h.searched.store(h.completed, std::memory_order_relaxed);
    Test_Deepening(material_start, key_start);
  }
}

void helper_main(Helper& h) {
  Pool& p = pool();
  this_helper = &h;
  output::diverted = &h.log;
  search_state.is_helper = 1;
  std::uint64_t seen = 0;
  for (;;) {
    {
      std::unique_lock lock(p.mutex);
      p.wake.wait(lock, [&] { return p.quit || p.generation != seen; });
      if (p.quit) return;
      seen = p.generation;
    }
    helper_search(h);
    std::lock_guard lock(p.mutex);
    if (--p.busy == 0) p.idle.notify_all();
  }
}

}  // namespace

int set_search_threads(int count) {
  // A build without helper threads goes on with the one it has.
  const int wanted = HELPER_THREADS ? std::clamp(count, 1, MAX_THREADS) - 1 : 0;
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

void start_helpers() {
  if (!the_pool || the_pool->started == 0) return;
  Pool& p = pool();
  p.root = bitboard;
  p.limits = search_state.limits;
  p.stop.store(false, std::memory_order_relaxed);
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

void helper_poll() {
  if (!this_helper) return;  // not a helper: nothing to publish
  SearchState& st = search_state;
  st.nodes_polled += POLL_INTERVAL;
  this_helper->visited.store(st.nodes_polled, std::memory_order_relaxed);
  this_helper->searched.store(this_helper->completed + st.nodes + nodes_root, std::memory_order_relaxed);
  if (pool().stop.load(std::memory_order_relaxed)) st.stop_search = 1;
}
