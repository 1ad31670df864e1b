#include "search/threads.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "eval/placement.h"
#include "io/output.h"
#include "io/platform.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "search/aids.h"
#include "search/do_move.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/shared.h"
#include "search/window.h"

namespace {

// The helpers' waiting room. Made when helpers are first asked for, never
// during a search, and never destroyed: a helper may still be waiting on it
// when the process exits.
struct Pool {
  std::mutex mutex;
  std::condition_variable wake;
  std::condition_variable idle;
  std::uint64_t generation = 0;
  bool quit = false;
  int busy = 0;
  BoardState root;
};
Pool* the_pool = nullptr;

// The count handed over only grows, for the main thread takes an earlier
// reading from a later one: a null move's probe counts while it runs, and no
// longer once it has returned.
void publish_searched(Helper& h, std::uint64_t nodes) {
  if (nodes > h.searched.load(std::memory_order_relaxed)) h.searched.store(nodes, std::memory_order_relaxed);
}

// A helper's poll: it publishes its counts, and stops its search once the main
// thread has asked, or has published newer root moves to refute.
void helper_poll() {
  SearchThread& t = thread;
  Helper& h = *t.helper;
  t.search_state.nodes_polled += POLL_INTERVAL;
  h.visited.store(t.search_state.nodes_polled, std::memory_order_relaxed);
  publish_searched(h, h.completed + t.search_state.nodes + t.nodes_root);
  if (helper_stop_requested()) {
    t.search_state.stop_search = 1;
  } else if (root_moves_published() != t.root_list_seen) {
    t.root_list_waiting = true;
    t.search_state.stop_search = 1;
  }
}

// Searches one of the main thread's root moves as the main thread would after
// its first: on the null window at its bound, leaving the result in the table.
template <Colour Us>
void refute_root_move(std::uint8_t index, const RootMoveTask& task) {
  using M = Mover<Us>;
  constexpr Colour Them = ~Us;
  NodeMoves<Us, Keeps::KEY> moves(0, thread.list_root, &thread.nodes_root);
  if (!moves.do_move(index, [] { return king_attacked<Us>(); })) return;
  const Move move = thread.list_root.move[index];
  thread.line_current[0] = move;
  const InCheck gives_check = king_attacked<Them>() ? IN_CHECK : NOT_IN_CHECK;
  const auto child_depth = static_cast<std::uint8_t>(task.depth + gives_check);
  const Window probe = M::null_window(task.bound, task.bound);
  alpha_beta<Them>(probe.alpha, probe.beta, child_depth, 1, static_cast<std::int32_t>(kind_move(move)), NOT_PV,
                   gives_check, NULL_ALLOWED);
  moves.undo_move(index);
}

void refute_root_moves() {
  SearchThread& t = thread;
  t.root_list_waiting = false;
  t.root_list_seen = root_moves_published();
  t.search_state.null_move_on = 1;
  RootMoveTask task;
  while (t.search_state.stop_search == 0 && take_root_move(t.root_list_seen, task)) {
    std::uint8_t i = 0;
    while (i < t.list_root.move_count && t.list_root.move[i] != task.move) ++i;
    if (i == t.list_root.move_count) continue;
    if (t.bitboard.colour_move == 1) refute_root_move<WHITE>(i, task);
    else refute_root_move<BLACK>(i, task);
  }
}

// The helpers search two or three plies ahead of the main thread's iteration,
// alternately, so that their trees differ from the main thread's and from each
// other's: in step with it they would only repeat its work, while ahead they
// leave deeper results in the table for the nodes it comes to next.
void helper_search(Helper& h, const BoardState& root) {
  SearchThread& t = thread;
  BoardState& b = t.bitboard;
  b = root;
  b.minor_placement = count_minor_placement();
  for (int k = 0; k <= MAX_PLY; ++k) t.key_history_search[k] = static_cast<std::uint64_t>(k);
  t.key_history_search[0] = b.hash_key;
  SearchState& st = t.search_state;
  st.stop_search = 0;
  st.poll_count = 0;
  st.nodes_polled = 0;
  st.poll_start = 0;
  st.multipv = 1;
  h.log.size = 0;
  const std::int32_t material_start = material_balance(b);
  const std::uint64_t key_start = b.hash_key;
  generate_all_moves(t.list_root);
  keep_searched_root_moves(t.list_root, search_control.limits);
  h.completed = 0;
  t.root_list_seen = root_moves_published();
  t.root_list_waiting = false;
  for (int depth = 1; st.stop_search == 0; ++depth) {
    depth = std::max(depth, main_depth() + 2 + (h.id & 1));
    if (depth > MAX_ITERATION_DEPTH) break;
    std::memset(t.killer_1, 0, sizeof t.killer_1);
    std::memset(t.killer_2, 0, sizeof t.killer_2);
    t.nodes_root = 0;
    st.nodes = 0;
    const auto d = static_cast<std::uint8_t>(depth);
    if (b.colour_move == 1) root_search_white(d);
    else root_search_black(d);
    while (t.root_list_waiting && !helper_stop_requested()) {
      st.stop_search = 0;
      refute_root_moves();
    }
    if (helper_stop_requested()) st.stop_search = 1;
    h.completed += st.nodes + t.nodes_root;
    publish_searched(h, h.completed);
    Test_Deepening(material_start, key_start);
  }
}

// `seen` is the last search started before this helper was: a helper added
// after a search waits for the next one, as the others do. A helper reads no
// input and its lines go to its log.
void helper_main(Helper& h, std::uint64_t seen) {
  Pool& p = *the_pool;
  thread.helper = &h;
  thread.poll = helper_poll;
  output::diverted = &h.log;
  for (;;) {
    {
      std::unique_lock lock(p.mutex);
      p.wake.wait(lock, [&] { return p.quit || p.generation != seen; });
      if (p.quit) return;
      seen = p.generation;
    }
    helper_search(h, p.root);
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
  Pool& p = *the_pool;
  if (wanted == helper_count()) return helper_count() + 1;
  end_helpers();
  int started = 0;
  for (; started < wanted; ++started) {
    Helper& h = helper_slot(started);
    h.id = started + 1;
    try {
      h.thread = std::thread(helper_main, std::ref(h), p.generation);
    } catch (const std::system_error&) {
      break;  // go on with the threads that did start
    }
  }
  set_helper_count(started);
  return started + 1;
}

void start_helpers(const BoardState& root) {
  if (helper_count() == 0) return;
  Pool& p = *the_pool;
  p.root = root;
  request_helper_stop(false);
  note_main_depth(0);
  close_root_moves();
  clear_helper_counts();
  std::lock_guard lock(p.mutex);
  p.busy = helper_count();
  ++p.generation;
  p.wake.notify_all();
}

void stop_helpers() {
  if (helper_count() == 0) return;
  Pool& p = *the_pool;
  request_helper_stop(true);
  {
    std::unique_lock lock(p.mutex);
    p.idle.wait(lock, [&] { return p.busy == 0; });
  }
  // The next search's node limit counts from zero, before the helpers are woken.
  clear_helper_counts();
  for (int i = 0; i < helper_count(); ++i) {
    output::HelperLog& log = helper_slot(i).log;
    if (log.size > 0) OutLine() << std::string_view(log.text, log.size);
    log.size = 0;
  }
}

void end_helpers() {
  if (helper_count() == 0) return;
  Pool& p = *the_pool;
  request_helper_stop(true);
  {
    std::lock_guard lock(p.mutex);
    p.quit = true;
    p.wake.notify_all();
  }
  for (int i = 0; i < helper_count(); ++i) helper_slot(i).thread.join();
  set_helper_count(0);
  p.busy = 0;
  p.quit = false;
}
