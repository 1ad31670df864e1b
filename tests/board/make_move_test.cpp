// Making a move: pieces, occupancy, material, castling rights, en passant and
// the undo record.
#include "board/make_move.h"

#include <gtest/gtest.h>

#include <array>

#include "board_helpers.h"
#include "support/test_support.h"

namespace {

using Flags = std::array<int, 4>;  // Q, K, q, k
Flags flags() {
  return {thread.bitboard.castling_Q, thread.bitboard.castling_K, thread.bitboard.castling_q,
          thread.bitboard.castling_k};
}

// The record ends with the side that made the move.
std::array<int, 8> record(const UndoRecord& u) {
  return {u.taking_passage_yes, u.taking_passage_x, u.taking_passage_y, u.castling_Q,
          u.castling_K,         u.castling_q,       u.castling_k,       u.colour_move};
}

const char* const start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

TEST(MakeMove, WhiteDoubleStepSetsTheEnPassantSquareAndRecordsTheStateBefore) {
  set_position(start);
  set_true_material();
  const BoardState before = thread.bitboard;
  thread.undo_by_ply[3] = {9, 9, 9, 9, 9, 9, 9, 9};
  MoveList list;
  play(list, 3, "e2", "e4", MOVE_QUIET);
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 1);
  EXPECT_EQ(thread.bitboard.taking_passage_x, 4);
  EXPECT_EQ(thread.bitboard.taking_passage_y, 2);
  EXPECT_EQ(thread.bitboard.colour_move, 0);
  EXPECT_EQ(record(thread.undo_by_ply[3]), (std::array<int, 8>{0, 0, 0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(thread.bitboard.white_name_from_coord[sq("e4")], 1);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[sq("e2")], 0);
  EXPECT_EQ(thread.bitboard.white_piece[1], (before.white_piece[1] & ~square_bit[12]) | square_bit[28]);
  EXPECT_EQ(thread.bitboard.all_piece, (before.all_piece & ~square_bit[12]) | square_bit[28]);
  EXPECT_EQ(thread.bitboard.value_white_material, before.value_white_material);
  EXPECT_EQ(thread.bitboard.value_black_material, before.value_black_material);
  EXPECT_EQ(thread.bitboard.hash_key, before.hash_key);
  EXPECT_EQ(flags(), (Flags{1, 1, 1, 1}));
  EXPECT_TRUE(board_consistent());
}

TEST(MakeMove, BlackDoubleStepMarksTheSixthRank) {
  set_position("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  MoveList list;
  play(list, 1, "d7", "d5", MOVE_QUIET);
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 1);
  EXPECT_EQ(thread.bitboard.taking_passage_x, 3);
  EXPECT_EQ(thread.bitboard.taking_passage_y, 5);
  EXPECT_EQ(thread.bitboard.colour_move, 1);
  EXPECT_EQ(record(thread.undo_by_ply[1]), (std::array<int, 8>{1, 4, 2, 1, 1, 1, 1, 0}));
}

TEST(MakeMove, OtherMovesClearTheFlagButKeepTheStaleSquare) {
  set_position("rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2");
  MoveList list;
  play(list, 0, "g1", "f3", MOVE_QUIET);
  EXPECT_EQ(record(thread.undo_by_ply[0]), (std::array<int, 8>{1, 2, 5, 1, 1, 1, 1, 1}));
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 0);
  EXPECT_EQ(thread.bitboard.taking_passage_x, 2);
  EXPECT_EQ(thread.bitboard.taking_passage_y, 5);
  // A single pawn step sets nothing either.
  play(list, 1, "a7", "a6", MOVE_QUIET);
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 0);
  EXPECT_EQ(thread.bitboard.taking_passage_x, 2);
  EXPECT_EQ(thread.bitboard.taking_passage_y, 5);
}

TEST(MakeMove, OnlyAPawnMovingTwoRanksSetsEnPassant) {
  // The rook also moves 16 squares, from a1 to a3.
  set_position("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
  MoveList list;
  play(list, 0, "a1", "a3", MOVE_QUIET);
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 0);
  EXPECT_EQ(thread.bitboard.castling_Q, 0);
}

TEST(MakeMove, KingMoveClearsBothOwnRightsAndMovingBackDoesNotRestoreThem) {
  set_position("r3k2r/p7/8/8/8/8/8/R3K2R w KQkq - 0 1");
  MoveList first, second, third;
  const int i0 = play(first, 0, "e1", "f1", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{0, 0, 1, 1}));
  const int i1 = play(second, 1, "a7", "a6", MOVE_QUIET);
  const int i2 = play(third, 2, "f1", "e1", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{0, 0, 1, 1}));
  EXPECT_EQ(thread.bitboard.white_name_from_coord[sq("e1")], 6);
  unmake(true, 2, i2, third);
  unmake(false, 1, i1, second);
  unmake(true, 0, i0, first);
  EXPECT_EQ(flags(), (Flags{1, 1, 1, 1}));
}

