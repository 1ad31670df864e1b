// Rook and bishop attack sets in one table lookup. For every square the table
// holds the squares a slider reaches under each arrangement of the pieces that
// can block it; a multiplication by a "magic" number turns the blockers into
// the arrangement's index. Where the processor has BMI2, its PEXT instruction
// gathers the blockers into the index directly, sooner than the multiplication.
// The tables are filled once, when the program starts, by the same index.
#pragma once

#include <cstddef>
#include <cstdint>
#if defined(__BMI2__) && !defined(NERUL_NO_PEXT)
#define NERUL_USE_PEXT 1
#include <immintrin.h>
#endif

struct SliderSquare {
  std::uint64_t mask;  // the squares whose occupancy matters: the rays without their far ends
  std::uint64_t magic;
  const std::uint64_t* attacks;
  unsigned shift;  // 64 minus the number of squares in the mask

#if defined(NERUL_USE_PEXT)
  std::size_t index(std::uint64_t occupied) const { return _pext_u64(occupied, mask); }
#else
  std::size_t index(std::uint64_t occupied) const { return ((occupied & mask) * magic) >> shift; }
#endif
  std::uint64_t reach(std::uint64_t occupied) const { return attacks[index(occupied)]; }
};

extern SliderSquare rook_squares[64];
extern SliderSquare bishop_squares[64];

// Every square a slider on `s` attacks: the empty ones and the first piece in each direction.
inline std::uint64_t rook_attacks(int s, std::uint64_t occupied) { return rook_squares[s].reach(occupied); }
inline std::uint64_t bishop_attacks(int s, std::uint64_t occupied) { return bishop_squares[s].reach(occupied); }

// The same sets walked ray by ray, and the mask of a square: what the tables are
// filled from, and what `nerul-tool magics` searches its numbers against.
std::uint64_t rook_attacks_by_rays(int s, std::uint64_t occupied);
std::uint64_t bishop_attacks_by_rays(int s, std::uint64_t occupied);
std::uint64_t blocker_mask(int s, std::uint64_t reach_on_empty_board);
