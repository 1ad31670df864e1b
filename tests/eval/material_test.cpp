#include "eval/material.h"

#include <gtest/gtest.h>

#include "board/board.h"
#include "support/test_support.h"

namespace {

TEST(Material, InitialPosition) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(count_white_material(), 4800);
  EXPECT_EQ(count_black_material(), 4800);
}

TEST(Material, BareKings) {
  set_position("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(count_white_material(), 0);
  EXPECT_EQ(count_black_material(), 0);
}

TEST(Material, QueenTwoRooksEightPawns) {
  set_position("4k3/8/8/8/8/8/PPPPPPPP/R2QK2R w - - 0 1");
  EXPECT_EQ(count_white_material(), 3200);
  EXPECT_EQ(count_black_material(), 0);
}

TEST(Material, BishopCountsAsKnightAndKingCountsNothing) {
  set_position("1n2k1b1/8/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(count_black_material(), 800);
  set_position("4k3/8/8/8/8/8/8/1N2KB2 w - - 0 1");
  EXPECT_EQ(count_white_material(), 800);
}

TEST(Material, LargestPossibleSum) {
  // Nine queens, two rooks, two bishops, two knights.
  set_position("QQQQQQQQ/8/8/8/8/8/8/RNBQKBNR w - - 0 1");
  EXPECT_EQ(count_white_material(), 13600);
}

TEST(Material, ReadsOnlyTheBoard) {
  set_position("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  const BoardState before = thread.bitboard;
  EXPECT_EQ(count_white_material(), 4800);
  EXPECT_EQ(count_black_material(), 4800);
  EXPECT_TRUE(boards_equal(thread.bitboard, before));
  // The FEN reader leaves the fields alone; only the caller stores the sums.
  EXPECT_EQ(thread.bitboard.value_white_material, 0);
  EXPECT_EQ(thread.bitboard.value_black_material, 0);
}

}  // namespace
