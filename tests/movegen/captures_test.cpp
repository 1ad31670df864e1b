// The capture and promotion generator: what it emits, in which order, with
// which scores.
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "movegen/generate.h"
#include "movegen_helpers.h"
#include "support/test_support.h"

namespace {

using Moves = std::vector<std::string>;

MoveList captures_of_side_to_move() {
  MoveList list = rubbish_list();
  if (thread.bitboard.colour_move == 1) generate_captures_white(list);
  else generate_captures_black(list);
  return list;
}

TEST(Captures, InitialPositionHasNone) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  MoveList white = rubbish_list();
  generate_captures_white(white);
  EXPECT_EQ(white.capture_count, 0);
  EXPECT_EQ(white.move_count, 0);
  MoveList black = rubbish_list();
  generate_captures_black(black);
  EXPECT_EQ(black.capture_count, 0);
  EXPECT_EQ(black.move_count, 0);
}

TEST(Captures, WhitePromotionsStepThenCapturesInAscendingTargetOrder) {
  set_position("r1n1k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  const Moves expected = {
      describe(15, 1, "b7", "b8", 0), describe(14, 1, "b7", "b8", 0), describe(13, 1, "b7", "b8", 0),
      describe(12, 1, "b7", "b8", 0), describe(25, 1, "b7", "a8", 4), describe(24, 1, "b7", "a8", 4),
      describe(23, 1, "b7", "a8", 4), describe(22, 1, "b7", "a8", 4), describe(25, 1, "b7", "c8", 2),
      describe(24, 1, "b7", "c8", 2), describe(23, 1, "b7", "c8", 2), describe(22, 1, "b7", "c8", 2),
  };
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(scores_of(list), (std::vector<int>{15, 14, 13, 12, 25, 24, 23, 22, 25, 24, 23, 22}));
  EXPECT_EQ(list.capture_count, 12);
  EXPECT_EQ(list.move_count, 12);
}

TEST(Captures, BlackPromotionsMirrorWhite) {
  set_position("4k3/8/8/8/8/8/6p1/4KN1R b - - 0 1");
  const MoveList list = captures_of_side_to_move();
  const Moves expected = {
      describe(15, 1, "g2", "g1", 0), describe(14, 1, "g2", "g1", 0), describe(13, 1, "g2", "g1", 0),
      describe(12, 1, "g2", "g1", 0), describe(25, 1, "g2", "f1", 2), describe(24, 1, "g2", "f1", 2),
      describe(23, 1, "g2", "f1", 2), describe(22, 1, "g2", "f1", 2), describe(25, 1, "g2", "h1", 4),
      describe(24, 1, "g2", "h1", 4), describe(23, 1, "g2", "h1", 4), describe(22, 1, "g2", "h1", 4),
  };
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(scores_of(list), (std::vector<int>{15, 14, 13, 12, 25, 24, 23, 22, 25, 24, 23, 22}));
  EXPECT_EQ(list.capture_count, 12);
}

TEST(Captures, BlockedPawnOnTheSeventhWithNothingToTakeYieldsNothing) {
  set_position("4n3/4P3/8/8/8/8/8/K6k w - - 0 1");
  MoveList list = captures_of_side_to_move();
  EXPECT_EQ(list.move_count, 0);
  EXPECT_EQ(list.capture_count, 0);

  set_position("K6k/8/8/8/8/8/4p3/4N3 b - - 0 1");
  list = captures_of_side_to_move();
  EXPECT_EQ(list.move_count, 0);
}

TEST(Captures, BlockedPawnOnTheSeventhStillCapturesAsPromotion) {
  set_position("3nn3/4P3/8/8/8/8/8/K6k w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  ASSERT_EQ(list.move_count, 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(kind_move(list.move[i]), 25u - i);
    EXPECT_EQ(to_coord(list.move[i]), static_cast<unsigned>(sq("d8")));
  }
}

