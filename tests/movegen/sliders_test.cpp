// The slider lookups against the rays walked one by one.
#include "movegen/sliders.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "movegen/tables.h"

namespace {

// Every arrangement of the blockers that matter, with pieces scattered on the
// squares that do not (the edges beyond, the slider's own square) as well.
template <typename Lookup, typename ByRays>
void expect_same_everywhere(Lookup lookup, ByRays by_rays) {
  std::uint64_t scatter = 0x9E3779B97F4A7C15ULL;
  for (int s = 0; s < 64; ++s) {
    const std::uint64_t mask = blocker_mask(s, by_rays(s, 0));
    std::uint64_t subset = 0;
    do {
      scatter = scatter * 6364136223846793005ULL + 1442695040888963407ULL;
      for (const std::uint64_t occupied : {subset, subset | (scatter & ~mask)})
        ASSERT_EQ(lookup(s, occupied), by_rays(s, occupied)) << "square " << s << " occupied " << occupied;
      subset = (subset - mask) & mask;
    } while (subset);
  }
}

TEST(Sliders, RookLookupEqualsTheRaysForEveryArrangement) {
  expect_same_everywhere(rook_attacks, rook_attacks_by_rays);
}

TEST(Sliders, BishopLookupEqualsTheRaysForEveryArrangement) {
  expect_same_everywhere(bishop_attacks, bishop_attacks_by_rays);
}

TEST(Sliders, MasksLeaveOutTheFarEdges) {
  EXPECT_EQ(blocker_mask(0, rook_attacks_by_rays(0, 0)), 0x000101010101017EULL);      // a1: b1-g1, a2-a7
  EXPECT_EQ(blocker_mask(27, bishop_attacks_by_rays(27, 0)), 0x0040221400142200ULL);  // d4
  EXPECT_EQ(rook_attacks(0, ~0ULL), 0x0000000000000102ULL);                           // a crowded board: b1 and a2 only
}

// The capture generator skips the lookup when no target is on the lines.
TEST(Sliders, LinesAreTheReachOnAnEmptyBoard) {
  for (int s = 0; s < 64; ++s) {
    EXPECT_EQ(rook_lines[s], rook_attacks(s, 0)) << "square " << s;
    EXPECT_EQ(bishop_lines[s], bishop_attacks(s, 0)) << "square " << s;
    EXPECT_EQ(rook_attacks(s, ~0ULL) & ~rook_lines[s], 0u) << "square " << s;
    EXPECT_EQ(bishop_attacks(s, ~0ULL) & ~bishop_lines[s], 0u) << "square " << s;
  }
}

}  // namespace