TEST(MakeMove, BlackKingMoveClearsOnlyBlackRights) {
  set_position("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  MoveList list;
  play(list, 0, "e8", "d7", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{1, 1, 0, 0}));
}

TEST(MakeMove, RookLeavingItsCornerClearsOnlyItsOwnSide) {
  const char* fen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
  MoveList list;
  set_position(fen);
  play(list, 0, "h1", "h4", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{1, 0, 1, 1}));
  set_position(fen);
  play(list, 0, "a1", "b1", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{0, 1, 1, 1}));
  set_position("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  play(list, 0, "h8", "g8", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{1, 1, 1, 0}));
  set_position("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  play(list, 0, "a8", "a5", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{1, 1, 0, 1}));
  // A rook that does not start on a corner changes nothing.
  set_position("r3k2r/8/8/8/8/8/8/R2RK2R w KQkq - 0 1");
  play(list, 0, "d1", "d5", MOVE_QUIET);
  EXPECT_EQ(flags(), (Flags{1, 1, 1, 1}));
}

TEST(MakeMove, RookTakenOnItsCornerClearsThatRight) {
  MoveList list;
  // Black bishop takes the rook on h1: X = 4, T = 7.
  set_position("r3k2r/8/8/8/4b3/8/8/R3K2R b KQkq - 0 1");
  set_true_material();
  const int white_before = thread.bitboard.value_white_material;
  const int i = play(list, 0, "e4", "h1", MOVE_CAPTURE);
  ASSERT_GE(i, 0);
  EXPECT_EQ(name_capture(list.move[i]), 4u);
  EXPECT_EQ(flags(), (Flags{1, 0, 1, 1}));
  EXPECT_EQ(thread.bitboard.value_white_material, white_before - 600);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[7], 0);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[7], 3);

  set_position("r3k2r/8/8/8/4b3/8/8/R3K2R b KQkq - 0 1");
  play(list, 0, "e4", "b1", MOVE_QUIET);  // not a capture: nothing changes
  EXPECT_EQ(flags(), (Flags{1, 1, 1, 1}));

  set_position("r3k2r/8/8/8/3b4/8/8/R3K2R b KQkq - 0 1");
  play(list, 0, "d4", "a1", MOVE_CAPTURE);
  EXPECT_EQ(flags(), (Flags{0, 1, 1, 1}));

  // White bishop takes the rook on a8, then on h8.
  set_position("r3k2r/8/8/8/4B3/8/8/R3K2R w KQkq - 0 1");
  play(list, 0, "e4", "a8", MOVE_CAPTURE);
  EXPECT_EQ(flags(), (Flags{1, 1, 0, 1}));
  set_position("r3k2r/8/8/8/3B4/8/8/R3K2R w KQkq - 0 1");
  play(list, 0, "d4", "h8", MOVE_CAPTURE);
  EXPECT_EQ(flags(), (Flags{1, 1, 1, 0}));

  // Rook takes rook along the open a-file: both queen-side rights go.
  set_position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  play(list, 0, "a1", "a8", MOVE_CAPTURE);
  EXPECT_EQ(flags(), (Flags{0, 1, 0, 1}));
}

TEST(MakeMove, CapturingAnotherPieceOnACornerKeepsTheRight) {
  // The rule follows the captured type in the move word: a knight on a8 is no rook.
  set_position("n3k2r/8/8/8/4B3/8/8/4K3 w kq - 0 1");
  MoveList list;
  const int i = play(list, 0, "e4", "a8", MOVE_CAPTURE);
  ASSERT_GE(i, 0);
  EXPECT_EQ(name_capture(list.move[i]), 2u);
  EXPECT_EQ(flags(), (Flags{0, 0, 1, 1}));
  // Nor is a king taken at home, in a position already lost: Black keeps both rights.
  set_position("r3k2r/8/8/8/4Q3/8/8/4K3 w kq - 0 1");
  ASSERT_GE(play(list, 0, "e4", "e8", MOVE_CAPTURE), 0);
  EXPECT_EQ(flags(), (Flags{0, 0, 1, 1}));
}

