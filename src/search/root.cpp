#include <algorithm>

#include "board/snapshot.h"
#include "hash/hash.h"
#include "io/output.h"
#include "movegen/attacks.h"
#include "search/aids.h"
#include "search/do_move.h"
#include "search/reports.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/shared.h"
#include "search/window.h"

// `searchmoves`: the root list keeps only the moves asked for, in their order.
void keep_searched_root_moves(MoveList& list, const GoLimits& limits) {
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

void Test_Deepening(std::int32_t eval_start, std::uint64_t key_start) {
  if (material_balance(thread.bitboard) != eval_start)
    OutLine() << "ERROR test_eval != bitboard->eval(in Iterative_Deepening)\n";
  if (thread.bitboard.hash_key != key_start) OutLine() << "\nERROR HESH Test_Deepening(in Iterative_Deepening) \n";
}

namespace {

// Keeps the line among the best `multipv` of the iteration, best first for Us.
template <Colour Us>
void keep_among_lines(const PvLine& line, std::int32_t score) {
  SearchState& st = thread.search_state;
  const int kept = st.line_count;
  int at = kept;
  while (at > 0 && Mover<Us>::better(score, st.lines[at - 1].score_move)) --at;
  if (at >= st.multipv) return;
  for (int j = std::min(kept, st.multipv - 1); j > at; --j) st.lines[j] = st.lines[j - 1];
  st.lines[at] = line;
  st.lines[at].score_move = score;
  if (kept < st.multipv) ++st.line_count;
}

// What the root has found so far in its iteration.
struct RootBest {
  std::int32_t bound;  // alpha for White, beta for Black
  std::int32_t best;
  std::uint8_t index = 0;
  bool improved = false;
  PvLine line;
};

void name_best_move(Move m) {
  thread.best_from = static_cast<std::uint8_t>(from_coord(m));
  thread.best_to = static_cast<std::uint8_t>(to_coord(m));
}

// One line: a move that beats the best takes its place, and its score is the bound.
template <Colour Us>
void take_single_line(RootBest& r, std::uint8_t i, std::int32_t s) {
  if (!Mover<Us>::better(s, r.best)) return;
  r.best = s;
  r.index = i;
  name_best_move(thread.list_root.move[i]);
  r.bound = s;
  r.improved = true;
  r.line = thread.PV_line;
  if (s != thread.PV_line.score_move) OutLine() << (Us == WHITE ? "ERROR white value \n" : "ERROR black value \n");
}

// Several lines: a move joins them while there are fewer than asked for, or
// when it beats the last; the bound is the last line's score once they are full.
template <Colour Us>
void take_among_lines(RootBest& r, std::int32_t s) {
  const SearchState& st = thread.search_state;
  if (st.line_count >= st.multipv && !Mover<Us>::better(s, r.bound)) return;
  keep_among_lines<Us>(thread.PV_line, s);
  if (st.line_count == st.multipv) r.bound = st.lines[st.line_count - 1].score_move;
  r.line = st.lines[0];
  r.best = r.line.score_move;
  name_best_move(r.line.moves[0]);
  r.improved = true;
}

}  // namespace

// One iteration over every root move: no aspiration window and no cut-off. The
// first move gets the full window, the others a null window and, when they beat
// the best so far, a full-window search again.
template <Colour Us>
std::int32_t root_search(std::uint8_t depth) {
  using M = Mover<Us>;
  constexpr Colour Them = ~Us;
  thread.root_moves_searched = 0;
  if (thread.search_state.stop_search == 1) return 0;

  BoardState& b = thread.bitboard;
  MoveList& list = thread.list_root;
  RootBest r;
  r.bound = r.best = M::view(-INFINITE_SCORE);
  std::uint8_t move_number = 1;
  bool legal_move_found = false;
  Move first_legal = 0;
  const auto key_lo = static_cast<std::uint32_t>(b.hash_key);
  const auto key_hi = static_cast<std::uint32_t>(b.hash_key >> 32);

  sort_captures(list);
  Hash::look_hash_move(list, key_lo, key_hi);

  BoardState snapshot;
  save_board_copy(snapshot);
  thread.search_state.null_move_on = 1;
  NodeMoves<Us, Keeps::KEY> moves(0, list, &thread.nodes_root);
  // With several lines, a move must beat the last of them, and is searched with
  // the open window while there are fewer lines than asked for.
  const bool several = thread.search_state.multipv > 1;
  thread.search_state.line_count = 0;

  // The main thread of a one-line search leads the helpers: they refute the
  // moves after its first from the far end of its list (see shared.h).
  const bool lead = !thread.helper && !several;
  for (std::uint8_t i = 0; i < list.move_count; ++i) {
    if (lead) note_root_move(i, r.bound);
    if (!moves.do_move(i, [] { return king_attacked<Us>(); })) {
      list.score[i] = M::view(-MATE_SCORE);
      continue;
    }
    if (!legal_move_found) first_legal = list.move[i];
    legal_move_found = true;
    print_currmove(move_number, i, depth, list);
    const Move move = list.move[i];
    thread.line_current[0] = move;
    const InCheck gives_check = king_attacked<Them>() ? IN_CHECK : NOT_IN_CHECK;
    const auto child_depth = static_cast<std::uint8_t>(depth + gives_check);
    const auto kind = static_cast<std::int32_t>(kind_move(move));

    // The first move, and any that beats the best on a null window, get the open window.
    const Window open = M::open_window(r.bound);
    std::int32_t s;
    if (i == 0 || (several && thread.search_state.line_count < thread.search_state.multipv)) {
      s = alpha_beta<Them>(open.alpha, open.beta, child_depth, 1, kind, ON_PV, gives_check, NULL_ALLOWED);
    } else {
      const Window probe = M::null_window(r.bound, r.bound);
      s = alpha_beta<Them>(probe.alpha, probe.beta, child_depth, 1, kind, NOT_PV, gives_check, NULL_ALLOWED);
      if (M::better(s, r.bound))
        s = alpha_beta<Them>(open.alpha, open.beta, child_depth, 1, kind, ON_PV, gives_check, NULL_ALLOWED);
    }

    moves.undo_move(i);
    // A move whose search the stop cut short has no result: it never replaces the best.
    if (thread.search_state.stop_search == 1) continue;
    list.score[i] = s;
    ++thread.root_moves_searched;

    if (several) take_among_lines<Us>(r, s);
    else take_single_line<Us>(r, i, s);
    if (lead && i == 0) publish_root_moves(depth, r.bound, list);
    ++move_number;
    print_root_info(r.best, depth, r.line, Us == WHITE ? 1 : 0, thread.nodes_root);
  }

  compare_board_copy(snapshot);

  if (!legal_move_found) {
    const std::int32_t score = king_attacked<Us>() ? M::view(-MATE_SCORE) : 0;
    thread.PV_line.score_move = score;
    thread.PV_line.length = 0;
    return score;
  }
  if (thread.root_moves_searched == 0) {
    // Stopped before any move was finished: the first legal move is at least an
    // answer the rules allow, for a driver that has no earlier iteration to fall back on.
    thread.PV_line.moves[0] = first_legal;
    thread.PV_line.length = 1;
    thread.PV_line.score_move = 0;
    name_best_move(first_legal);
    return 0;
  }
  if (r.improved) thread.PV_line = r.line;
  if (several)
    for (r.index = 0; r.index + 1 < list.move_count && list.move[r.index] != thread.PV_line.moves[0];) ++r.index;
  // A stopped iteration's best, or the best of the moves `searchmoves` named, is
  // worth trying first next time, but no score for the whole position.
  const std::uint64_t index_of_entry = key_lo & hash_mask;
  Hash::save_best_hash_move(index_of_entry, key_hi, list, r.index, depth);
  if (thread.search_state.stop_search != 1 && search_control.limits.root_move_count == 0)
    Hash::save_best_hash_score(index_of_entry, key_hi, r.best, BOUND_NOT_RAISED, depth);
  return r.best;
}

template std::int32_t root_search<WHITE>(std::uint8_t);
template std::int32_t root_search<BLACK>(std::uint8_t);