TEST(Captures, EnPassantAfterBlackDoubleStepFromBothSides) {
  set_position("4k3/3p4/8/2P1P3/8/8/8/4K3 b - - 0 1");
  MoveList step = rubbish_list();
  generate_captures_black(step);
  generate_quiet_black(step);
  int d7d5 = -1;
  for (int i = 0; i < step.move_count; ++i)
    if (from_coord(step.move[i]) == static_cast<unsigned>(sq("d7")) &&
        to_coord(step.move[i]) == static_cast<unsigned>(sq("d5")))
      d7d5 = i;
  ASSERT_GE(d7d5, 0);
  make_move_black(0, static_cast<std::uint8_t>(d7d5), step);

  const MoveList list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(5, 1, "c5", "d6", 1), describe(5, 1, "e5", "d6", 1)}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{5, 5}));
  EXPECT_EQ(list.capture_count, 2);
}

TEST(Captures, EnPassantForBlackAfterWhiteDoubleStep) {
  set_position("4k3/8/8/8/3pPp2/8/8/4K3 b - e3 0 1");
  const MoveList list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(5, 1, "d4", "e3", 1), describe(5, 1, "f4", "e3", 1)}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{5, 5}));
}

TEST(Captures, EnPassantOnlyFromTheAdjacentFilesOfTheFifthRank) {
  // Pawns on b5 and d4 cannot take on d6; the one on e5 can.
  set_position("4k3/8/8/1P1pP3/3P4/8/8/4K3 w - d6 0 1");
  const MoveList list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(5, 1, "e5", "d6", 1)}));
}

TEST(Captures, EnPassantIgnoresANarrowedTargetSet) {
  // The quiescence search hides low-value victims by narrowing the opponent's
  // occupancy; the en-passant capture does not look at it.
  set_position("4k3/8/8/3pP3/8/2p5/1P6/4K3 w - d6 0 1");
  const std::uint64_t saved = thread.bitboard.all_black_piece;
  thread.bitboard.all_black_piece = 0;
  const MoveList narrowed = captures_of_side_to_move();
  thread.bitboard.all_black_piece = saved;
  EXPECT_EQ(described_moves(narrowed), (Moves{describe(5, 1, "e5", "d6", 1)}));

  const MoveList full = captures_of_side_to_move();
  EXPECT_EQ(described_moves(full), (Moves{describe(2, 1, "b2", "c3", 1), describe(5, 1, "e5", "d6", 1)}));
}

TEST(Captures, NoCaptureThroughOwnPiece) {
  set_position("4k3/8/8/8/8/q7/P7/R3K3 w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  EXPECT_EQ(list.move_count, 0);
}

TEST(Captures, QueenRaysInOrderAndOnlyTheNearestPiece) {
  // Queen on d4 meets a Black piece first on every ray; d8 hides behind d7.
  set_position("3r3k/3p4/1p3q2/8/1n1Q2r1/2n5/3b1r2/7K w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  const Moves expected = {
      describe(2, 5, "d4", "d7", 1),  // north
      describe(2, 5, "d4", "b4", 2),  // west
      describe(2, 5, "d4", "d2", 3),  // south
      describe(2, 5, "d4", "g4", 4),  // east
      describe(2, 5, "d4", "f6", 5),  // north-east
      describe(2, 5, "d4", "b6", 1),  // north-west
      describe(2, 5, "d4", "c3", 2),  // south-west
      describe(2, 5, "d4", "f2", 4),  // south-east
  };
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(scores_of(list), (std::vector<int>{5, 15, 25, 35, 45, 5, 15, 35}));
}

TEST(Captures, QueenNorthBeforeSouthWest) {
  set_position("4k3/8/8/3p4/8/3Q4/2p5/7K w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(2, 5, "d3", "d5", 1), describe(2, 5, "d3", "c2", 1)}));
}

TEST(Captures, RookAndBishopRayOrders) {
  set_position("7k/8/1p3p2/8/3B4/8/1p3p2/7K w - - 0 1");
  MoveList list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(2, 3, "d4", "f6", 1), describe(2, 3, "d4", "b6", 1),
                                          describe(2, 3, "d4", "b2", 1), describe(2, 3, "d4", "f2", 1)}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{7, 7, 7, 7}));

  set_position("3p3k/8/8/8/p2R2p1/8/8/K2p4 w - - 0 1");
  list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(2, 4, "d4", "d8", 1), describe(2, 4, "d4", "a4", 1),
                                          describe(2, 4, "d4", "d1", 1), describe(2, 4, "d4", "g4", 1)}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{6, 6, 6, 6}));
}

