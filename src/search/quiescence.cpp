#include "eval/evaluate.h"
#include "movegen/generate.h"
#include "search/aids.h"
#include "search/do_move.h"
#include "search/search.h"
#include "search/window.h"

namespace {

// Far below the mover's bound, small captures cannot help: take the opponent's
// cheaper pieces out of the target set and lift the stand-pat value instead.
template <Colour Us>
void delta_prune(std::int32_t& stand, std::int32_t bound) {
  using M = Mover<Us>;
  constexpr Colour Them = ~Us;
  BoardState& b = thread.bitboard;
  const std::uint64_t* theirs = piece_sets<Them>(b);
  occupancy<Them>(b) &= ~theirs[PAWN];
  if (M::short_of(stand, bound, 500)) occupancy<Them>(b) &= ~(theirs[KNIGHT] | theirs[BISHOP]);
  if (M::short_of(stand, bound, 700)) occupancy<Them>(b) &= ~theirs[ROOK];
  stand += M::view(160);
}

template <Colour Us>
std::int32_t captures(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, PvNode pv_node, std::int32_t stand);

// Most nodes end here, on the stand-pat score; they are spared the frame of the
// capture search.
template <Colour Us>
inline std::int32_t stand_pat_or_captures(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, PvNode pv_node) {
  using M = Mover<Us>;
  // After a stop nothing below the root counts, and a capture tree can be vast.
  if (thread.search_state.stop_search == 1) return 0;
  pace_poll();
  const std::int32_t stand = evaluate(thread.bitboard.minor_placement) + material_balance(thread.bitboard);
  // The per-ply arrays end here: the deepest ply only stands pat.
  if (ply >= MAX_PLY) return stand;
  if (M::raises(stand, alpha, beta) && M::cuts_off(stand, alpha, beta)) return stand;
  return captures<Us>(alpha, beta, ply, pv_node, stand);
}

template <Colour Us>
std::int32_t captures(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, PvNode pv_node, std::int32_t stand) {
  using M = Mover<Us>;
  bool bound_improved = false;
  if (M::raises(stand, alpha, beta)) {
    M::raise_to(stand, alpha, beta);
    bound_improved = true;
  }

  BoardState& b = thread.bitboard;
  thread.parked_occupancy = occupancy<~Us>(b);
  if (M::short_of(stand, M::own(alpha, beta), 160)) delta_prune<Us>(stand, M::own(alpha, beta));
  MoveList& list = thread.list_quiescence[ply];
  generate_captures<Us>(list);
  occupancy<~Us>(b) = thread.parked_occupancy;

  std::int32_t best = stand;
  PvLine local;
  NodeMoves<Us, Keeps::PLACEMENT> moves(ply, list);
  for (std::uint8_t i = 0; i < list.capture_count; ++i) {
    sort_capture_pass(list, i);
    moves.do_move(i, NO_LEGALITY_TEST);
    if (pv_node) thread.line_current[ply] = list.move[i];
    if (name_capture(list.move[i]) == KING) {
      moves.undo_move(i);
      const std::int32_t score = M::view(MATE_SCORE - 1000 * ply);
      if (pv_node) set_best_line(ply, score);
      return score;
    }
    const std::int32_t s = stand_pat_or_captures<~Us>(alpha, beta, static_cast<std::uint8_t>(ply + 1), pv_node);
    moves.undo_move(i);
    if (!M::better(s, best)) continue;
    if (M::raises(s, alpha, beta)) {
      if (M::cuts_off(s, alpha, beta)) return s;
      M::raise_to(s, alpha, beta);
      if (pv_node) save_best_line(local);
      bound_improved = true;
    }
    best = s;
  }

  if (!bound_improved) return best;
  if (best == stand) {
    if (pv_node) set_best_line(ply, stand);
    return best;
  }
  if (pv_node) restore_best_line(local);
  return best;
}

}  // namespace

template <Colour Us>
std::int32_t quiescence(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, PvNode pv_node) {
  return stand_pat_or_captures<Us>(alpha, beta, ply, pv_node);
}

template std::int32_t quiescence<WHITE>(std::int32_t, std::int32_t, std::uint8_t, PvNode);
template std::int32_t quiescence<BLACK>(std::int32_t, std::int32_t, std::uint8_t, PvNode);
