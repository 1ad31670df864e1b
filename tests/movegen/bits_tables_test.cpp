// Bit scans and the attack and ray tables.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>

#include "board/board.h"
#include "movegen/bits.h"
#include "movegen/tables.h"
#include "movegen_helpers.h"

namespace {

std::uint32_t low_half(std::uint64_t w) { return static_cast<std::uint32_t>(w); }
std::uint32_t high_half(std::uint64_t w) { return static_cast<std::uint32_t>(w >> 32); }

TEST(BitScan, FindsLowestAndHighestOfTwoBitsInDifferentHalves) {
  const std::uint64_t w = square_bit[5] | square_bit[40];
  EXPECT_EQ(bit_scan_forward(low_half(w), high_half(w)), 5);
  EXPECT_EQ(bit_scan_reverse(low_half(w), high_half(w)), 40);
  EXPECT_EQ(bit_scan_forward(w), 5);
  EXPECT_EQ(bit_scan_reverse(w), 40);
}

TEST(BitScan, SingleBitAtTheHalfBoundariesAndEnds) {
  for (int s : {0, 31, 32, 63}) {
    const std::uint64_t w = square_bit[s];
    EXPECT_EQ(bit_scan_forward(low_half(w), high_half(w)), s) << s;
    EXPECT_EQ(bit_scan_reverse(low_half(w), high_half(w)), s) << s;
    EXPECT_EQ(bit_scan_forward(w), s) << s;
    EXPECT_EQ(bit_scan_reverse(w), s) << s;
  }
}

TEST(BitScan, EveryPairOfBitsGivesTheLowerForwardAndTheHigherReverse) {
  for (int a = 0; a < 64; ++a)
    for (int b = a; b < 64; ++b) {
      const std::uint64_t w = square_bit[a] | square_bit[b];
      ASSERT_EQ(bit_scan_forward(low_half(w), high_half(w)), a) << a << ' ' << b;
      ASSERT_EQ(bit_scan_reverse(low_half(w), high_half(w)), b) << a << ' ' << b;
      ASSERT_EQ(bit_scan_forward(w), a) << a << ' ' << b;
      ASSERT_EQ(bit_scan_reverse(w), b) << a << ' ' << b;
    }
}

TEST(BitScan, ClearLowestRemovesExactlyTheLowestBit) {
  const std::uint64_t w = square_bit[3] | square_bit[32] | square_bit[63];
  EXPECT_EQ(clear_lowest(w), square_bit[32] | square_bit[63]);
  EXPECT_EQ(clear_lowest(square_bit[63]), 0u);
}

TEST(SquareBit, EntryIsThePowerOfTwo) {
  for (int s = 0; s < 64; ++s) EXPECT_EQ(square_bit[s], std::uint64_t{1} << s);
}

std::uint64_t bits(std::initializer_list<const char*> names) {
  std::uint64_t w = 0;
  for (const char* n : names) w |= square_bit[sq(n)];
  return w;
}

TEST(AttackTables, SpotChecks) {
  EXPECT_EQ(knight_attacks[sq("b1")], bits({"a3", "c3", "d2"}));
  EXPECT_EQ(knight_attacks[sq("h8")], bits({"g6", "f7"}));
  EXPECT_EQ(knight_attacks[sq("e4")], bits({"d2", "f2", "c3", "g3", "c5", "g5", "d6", "f6"}));
  EXPECT_EQ(king_attacks[sq("a1")], bits({"b1", "a2", "b2"}));
  EXPECT_EQ(king_attacks[sq("h5")], bits({"h4", "g4", "g5", "g6", "h6"}));
  EXPECT_EQ(king_attacks[sq("e4")], bits({"d3", "e3", "f3", "d4", "f4", "d5", "e5", "f5"}));
  EXPECT_EQ(ray_north[sq("d4")], bits({"d5", "d6", "d7", "d8"}));
  EXPECT_EQ(ray_south[sq("d4")], bits({"d3", "d2", "d1"}));
  EXPECT_EQ(ray_west[sq("d4")], bits({"c4", "b4", "a4"}));
  EXPECT_EQ(ray_east[sq("d4")], bits({"e4", "f4", "g4", "h4"}));
  EXPECT_EQ(ray_north_east[sq("d4")], bits({"e5", "f6", "g7", "h8"}));
  EXPECT_EQ(ray_north_west[sq("d4")], bits({"c5", "b6", "a7"}));
  EXPECT_EQ(ray_south_west[sq("d4")], bits({"c3", "b2", "a1"}));
  EXPECT_EQ(ray_south_east[sq("d4")], bits({"e3", "f2", "g1"}));
  EXPECT_EQ(ray_north_east[sq("a1")], bits({"b2", "c3", "d4", "e5", "f6", "g7", "h8"}));
  EXPECT_EQ(ray_south_west[sq("h8")], bits({"g7", "f6", "e5", "d4", "c3", "b2", "a1"}));
  EXPECT_EQ(ray_east[sq("h3")], 0u);
  EXPECT_EQ(ray_west[sq("a3")], 0u);
  EXPECT_EQ(ray_north[sq("c8")], 0u);
  EXPECT_EQ(ray_south[sq("c1")], 0u);
  EXPECT_EQ(ray_north_west[sq("a5")], 0u);
  EXPECT_EQ(ray_south_east[sq("h5")], 0u);
}

TEST(AttackTables, LeaperCountsOverTheBoard) {
  int knight = 0, king = 0;
  for (int s = 0; s < 64; ++s) {
    knight += std::popcount(knight_attacks[s]);
    king += std::popcount(king_attacks[s]);
  }
  EXPECT_EQ(knight, 336);
  EXPECT_EQ(king, 420);
}

TEST(AttackTables, LeapersAreSymmetricAndNeverIncludeTheirOwnSquare) {
  for (int s = 0; s < 64; ++s) {
    EXPECT_EQ(knight_attacks[s] & square_bit[s], 0u);
    EXPECT_EQ(king_attacks[s] & square_bit[s], 0u);
    for (int t = 0; t < 64; ++t) {
      EXPECT_EQ((knight_attacks[s] >> t) & 1, (knight_attacks[t] >> s) & 1) << s << ' ' << t;
      EXPECT_EQ((king_attacks[s] >> t) & 1, (king_attacks[t] >> s) & 1) << s << ' ' << t;
      const int df = std::abs(s % 8 - t % 8), dr = std::abs(s / 8 - t / 8);
      EXPECT_EQ((knight_attacks[s] >> t) & 1, (df == 1 && dr == 2) || (df == 2 && dr == 1)) << s << ' ' << t;
      EXPECT_EQ((king_attacks[s] >> t) & 1, std::max(df, dr) == 1) << s << ' ' << t;
    }
  }
}

// Every ray: which squares it holds, judged from file and rank alone.
struct RayRule {
  const char* name;
  const SquareTable& table;
  int file_step, rank_step;
};

TEST(RayTables, HoldExactlyTheSquaresOnTheLineUpToTheEdge) {
  const RayRule rules[] = {
      {"north", ray_north, 0, 1},
      {"south", ray_south, 0, -1},
      {"west", ray_west, -1, 0},
      {"east", ray_east, 1, 0},
      {"north_east", ray_north_east, 1, 1},
      {"north_west", ray_north_west, -1, 1},
      {"south_east", ray_south_east, 1, -1},
      {"south_west", ray_south_west, -1, -1},
  };
  for (const RayRule& r : rules)
    for (int s = 0; s < 64; ++s) {
      EXPECT_EQ(r.table[s] & square_bit[s], 0u) << r.name << " includes its own square " << s;
      const int f = s % 8, rank = s / 8;
      // Distance to the edge along the ray.
      const int file_room = r.file_step > 0 ? 7 - f : r.file_step < 0 ? f : 8;
      const int rank_room = r.rank_step > 0 ? 7 - rank : r.rank_step < 0 ? rank : 8;
      const int length = std::min(file_room, rank_room);
      EXPECT_EQ(std::popcount(r.table[s]), length) << r.name << ' ' << s;
      for (int t = 0; t < 64; ++t) {
        const int dt = t % 8 - f, dr = t / 8 - rank;
        bool on_ray = false;
        for (int n = 1; n <= 7; ++n)
          if (dt == n * r.file_step && dr == n * r.rank_step) on_ray = true;
        EXPECT_EQ(((r.table[s] >> t) & 1) != 0, on_ray) << r.name << ' ' << s << ' ' << t;
      }
    }
}

TEST(RayTables, OppositeRaysMirrorEachOther) {
  for (int s = 0; s < 64; ++s)
    for (int t = 0; t < 64; ++t) {
      EXPECT_EQ((ray_north[s] >> t) & 1, (ray_south[t] >> s) & 1);
      EXPECT_EQ((ray_east[s] >> t) & 1, (ray_west[t] >> s) & 1);
      EXPECT_EQ((ray_north_east[s] >> t) & 1, (ray_south_west[t] >> s) & 1);
      EXPECT_EQ((ray_north_west[s] >> t) & 1, (ray_south_east[t] >> s) & 1);
    }
}

TEST(PawnAttackTables, SpotChecksAndFileEdges) {
  EXPECT_EQ(white_pawn_attacks[sq("e4")], bits({"d5", "f5"}));
  EXPECT_EQ(white_pawn_attacks[sq("a2")], bits({"b3"}));
  EXPECT_EQ(white_pawn_attacks[sq("h2")], bits({"g3"}));
  EXPECT_EQ(white_pawn_attacks[sq("b7")], bits({"a8", "c8"}));
  EXPECT_EQ(black_pawn_attacks[sq("e5")], bits({"d4", "f4"}));
  EXPECT_EQ(black_pawn_attacks[sq("a7")], bits({"b6"}));
  EXPECT_EQ(black_pawn_attacks[sq("h7")], bits({"g6"}));
  EXPECT_EQ(black_pawn_attacks[sq("g2")], bits({"f1", "h1"}));
}

TEST(PawnAttackTables, FirstAndEighthRankEntries) {
  for (int f = 0; f < 8; ++f) {
    EXPECT_EQ(white_pawn_attacks[f], 0u) << "white pawn on the first rank, file " << f;
    EXPECT_EQ(white_pawn_attacks[56 + f], 0u) << "white pawn on the eighth rank, file " << f;
    EXPECT_EQ(black_pawn_attacks[f], 0u) << "black pawn on the first rank, file " << f;
  }
}

TEST(PawnAttackTables, MatchTheDiagonalStepForward) {
  for (int s = 8; s < 56; ++s) {
    const int f = s % 8;
    std::uint64_t white = 0, black = 0;
    if (f != 0) {
      white |= square_bit[s + 7];
      black |= square_bit[s - 9];
    }
    if (f != 7) {
      white |= square_bit[s + 9];
      black |= square_bit[s - 7];
    }
    EXPECT_EQ(white_pawn_attacks[s], white) << s;
    EXPECT_EQ(black_pawn_attacks[s], black) << s;
  }
}

}  // namespace