TEST(Captures, PieceOrderAndScoresForWhite) {
  set_position("Q7/8/2n5/7k/8/1n6/P2rp1p1/RqB3NK w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  const Moves expected = {
      describe(2, 1, "a2", "b3", 2),  // pawn
      describe(2, 2, "g1", "e2", 1),  // knight
      describe(2, 3, "c1", "d2", 4),  // bishop
      describe(2, 4, "a1", "b1", 5),  // rook
      describe(2, 5, "a8", "c6", 2),  // queen
      describe(2, 6, "h1", "g2", 1),  // king
  };
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(scores_of(list), (std::vector<int>{19, 8, 37, 46, 15, 4}));
  EXPECT_EQ(list.capture_count, 6);
  EXPECT_EQ(list.move_count, 6);
}

TEST(Captures, PieceOrderAndScoresForBlack) {
  set_position("rQb3nk/p2RP1P1/1N6/8/7K/2N5/8/q7 b - - 0 1");
  const MoveList list = captures_of_side_to_move();
  const Moves expected = {
      describe(2, 1, "a7", "b6", 2), describe(2, 2, "g8", "e7", 1), describe(2, 3, "c8", "d7", 4),
      describe(2, 4, "a8", "b8", 5), describe(2, 5, "a1", "c3", 2), describe(2, 6, "h8", "g7", 1),
  };
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(scores_of(list), (std::vector<int>{19, 8, 37, 46, 15, 4}));
}

TEST(Captures, LeaperTargetsInAscendingOrderAndPawnsByAscendingSquare) {
  // Knight e4 reaches c3, d6 and f6; pawns on c5 and a5 both take b6.
  set_position("4k3/8/1p1n1r2/P1P5/4N3/2q5/8/K7 w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  const Moves expected = {
      describe(2, 1, "a5", "b6", 1), describe(2, 1, "c5", "b6", 1), describe(2, 1, "c5", "d6", 2),
      describe(2, 2, "e4", "c3", 5), describe(2, 2, "e4", "d6", 2), describe(2, 2, "e4", "f6", 4),
  };
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(scores_of(list), (std::vector<int>{9, 9, 19, 48, 18, 38}));
}

TEST(Captures, KingCapturesAreGeneratedWithTheKingAsVictim) {
  set_position("4k3/8/8/8/8/8/8/K3R3 w - - 0 1");
  MoveList list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(2, 4, "e1", "e8", 6)}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{56}));

  set_position("8/8/8/8/8/3k4/4P3/K7 w - - 0 1");
  list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(2, 1, "e2", "d3", 6)}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{59}));

  set_position("8/8/8/8/8/8/3k4/3K4 b - - 0 1");
  list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(2, 6, "d2", "d1", 6)}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{54}));
}

TEST(Captures, OnlyTheLowestKingGenerates) {
  set_position("4k3/8/8/8/8/8/p6p/K6K w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  EXPECT_EQ(described_moves(list), (Moves{describe(2, 6, "a1", "a2", 1)}));
}

TEST(Captures, ScoresAreOnlyWrittenForEmittedMoves) {
  set_position("4k3/8/8/3p4/4P3/8/8/4K3 w - - 0 1");
  const MoveList list = captures_of_side_to_move();
  ASSERT_EQ(list.move_count, 1);
  EXPECT_EQ(list.score[0], 9);
  for (int i = 1; i < 256; ++i) ASSERT_EQ(list.score[i], SCORE_SENTINEL) << i;
}

}  // namespace
