// The min-max window seen from the side to move, so that each decision of the
// search is written once for both colours. Scores are White's view: White
// raises alpha and cuts off at beta, Black lowers beta and cuts off at alpha.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "search/search.h"

struct Window {
  std::int32_t alpha;
  std::int32_t beta;
};

template <Colour Us>
struct Mover {
  static constexpr bool white = Us == WHITE;
  // A score for Us, as White sees it.
  static constexpr std::int32_t view(std::int32_t for_us) { return white ? for_us : -for_us; }
  static constexpr bool better(std::int32_t s, std::int32_t than) { return white ? s > than : s < than; }
  // The bound Us raises (alpha for White, beta for Black), and the one at which Us cuts off.
  static constexpr std::int32_t own(std::int32_t alpha, std::int32_t beta) { return white ? alpha : beta; }
  static constexpr std::int32_t cut(std::int32_t alpha, std::int32_t beta) { return white ? beta : alpha; }
  static constexpr bool raises(std::int32_t s, std::int32_t alpha, std::int32_t beta) {
    return better(s, own(alpha, beta));
  }
  static constexpr bool cuts_off(std::int32_t s, std::int32_t alpha, std::int32_t beta) {
    return white ? s >= beta : s <= alpha;
  }
  static constexpr void raise_to(std::int32_t s, std::int32_t& alpha, std::int32_t& beta) {
    (white ? alpha : beta) = s;
  }
  // `v` is more than `margin` short of `bound` for Us, or at least `margin` past it.
  static constexpr bool short_of(std::int32_t v, std::int32_t bound, std::int32_t margin) {
    return white ? v < bound - margin : v > bound + margin;
  }
  static constexpr bool past(std::int32_t v, std::int32_t bound, std::int32_t margin) {
    return white ? v >= bound + margin : v <= bound - margin;
  }
  // The null window at Us's own bound: it asks only whether a move beats it.
  static constexpr Window null_window(std::int32_t alpha, std::int32_t beta) {
    return white ? Window{alpha, alpha + 1} : Window{beta - 1, beta};
  }
  // Everything better for Us than `bound`.
  static constexpr Window open_window(std::int32_t bound) {
    return white ? Window{bound, INFINITE_SCORE} : Window{-INFINITE_SCORE, bound};
  }
};
