#include "board/make_move.h"
#include "eval/evaluate.h"
#include "eval/placement.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "search/aids.h"
#include "search/search.h"
#include "search/search_state.h"

MoveList list_ply[MAX_PLY + 1];

namespace {

// Razoring and static futility margins by remaining depth 1, 2, 3.
constexpr std::int32_t razor_margin[4] = {0, 150, 200, 300};
constexpr std::int32_t futility_margin[4] = {0, 150, 200, 300};

inline std::int32_t material_balance() {
  return static_cast<std::int32_t>(bitboard.value_white_material) -
         static_cast<std::int32_t>(bitboard.value_black_material);
}

inline std::uint8_t next(std::uint8_t ply) { return static_cast<std::uint8_t>(ply + 1); }

// The null move: hand the move to the opponent with a shallower search; if even
// that cannot bring the score back inside the window, the node cuts off. Deep
// enough, a verification search of our own confirms it first.
template <Colour Us>
std::int32_t null_move(std::int32_t alpha, std::int32_t beta, std::uint8_t depth, std::uint8_t ply,
                       std::int32_t kind_last, std::uint8_t pv_node, std::uint8_t in_check, std::uint8_t null_forbidden,
                       std::uint8_t child_ply, std::uint64_t saved_key) {
  if (search_state.null_move_on != 1 || null_forbidden || depth <= 3 || depth - ply < 2 || pv_node ||
      kind_last == MOVE_CAPTURE || in_check)
    return NO_VALUE;

  BoardState& b = bitboard;
  const std::uint8_t ep_yes = b.taking_passage_yes, ep_x = b.taking_passage_x, ep_y = b.taking_passage_y;
  const std::uint8_t colour = b.colour_move;
  if (ep_yes) b.hash_key ^= en_passant_term(ep_x, ep_y);
  b.hash_key ^= ZOBRIST_SIDE;
  b.colour_move = colour == 0 ? 1 : 0;
  b.taking_passage_yes = b.taking_passage_x = b.taking_passage_y = 0;
  const std::uint64_t nodes = search_state.nodes;

  const auto shallow = static_cast<std::uint8_t>(depth - 3);
  std::int32_t r;
  if constexpr (Us == WHITE) r = alpha_beta<BLACK>(alpha, alpha + 1, shallow, child_ply, kind_last, 0, 0, 1);
  else r = alpha_beta<WHITE>(beta - 1, beta, shallow, child_ply, kind_last, 0, 0, 1);

  search_state.nodes = nodes;
  b.taking_passage_yes = ep_yes;
  b.taking_passage_x = ep_x;
  b.taking_passage_y = ep_y;
  b.colour_move = colour;
  b.hash_key = saved_key;

  const auto verify_depth = static_cast<std::uint8_t>(depth - 5);
  if constexpr (Us == WHITE) {
    if (r < beta) return NO_VALUE;
    if (depth - ply < 6) return beta;
    const std::int32_t v = alpha_beta<WHITE>(beta - 1, beta, verify_depth, ply, kind_last, 0, 0, 1);
    return v >= beta ? beta : NO_VALUE;
  } else {
    if (r > alpha) return NO_VALUE;
    if (depth - ply < 6) return alpha;
    const std::int32_t v = alpha_beta<BLACK>(alpha, alpha + 1, verify_depth, ply, kind_last, 0, 0, 1);
    return v <= alpha ? alpha : NO_VALUE;
  }
}

}  // namespace

