// Whole positions scored by hand from the tables.
#include "eval/evaluate.h"

#include <gtest/gtest.h>

#include "board/board.h"
#include "eval/eval_helpers.h"
#include "support/test_support.h"

namespace {

TEST(Evaluate, InitialPositionIsZero) {
  const std::string start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
  EXPECT_EQ(evaluate_fen(start), 0);
  EXPECT_EQ(static_score_fen(start), 0);
  EXPECT_EQ(evaluate_fen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1"), 0);
}

TEST(Evaluate, DoesNotChangeTheBoard) {
  set_counted_position("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  const BoardState before = thread.bitboard;
  evaluate();
  EXPECT_TRUE(boards_equal(thread.bitboard, before));
}

TEST(Evaluate, IsTheSumOfItsThreeTerms) {
  set_counted_position("r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1");
  KingSquares kings;
  const std::int32_t kings_score = evaluate_kings(kings);
  const std::int32_t pawns =
      evaluate_pawns(kings, thread.bitboard.value_white_material, thread.bitboard.value_black_material);
  const std::int32_t pieces = evaluate_pieces();
  EXPECT_EQ(kings_score, 30);
  EXPECT_EQ(pawns, 26);
  EXPECT_EQ(pieces, 1);
  EXPECT_EQ(evaluate(), kings_score + pawns + pieces);
}

TEST(Evaluate, SideToMoveChangesNothing) {
  const std::string fen = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R ";
  EXPECT_EQ(evaluate_fen(fen + "w KQkq - 0 1"), evaluate_fen(fen + "b KQkq - 0 1"));
}

// Endgames: both sides have at most 1800.

TEST(Evaluate, LonePawnOnE4) {
  // Kings on the edge score 0; e4: endgame table 15, 30 for the clear files,
  // passed on rank 4: 30.
  EXPECT_EQ(evaluate_fen("4k3/8/8/8/4P3/8/8/4K3 w - - 0 1"), 75);
  EXPECT_EQ(static_score_fen("4k3/8/8/8/4P3/8/8/4K3 w - - 0 1"), 175);
}

TEST(Evaluate, LonePassedPawnOnE5) {
  EXPECT_EQ(evaluate_fen("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1"), 20 + 30 + 40);
  EXPECT_EQ(static_score_fen("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1"), 190);
}

TEST(Evaluate, RookEndgame) {
  // Kings a5 and h4: 0 each. White pawns e2 10, g2 20, b5 20 + 20;
  // Black pawns f4 20 + 10, d6 10 + 20, c7 20. Rooks b4 and h5 each see 3.
  EXPECT_EQ(evaluate_fen("8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"), 70 - 80 + 3 - 3);
  EXPECT_EQ(static_score_fen("8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"), -10);
}

TEST(Evaluate, LockedPawnEndgame) {
  // Kings h3 (0) and f7 (1). Every pawn is blocked: placement only,
  // White 10 + 10 + 15 + 15 + 15 + 20, Black 20 + 20 + 15 + 15 + 15 + 10.
  EXPECT_EQ(evaluate_fen("8/5k2/3p4/1p1Pp2p/pP2Pp1P/P4P1K/8/8 b - - 0 1"), -1 + 85 - 95);
  EXPECT_EQ(static_score_fen("8/5k2/3p4/1p1Pp2p/pP2Pp1P/P4P1K/8/8 b - - 0 1"), -11);
}

// Middle games.

TEST(Evaluate, Kiwipete) {
  // Kings: e1 has only f2 in front (-40), e8 lacks e7 (+20).
  // Pawns: e4 in the centre table 16, e6 mirrors it at 15; every file blocked.
  // Pieces: bishops d2 e2 22, knights c3 e5 26; rook h8 sees 4, bishop g7 13,
  // knights b6 f6 23.
  EXPECT_EQ(evaluate_fen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"),
            (-40 + 20) + (16 - 15) + (22 + 26 - 4 - 13 - 23));
}

TEST(Evaluate, PromotionRace) {
  // Kings: g1 lacks f2 (10), e8 lacks e7 (+20).
  // Pawns: g1 picks the king-side table. a2 10, c4 2, e4 16 + 10, b5 3,
  // a7 5 + 20 + 100; a-file doubled -10. Black b2 passed: 30 + 100, f7 10;
  // b-file doubled +10.
  // Pieces: rook f1 1, bishop b4 12, knights h6 f3 23; rook a8 1, bishops
  // b6 g6 22, knights f6 a5 12.
  const std::string fen = "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1";
  EXPECT_EQ(evaluate_fen(fen), 30 + (166 - 140 - 10 + 10) + (1 + 12 + 23 - 1 - 22 - 12));
  EXPECT_EQ(static_score_fen(fen), 57 + 100);
}

TEST(Evaluate, PawnOnD7) {
  // Kings: e1 without shelter -60; f8 beside the rook on h8 +50, lacking e7 +20.
  // Pawns: d7 passed 30 + 100; f7 -20. Pieces: bishop c4 13, knight e2 11,
  // bishop e7 11, knight f2 12.
  const std::string fen = "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8";
  EXPECT_EQ(evaluate_fen(fen), (-60 + 70) + (130 - 20) + (13 + 11 - 11 - 12));
  EXPECT_EQ(static_score_fen(fen), 121);
}

TEST(Evaluate, BothCastledLong) {
  // Kings: c1 lacks d2 (10), c8 lacks d7 (-10). Queen-side tables: d3 15 + 10,
  // e4 16; e5 16. Pieces: bishop e3 12, knights c3 f3 24; rook d8 sees down to
  // d3: 5, bishop e6 12, knights c6 f6 24.
  const std::string fen = "2kr3r/ppp1qppp/2n1bn2/4p3/4P3/2NPBN2/PPPQ1PPP/2KR3R w - - 0 10";
  EXPECT_EQ(evaluate_fen(fen), (10 - 10) + (41 - 16) + (12 + 24 - 5 - 12 - 24));
  EXPECT_EQ(static_score_fen(fen), 20 + 100);
}

// One side in its endgame, the other in its middle game.

TEST(Evaluate, MixedPhases) {
  // White (against 400) uses its endgame terms: king g1 0, pawns f2 g2 30 each,
  // h2 20. Black (against 2100) its middle-game terms: king c8 lacks d7, table
  // 30: -10 for White; the queen-side table gives d5 16, passed d5 30 + 30,
  // a7 20, b7 30, c7 30. The rook a1 sees up to a7: 6.
  const std::string fen = "2k5/ppp5/8/3p4/8/8/5PPP/R2Q2K1 w - - 0 1";
  EXPECT_EQ(evaluate_fen(fen), -10 + (80 - 156) + 6);
  EXPECT_EQ(static_score_fen(fen), -80 + 1700);
}

TEST(Evaluate, OpponentMaterialOf1800IsAnEndgame) {
  // Black has a queen and a rook: White's king g1 scores king_end 0 and its
  // pawns the endgame table (e3 10); passed terms e3 50, g2 30, h2 20; rook b8 -7.
  EXPECT_EQ(evaluate_fen("qr2k3/8/8/8/8/4P3/6PP/6K1 w - - 0 1"), 0 + 10 + 100 - 7);
  // A knight more: king g1 lacks f2 (10), pawns take the king-side table (e3 15).
  EXPECT_EQ(evaluate_fen("qrn1k3/8/8/8/8/4P3/6PP/6K1 w - - 0 1"), 10 + 15 + 100 - 7);

  set_counted_position("4k3/8/8/8/8/4P3/6PP/6K1 w - - 0 1");
  thread.bitboard.value_black_material = 1800;
  EXPECT_EQ(evaluate(), 110);
  thread.bitboard.value_black_material = 1801;
  EXPECT_EQ(evaluate(), 125);

  set_counted_position("6k1/6pp/4p3/8/8/8/8/4K3 w - - 0 1");
  thread.bitboard.value_white_material = 1800;
  EXPECT_EQ(evaluate(), -110);
  thread.bitboard.value_white_material = 1801;
  EXPECT_EQ(evaluate(), -125);
}

TEST(Evaluate, WithoutAWhiteKingPawnsTakeTheQueenSideTable) {
  // The missing king reads as a1. a5 0, g4 2, e3 15 (all blocked); Black's king
  // on e8 plays its endgame (White has 300) and scores 0 there.
  set_counted_position("4k3/p3p1p1/8/P7/6P1/4P3/8/8 w - - 0 1");
  thread.bitboard.value_black_material = 4000;
  EXPECT_EQ(evaluate(), 17);
}

}  // namespace
