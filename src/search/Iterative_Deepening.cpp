#include "search/Iterative_Deepening.h"

#include <algorithm>
#include <cstring>

#include "eval/material.h"
#include "eval/placement.h"
#include "hash/board_key.h"
#include "hash/zobrist.h"
#include "io/output.h"
#include "io/per_thread.h"
#include "io/platform.h"
#include "movegen/generate.h"
#include "search/aids.h"
#include "search/reports.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/threads.h"

PER_THREAD constinit bool stop_at_input_end = false;
PER_THREAD constinit std::uint64_t nodes_iteration{};
PER_THREAD constinit std::uint64_t nodes_all_iterations{};

// `searchmoves`: the root list keeps only the moves asked for, in their order.
void keep_searched_root_moves(MoveList& list) {
  const GoLimits& limits = search_state.limits;
  if (limits.root_move_count == 0) return;
  int kept = 0, captures = 0;
  for (int i = 0; i < list.move_count; ++i) {
    bool asked = false;
    for (int k = 0; k < limits.root_move_count && !asked; ++k) asked = limits.root_moves[k] == list.move[i];
    if (!asked) continue;
    if (i < list.capture_count) ++captures;
    list.move[kept] = list.move[i];
    list.score[kept++] = list.score[i];
  }
  list.move_count = static_cast<std::uint8_t>(kept);
  list.capture_count = static_cast<std::uint8_t>(captures);
}

namespace {

// Any mate ends the search, unless `go mate` asked for one of the side to move
// within so many moves: then only a line that really mates in time does. The
// table keeps mate scores without their distance, so a score alone can claim a
// shorter mate than the line shows.
bool mate_ends_search() {
  const std::uint8_t asked = search_state.limits.mate;
  if (asked == 0) return true;
  const std::int32_t for_mover = bitboard.colour_move == 1 ? PV_line.score_move : -PV_line.score_move;
  return for_mover > MATE_REPORT && (PV_line.length + 1) / 2 <= asked && line_ends_in_mate(PV_line);
}

// An iteration's time as the budget sees it: the part after `ponderhit`.
double seconds_on_budget(std::int64_t end, double seconds) {
  const std::int64_t start = budget_start_ms(time_start);
  return start == time_start ? seconds : std::max(0.01, static_cast<double>(end - start) / 1000.0);
}

// The iteration's report: its line, or each of several lines, best first. Only
// the first line's score counts as the mate the driver stops on.
void report_iteration(std::uint64_t nodes, std::uint8_t depth, std::int32_t score, double seconds,
                      std::uint8_t& mate_reported, std::uint64_t nodes_iteration, bool completed_lines) {
  const SearchState& st = search_state;
  if (st.multipv <= 1) {
    print_iteration_info(nodes, depth, score, seconds, mate_reported, PV_line, nodes_iteration);
    return;
  }
  const PvLine* lines = completed_lines ? st.completed_lines : st.lines;
  const int count = completed_lines ? st.completed_line_count : st.line_count;
  // No legal move at the root: the one line says mate or stalemate.
  if (count == 0) print_iteration_info(nodes, depth, score, seconds, mate_reported, PV_line, nodes_iteration, 1);
  for (int i = 0; i < count; ++i) {
    std::uint8_t other_mate = 0;
    print_iteration_info(nodes, depth, lines[i].score_move, seconds, i == 0 ? mate_reported : other_mate, lines[i],
                         nodes_iteration, static_cast<std::uint8_t>(i + 1));
  }
}

bool node_limit_reached() { return search_state.limits.nodes != 0 && nodes_visited() >= search_state.limits.nodes; }

}  // namespace

// After every iteration the board must be back where it started.
void Test_Deepening(std::int32_t eval_start, std::uint64_t key_start) {
  if (material_balance(bitboard) != eval_start)
    OutLine() << "ERROR test_eval != bitboard->eval(in Iterative_Deepening)\n";
  if (bitboard.hash_key != key_start) OutLine() << "\nERROR HESH Test_Deepening(in Iterative_Deepening) \n";
}

