// Attack and ray tables, indexed by square; built by the compiler.
#pragma once

#include <array>
#include <cstdint>

using SquareTable = std::array<std::uint64_t, 64>;

namespace tables_detail {
// Squares reached from s by repeated (file_step, rank_step) steps; one step only for leapers.
constexpr SquareTable steps(std::initializer_list<std::pair<int, int>> deltas, bool slide) {
  SquareTable t{};
  for (int s = 0; s < 64; ++s)
    for (auto [df, dr] : deltas) {
      int f = s % 8 + df, r = s / 8 + dr;
      while (f >= 0 && f < 8 && r >= 0 && r < 8) {
        t[s] |= std::uint64_t{1} << (8 * r + f);
        if (!slide) break;
        f += df;
        r += dr;
      }
    }
  return t;
}
}  // namespace tables_detail

inline constexpr SquareTable king_attacks =
    tables_detail::steps({{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}}, false);
inline constexpr SquareTable knight_attacks =
    tables_detail::steps({{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}, false);
inline constexpr SquareTable ray_north = tables_detail::steps({{0, 1}}, true);
inline constexpr SquareTable ray_south = tables_detail::steps({{0, -1}}, true);
inline constexpr SquareTable ray_west = tables_detail::steps({{-1, 0}}, true);
inline constexpr SquareTable ray_east = tables_detail::steps({{1, 0}}, true);
inline constexpr SquareTable ray_north_east = tables_detail::steps({{1, 1}}, true);
inline constexpr SquareTable ray_north_west = tables_detail::steps({{-1, 1}}, true);
inline constexpr SquareTable ray_south_east = tables_detail::steps({{1, -1}}, true);
inline constexpr SquareTable ray_south_west = tables_detail::steps({{-1, -1}}, true);

// Every square a rook, or a bishop, would reach on an empty board.
inline constexpr SquareTable rook_lines = tables_detail::steps({{0, 1}, {0, -1}, {1, 0}, {-1, 0}}, true);
inline constexpr SquareTable bishop_lines = tables_detail::steps({{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}, true);

inline constexpr SquareTable white_pawn_attacks = [] {
  SquareTable t = tables_detail::steps({{-1, 1}, {1, 1}}, false);
  for (int s = 0; s < 8; ++s) t[s] = 0;  // a pawn never stands on its first rank
  return t;
}();
inline constexpr SquareTable black_pawn_attacks = tables_detail::steps({{-1, -1}, {1, -1}}, false);
