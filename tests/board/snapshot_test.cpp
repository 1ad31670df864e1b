// The board copy and the line-per-difference comparison the root search runs.
#include "board/snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "board_helpers.h"
#include "io/output.h"
#include "support/test_support.h"

namespace {

const char* const kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";

class Snapshot : public ::testing::Test {
 protected:
  void SetUp() override {
    output::muted = false;
    set_position(kiwipete);
    set_true_material();
    save_board_copy(copy);
  }
  std::string compare() {
    return capture_fd1([this] { compare_board_copy(copy); });
  }
  BoardState copy;
};

TEST_F(Snapshot, CopyHoldsEveryField) {
  thread.bitboard.taking_passage_yes = 1;
  thread.bitboard.taking_passage_x = 6;
  thread.bitboard.taking_passage_y = 5;
  thread.bitboard.hash_key = 0x0123456789ABCDEFu;
  save_board_copy(copy);
  EXPECT_TRUE(boards_equal(copy, thread.bitboard));
  EXPECT_EQ(compare(), "");
}

TEST_F(Snapshot, CastlingFlagAloneGivesOneLine) {
  thread.bitboard.castling_K = 0;
  EXPECT_EQ(compare(), "white test_castling_K != bitboard->castling_K\n");
}

TEST_F(Snapshot, NameArrayEntryIsReportedWithItsSquare) {
  thread.bitboard.white_name_from_coord[12] = 0;
  EXPECT_EQ(compare(), "white test_white_name_from_coord[k] = bitboard->white_name_from_coord[k]12\n");
}

TEST_F(Snapshot, KeyMessageHasTwoBlanks) {
  thread.bitboard.hash_key ^= 1;
  EXPECT_EQ(compare(), "white test_hash_key !=  bitboard->hash_key\n");
}

TEST_F(Snapshot, AMoveLeftOnTheBoardIsReportedFieldByFieldInOrder) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  save_board_copy(copy);
  MoveList list;
  play(list, 0, "e2", "e4", MOVE_QUIET);
  EXPECT_EQ(compare(),
            "white test_all_piece != bitboard->all_piece\n"
            "white test_all_white_piece != bitboard->all_white_piece\n"
            "white test_colour_move != bitboard->colour_move\n"
            "white test_taking_passage_yes != bitboard->taking_passage_yes\n"
            "white test_taking_passage_x != bitboard->taking_passage_x\n"
            "white test_taking_passage_y != bitboard->taking_passage_y\n"
            "white test_white_piece[n] = bitboard->white_piece[n]1\n"
            "white test_white_name_from_coord[k] = bitboard->white_name_from_coord[k]12\n"
            "white test_white_name_from_coord[k] = bitboard->white_name_from_coord[k]28\n");
}

TEST_F(Snapshot, EveryFieldDifferentGivesEveryLineInOrder) {
  // Flip every byte of the live board so that every field differs.
  auto* bytes = reinterpret_cast<unsigned char*>(&thread.bitboard);
  for (std::size_t i = 0; i < sizeof thread.bitboard; ++i) bytes[i] = static_cast<unsigned char>(~bytes[i]);
  std::string expected =
      "white test_all_piece != bitboard->all_piece\n"
      "white test_all_white_piece != bitboard->all_white_piece\n"
      "white test_all_black_piece != bitboard->all_black_piece\n"
      "white test_colour_move != bitboard->colour_move\n"
      "white test_taking_passage_yes != bitboard->taking_passage_yes\n"
      "white test_taking_passage_x != bitboard->taking_passage_x\n"
      "white test_taking_passage_y != bitboard->taking_passage_y\n"
      "white test_castling_Q != bitboard->castling_Q\n"
      "white test_castling_K != bitboard->castling_K\n"
      "white test_castling_q != bitboard->castling_q\n"
      "white test_castling_k != bitboard->castling_k\n"
      "white test_hash_key !=  bitboard->hash_key\n"
      "white test_value_white_material != bitboard->value_white_material\n"
      "white test_value_black_material != bitboard->value_black_material\n";
  for (int n = 0; n < 7; ++n) {
    expected += "white test_white_piece[n] = bitboard->white_piece[n]" + std::to_string(n) + "\n";
    expected += "white test_black_piece[n] = bitboard->black_piece[n]" + std::to_string(n) + "\n";
  }
  for (int k = 0; k < 64; ++k) {
    expected += "white test_white_name_from_coord[k] = bitboard->white_name_from_coord[k]" + std::to_string(k) + "\n";
    expected += "white test_black_name_from_coord[k] = bitboard->black_name_from_coord[k]" + std::to_string(k) + "\n";
  }
  EXPECT_EQ(compare(), expected);
  thread.bitboard = copy;
}

TEST_F(Snapshot, BlackToMoveStillSaysWhite) {
  set_position("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1");
  save_board_copy(copy);
  thread.bitboard.castling_q = 0;
  thread.bitboard.black_name_from_coord[63] = 0;
  EXPECT_EQ(compare(),
            "white test_castling_q != bitboard->castling_q\n"
            "white test_black_name_from_coord[k] = bitboard->black_name_from_coord[k]63\n");
}

TEST_F(Snapshot, ComparisonChangesNothing) {
  thread.bitboard.castling_Q = 0;
  const BoardState live = thread.bitboard;
  const BoardState saved = copy;
  compare();
  EXPECT_TRUE(boards_equal(thread.bitboard, live));
  EXPECT_TRUE(boards_equal(copy, saved));
}

}  // namespace