template <Colour Us>
std::int32_t alpha_beta_interior(std::int32_t alpha, std::int32_t beta, std::uint8_t depth, std::uint8_t ply,
                                 std::int32_t kind_last, std::uint8_t pv_node, std::uint8_t in_check,
                                 std::uint8_t null_forbidden) {
  constexpr bool white = Us == WHITE;
  constexpr Colour Them = ~Us;
  if (search_state.stop_search == 1) return 0;
  pace_poll();
  if (test_repetition(ply)) {
    if (pv_node) set_best_line(ply, 0);
    return 0;
  }

  BoardState& b = bitboard;
  const std::uint64_t saved_key = b.hash_key;
  const auto key_lo = static_cast<std::uint32_t>(saved_key);
  const auto key_hi = static_cast<std::uint32_t>(saved_key >> 32);

  if (!pv_node) {
    const std::int32_t v = white ? Hash::look_hash_score_white(key_lo, key_hi, ply, depth, alpha, beta)
                                 : Hash::look_hash_score_black(key_lo, key_hi, ply, depth, alpha, beta);
    if (v != NO_VALUE) return v;
    const int remaining = depth - ply;
    if (remaining < 4 && !in_check) {
      const std::int32_t material = material_balance();
      std::int32_t estimate = material;
      if constexpr (white) {
        const std::int32_t m = razor_margin[remaining];
        if (material < beta - m) {
          const std::int32_t q = quiescence<WHITE>(alpha, beta, ply, 0);
          if (q < beta - m) return q;
          estimate = q;
        }
        const std::int32_t f = futility_margin[remaining];
        if (estimate >= beta + f) {
          const std::int32_t s = evaluate(b.minor_placement) + material;
          if (s >= beta + f) return s;
        }
      } else {
        const std::int32_t m = razor_margin[remaining];
        if (material > alpha + m) {
          const std::int32_t q = quiescence<BLACK>(alpha, beta, ply, 0);
          if (q > alpha + m) return q;
          estimate = q;
        }
        const std::int32_t f = futility_margin[remaining];
        if (estimate <= alpha - f) {
          const std::int32_t s = evaluate(b.minor_placement) + material;
          if (s <= alpha - f) return s;
        }
      }
    }
  }

  if (const std::int32_t v =
          null_move<Us>(alpha, beta, depth, ply, kind_last, pv_node, in_check, null_forbidden, next(ply), saved_key);
      v != NO_VALUE)
    return v;

  MoveList& list = list_ply[ply];
  QuietsLater quiets;
  generate_captures<Us>(list);
  sort_captures(list);
  quiets.order_killers<Us>(list, ply, list.capture_count > 0 && list.score[0] >= 0 ? 1 : 0);
  std::uint8_t found = 0;
  Hash::look_hash_move(list, key_lo, key_hi, found);
  if (found == 1) quiets.bring_forward<Us>(list, Hash::stored_move(key_lo), 0);

  std::int32_t best = white ? -INFINITE_SCORE : INFINITE_SCORE;
  std::uint8_t best_index = 0, raise_index = 0;
  bool bound_improved = false, legal_move_found = false;
  PvLine local;
  local.score_move = 0;
  local.length = 0;
  const std::int32_t placement = b.minor_placement;
  const std::uint64_t pinned = pinned_pieces<Us>();
  const std::uint64_t answers = in_check ? check_answers<Us>() : 0;
  const CheckLines checks = check_lines<Us>();

  // The quiet moves join the list when the loop reaches its end the first time.
  for (std::uint8_t i = 0; i < list.move_count || quiets.append<Us>(list); ++i) {
    // In check most moves cannot be legal; they are ruled out without being made.
    if (in_check && !may_answer_check<Us>(list.move[i], answers)) {
      count_move_ruled_out();
      continue;
    }
    make_move<Us>(ply, i, list);
    if (king_exposed_by<Us>(list.move[i], in_check, pinned)) {
      unmake_move<Us>(ply, i, list);
      continue;
    }
    ++search_state.nodes;
    legal_move_found = true;
    const Move move = list.move[i];
    if (pv_node) line_current[ply] = move;
    update_hash_key<Us>(i, list, undo_by_ply[ply]);
    prefetch_hash_entry(b.hash_key);
    key_history_search[ply + 1] = b.hash_key;
    b.minor_placement = placement + placement_change<Us>(move);

    const std::uint8_t gives_check = may_give_check(move, checks) && king_attacked<Them>() ? 1 : 0;
    const auto child_depth = static_cast<std::uint8_t>(depth + gives_check);
    const auto kind = static_cast<std::int32_t>(kind_move(move));
    const std::uint8_t child = next(ply);

    std::int32_t s;
    if (pv_node && i == 0) {
      s = alpha_beta<Them>(alpha, beta, child_depth, child, kind, 1, gives_check, null_forbidden);
    } else {
      bool settled = false;
      if (kind != MOVE_CAPTURE && kind < 10 && i > 0 && move != killer_1[ply] && move != killer_2[ply] &&
          !gives_check && !in_check && child_depth - ply >= 3) {
        const auto reduced = static_cast<std::uint8_t>(child_depth - 1);
        if constexpr (white) {
          s = alpha_beta<Them>(alpha, alpha + 1, reduced, child, kind, 0, 0, null_forbidden);
          settled = s <= alpha;
        } else {
          s = alpha_beta<Them>(beta - 1, beta, reduced, child, kind, 0, 0, null_forbidden);
          settled = s >= beta;
        }
      }
      if (!settled) {
        if constexpr (white)
          s = alpha_beta<Them>(alpha, alpha + 1, child_depth, child, kind, 0, gives_check, null_forbidden);
        else s = alpha_beta<Them>(beta - 1, beta, child_depth, child, kind, 0, gives_check, null_forbidden);
        if (pv_node && alpha < s && s < beta)
          s = alpha_beta<Them>(alpha, beta, child_depth, child, kind, 1, gives_check, null_forbidden);
      }
    }

    unmake_move<Us>(ply, i, list);
    b.hash_key = saved_key;
    b.minor_placement = placement;
    // A child cut short by a stop has no score: nothing of it may reach the table.
    if (search_state.stop_search == 1) return 0;

    const bool better = white ? s > best : s < best;
    if (!better) continue;
    const bool inside = white ? s > alpha : s < beta;
    if (inside) {
      const bool cutoff = white ? s >= beta : s <= alpha;
      if (cutoff) {
        if (kind != MOVE_CAPTURE) save_killer(list, i, ply);
        save_best_hash_move_and_score(list, i, key_lo, key_hi, s, 2, ply, depth);
        return s;
      }
      if constexpr (white) alpha = s;
      else beta = s;
      bound_improved = true;
      raise_index = i;
      if (pv_node) save_best_line(local);
    }
    best = s;
    best_index = i;
  }

  if (!legal_move_found) {
    const std::int32_t mated = MATE_SCORE - 1000 * ply;
    const std::int32_t score = king_attacked<Us>() ? (white ? -mated : mated) : 0;
    if (pv_node) set_best_line(ply, score);
    return score;
  }
  if (bound_improved) {
    if (pv_node) restore_best_line(local);
    save_best_hash_move_and_score(list, raise_index, key_lo, key_hi, white ? alpha : beta, 1, ply, depth);
    return best;
  }
  save_best_hash_move_and_score(list, best_index, key_lo, key_hi, best, 3, ply, depth);
  return best;
}

template std::int32_t alpha_beta_interior<WHITE>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t, std::int32_t,
                                                 std::uint8_t, std::uint8_t, std::uint8_t);
template std::int32_t alpha_beta_interior<BLACK>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t, std::int32_t,
                                                 std::uint8_t, std::uint8_t, std::uint8_t);
