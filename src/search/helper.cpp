#include "search/helper.h"

#include <algorithm>
#include <cstring>

#include "board/board.h"
#include "eval/placement.h"
#include "io/output.h"
#include "io/per_thread.h"
#include "io/platform.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "search/Iterative_Deepening.h"
#include "search/aids.h"
#include "search/do_move.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/window.h"

namespace {
PER_THREAD constinit Helper* this_helper = nullptr;
// The last root move list of the main thread this helper has taken up, and
// whether a newer one waits: the poll then cuts the helper's own iteration short.
PER_THREAD constinit std::uint32_t root_list_seen = 0;
PER_THREAD constinit bool root_list_waiting = false;

// Searches one of the main thread's root moves as the main thread would after
// its first: on the null window at its bound, leaving the result in the table.
template <Colour Us>
void refute_root_move(std::uint8_t index, const RootMoveTask& task) {
  using M = Mover<Us>;
  constexpr Colour Them = ~Us;
  NodeMoves<Us, Keeps::KEY> moves(0, list_root, &nodes_root);
  if (!moves.do_move(index, [] { return king_attacked<Us>(); })) return;
  const Move move = list_root.move[index];
  line_current[0] = move;
  const std::uint8_t gives_check = king_attacked<Them>() ? 1 : 0;
  const auto child_depth = static_cast<std::uint8_t>(task.depth + gives_check);
  const Window probe = M::null_window(task.bound, task.bound);
  alpha_beta<Them>(probe.alpha, probe.beta, child_depth, 1, static_cast<std::int32_t>(kind_move(move)), 0, gives_check,
                   0);
  moves.undo_move(index);
}

// The count handed over only grows, for the main thread takes an earlier
// reading from a later one: a null move's probe counts while it runs, and no
// longer once it has returned.
void publish_searched(Helper& h, std::uint64_t nodes) {
  if (nodes > h.searched.load(std::memory_order_relaxed)) h.searched.store(nodes, std::memory_order_relaxed);
}

void refute_root_moves() {
  root_list_waiting = false;
  root_list_seen = root_moves_published();
  search_state.null_move_on = 1;
  RootMoveTask task;
  while (search_state.stop_search == 0 && take_root_move(root_list_seen, task)) {
    std::uint8_t i = 0;
    while (i < list_root.move_count && list_root.move[i] != task.move) ++i;
    if (i == list_root.move_count) continue;
    if (bitboard.colour_move == 1) refute_root_move<WHITE>(i, task);
    else refute_root_move<BLACK>(i, task);
  }
}
}  // namespace

void enter_helper(Helper& h) {
  this_helper = &h;
  output::diverted = &h.log;
  search_state.is_helper = 1;
}

// The helpers search two or three plies ahead of the main thread's iteration,
// alternately, so that their trees differ from the main thread's and from each
// other's: in step with it they would only repeat its work, while ahead they
// leave deeper results in the table for the nodes it comes to next.
void helper_search(Helper& h, const BoardState& root, const GoLimits& limits) {
  BoardState& b = bitboard;
  b = root;
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
  st.limits = limits;
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
  root_list_seen = root_moves_published();
  root_list_waiting = false;
  for (int depth = 1; st.stop_search == 0; ++depth) {
    depth = std::max(depth, main_depth() + 2 + (h.id & 1));
    if (depth > MAX_ITERATION_DEPTH) break;
    std::memset(killer_1, 0, sizeof killer_1);
    std::memset(killer_2, 0, sizeof killer_2);
    nodes_root = 0;
    st.nodes = 0;
    time_start = clock_ms();
    const auto d = static_cast<std::uint8_t>(depth);
    if (b.colour_move == 1) root_search_white(d);
    else root_search_black(d);
    while (root_list_waiting && !helper_stop_requested()) {
      st.stop_search = 0;
      refute_root_moves();
    }
    if (helper_stop_requested()) st.stop_search = 1;
    h.completed += st.nodes + nodes_root;
    publish_searched(h, h.completed);
    Test_Deepening(material_start, key_start);
  }
}

void helper_poll() {
  if (!this_helper) return;
  SearchState& st = search_state;
  st.nodes_polled += POLL_INTERVAL;
  this_helper->visited.store(st.nodes_polled, std::memory_order_relaxed);
  publish_searched(*this_helper, this_helper->completed + st.nodes + nodes_root);
  if (helper_stop_requested()) {
    st.stop_search = 1;
  } else if (root_moves_published() != root_list_seen) {
    root_list_waiting = true;
    st.stop_search = 1;
  }
}