void iterative_deepening(std::uint8_t depth_limit, double time_budget, std::int64_t deadline_ms) {
  BoardState& b = bitboard;
  search_state.time_limit = time_budget * HARD_LIMIT_FACTOR;
  search_state.deadline_ms = deadline_ms;
  search_state.time_budget = time_budget;
  search_state.ponderhit_seen = 0;
  search_state.last_iteration_depth = 0;
  std::uint64_t node_total = 0;

  b.value_white_material = count_white_material();
  b.value_black_material = count_black_material();
  b.minor_placement = count_minor_placement();
  const std::int32_t eval_start = material_balance(bitboard);
  compute_hash_key();
  for (int k = 0; k <= MAX_PLY; ++k) key_history_search[k] = static_cast<std::uint64_t>(k);
  key_history_search[0] = b.hash_key;
  const std::uint64_t key_start = b.hash_key;
  search_state.stop_search = 0;
  start_node_count();
  generate_all_moves(list_root);
  keep_searched_root_moves(list_root);
  start_helpers(bitboard, search_state.limits);

  std::uint8_t mate_reported = 0;
  bool line_stored = false;
  // The last iteration that finished, for a stop that leaves the next one without
  // a single finished root move.
  PvLine completed_line;
  std::int32_t completed_score = 0;
  std::uint8_t completed_depth = 0, completed_from = 0, completed_to = 0;
  if (depth_limit >= 1) {
    for (std::uint8_t depth = 1;; ++depth) {
      // The first iteration always runs, for a move to answer: helpers woken
      // before it may already have spent a small node limit.
      if ((mate_reported == 1 && mate_ends_search()) || depth > MAX_ITERATION_DEPTH || search_state.stop_search != 0 ||
          (depth > 1 && node_limit_reached()))
        break;
      std::memset(killer_1, 0, sizeof killer_1);
      std::memset(killer_2, 0, sizeof killer_2);
      const std::uint64_t nodes_previous = node_total;
      note_main_depth(depth);
      nodes_root = 0;
      search_state.nodes = 0;
      time_start = clock_ms();
      const std::uint64_t helpers_before = helpers_searched();
      const std::int32_t score = b.colour_move == 1 ? root_search_white(depth) : root_search_black(depth);
      line_stored = true;
      const std::int64_t end = clock_ms();
      double seconds = static_cast<double>(end - time_start) / 1000.0;
      if (seconds < 0.01) seconds = 0.01;
      node_total = search_state.nodes + nodes_root + (helpers_searched() - helpers_before);
      nodes_iteration = node_total - nodes_previous;
      nodes_all_iterations += node_total;
      Test_Deepening(eval_start, key_start);
      if (root_moves_searched == 0 && nodes_root > 0 && completed_depth > 0) {
        PV_line = completed_line;
        best_from = completed_from;
        best_to = completed_to;
        report_iteration(node_total, completed_depth, completed_score, seconds, mate_reported, nodes_iteration, true);
        break;
      }
      // Stopped inside the first iteration: the root named its first legal move,
      // and there is no score to report.
      if (root_moves_searched == 0 && nodes_root > 0) break;
      report_iteration(node_total, depth, score, seconds, mate_reported, nodes_iteration, false);
      if (search_state.stop_search == 0) {
        completed_line = PV_line;
        completed_score = score;
        completed_depth = depth;
        completed_from = best_from;
        completed_to = best_to;
        search_state.last_iteration_seconds = seconds;
        search_state.completed_line_count = search_state.line_count;
        std::copy_n(search_state.lines, search_state.line_count, search_state.completed_lines);
        search_state.last_iteration_depth = depth;
      }
      if (search_state.time_budget != NO_TIME_BUDGET && seconds_on_budget(end, seconds) > search_state.time_budget &&
          depth >= BUDGET_FROM_DEPTH)
        break;
      if (depth >= depth_limit) break;
    }
  }

  wait_while_pondering();
  search_state.pondering = 0;
  stop_helpers();
  print_bestmove(PV_line, line_stored, search_state.name_reply && line_stored ? ponder_reply(PV_line) : 0);

  if (b.hash_key != key_start) OutLine() << "\nERROR HESH Test_Deepening(in Iterative_Deepening) \n";
  // Only a line of this search names a root move to compare with.
  if (line_stored && PV_line.length > 0) {
    if (from_coord(PV_line.moves[0]) != best_from) OutLine() << "ERROR from(in Iterative_Deepening)\n";
    if (to_coord(PV_line.moves[0]) != best_to) OutLine() << "ERROR to(in Iterative_Deepening)\n";
  }
}
