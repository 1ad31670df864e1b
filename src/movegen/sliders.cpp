#include "movegen/sliders.h"

#include <bit>

#include "movegen/rays.h"

SliderSquare rook_squares[64];
SliderSquare bishop_squares[64];

namespace {

std::uint64_t rook_table[0x19000];   // 4 squares of 4096 arrangements, 24 of 2048, 36 of 1024
std::uint64_t bishop_table[0x1480];  // 4 of 512, 12 of 128, 4 of 64, 44 of 32

// Found by `nerul-tool magics`: with these, arrangements that share an index
// always share their attack set.
constexpr std::uint64_t rook_magics[64] = {
#include "movegen/rook_magics.inc"
};
constexpr std::uint64_t bishop_magics[64] = {
#include "movegen/bishop_magics.inc"
};

// The ray's squares up to and including the first piece on it.
template <const SquareTable& Ray, bool Upward>
std::uint64_t ray_attacks(int s, std::uint64_t occupied) {
  const int b = nearest_on_ray<Ray, Upward>(s, occupied);
  return b < 0 ? Ray[s] : (Ray[s] & ~Ray[b]);
}

std::uint64_t* fill(SliderSquare (&squares)[64], std::uint64_t* table, const std::uint64_t (&magics)[64],
                    std::uint64_t (*by_rays)(int, std::uint64_t)) {
  for (int s = 0; s < 64; ++s) {
    SliderSquare& e = squares[s];
    e.mask = blocker_mask(s, by_rays(s, 0));
    e.magic = magics[s];
    e.shift = static_cast<unsigned>(64 - std::popcount(e.mask));
    e.attacks = table;
    // Every subset of the mask, by the carry-rippler walk.
    std::uint64_t subset = 0;
    do {
      table[e.index(subset)] = by_rays(s, subset);
      subset = (subset - e.mask) & e.mask;
    } while (subset);
    table += std::size_t{1} << std::popcount(e.mask);
  }
  return table;
}

const bool filled = [] {
  fill(rook_squares, rook_table, rook_magics, rook_attacks_by_rays);
  fill(bishop_squares, bishop_table, bishop_magics, bishop_attacks_by_rays);
  return true;
}();

}  // namespace

std::uint64_t rook_attacks_by_rays(int s, std::uint64_t occupied) {
  return ray_attacks<ray_north, true>(s, occupied) | ray_attacks<ray_south, false>(s, occupied) |
         ray_attacks<ray_east, true>(s, occupied) | ray_attacks<ray_west, false>(s, occupied);
}

std::uint64_t bishop_attacks_by_rays(int s, std::uint64_t occupied) {
  return ray_attacks<ray_north_east, true>(s, occupied) | ray_attacks<ray_north_west, true>(s, occupied) |
         ray_attacks<ray_south_east, false>(s, occupied) | ray_attacks<ray_south_west, false>(s, occupied);
}

// A piece on the board's edge blocks nothing beyond it, so the edges leave the
// mask, except those of the slider's own rank and file.
std::uint64_t blocker_mask(int s, std::uint64_t reach_on_empty_board) {
  constexpr std::uint64_t rank_1 = 0xFFULL, rank_8 = rank_1 << 56;
  constexpr std::uint64_t file_a = 0x0101010101010101ULL, file_h = file_a << 7;
  const std::uint64_t edges =
      ((rank_1 | rank_8) & ~(rank_1 << (8 * (s / 8)))) | ((file_a | file_h) & ~(file_a << (s % 8)));
  return reach_on_empty_board & ~edges;
}
