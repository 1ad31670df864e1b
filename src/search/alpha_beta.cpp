#include "eval/evaluate.h"
#include "hash/hash.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "search/aids.h"
#include "search/do_move.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/window.h"

namespace {

// Razoring and static futility margins by remaining depth 1, 2, 3.
constexpr std::int32_t razor_margin[4] = {0, 150, 200, 300};
constexpr std::int32_t futility_margin[4] = {0, 150, 200, 300};
// From 2^20 entries (24 MB, Hash 32) the table outgrows the caches; below that,
// the key of a sibling computed early would cost more than its wait.
constexpr std::uint64_t HASH_MASK_PREFETCH_AHEAD = (std::uint64_t{1} << 20) - 1;

inline std::uint8_t next(std::uint8_t ply) { return static_cast<std::uint8_t>(ply + 1); }

// The null move: hand the move to the opponent with a shallower search; if even
// that cannot bring the score back inside the window, the node cuts off. Deep
// enough, a verification search of our own confirms it first.
template <Colour Us>
std::int32_t null_move(NodeMoves<Us, Keeps::KEY>& moves, std::int32_t alpha, std::int32_t beta, std::uint8_t depth,
                       std::uint8_t ply, std::int32_t kind_last, PvNode pv_node, InCheck in_check,
                       NullMove null_forbidden) {
  using M = Mover<Us>;
  if (thread.search_state.null_move_on != 1 || null_forbidden || depth <= 3 || depth - ply < 2 || pv_node ||
      kind_last == MOVE_CAPTURE || in_check)
    return NO_VALUE;

  // The null move's tree is a probe, not part of the count.
  const std::uint64_t nodes = thread.search_state.nodes;
  moves.do_null_move();
  const auto shallow = static_cast<std::uint8_t>(depth - 3);
  const Window probe = M::null_window(alpha, beta);
  const std::int32_t r =
      alpha_beta<~Us>(probe.alpha, probe.beta, shallow, next(ply), kind_last, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN);
  moves.undo_null_move();
  thread.search_state.nodes = nodes;

  if (!M::cuts_off(r, alpha, beta)) return NO_VALUE;
  const std::int32_t cut = M::cut(alpha, beta);
  if (depth - ply < 6) return cut;
  const auto verify_depth = static_cast<std::uint8_t>(depth - 5);
  const Window verify = Mover<~Us>::null_window(alpha, beta);
  const std::int32_t v =
      alpha_beta<Us>(verify.alpha, verify.beta, verify_depth, ply, kind_last, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN);
  return M::cuts_off(v, alpha, beta) ? cut : NO_VALUE;
}

}  // namespace

