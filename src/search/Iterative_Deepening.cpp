#include "search/Iterative_Deepening.h"

#include <algorithm>
#include <cstring>

#include "eval/material.h"
#include "eval/placement.h"
#include "hash/board_key.h"
#include "io/output.h"
#include "io/platform.h"
#include "movegen/generate.h"
#include "search/aids.h"
#include "search/poll.h"
#include "search/reports.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/skill.h"
#include "search/threads.h"

namespace {

// The last iteration that finished, for a stop that leaves the next one without
// a single finished root move.
struct CompletedIteration {
  PvLine line;
  std::int32_t score = 0;
  std::uint8_t depth = 0;
  std::uint8_t from = 0;
  std::uint8_t to = 0;
};

// Any mate ends the search, unless `go mate` asked for one of the side to move
// within so many moves: then only a line that really mates in time does. The
// table keeps mate scores without their distance, so a score alone can claim a
// shorter mate than the line shows.
bool mate_ends_search() {
  const std::uint8_t asked = search_control.limits.mate;
  if (asked == 0) return true;
  const PvLine& line = thread.PV_line;
  const std::int32_t for_mover = thread.bitboard.colour_move == 1 ? line.score_move : -line.score_move;
  return for_mover > MATE_REPORT && (line.length + 1) / 2 <= asked && line_ends_in_mate(line);
}

// An iteration's time as the budget sees it: the part after `ponderhit`.
double seconds_on_budget(std::int64_t end, double seconds) {
  const std::int64_t iteration_start = search_control.time_start;
  const std::int64_t start = budget_start_ms(iteration_start);
  return start == iteration_start ? seconds : std::max(0.01, static_cast<double>(end - start) / 1000.0);
}

// The iteration's report: its line, or each of several lines, best first. Only
// the first line's score counts as the mate the driver stops on.
void report_iteration(std::uint64_t nodes, std::uint8_t depth, std::int32_t score, double seconds,
                      std::uint8_t& mate_reported, std::uint64_t iteration_nodes, bool completed_lines) {
  const SearchState& st = thread.search_state;
  if (st.multipv <= 1 || search_control.shown_lines <= 1) {
    print_iteration_info(nodes, depth, score, seconds, mate_reported, thread.PV_line, iteration_nodes);
    return;
  }
  const PvLine* lines = completed_lines ? search_control.completed_lines : st.lines;
  const int count =
      std::min<int>(completed_lines ? search_control.completed_line_count : st.line_count, search_control.shown_lines);
  // No legal move at the root: the one line says mate or stalemate.
  if (count == 0) print_iteration_info(nodes, depth, score, seconds, mate_reported, thread.PV_line, iteration_nodes, 1);
  for (int i = 0; i < count; ++i) {
    std::uint8_t other_mate = 0;
    print_iteration_info(nodes, depth, lines[i].score_move, seconds, i == 0 ? mate_reported : other_mate, lines[i],
                         iteration_nodes, static_cast<std::uint8_t>(i + 1));
  }
}

// A weakened search plays one of the last finished iteration's lines, which
// becomes the line the answer and the self-checks read.
void play_at_level() {
  const SearchControl& control = search_control;
  const int k = pick_skill_line(control.completed_lines, control.completed_line_count, thread.bitboard.colour_move == 1,
                                control.skill);
  thread.PV_line = control.completed_lines[k];
  thread.best_from = static_cast<std::uint8_t>(from_coord(thread.PV_line.moves[0]));
  thread.best_to = static_cast<std::uint8_t>(to_coord(thread.PV_line.moves[0]));
}

bool node_limit_reached() { return search_control.limits.nodes != 0 && nodes_visited() >= search_control.limits.nodes; }

}  // namespace

