// Emptying the board.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "board/board.h"
#include "board_helpers.h"
#include "support/test_support.h"

namespace {

TEST(ClearBoard, ZeroesEveryFieldAndTheParkedOccupancy) {
  std::memset(&thread.bitboard, 0xFF, sizeof thread.bitboard);
  thread.parked_occupancy = ~std::uint64_t{0};
  clear_board();
  BoardState zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_TRUE(boards_equal(thread.bitboard, zero));
  EXPECT_EQ(thread.bitboard.all_piece, 0u);
  EXPECT_EQ(thread.bitboard.colour_move, 0);
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 0);
  EXPECT_EQ(thread.bitboard.taking_passage_x, 0);
  EXPECT_EQ(thread.bitboard.taking_passage_y, 0);
  EXPECT_EQ(
      thread.bitboard.castling_Q + thread.bitboard.castling_K + thread.bitboard.castling_q + thread.bitboard.castling_k,
      0);
  EXPECT_EQ(thread.bitboard.hash_key, 0u);
  EXPECT_EQ(thread.bitboard.value_white_material, 0);
  EXPECT_EQ(thread.bitboard.value_black_material, 0);
  for (int p = 0; p < 7; ++p) {
    EXPECT_EQ(thread.bitboard.white_piece[p], 0u);
    EXPECT_EQ(thread.bitboard.black_piece[p], 0u);
  }
  for (int s = 0; s < 64; ++s) {
    EXPECT_EQ(thread.bitboard.white_name_from_coord[s], 0);
    EXPECT_EQ(thread.bitboard.black_name_from_coord[s], 0);
  }
  EXPECT_EQ(thread.parked_occupancy, 0u);
}

TEST(ClearBoard, LeavesTheUndoRecordsAlone) {
  thread.undo_by_ply[0] = {1, 2, 3, 4, 5, 6, 7, 8};
  thread.undo_by_ply[MAX_PLY] = {8, 7, 6, 5, 4, 3, 2, 1};
  clear_board();
  EXPECT_EQ(thread.undo_by_ply[0].taking_passage_yes, 1);
  EXPECT_EQ(thread.undo_by_ply[0].castling_k, 7);
  EXPECT_EQ(thread.undo_by_ply[MAX_PLY].taking_passage_yes, 8);
  EXPECT_EQ(thread.undo_by_ply[MAX_PLY].colour_move, 1);
}

TEST(BoardRecord, TablesAndTheStartingPosition) {
  EXPECT_EQ((std::vector<int>(material_value, material_value + 7)), (std::vector<int>{0, 100, 400, 400, 600, 1200, 0}));
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(thread.bitboard.white_piece[1], 0xFF00u);
  EXPECT_EQ(thread.bitboard.black_piece[1], 0x00FF000000000000u);
  EXPECT_EQ(thread.bitboard.white_piece[6], square_bit[4]);
  EXPECT_EQ(thread.bitboard.black_piece[6], square_bit[60]);
  EXPECT_EQ(thread.bitboard.all_piece, 0xFFFF00000000FFFFu);
  EXPECT_TRUE(board_consistent());
}

}  // namespace
