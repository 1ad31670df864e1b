#include "board/make_move.h"
#include "eval/evaluate.h"
#include "eval/placement.h"
#include "movegen/generate.h"
#include "search/aids.h"
#include "search/search.h"

MoveList list_quiescence[MAX_PLY + 1];

namespace {

inline std::int32_t static_score() {
  return evaluate(bitboard.minor_placement) + (static_cast<std::int32_t>(bitboard.value_white_material) -
                                               static_cast<std::int32_t>(bitboard.value_black_material));
}

// Far below the mover's bound, small captures cannot help: take the opponent's
// cheaper pieces out of the target set and lift the stand-pat value instead.
void delta_prune_white(std::int32_t& stand, std::int32_t alpha) {
  BoardState& b = bitboard;
  b.all_black_piece &= ~b.black_piece[PAWN];
  if (stand < alpha - 500) b.all_black_piece &= ~(b.black_piece[KNIGHT] | b.black_piece[BISHOP]);
  if (stand < alpha - 700) b.all_black_piece &= ~b.black_piece[ROOK];
  stand += 160;
}

void delta_prune_black(std::int32_t& stand, std::int32_t beta) {
  BoardState& b = bitboard;
  b.all_white_piece &= ~b.white_piece[PAWN];
  if (stand > beta + 500) b.all_white_piece &= ~(b.white_piece[KNIGHT] | b.white_piece[BISHOP]);
  if (stand > beta + 700) b.all_white_piece &= ~b.white_piece[ROOK];
  stand -= 160;
}

template <Colour Us>
std::int32_t captures(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, std::uint8_t pv_node,
                      std::int32_t stand);

// Most nodes end here, on the stand-pat score; they are spared the frame of the
// capture search.
template <Colour Us>
inline std::int32_t stand_pat_or_captures(std::int32_t alpha, std::int32_t beta, std::uint8_t ply,
                                          std::uint8_t pv_node) {
  // After a stop nothing below the root counts, and a capture tree can be vast.
  if (search_state.stop_search == 1) return 0;
  pace_poll();
  const std::int32_t stand = static_score();
  // The per-ply arrays end here: the deepest ply only stands pat.
  if (ply >= MAX_PLY) return stand;
  if (Us == WHITE ? stand > alpha && stand >= beta : stand < beta && stand <= alpha) return stand;
  return captures<Us>(alpha, beta, ply, pv_node, stand);
}

template <Colour Us>
std::int32_t captures(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, std::uint8_t pv_node,
                      std::int32_t stand) {
  constexpr bool white = Us == WHITE;
  bool bound_improved = false;
  if constexpr (white) {
    if (stand > alpha) {
      alpha = stand;
      bound_improved = true;
    }
  } else {
    if (stand < beta) {
      beta = stand;
      bound_improved = true;
    }
  }

  BoardState& b = bitboard;
  parked_occupancy = occupancy<~Us>(b);
  if constexpr (white) {
    if (stand < alpha - 160) delta_prune_white(stand, alpha);
  } else {
    if (stand > beta + 160) delta_prune_black(stand, beta);
  }
  MoveList& list = list_quiescence[ply];
  generate_captures<Us>(list);
  occupancy<~Us>(b) = parked_occupancy;

  std::int32_t best = stand;
  const std::int32_t placement = b.minor_placement;
  PvLine local;
  local.score_move = 0;
  local.length = 0;
  for (std::uint8_t i = 0; i < list.capture_count; ++i) {
    sort_capture_pass(list, i);
    make_move<Us>(ply, i, list);
    if (pv_node) line_current[ply] = list.move[i];
    if (name_capture(list.move[i]) == KING) {
      unmake_move<Us>(ply, i, list);
      const std::int32_t won = MATE_SCORE - 1000 * ply;
      const std::int32_t score = white ? won : -won;
      if (pv_node) set_best_line(ply, score);
      return score;
    }
    b.minor_placement = placement + placement_change<Us>(list.move[i]);
    const std::int32_t s = stand_pat_or_captures<~Us>(alpha, beta, static_cast<std::uint8_t>(ply + 1), pv_node);
    unmake_move<Us>(ply, i, list);
    b.minor_placement = placement;
    if constexpr (white) {
      if (s > best) {
        if (s > alpha) {
          if (s >= beta) return s;
          alpha = s;
          if (pv_node) save_best_line(local);
          bound_improved = true;
        }
        best = s;
      }
    } else {
      if (s < best) {
        if (s < beta) {
          if (s <= alpha) return s;
          beta = s;
          if (pv_node) save_best_line(local);
          bound_improved = true;
        }
        best = s;
      }
    }
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
std::int32_t quiescence(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, std::uint8_t pv_node) {
  return stand_pat_or_captures<Us>(alpha, beta, ply, pv_node);
}

template std::int32_t quiescence<WHITE>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t);
template std::int32_t quiescence<BLACK>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t);
