// The Zobrist keys: the program's own generator and the table drawn from it.
//
// The generator's state belongs to the process and starts at 1, so the checks of
// the first draws run in a freshly started copy of this test program (a death
// test in the "threadsafe" style re-executes the binary for just that test),
// whatever other tests have drawn before.
#include "hash/zobrist.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

void print_key(const char* name, std::uint64_t key) { std::fprintf(stderr, " %s=%016" PRIx64, name, key); }

}  // namespace

TEST(ZobristFreshProcess, FirstFiveDraws) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::fprintf(stderr, "draws");
        for (int i = 0; i < 5; ++i) std::fprintf(stderr, " %u", static_cast<unsigned>(zobrist_random()));
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "^draws 41 18467 6334 26500 19169$");
}

TEST(ZobristFreshProcess, FirstAndSecondTables) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Colour, then piece type, then square; five draws per key.
  EXPECT_EXIT(
      {
        init_zobrist();
        std::fprintf(stderr, "first");
        print_key("b-pawn-a1", zobrist[0][1][0]);
        print_key("b-pawn-b1", zobrist[0][1][1]);
        print_key("b-knight-a1", zobrist[0][2][0]);
        print_key("b-king-e8", zobrist[0][6][60]);
        print_key("w-pawn-a1", zobrist[1][1][0]);
        print_key("w-king-e1", zobrist[1][6][4]);
        print_key("w-king-h8", zobrist[1][6][63]);
        init_zobrist();
        std::fprintf(stderr, " second");
        print_key("b-pawn-a1", zobrist[0][1][0]);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0),
      "^first b-pawn-a1=6c118c5f33c24ae1 b-pawn-b1=766b395734a95f90 b-knight-a1=8a0ea6cd194a80c1 "
      "b-king-e8=38f487221118dde1 w-pawn-a1=c11b831d29f7df06 w-king-e1=06be971f355049fb "
      "w-king-h8=4ff1ba8c9e9dc8b5 second b-pawn-a1=b21db7f11fe998c0$");
}

TEST(Zobrist, PieceCodeZeroStaysZero) {
  for (int draw = 0; draw < 2; ++draw) {
    init_zobrist();
    for (int colour = 0; colour < 2; ++colour)
      for (int square = 0; square < 64; ++square) ASSERT_EQ(zobrist[colour][0][square], 0u) << colour << " " << square;
  }
}

TEST(Zobrist, EveryDrawGivesANewTableOfDistinctKeys) {
  init_zobrist();
  static std::uint64_t first[2][7][64];
  std::memcpy(first, zobrist, sizeof first);
  init_zobrist();
  std::set<std::uint64_t> keys;
  for (int colour = 0; colour < 2; ++colour)
    for (int piece = 1; piece <= 6; ++piece)
      for (int square = 0; square < 64; ++square) {
        EXPECT_NE(zobrist[colour][piece][square], first[colour][piece][square]) << colour << piece << square;
        keys.insert(zobrist[colour][piece][square]);
      }
  EXPECT_EQ(keys.size(), 2u * 6 * 64);
}