TEST(MakeMove, CaptureMovesBothViewsAndLowersTheVictimsMaterial) {
  set_position("4k3/8/8/3q4/8/8/8/3RK3 w - - 0 1");
  set_true_material();
  MoveList list;
  play(list, 0, "d1", "d5", MOVE_CAPTURE);
  EXPECT_EQ(thread.bitboard.value_black_material, 0);
  EXPECT_EQ(thread.bitboard.value_white_material, 600);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[sq("d5")], 4);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[sq("d5")], 0);
  EXPECT_EQ(thread.bitboard.black_piece[5], 0u);
  EXPECT_EQ(thread.bitboard.white_piece[4], square_bit[sq("d5")]);
  EXPECT_TRUE(board_consistent());
}

TEST(MakeMove, WhiteCastling) {
  MoveList list;
  set_position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  play(list, 4, "e1", "g1", MOVE_CASTLE_KING);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[6], 6);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[5], 4);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[4], 0);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[7], 0);
  EXPECT_EQ(thread.bitboard.white_piece[6], square_bit[6]);
  EXPECT_EQ(thread.bitboard.white_piece[4], square_bit[0] | square_bit[5]);
  EXPECT_EQ(thread.bitboard.all_piece & 0xFFu, 0x61u);  // a1, f1, g1
  EXPECT_EQ(flags(), (Flags{0, 0, 1, 1}));
  EXPECT_EQ(record(thread.undo_by_ply[4]), (std::array<int, 8>{0, 0, 0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(thread.bitboard.colour_move, 0);
  EXPECT_TRUE(board_consistent());

  set_position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  play(list, 0, "e1", "c1", MOVE_CASTLE_QUEEN);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[2], 6);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[3], 4);
  EXPECT_EQ(thread.bitboard.white_piece[4], square_bit[3] | square_bit[7]);
  EXPECT_EQ(thread.bitboard.all_piece & 0xFFu, 0x8Cu);  // c1, d1, h1
  EXPECT_EQ(flags(), (Flags{0, 0, 1, 1}));
  EXPECT_TRUE(board_consistent());
}

TEST(MakeMove, BlackCastling) {
  MoveList list;
  set_position("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  play(list, 0, "e8", "g8", MOVE_CASTLE_KING);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[62], 6);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[61], 4);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[60], 0);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[63], 0);
  EXPECT_EQ(thread.bitboard.all_piece >> 56, 0x61u);
  EXPECT_EQ(flags(), (Flags{1, 1, 0, 0}));
  EXPECT_EQ(thread.bitboard.colour_move, 1);
  EXPECT_TRUE(board_consistent());

  set_position("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  play(list, 0, "e8", "c8", MOVE_CASTLE_QUEEN);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[58], 6);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[59], 4);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[56], 0);
  EXPECT_EQ(thread.bitboard.all_piece >> 56, 0x8Cu);
  EXPECT_EQ(flags(), (Flags{1, 1, 0, 0}));
  EXPECT_TRUE(board_consistent());
}

TEST(MakeMove, EnPassantRemovesThePawnBehindTheTarget) {
  set_position("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
  thread.bitboard.value_white_material = 5000;
  thread.bitboard.value_black_material = 3000;
  MoveList list;
  play(list, 0, "e5", "d6", MOVE_EN_PASSANT);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[35], 0);
  EXPECT_EQ(thread.bitboard.black_piece[1], 0u);
  EXPECT_EQ(thread.bitboard.all_black_piece, square_bit[60]);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[43], 1);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[36], 0);
  EXPECT_EQ(thread.bitboard.value_black_material, 2900);
  EXPECT_EQ(thread.bitboard.value_white_material, 5000);
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 0);
  EXPECT_TRUE(board_consistent());

  set_position("4k3/8/8/8/3pP3/8/8/4K3 b - e3 0 1");
  thread.bitboard.value_white_material = 5000;
  play(list, 0, "d4", "e3", MOVE_EN_PASSANT);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[28], 0);
  EXPECT_EQ(thread.bitboard.white_piece[1], 0u);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[20], 1);
  EXPECT_EQ(thread.bitboard.value_white_material, 4900);
  EXPECT_TRUE(board_consistent());
}

