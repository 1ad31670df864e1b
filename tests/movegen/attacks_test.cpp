// Is the king, or a square of the castling path, attacked?
#include "movegen/attacks.h"

#include <gtest/gtest.h>

#include <vector>

#include "movegen_helpers.h"
#include "support/test_support.h"

namespace {

struct KingCase {
  const char* fen;
  int expected;
};

TEST(WhiteKingAttacked, AttackerTypesAndBlockers) {
  const KingCase cases[] = {
      {"4r2k/8/8/8/8/8/8/4K3 w - - 0 1", 4},    // rook along the file
      {"4r2k/8/8/8/4N3/8/8/4K3 w - - 0 1", 0},  // own knight blocks
      {"4r2k/8/8/8/4n3/8/8/4K3 w - - 0 1", 0},  // their knight blocks and does not reach e1
      {"7k/8/8/8/8/3n4/8/4K3 w - - 0 1", 2},    // a knight that does reach e1
      {"7k/8/8/8/8/8/8/r3K3 w - - 0 1", 4},     // rook along the rank
      {"4q2k/8/8/8/8/8/8/4K3 w - - 0 1", 5},   {"7k/8/8/b7/8/8/8/4K3 w - - 0 1", 3},  // bishop a5 over d2
      {"7k/8/8/q7/8/8/8/4K3 w - - 0 1", 5},    {"7k/8/8/r7/8/8/8/4K3 w - - 0 1", 0},  // a rook on a diagonal
      {"4b2k/8/8/8/8/8/8/4K3 w - - 0 1", 0},                                          // a bishop on the file
      {"7k/8/8/b7/8/8/3P4/4K3 w - - 0 1", 0},  {"8/8/8/8/8/8/5k2/4K3 w - - 0 1", 6},
      {"7k/8/8/8/8/8/3p4/4K3 w - - 0 1", 1},   {"7k/8/8/8/8/8/5p2/4K3 w - - 0 1", 1},
      {"7k/8/8/8/8/8/4p3/4K3 w - - 0 1", 0},  // straight ahead is no attack
      {"7k/8/8/8/8/8/1p6/K7 w - - 0 1", 1},   // king a1, pawn b2
      {"7k/8/8/8/8/p7/8/7K w - - 0 1", 0},    // king h1, pawn a3: no wrap over the edge
      {"7k/8/8/8/8/8/8/K6p w - - 0 1", 0},    // king a1, pawn h1: no wrap either
      {"6p1/7K/8/8/8/8/8/k7 w - - 0 1", 1},   // king h7, pawn g8
      {"k7/K7/8/8/8/8/8/8 w - - 0 1", 6},      {"r3K3/8/8/8/8/8/8/7k w - - 0 1", 4},  // king on the eighth rank
      {"8/8/8/8/8/8/8/k6K w - - 0 1", 0},      {"7K/8/8/8/8/8/8/k7 w - - 0 1", 0},
      {"8/8/8/8/8/8/8/K5qk w - - 0 1", 5},  // queen behind nothing
      {"8/8/8/8/8/8/8/K1P3qk w - - 0 1", 0},
  };
  for (const KingCase& c : cases) {
    set_position(c.fen);
    EXPECT_EQ(white_king_attacked(), c.expected) << c.fen;
  }
}

TEST(WhiteKingAttacked, ReportsTheFirstAttackerInTestOrder) {
  // Rook, then queen, then bishop, then knight, then king, then pawn.
  set_position("8/8/8/8/7q/3n4/3pk3/r3K3 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 4);
  set_position("8/8/8/8/7q/3n4/3pk3/4K3 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 5);
  set_position("8/8/8/8/7b/3n4/3pk3/4K3 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 3);
  set_position("8/8/8/8/8/3n4/3pk3/4K3 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 2);
  set_position("8/8/8/8/8/8/3pk3/4K3 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 6);
  set_position("8/8/8/8/8/8/3p4/4K3 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 1);
}

TEST(BlackKingAttacked, AttackerTypesAndBlockers) {
  const KingCase cases[] = {
      {"4k3/8/8/8/4r3/8/8/4Q2K b - - 0 1", 0},  // queen behind their own rook
      {"4k3/8/8/8/8/8/8/4Q2K b - - 0 1", 5},
      {"4k3/8/8/8/4R3/8/8/7K b - - 0 1", 4},
      {"4k3/8/8/8/B7/8/8/7K b - - 0 1", 3},
      {"4k3/8/3N4/8/8/8/8/7K b - - 0 1", 2},
      {"8/8/8/4k3/3P4/8/8/7K b - - 0 1", 1},
      {"8/8/8/4k3/5P2/8/8/7K b - - 0 1", 1},
      {"8/8/8/4k3/4P3/8/8/7K b - - 0 1", 0},
      {"8/8/8/k7/8/7P/8/7K b - - 0 1", 0},  // king a5, pawn h3: no wrap over the a-file
      {"8/8/8/P6k/8/8/8/K7 b - - 0 1", 0},  // king h5, pawn a5: no wrap over the h-file
      {"8/8/8/8/8/8/4k3/3K4 b - - 0 1", 6},
  };
  for (const KingCase& c : cases) {
    set_position(c.fen);
    EXPECT_EQ(black_king_attacked(), c.expected) << c.fen;
  }
}

TEST(KingAttacked, EnPassantIsNeverConsidered) {
  // An en-passant capture e5xd6 would remove the piece on d5: the Black king.
  // No pawn attacks d5 by an ordinary capture.
  set_position("8/8/8/3kP3/8/8/8/7K b - d6 0 1");
  EXPECT_EQ(black_king_attacked(), 0);
  set_position("7k/8/8/8/3pK3/8/8/8 w - e3 0 1");
  EXPECT_EQ(white_king_attacked(), 0);
}

TEST(KingAttacked, ASideWithoutAKingIsNotAttacked) {
  set_position("4k3/8/8/8/8/8/8/r7 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 0);
  set_position("R7/8/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(black_king_attacked(), 0);
  set_position("8/8/8/8/8/8/8/8 w - - 0 1");
  EXPECT_EQ(white_king_attacked(), 0);
  EXPECT_EQ(black_king_attacked(), 0);
}

TEST(KingAttacked, ChangesNothingOnTheBoard) {
  set_position("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
  const BoardState before = thread.bitboard;
  (void)white_king_attacked();
  (void)black_king_attacked();
  for (const std::uint8_t s : castle_squares_white) (void)square_attacked_by_black(s);
  for (const std::uint8_t s : castle_squares_black) (void)square_attacked_by_white(s);
  EXPECT_TRUE(boards_equal(before, thread.bitboard));
}

TEST(CastleSquares, TableHoldsTheBackRankPaths) {
  EXPECT_EQ((std::vector<int>(castle_squares_white, castle_squares_white + 5)), (std::vector<int>{2, 3, 4, 5, 6}));
  EXPECT_EQ((std::vector<int>(castle_squares_black, castle_squares_black + 5)), (std::vector<int>{58, 59, 60, 61, 62}));
}

// Index of a square in the castling table, so that it is passed by reference
// to the table byte as the generator does.
const std::uint8_t& white_path(const char* name) { return castle_squares_white[sq(name) - 2]; }
const std::uint8_t& black_path(const char* name) { return castle_squares_black[sq(name) - 58]; }

TEST(SquareAttackedByBlack, EachDirectionAndPiece) {
  set_position("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  for (const char* s : {"c1", "d1", "e1", "f1", "g1"}) EXPECT_EQ(square_attacked_by_black(white_path(s)), 0) << s;

  set_position("3rk3/8/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(square_attacked_by_black(white_path("d1")), 4);
  EXPECT_EQ(square_attacked_by_black(white_path("c1")), 0);

  set_position("4k3/8/8/8/8/8/8/r3K3 w - - 0 1");  // west along the rank
  EXPECT_EQ(square_attacked_by_black(white_path("c1")), 4);
  EXPECT_EQ(square_attacked_by_black(white_path("d1")), 4);
  EXPECT_EQ(square_attacked_by_black(white_path("f1")), 0);  // the king blocks

  set_position("4k3/8/8/8/8/8/8/4K2q w - - 0 1");  // east along the rank
  EXPECT_EQ(square_attacked_by_black(white_path("g1")), 5);
  EXPECT_EQ(square_attacked_by_black(white_path("f1")), 5);
  EXPECT_EQ(square_attacked_by_black(white_path("d1")), 0);

  set_position("4k3/8/8/8/7b/8/8/4K3 w - - 0 1");  // north-east diagonal h4-e1
  EXPECT_EQ(square_attacked_by_black(white_path("e1")), 3);
  EXPECT_EQ(square_attacked_by_black(white_path("f1")), 0);

  set_position("4k3/8/8/q7/8/8/8/4K3 w - - 0 1");  // north-west diagonal a5-e1
  EXPECT_EQ(square_attacked_by_black(white_path("e1")), 5);

  set_position("4k3/8/8/8/8/8/4n3/4K3 w - - 0 1");
  EXPECT_EQ(square_attacked_by_black(white_path("c1")), 2);
  EXPECT_EQ(square_attacked_by_black(white_path("g1")), 2);
  EXPECT_EQ(square_attacked_by_black(white_path("e1")), 0);

  set_position("4k3/8/8/8/8/8/6k1/4K3 w - - 0 1");
  EXPECT_EQ(square_attacked_by_black(white_path("f1")), 6);
  EXPECT_EQ(square_attacked_by_black(white_path("e1")), 0);

  set_position("4k3/8/8/8/8/8/3p4/4K3 w - - 0 1");
  EXPECT_EQ(square_attacked_by_black(white_path("c1")), 1);
  EXPECT_EQ(square_attacked_by_black(white_path("e1")), 1);
  EXPECT_EQ(square_attacked_by_black(white_path("d1")), 0);
}

TEST(SquareAttackedByWhite, EachDirectionAndPiece) {
  set_position("4k3/8/8/8/8/8/8/4K3 b - - 0 1");
  for (const char* s : {"c8", "d8", "e8", "f8", "g8"}) EXPECT_EQ(square_attacked_by_white(black_path(s)), 0) << s;

  set_position("4k3/8/8/8/8/8/8/2R1K3 b - - 0 1");
  EXPECT_EQ(square_attacked_by_white(black_path("c8")), 4);

  set_position("R3k3/8/8/8/8/8/8/4K3 b - - 0 1");  // west
  EXPECT_EQ(square_attacked_by_white(black_path("d8")), 4);
  EXPECT_EQ(square_attacked_by_white(black_path("f8")), 0);

  set_position("4k2Q/8/8/8/8/8/8/4K3 b - - 0 1");  // east
  EXPECT_EQ(square_attacked_by_white(black_path("g8")), 5);

  set_position("4k3/8/8/8/B7/8/8/4K3 b - - 0 1");  // south-west diagonal a4-e8
  EXPECT_EQ(square_attacked_by_white(black_path("e8")), 3);

  set_position("4k3/8/8/8/7Q/8/8/4K3 b - - 0 1");  // south-east diagonal d8-h4
  EXPECT_EQ(square_attacked_by_white(black_path("d8")), 5);

  set_position("4k3/4N3/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(square_attacked_by_white(black_path("c8")), 2);
  EXPECT_EQ(square_attacked_by_white(black_path("g8")), 2);

  set_position("4k3/2K5/8/8/8/8/8/8 b - - 0 1");
  EXPECT_EQ(square_attacked_by_white(black_path("d8")), 6);

  set_position("4k3/5P2/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(square_attacked_by_white(black_path("e8")), 1);
  EXPECT_EQ(square_attacked_by_white(black_path("g8")), 1);
  EXPECT_EQ(square_attacked_by_white(black_path("f8")), 0);
}

}  // namespace
