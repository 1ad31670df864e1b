// The min-max window seen from the side to move, so that each decision of the
// search is written once for both colours. Scores are White's view: White
// raises alpha and cuts off at beta, Black lowers beta and cuts off at alpha.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "search/search.h"

// A score for Us, as White sees it.
template <Colour Us>
constexpr std::int32_t white_view(std::int32_t for_us) {
  return Us == WHITE ? for_us : -for_us;
}
// `s` is better for Us than `than`.
template <Colour Us>
constexpr bool better(std::int32_t s, std::int32_t than) {
  return Us == WHITE ? s > than : s < than;
}
// The bound Us raises (alpha for White, beta for Black) and the one at which Us cuts off.
template <Colour Us>
constexpr std::int32_t own_bound(std::int32_t alpha, std::int32_t beta) {
  return Us == WHITE ? alpha : beta;
}
template <Colour Us>
constexpr std::int32_t cut_bound(std::int32_t alpha, std::int32_t beta) {
  return Us == WHITE ? beta : alpha;
}
// `s` gets past Us's own bound: it would raise alpha (White) or lower beta (Black).
template <Colour Us>
constexpr bool raises(std::int32_t s, std::int32_t alpha, std::int32_t beta) {
  return better<Us>(s, own_bound<Us>(alpha, beta));
}
// `s` reaches the bound at which Us cuts off.
template <Colour Us>
constexpr bool cuts_off(std::int32_t s, std::int32_t alpha, std::int32_t beta) {
  return Us == WHITE ? s >= beta : s <= alpha;
}
template <Colour Us>
constexpr void raise_to(std::int32_t s, std::int32_t& alpha, std::int32_t& beta) {
  if constexpr (Us == WHITE) alpha = s;
  else beta = s;
}
// `v` is more than `margin` short of `bound` for Us, or `margin` past it.
template <Colour Us>
constexpr bool short_of(std::int32_t v, std::int32_t bound, std::int32_t margin) {
  return Us == WHITE ? v < bound - margin : v > bound + margin;
}
template <Colour Us>
constexpr bool past(std::int32_t v, std::int32_t bound, std::int32_t margin) {
  return Us == WHITE ? v >= bound + margin : v <= bound - margin;
}

struct Window {
  std::int32_t alpha;
  std::int32_t beta;
};
// The null window at Us's own bound: it asks only whether a move beats it.
template <Colour Us>
constexpr Window null_window(std::int32_t alpha, std::int32_t beta) {
  return Us == WHITE ? Window{alpha, alpha + 1} : Window{beta - 1, beta};
}
// Everything better for Us than `bound`, as wide as scores go.
template <Colour Us>
constexpr Window open_window(std::int32_t bound) {
  return Us == WHITE ? Window{bound, INFINITE_SCORE} : Window{-INFINITE_SCORE, bound};
}