template <Colour Us>
std::int32_t alpha_beta_interior(std::int32_t alpha, std::int32_t beta, std::uint8_t depth, std::uint8_t ply,
                                 std::int32_t kind_last, PvNode pv_node, InCheck in_check, NullMove null_forbidden) {
  using M = Mover<Us>;
  constexpr Colour Them = ~Us;
  if (thread.search_state.stop_search == 1) return 0;
  pace_poll();
  if (test_repetition(ply)) {
    if (pv_node) set_best_line(ply, 0);
    return 0;
  }

  BoardState& b = thread.bitboard;
  const auto key_lo = static_cast<std::uint32_t>(b.hash_key);
  const auto key_hi = static_cast<std::uint32_t>(b.hash_key >> 32);

  if (!pv_node) {
    const std::int32_t v = Hash::look_hash_score<Us == WHITE>(key_lo, key_hi, ply, depth, alpha, beta);
    if (v != HASH_NOT_FOUND) return v;
    const int remaining = depth - ply;
    if (remaining < 4 && !in_check) {
      const std::int32_t material = material_balance(b);
      const std::int32_t cut = M::cut(alpha, beta);
      std::int32_t estimate = material;
      if (M::short_of(material, cut, razor_margin[remaining])) {
        const std::int32_t q = quiescence<Us>(alpha, beta, ply, NOT_PV);
        if (M::short_of(q, cut, razor_margin[remaining])) return q;
        estimate = q;
      }
      if (M::past(estimate, cut, futility_margin[remaining])) {
        const std::int32_t s = evaluate(b.minor_placement) + material;
        if (M::past(s, cut, futility_margin[remaining])) return s;
      }
    }
  }

  MoveList& list = thread.list_ply[ply];
  // A child one ply short of the horizon is a quiescence leaf, unless the
  // move gives check; such a child goes without its entry asked for early.
  const bool children_probe = ply + 1 < depth;
  NodeMoves<Us, Keeps::KEY> moves(ply, list, &thread.search_state.nodes, children_probe);
  if (const std::int32_t v =
          null_move<Us>(moves, alpha, beta, depth, ply, kind_last, pv_node, in_check, null_forbidden);
      v != NO_VALUE)
    return v;

  QuietsLater quiets;
  generate_captures<Us>(list);
  sort_captures(list);
  quiets.order_killers<Us>(list, ply, list.capture_count > 0 && list.score[0] >= 0 ? 1 : 0);
  if (Hash::look_hash_move(list, key_lo, key_hi) == HashMoveFound::NOT_LISTED)
    quiets.bring_forward<Us>(list, Hash::stored_move(key_lo), 0);

  std::int32_t best = M::view(-INFINITE_SCORE);
  std::uint8_t best_index = 0, raise_index = 0;
  bool bound_improved = false, legal_move_found = false;
  PvLine local;
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
    const Move move = list.move[i];
    // In a table far larger than the caches, the next sibling's entry is asked
    // for a whole subtree ahead of its probe.
    if (children_probe && hash_mask >= HASH_MASK_PREFETCH_AHEAD && i + 1 < list.move_count)
      prefetch_hash_entry(key_before_move<Us>(list.move[i + 1]));
    if (!moves.do_move(i, [&] { return king_exposed_by<Us>(move, in_check, pinned); })) continue;
    legal_move_found = true;
    if (pv_node) thread.line_current[ply] = move;

    const InCheck gives_check = may_give_check(move, checks) && king_attacked<Them>() ? IN_CHECK : NOT_IN_CHECK;
    const auto child_depth = static_cast<std::uint8_t>(depth + gives_check);
    const auto kind = static_cast<std::int32_t>(kind_move(move));
    const std::uint8_t child = next(ply);
    const Window probe = M::null_window(alpha, beta);

    std::int32_t s;
    if (pv_node && i == 0) {
      s = alpha_beta<Them>(alpha, beta, child_depth, child, kind, ON_PV, gives_check, null_forbidden);
    } else {
      bool settled = false;
      if (kind != MOVE_CAPTURE && kind < 10 && i > 0 && move != thread.killer_1[ply] && move != thread.killer_2[ply] &&
          !gives_check && !in_check && child_depth - ply >= 3) {
        const auto reduced = static_cast<std::uint8_t>(child_depth - 1);
        s = alpha_beta<Them>(probe.alpha, probe.beta, reduced, child, kind, NOT_PV, NOT_IN_CHECK, null_forbidden);
        settled = !M::raises(s, alpha, beta);
      }
      if (!settled) {
        s = alpha_beta<Them>(probe.alpha, probe.beta, child_depth, child, kind, NOT_PV, gives_check, null_forbidden);
        if (pv_node && alpha < s && s < beta)
          s = alpha_beta<Them>(alpha, beta, child_depth, child, kind, ON_PV, gives_check, null_forbidden);
      }
    }

    moves.undo_move(i);
    // A child cut short by a stop has no score: nothing of it may reach the table.
    if (thread.search_state.stop_search == 1) return 0;

    if (!M::better(s, best)) continue;
    if (M::raises(s, alpha, beta)) {
      if (M::cuts_off(s, alpha, beta)) {
        if (kind != MOVE_CAPTURE) save_killer(list, i, ply);
        save_best_hash_move_and_score(list, i, key_lo, key_hi, s, BOUND_CUTOFF, ply, depth);
        return s;
      }
      M::raise_to(s, alpha, beta);
      bound_improved = true;
      raise_index = i;
      if (pv_node) save_best_line(local);
    }
    best = s;
    best_index = i;
  }

  if (!legal_move_found) {
    const std::int32_t score = king_attacked<Us>() ? M::view(-(MATE_SCORE - 1000 * ply)) : 0;
    if (pv_node) set_best_line(ply, score);
    return score;
  }
  if (bound_improved) {
    if (pv_node) restore_best_line(local);
    save_best_hash_move_and_score(list, raise_index, key_lo, key_hi, M::own(alpha, beta), BOUND_EXACT, ply, depth);
    return best;
  }
  save_best_hash_move_and_score(list, best_index, key_lo, key_hi, best, BOUND_NOT_RAISED, ply, depth);
  return best;
}

template std::int32_t alpha_beta_interior<WHITE>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t, std::int32_t,
                                                 PvNode, InCheck, NullMove);
template std::int32_t alpha_beta_interior<BLACK>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t, std::int32_t,
                                                 PvNode, InCheck, NullMove);
