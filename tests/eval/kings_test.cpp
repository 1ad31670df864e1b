// The king term: castled-rook penalty, pawn shelter, king tables and phase.
#include <gtest/gtest.h>

#include "board/board.h"
#include "eval/eval_helpers.h"
#include "eval/evaluate.h"

namespace {

std::int32_t king_term(const std::string& fen) {
  set_counted_position(fen);
  KingSquares kings;
  return evaluate_kings(kings);
}

// White's king in the middle game; Black's king on e8 with White's material at
// most 1800, so Black contributes its endgame table value, which is 0 on e8.
TEST(EvaluateKings, ShortCastledWithShelterAndRook) {
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/5PPP/6KR w - - 0 1"), 30 - 50);
}

TEST(EvaluateKings, ShortCastledWithoutShelter) {
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/8/6K1 w - - 0 1"), 30 - 60);
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/8/6KR w - - 0 1"), 30 - 60 - 50);
}

TEST(EvaluateKings, YieldsBothKingSquares) {
  set_counted_position("rnbqkbnr/pppppppp/8/8/8/8/5PPP/6KR w - - 0 1");
  KingSquares kings;
  evaluate_kings(kings);
  EXPECT_EQ(kings.white, 6);
  EXPECT_EQ(kings.black, 60);
}

TEST(EvaluateKings, MissingKingsReadAsSquareZero) {
  set_counted_position("8/8/8/8/8/8/8/8 w - - 0 1");
  KingSquares kings{12, 34};
  EXPECT_EQ(evaluate_kings(kings), 0);
  EXPECT_EQ(kings.white, 0);
  EXPECT_EQ(kings.black, 0);
}

TEST(EvaluateKings, RookShutInOnTheKingSide) {
  // King f1 beside the rook on h1: penalised, full shelter e2 f2 g2, table 0.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/4PPPP/5K1R w - - 0 1"), -50);
  // King h1 beside the rook on g1 is not: only f1 and g1 count.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/6PP/6RK w - - 0 1"), 30);
}

TEST(EvaluateKings, RookShutInOnTheQueenSide) {
  // King c1, rook a1, shelter b2 c2 but no d2 pawn.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/PPP5/R1K5 w - - 0 1"), 30 - 50 - 20);
  // King d1, rook b1, shelter c2 d2 e2.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/2PPP3/1R1K4 w - - 0 1"), -50);
  // King a1 beside its rook on b1 is not penalised: only b1, c1 and d1 count.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/PP6/KR6 w - - 0 1"), 30);
}

TEST(EvaluateKings, ShelterExclusionsAreBySquareNumber) {
  // a1: the square in front to the left (h1 by number) is not looked at.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/8/K7 w - - 0 1"), 30 - 40);
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/8/K6P w - - 0 1"), 30 - 40);
  // a2: it is, and k+7 is h2.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/K7/8 w - - 0 1"), -15 - 60);
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/K6P/8 w - - 0 1"), -15 - 40);
  // h1: the square in front to the right (a3 by number) is not looked at.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/8/8/7K w - - 0 1"), 30 - 40);
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/P7/8/7K w - - 0 1"), 30 - 40);
  // h2: it is, and k+9 is a4.
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/8/6PP/7K/8 w - - 0 1"), -15 - 20);
  EXPECT_EQ(king_term("rnbqkbnr/pppppppp/8/8/P7/6PP/7K/8 w - - 0 1"), -15);
}

TEST(EvaluateKings, WhiteKingOnTheLastRankLooksOffTheBoard) {
  // d8: 66, 67 and 68 hold no pawn.
  EXPECT_EQ(king_term("3K4/8/8/8/8/8/8/rnbqk3 w - - 0 1"), -20 - 60);
  // h8: nothing excludes k+9 = 72.
  EXPECT_EQ(king_term("7K/8/8/8/8/8/8/rnbqk3 w - - 0 1"), -20 - 60);
  // a8: k+7 is h8, on the board.
  EXPECT_EQ(king_term("K7/8/8/8/8/8/8/rnbqk3 w - - 0 1"), -20 - 60);
  EXPECT_EQ(king_term("K6P/8/8/8/8/8/8/rnbqk3 w - - 0 1"), -20 - 40);
}

// Black's king in the middle game against White's full army; White's king on e1
// is in its endgame (Black has no material) and scores 0 there.
TEST(EvaluateKings, BlackShelterExclusionsAreBySquareNumber) {
  // a8: k-9 (h6) is not looked at; b7 and a7 are empty: p = 40, table 30.
  EXPECT_EQ(king_term("k7/8/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 40 - 30);
  EXPECT_EQ(king_term("k7/8/7p/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 40 - 30);
  // a7: k-9 is h5.
  EXPECT_EQ(king_term("8/k7/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 60 + 15);
  EXPECT_EQ(king_term("8/k7/8/7p/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 40 + 15);
  // h8: k-7 (a8) is not looked at.
  EXPECT_EQ(king_term("7k/8/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 40 - 30);
  EXPECT_EQ(king_term("p6k/8/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 40 - 30);
  // h7: k-7 is a7.
  EXPECT_EQ(king_term("8/7k/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 60 + 15);
  EXPECT_EQ(king_term("8/p6k/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 40 + 15);
}

TEST(EvaluateKings, BlackKingOnTheFirstRankLooksOffTheBoard) {
  // h1: k-7 is a1 (no Black pawn), k-8 and k-9 are negative.
  EXPECT_EQ(king_term("8/8/8/8/8/8/PPPPPPPP/RNBQKBNk w - - 0 1"), 60 + 20);
  // a1: nothing excludes k-9 = -9.
  EXPECT_EQ(king_term("8/8/8/8/8/8/PPPPPPPP/kNBQKBNR w - - 0 1"), 60 + 20);
}

TEST(EvaluateKings, BlackCastledRooks) {
  // f8 beside the rook on g8: +50 for White; shelter g7 f7, e7 empty: p = 20.
  EXPECT_EQ(king_term("5kr1/5ppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 50 + 20 - 0);
  // c8 with the rook on b8; shelter c7 b7, d7 empty.
  EXPECT_EQ(king_term("1rk5/ppp5/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), 50 + 20 - 30);
  // g8 with a full shelter and no rook beside it.
  EXPECT_EQ(king_term("6k1/5ppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - - 0 1"), -30);
}

TEST(EvaluateKings, EndgameTable) {
  EXPECT_EQ(king_term("4k3/8/8/8/3K4/8/8/8 w - - 0 1"), 3);
  EXPECT_EQ(king_term("8/8/8/4k3/8/8/8/K7 w - - 0 1"), -3);
  EXPECT_EQ(king_term("8/8/2k5/8/8/5K2/8/8 w - - 0 1"), 2 - 2);
  // No shelter, no rook term in the endgame.
  EXPECT_EQ(king_term("4k3/8/8/8/8/8/8/6KR w - - 0 1"), 0);
}

TEST(EvaluateKings, PhaseBoundary) {
  // Black with a queen and a rook, exactly 1800: White's king plays its endgame.
  EXPECT_EQ(king_term("qr2k3/8/8/8/8/8/8/6K1 w - - 0 1"), 0);
  // One knight more and it is back in the middle game: 30 - 60.
  EXPECT_EQ(king_term("qrn1k3/8/8/8/8/8/8/6K1 w - - 0 1"), -30);

  set_counted_position("4k3/8/8/8/8/8/8/6K1 w - - 0 1");
  KingSquares kings;
  thread.bitboard.value_black_material = 1800;
  EXPECT_EQ(evaluate_kings(kings), 0);
  thread.bitboard.value_black_material = 1801;
  EXPECT_EQ(evaluate_kings(kings), -30);
  // And for Black, from White's material; g8 mirrors g1.
  set_counted_position("6k1/8/8/8/8/8/8/4K3 w - - 0 1");
  thread.bitboard.value_white_material = 1800;
  EXPECT_EQ(evaluate_kings(kings), 0);
  thread.bitboard.value_white_material = 1801;
  EXPECT_EQ(evaluate_kings(kings), 30);
}

}  // namespace
