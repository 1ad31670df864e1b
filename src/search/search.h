// The search proper: root, alpha-beta and quiescence, each a White/Black pair.
// Scores are always from White's point of view: White maximises, Black
// minimises, over one shared window; nothing is negated between levels.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/move.h"
#include "search/search_state.h"

inline constexpr std::int32_t INFINITE_SCORE = 9999999;
inline constexpr std::int32_t MATE_SCORE = 1000000;
inline constexpr std::int32_t NO_VALUE = -1000000000;
// Beyond this, seen from the side to move, a score is reported as a mate.
inline constexpr std::int32_t MATE_REPORT = 900000;
// Nodes between two looks at the input and the clock: a fraction of a millisecond
// at full speed, a few milliseconds in the sanitizer build.
inline constexpr std::uint16_t POLL_INTERVAL = 2048;

// The flags a search call carries. A node on the principal variation searches
// with the open window and keeps its line; the side to move may be in check;
// below a null move, another is forbidden.
enum PvNode : std::uint8_t { NOT_PV = 0, ON_PV = 1 };
enum InCheck : std::uint8_t { NOT_IN_CHECK = 0, IN_CHECK = 1 };
enum NullMove : std::uint8_t { NULL_ALLOWED = 0, NULL_FORBIDDEN = 1 };

template <Colour Us>
std::int32_t quiescence(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, PvNode pv_node);
// A node short of its horizon.
template <Colour Us>
std::int32_t alpha_beta_interior(std::int32_t alpha, std::int32_t beta, std::uint8_t depth, std::uint8_t ply,
                                 std::int32_t kind_last, PvNode pv_node, InCheck in_check, NullMove null_forbidden);
// A node at its horizon, or at the last ply the per-ply arrays hold, is a
// quiescence search. More than half the calls are such leaves; deciding here,
// in the caller, spares them the frame of an interior node.
template <Colour Us>
[[gnu::always_inline]] inline std::int32_t alpha_beta(std::int32_t alpha, std::int32_t beta, std::uint8_t depth,
                                                      std::uint8_t ply, std::int32_t kind_last, PvNode pv_node,
                                                      InCheck in_check, NullMove null_forbidden) {
  if (ply >= depth || ply >= MAX_PLY) return quiescence<Us>(alpha, beta, ply, pv_node);
  return alpha_beta_interior<Us>(alpha, beta, depth, ply, kind_last, pv_node, in_check, null_forbidden);
}
template <Colour Us>
std::int32_t root_search(std::uint8_t depth);

inline std::int32_t quiescence_white(std::int32_t a, std::int32_t b, std::uint8_t ply, PvNode pv) {
  return quiescence<WHITE>(a, b, ply, pv);
}
inline std::int32_t quiescence_black(std::int32_t a, std::int32_t b, std::uint8_t ply, PvNode pv) {
  return quiescence<BLACK>(a, b, ply, pv);
}
inline std::int32_t alpha_beta_white(std::int32_t a, std::int32_t b, std::uint8_t depth, std::uint8_t ply,
                                     std::int32_t kind_last, PvNode pv, InCheck in_check, NullMove null_forbidden) {
  return alpha_beta<WHITE>(a, b, depth, ply, kind_last, pv, in_check, null_forbidden);
}
inline std::int32_t alpha_beta_black(std::int32_t a, std::int32_t b, std::uint8_t depth, std::uint8_t ply,
                                     std::int32_t kind_last, PvNode pv, InCheck in_check, NullMove null_forbidden) {
  return alpha_beta<BLACK>(a, b, depth, ply, kind_last, pv, in_check, null_forbidden);
}
inline std::int32_t root_search_white(std::uint8_t depth) { return root_search<WHITE>(depth); }
inline std::int32_t root_search_black(std::uint8_t depth) { return root_search<BLACK>(depth); }

// `searchmoves`: the root list keeps only the moves asked for, in their order.
void keep_searched_root_moves(MoveList& list, const GoLimits& limits);
// After every iteration the board must be back where it started.
void Test_Deepening(std::int32_t eval_start, std::uint64_t key_start);

// Every node, of alpha-beta and quiescence alike, counts towards the next poll, so
// that input and clock are seen often whatever the shape of the tree. The poll
// is the thread's own (board/thread.h).
inline void pace_poll() {
  if (++thread.search_state.poll_count >= POLL_INTERVAL) {
    thread.search_state.poll_count = 0;
    if (thread.poll) thread.poll();
  }
}
