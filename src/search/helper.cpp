#include "search/helper.h"

#include <algorithm>
#include <cstring>

#include "board/board.h"
#include "eval/placement.h"
#include "io/output.h"
#include "io/per_thread.h"
#include "io/platform.h"
#include "movegen/generate.h"
#include "search/Iterative_Deepening.h"
#include "search/aids.h"
#include "search/search.h"
#include "search/search_state.h"

namespace {
PER_THREAD constinit Helper* this_helper = nullptr;
}

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
    h.completed += st.nodes + nodes_root;
    h.searched.store(h.completed, std::memory_order_relaxed);
    Test_Deepening(material_start, key_start);
  }
}

void helper_poll() {
  if (!this_helper) return;
  SearchState& st = search_state;
  st.nodes_polled += POLL_INTERVAL;
  this_helper->visited.store(st.nodes_polled, std::memory_order_relaxed);
  this_helper->searched.store(this_helper->completed + st.nodes + nodes_root, std::memory_order_relaxed);
  if (helper_stop_requested()) st.stop_search = 1;
}
