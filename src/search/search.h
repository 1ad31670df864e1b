// The search proper: root, alpha-beta and quiescence, each a White/Black pair.
// Scores are always from White's point of view: White maximises, Black
// minimises, over one shared window; nothing is negated between levels.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/move.h"
#include "io/per_thread.h"
#include "search/search_state.h"

inline constexpr std::int32_t INFINITE_SCORE = 9999999;
inline constexpr std::int32_t MATE_SCORE = 1000000;
inline constexpr std::int32_t NO_VALUE = -1000000000;
// Beyond this, seen from the side to move, a score is reported as a mate.
inline constexpr std::int32_t MATE_REPORT = 900000;
// Nodes between two looks at the input and the clock: a fraction of a millisecond
// at full speed, a few milliseconds in the sanitizer build.
inline constexpr std::uint16_t POLL_INTERVAL = 2048;
// How long a finished ponder search sleeps between looks at the input; input
// that arrives wakes it at once.
inline constexpr int PONDER_WAIT_MS = 100;

extern PER_THREAD constinit MoveList list_root;
extern PER_THREAD constinit MoveList list_ply[MAX_PLY + 1];
extern PER_THREAD constinit MoveList list_quiescence[MAX_PLY + 1];
extern PER_THREAD constinit std::uint64_t nodes_root;
extern PER_THREAD constinit std::uint8_t best_from;
extern PER_THREAD constinit std::uint8_t best_to;
// Root moves the last root search finished; fewer than the legal moves after a stop.
extern PER_THREAD constinit std::uint8_t root_moves_searched;

template <Colour Us>
std::int32_t quiescence(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, std::uint8_t pv_node);
// A node short of its horizon.
template <Colour Us>
std::int32_t alpha_beta_interior(std::int32_t alpha, std::int32_t beta, std::uint8_t depth, std::uint8_t ply,
                                 std::int32_t kind_last, std::uint8_t pv_node, std::uint8_t in_check,
                                 std::uint8_t null_forbidden);
// A node at its horizon, or at the last ply the per-ply arrays hold, is a
// quiescence search. More than half the calls are such leaves; deciding here,
// in the caller, spares them the frame of an interior node.
template <Colour Us>
[[gnu::always_inline]] inline std::int32_t alpha_beta(std::int32_t alpha, std::int32_t beta, std::uint8_t depth,
                                                      std::uint8_t ply, std::int32_t kind_last, std::uint8_t pv_node,
                                                      std::uint8_t in_check, std::uint8_t null_forbidden) {
  if (ply >= depth || ply >= MAX_PLY) return quiescence<Us>(alpha, beta, ply, pv_node);
  return alpha_beta_interior<Us>(alpha, beta, depth, ply, kind_last, pv_node, in_check, null_forbidden);
}
template <Colour Us>
std::int32_t root_search(std::uint8_t depth);

inline std::int32_t quiescence_white(std::int32_t a, std::int32_t b, std::uint8_t ply, std::uint8_t pv) {
  return quiescence<WHITE>(a, b, ply, pv);
}
inline std::int32_t quiescence_black(std::int32_t a, std::int32_t b, std::uint8_t ply, std::uint8_t pv) {
  return quiescence<BLACK>(a, b, ply, pv);
}
inline std::int32_t alpha_beta_white(std::int32_t a, std::int32_t b, std::uint8_t depth, std::uint8_t ply,
                                     std::int32_t kind_last, std::uint8_t pv, std::uint8_t in_check,
                                     std::uint8_t null_forbidden) {
  return alpha_beta<WHITE>(a, b, depth, ply, kind_last, pv, in_check, null_forbidden);
}
inline std::int32_t alpha_beta_black(std::int32_t a, std::int32_t b, std::uint8_t depth, std::uint8_t ply,
                                     std::int32_t kind_last, std::uint8_t pv, std::uint8_t in_check,
                                     std::uint8_t null_forbidden) {
  return alpha_beta<BLACK>(a, b, depth, ply, kind_last, pv, in_check, null_forbidden);
}
inline std::int32_t root_search_white(std::uint8_t depth) { return root_search<WHITE>(depth); }
inline std::int32_t root_search_black(std::uint8_t depth) { return root_search<BLACK>(depth); }

// Reads the lines waiting and the clock; sets `stop_search` or ends the process on `quit`.
void poll_input_and_clock();
// The count of nodes the poll paces on, from the start of a `go`.
void start_node_count();
std::uint64_t nodes_visited();
// A ponder search that ended on its own waits for `ponderhit` or `stop`.
void wait_while_pondering();

// Every node, of alpha-beta and quiescence alike, counts towards the next poll, so
// that input and clock are seen often whatever the shape of the tree.
inline void pace_poll() {
  if (++search_state.poll_count >= POLL_INTERVAL) {
    search_state.poll_count = 0;
    poll_input_and_clock();
  }
}