TEST(MakeMove, PromotionsAddTheGainToTheMover) {
  const struct {
    unsigned kind;
    int type, gain;
  } cases[] = {{12, 2, 300}, {13, 3, 300}, {14, 4, 500}, {15, 5, 1100}};
  for (const auto& c : cases) {
    set_position("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    set_true_material();
    MoveList list;
    play(list, 0, "a7", "a8", c.kind);
    EXPECT_EQ(thread.bitboard.value_white_material, 100 + c.gain) << c.kind;
    EXPECT_EQ(thread.bitboard.white_name_from_coord[56], c.type) << c.kind;
    EXPECT_EQ(thread.bitboard.white_name_from_coord[48], 0) << c.kind;
    EXPECT_EQ(thread.bitboard.white_piece[c.type], square_bit[56]) << c.kind;
    EXPECT_EQ(thread.bitboard.white_piece[1], 0u) << c.kind;
    EXPECT_TRUE(board_consistent()) << c.kind;

    set_position("4k3/8/8/8/8/8/7p/4K3 b - - 0 1");
    set_true_material();
    play(list, 0, "h2", "h1", c.kind);
    EXPECT_EQ(thread.bitboard.value_black_material, 100 + c.gain) << c.kind;
    EXPECT_EQ(thread.bitboard.black_name_from_coord[7], c.type) << c.kind;
    EXPECT_EQ(thread.bitboard.black_piece[1], 0u) << c.kind;
    EXPECT_TRUE(board_consistent()) << c.kind;
  }
}

TEST(MakeMove, CapturingPromotionChangesBothSums) {
  set_position("1r2k3/P7/8/8/8/8/8/4K3 w - - 0 1");
  set_true_material();
  MoveList list;
  play(list, 0, "a7", "b8", MOVE_CAPTURE_PROMOTE_QUEEN);
  EXPECT_EQ(thread.bitboard.value_white_material, 1200);
  EXPECT_EQ(thread.bitboard.value_black_material, 0);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[57], 0);
  EXPECT_EQ(thread.bitboard.black_piece[4], 0u);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[57], 5);
  EXPECT_TRUE(board_consistent());

  // Taking the rook on its corner also ends that castling right.
  set_position("r3k3/1P6/8/8/8/8/8/4K3 w q - 0 1");
  set_true_material();
  play(list, 0, "b7", "a8", MOVE_CAPTURE_PROMOTE_KNIGHT);
  EXPECT_EQ(thread.bitboard.castling_q, 0);
  EXPECT_EQ(thread.bitboard.value_white_material, 400);
  EXPECT_EQ(thread.bitboard.value_black_material, 0);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[56], 2);

  set_position("4k3/8/8/8/8/8/1p6/R3K3 b Q - 0 1");
  set_true_material();
  play(list, 0, "b2", "a1", MOVE_CAPTURE_PROMOTE_ROOK);
  EXPECT_EQ(thread.bitboard.castling_Q, 0);
  EXPECT_EQ(thread.bitboard.value_black_material, 600);
  EXPECT_EQ(thread.bitboard.value_white_material, 0);
  EXPECT_TRUE(board_consistent());
}

TEST(MakeMove, UnknownKindOnlyWritesTheRecordAndPassesTheTurn) {
  for (unsigned kind : {0u, 8u, 11u, 16u, 21u, 26u, 63u}) {
    for (bool white : {true, false}) {
      set_position(white ? "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1" : "r3k2r/8/8/8/3pP3/8/8/R3K2R b KQkq e3 0 1");
      set_true_material();
      const BoardState before = thread.bitboard;
      MoveList list{};
      list.move[0] = pack_move(kind, 1, white ? 36 : 27, white ? 43 : 20, 1);
      list.capture_count = list.move_count = 1;
      thread.undo_by_ply[7] = {9, 9, 9, 9, 9, 9, 9, 9};
      make(white, 7, 0, list);
      BoardState expected = before;
      expected.taking_passage_yes = 0;
      expected.colour_move = white ? 0 : 1;
      EXPECT_TRUE(boards_equal(thread.bitboard, expected)) << kind;
      EXPECT_EQ(record(thread.undo_by_ply[7]),
                (std::array<int, 8>{1, white ? 3 : 4, white ? 5 : 2, 1, 1, 1, 1, white ? 1 : 0}))
          << kind;
    }
  }
}

TEST(MakeMove, PieceArraysKeepIndexZeroEmpty) {
  set_position("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  MoveList list;
  const char* moves[][2] = {{"e1", "g1"}, {"h3", "g2"}, {"e5", "f7"}, {"g2", "f1"}};
  const unsigned kinds[] = {MOVE_CASTLE_KING, MOVE_CAPTURE, MOVE_CAPTURE, MOVE_CAPTURE_PROMOTE_QUEEN};
  for (int i = 0; i < 4; ++i) {
    play(list, i, moves[i][0], moves[i][1], kinds[i]);
    EXPECT_EQ(thread.bitboard.white_piece[0], 0u) << i;
    EXPECT_EQ(thread.bitboard.black_piece[0], 0u) << i;
    EXPECT_TRUE(board_consistent()) << i;
  }
}

}  // namespace