void iterative_deepening(std::uint8_t depth_limit, double time_budget, std::int64_t deadline_ms) {
  BoardState& b = thread.bitboard;
  SearchState& st = thread.search_state;
  SearchControl& control = search_control;
  thread.poll = poll_input_and_clock;
  control.time_limit = time_budget * HARD_LIMIT_FACTOR;
  control.deadline_ms = deadline_ms;
  control.time_budget = time_budget;
  control.ponderhit_seen = 0;
  control.last_iteration_depth = 0;
  control.quit = false;
  control.completed_line_count = 0;
  std::uint64_t node_total = 0;

  b.value_white_material = count_white_material();
  b.value_black_material = count_black_material();
  b.minor_placement = count_minor_placement();
  const std::int32_t eval_start = material_balance(b);
  compute_hash_key();
  for (int k = 0; k <= MAX_PLY; ++k) thread.key_history_search[k] = static_cast<std::uint64_t>(k);
  thread.key_history_search[0] = b.hash_key;
  const std::uint64_t key_start = b.hash_key;
  st.stop_search = 0;
  start_node_count();
  generate_all_moves(thread.list_root);
  keep_searched_root_moves(thread.list_root, control.limits);
  start_helpers(b);

  std::uint8_t mate_reported = 0;
  bool line_stored = false;
  CompletedIteration completed;
  if (depth_limit >= 1) {
    for (std::uint8_t depth = 1;; ++depth) {
      // The first iteration always runs, for a move to answer: helpers woken
      // before it may already have spent a small node limit.
      if ((mate_reported == 1 && mate_ends_search()) || depth > MAX_ITERATION_DEPTH || st.stop_search != 0 ||
          (depth > 1 && node_limit_reached()))
        break;
      std::memset(thread.killer_1, 0, sizeof thread.killer_1);
      std::memset(thread.killer_2, 0, sizeof thread.killer_2);
      const std::uint64_t nodes_previous = node_total;
      note_main_depth(depth);
      thread.nodes_root = 0;
      st.nodes = 0;
      control.time_start = clock_ms();
      const std::uint64_t helpers_before = helpers_searched();
      const std::int32_t score = b.colour_move == 1 ? root_search_white(depth) : root_search_black(depth);
      line_stored = true;
      // `quit`: nothing more is written, and the command loop ends the program.
      if (control.quit) break;
      const std::int64_t end = clock_ms();
      double seconds = static_cast<double>(end - control.time_start) / 1000.0;
      if (seconds < 0.01) seconds = 0.01;
      node_total = st.nodes + thread.nodes_root + (helpers_searched() - helpers_before);
      thread.nodes_iteration = node_total - nodes_previous;
      thread.nodes_all_iterations += node_total;
      Test_Deepening(eval_start, key_start);
      if (thread.root_moves_searched == 0 && thread.nodes_root > 0 && completed.depth > 0) {
        thread.PV_line = completed.line;
        thread.best_from = completed.from;
        thread.best_to = completed.to;
        report_iteration(node_total, completed.depth, completed.score, seconds, mate_reported, thread.nodes_iteration,
                         true);
        break;
      }
      // Stopped inside the first iteration: the root named its first legal move,
      // and there is no score to report.
      if (thread.root_moves_searched == 0 && thread.nodes_root > 0) break;
      report_iteration(node_total, depth, score, seconds, mate_reported, thread.nodes_iteration, false);
      if (st.stop_search == 0) {
        completed = {thread.PV_line, score, depth, thread.best_from, thread.best_to};
        control.last_iteration_seconds = seconds;
        control.completed_line_count = st.line_count;
        std::copy_n(st.lines, st.line_count, control.completed_lines);
        control.last_iteration_depth = depth;
      }
      if (control.time_budget != NO_TIME_BUDGET && seconds_on_budget(end, seconds) > control.time_budget &&
          depth >= BUDGET_FROM_DEPTH)
        break;
      if (depth >= depth_limit) break;
    }
  }

  if (!control.skill.full && control.completed_line_count > 0) play_at_level();
  wait_while_pondering();
  control.pondering = 0;
  stop_helpers();
  if (control.quit) return;
  print_bestmove(thread.PV_line, line_stored, control.name_reply && line_stored ? ponder_reply(thread.PV_line) : 0);

  if (b.hash_key != key_start) OutLine() << "\nERROR HESH Test_Deepening(in Iterative_Deepening) \n";
  // Only a line of this search names a root move to compare with.
  if (line_stored && thread.PV_line.length > 0) {
    if (from_coord(thread.PV_line.moves[0]) != thread.best_from) OutLine() << "ERROR from(in Iterative_Deepening)\n";
    if (to_coord(thread.PV_line.moves[0]) != thread.best_to) OutLine() << "ERROR to(in Iterative_Deepening)\n";
  }
}
