// Taking a move back restores the board exactly.
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "board_helpers.h"
#include "support/test_support.h"

namespace {

TEST(UnmakeMove, DoubleStepRestoresStaleEnPassantCoordinates) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  MoveList l0, l1, l2;
  play(l0, 0, "e2", "e4", MOVE_QUIET);
  play(l1, 1, "g8", "f6", MOVE_QUIET);
  ASSERT_EQ(thread.bitboard.taking_passage_yes, 0);
  ASSERT_EQ(thread.bitboard.taking_passage_x, 4);
  ASSERT_EQ(thread.bitboard.taking_passage_y, 2);
  const BoardState before = thread.bitboard;
  const int i2 = play(l2, 2, "d2", "d4", MOVE_QUIET);
  ASSERT_EQ(thread.bitboard.taking_passage_x, 3);
  unmake(true, 2, i2, l2);
  EXPECT_TRUE(boards_equal(thread.bitboard, before));
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 0);
  EXPECT_EQ(thread.bitboard.taking_passage_x, 4);
  EXPECT_EQ(thread.bitboard.taking_passage_y, 2);
}

TEST(UnmakeMove, RestoresTheFlagAfterAMoveThatClearedIt) {
  set_position("rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2");
  const BoardState before = thread.bitboard;
  MoveList list;
  const int i = play(list, 0, "g1", "f3", MOVE_QUIET);
  unmake(true, 0, i, list);
  EXPECT_TRUE(boards_equal(thread.bitboard, before));
}

TEST(UnmakeMove, RookPromotionTakesBackExactlyTheGain) {
  set_position("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
  thread.bitboard.value_white_material = 3000;  // unmake works on the difference, not on a recount
  const BoardState before = thread.bitboard;
  MoveList list;
  const int i = play(list, 0, "a7", "a8", MOVE_PROMOTE_ROOK);
  ASSERT_EQ(thread.bitboard.value_white_material, 3500);
  unmake(true, 0, i, list);
  EXPECT_EQ(thread.bitboard.value_white_material, 3000);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[48], 1);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[56], 0);
  EXPECT_EQ(thread.bitboard.white_piece[4], 0u);
  EXPECT_TRUE(boards_equal(thread.bitboard, before));

  set_position("4k3/8/8/8/8/8/7p/4K3 b - - 0 1");
  thread.bitboard.value_black_material = 3000;
  const BoardState black_before = thread.bitboard;
  const int j = play(list, 0, "h2", "h1", MOVE_PROMOTE_ROOK);
  ASSERT_EQ(thread.bitboard.value_black_material, 3500);
  unmake(false, 0, j, list);
  EXPECT_TRUE(boards_equal(thread.bitboard, black_before));
}

TEST(UnmakeMove, CapturingPromotionsPutBothPiecesBack) {
  for (unsigned kind = MOVE_CAPTURE_PROMOTE_KNIGHT; kind <= MOVE_CAPTURE_PROMOTE_QUEEN; ++kind) {
    set_position("r3k3/1P6/8/8/8/8/8/4K3 w q - 0 1");
    set_true_material();
    const BoardState before = thread.bitboard;
    MoveList list;
    const int i = play(list, 0, "b7", "a8", kind);
    unmake(true, 0, i, list);
    EXPECT_TRUE(boards_equal(thread.bitboard, before)) << kind;
    EXPECT_TRUE(board_consistent()) << kind;
  }
}

TEST(UnmakeMove, EnPassantPutsThePawnBackBehindTheTarget) {
  set_position("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  set_true_material();
  const BoardState before = thread.bitboard;
  MoveList list;
  const int i = play(list, 0, "e5", "d6", MOVE_EN_PASSANT);
  ASSERT_EQ(thread.bitboard.value_black_material, 0);
  unmake(true, 0, i, list);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[35], 1);
  EXPECT_EQ(thread.bitboard.value_black_material, 100);
  EXPECT_TRUE(boards_equal(thread.bitboard, before));

  set_position("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1");
  set_true_material();
  const BoardState black_before = thread.bitboard;
  const int j = play(list, 0, "d4", "e3", MOVE_EN_PASSANT);
  unmake(false, 0, j, list);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[28], 1);
  EXPECT_TRUE(boards_equal(thread.bitboard, black_before));
}

TEST(UnmakeMove, CastlingRestoresFlagsThatWereNotBothSet) {
  // Only the queen-side right is left.
  set_position("4k3/8/8/8/8/8/8/R3K2R w Q - 0 1");
  const BoardState before = thread.bitboard;
  MoveList list;
  const int i = play(list, 0, "e1", "c1", MOVE_CASTLE_QUEEN);
  ASSERT_EQ(thread.bitboard.castling_Q, 0);
  unmake(true, 0, i, list);
  EXPECT_EQ(thread.bitboard.castling_Q, 1);
  EXPECT_EQ(thread.bitboard.castling_K, 0);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[4], 6);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[0], 4);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[2], 0);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[3], 0);
  EXPECT_TRUE(boards_equal(thread.bitboard, before));

  set_position("r3k2r/8/8/8/8/8/8/4K3 b kQ - 0 1");
  const BoardState black_before = thread.bitboard;
  const int j = play(list, 0, "e8", "g8", MOVE_CASTLE_KING);
  unmake(false, 0, j, list);
  EXPECT_TRUE(boards_equal(thread.bitboard, black_before));
}

TEST(UnmakeMove, CapturesOfCornerRooksRestoreTheRights) {
  const struct {
    const char *fen, *from, *to;
  } cases[] = {
      {"r3k2r/8/8/8/4b3/8/8/R3K2R b KQkq - 0 1", "e4", "h1"}, {"r3k2r/8/8/8/3b4/8/8/R3K2R b KQkq - 0 1", "d4", "a1"},
      {"r3k2r/8/8/8/4B3/8/8/R3K2R w KQkq - 0 1", "e4", "a8"}, {"r3k2r/8/8/8/3B4/8/8/R3K2R w KQkq - 0 1", "d4", "h8"},
      {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", "a1", "a8"},   {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1", "h8", "h1"},
      {"r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1", "h1", "h8"},
  };
  for (const auto& c : cases) {
    set_position(c.fen);
    set_true_material();
    const BoardState before = thread.bitboard;
    MoveList list;
    const int i = play(list, 0, c.from, c.to, MOVE_CAPTURE);
    ASSERT_GE(i, 0) << c.fen;
    unmake(before.colour_move == 1, 0, i, list);
    EXPECT_TRUE(boards_equal(thread.bitboard, before)) << c.fen << ' ' << c.from << c.to;
  }
}

}  // namespace
