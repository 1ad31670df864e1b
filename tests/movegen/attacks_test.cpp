// Is the king, or a square of the castling path, attacked?
#include "movegen/attacks.h"

#include <gtest/gtest.h>

#include <vector>

#include "movegen/generate.h"
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
  EXPECT_TRUE(boards_equal(before, thread.bitboard));
}

// Castling asks the wing's description: the squares between king and rook
// empty, and no square of the king's path attacked, by any kind of piece.
TEST(Castling, RefusedWhenThePathIsAttackedOrBlocked) {
  struct Case {
    const char* fen;
    bool king_side;
    bool queen_side;
  };
  const Case cases[] = {
      {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, true},
      {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, false},    // d1 by a rook
      {"1r2k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, true},    // b1 is crossed by the rook alone
      {"4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1", true, false},    // b1 occupied
      {"4k3/8/8/8/7b/8/8/R3K2R w KQ - 0 1", false, false},   // the king in check
      {"4k3/8/8/8/8/8/4n3/R3K2R w KQ - 0 1", false, false},  // c1 and g1 by a knight
      {"4k3/8/8/8/8/8/6k1/R3K2R w KQ - 0 1", false, true},   // f1 and g1 by the king
      {"4k3/8/8/8/8/8/1p6/R3K2R w KQ - 0 1", true, false},   // c1 by a pawn
      {"4k3/8/8/8/8/8/8/R3K2q w Q - 0 1", false, false},     // e1 along the rank
      {"r3k2r/8/8/8/8/8/8/4KR2 b kq - 0 1", false, true},    // f8 by a rook
      {"r3k2r/2P5/8/8/8/8/8/4K3 b kq - 0 1", true, false},   // b8 and d8 by a pawn
      {"r3k2r/8/8/8/Q7/8/8/4K3 b kq - 0 1", false, false},   // e8 along the diagonal
  };
  for (const Case& c : cases) {
    set_position(c.fen);
    MoveList list{};
    generate_all_moves(list);
    bool king_side = false, queen_side = false;
    for (int i = 0; i < list.move_count; ++i) {
      king_side |= kind_move(list.move[i]) == MOVE_CASTLE_KING;
      queen_side |= kind_move(list.move[i]) == MOVE_CASTLE_QUEEN;
    }
    EXPECT_EQ(king_side, c.king_side) << c.fen;
    EXPECT_EQ(queen_side, c.queen_side) << c.fen;
  }
}

}  // namespace
