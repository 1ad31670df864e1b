// The quiet generator: order of emission, castling rules, pawn steps and the
// untouched score slots.
#include <gtest/gtest.h>

#include <algorithm>

#include "movegen/generate.h"
#include "movegen_helpers.h"
#include "support/test_support.h"

namespace {

using Moves = std::vector<std::string>;

// Captures first, then the quiet moves, as every caller does.
MoveList all_moves_of_side_to_move() {
  MoveList list = rubbish_list();
  if (thread.bitboard.colour_move == 1) {
    generate_captures_white(list);
    generate_quiet_white(list);
  } else {
    generate_captures_black(list);
    generate_quiet_black(list);
  }
  return list;
}

// The quiet moves of one piece type, in list order.
Moves moves_of_piece(const MoveList& list, unsigned piece) {
  Moves out;
  for (int i = list.capture_count; i < list.move_count; ++i)
    if (name_piece(list.move[i]) == piece) out.push_back(describe(list.move[i]));
  return out;
}

int find(const MoveList& list, const char* from, const char* to, unsigned kind) {
  for (int i = 0; i < list.move_count; ++i)
    if (from_coord(list.move[i]) == static_cast<unsigned>(sq(from)) &&
        to_coord(list.move[i]) == static_cast<unsigned>(sq(to)) && kind_move(list.move[i]) == kind)
      return i;
  return -1;
}

const char* const files = "abcdefgh";
std::string on(char file, int rank) { return std::string{file, static_cast<char>('0' + rank)}; }

TEST(Quiet, InitialPositionWhiteOrder) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  const MoveList list = all_moves_of_side_to_move();
  Moves expected = {describe(1, 2, "b1", "a3", 0), describe(1, 2, "b1", "c3", 0), describe(1, 2, "g1", "f3", 0),
                    describe(1, 2, "g1", "h3", 0)};
  for (int f = 0; f < 8; ++f) {
    expected.push_back(describe(1, 1, on(files[f], 2).c_str(), on(files[f], 3).c_str(), 0));
    expected.push_back(describe(1, 1, on(files[f], 2).c_str(), on(files[f], 4).c_str(), 0));
  }
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(list.capture_count, 0);
  EXPECT_EQ(list.move_count, 20);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(list.score[i], SCORE_SENTINEL) << i;
}

TEST(Quiet, InitialPositionBlackOrderPutsTheDoubleStepFirst) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1");
  const MoveList list = all_moves_of_side_to_move();
  Moves expected = {describe(1, 2, "b8", "a6", 0), describe(1, 2, "b8", "c6", 0), describe(1, 2, "g8", "f6", 0),
                    describe(1, 2, "g8", "h6", 0)};
  for (int f = 0; f < 8; ++f) {
    expected.push_back(describe(1, 1, on(files[f], 7).c_str(), on(files[f], 5).c_str(), 0));
    expected.push_back(describe(1, 1, on(files[f], 7).c_str(), on(files[f], 6).c_str(), 0));
  }
  EXPECT_EQ(described_moves(list), expected);
  EXPECT_EQ(list.capture_count, 0);
  EXPECT_EQ(list.move_count, 20);
}

Moves quiet(unsigned piece, const char* from, std::initializer_list<const char*> targets) {
  Moves out;
  for (const char* t : targets) out.push_back(describe(1, piece, from, t, 0));
  return out;
}

Moves concat(std::initializer_list<Moves> parts) {
  Moves out;
  for (const Moves& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(Quiet, LoneRookRaysInOrderAfterTheKing) {
  set_position("k7/8/8/8/3R4/8/8/7K w - - 0 1");
  const MoveList list = all_moves_of_side_to_move();
  const Moves expected =
      concat({quiet(6, "h1", {"g1", "g2", "h2"}), quiet(4, "d4", {"d5", "d6", "d7", "d8"}),  // north, outward
              quiet(4, "d4", {"a4", "b4", "c4"}),                                            // west, from the far end
              quiet(4, "d4", {"d1", "d2", "d3"}),                                            // south, from the far end
              quiet(4, "d4", {"e4", "f4", "g4", "h4"})});                                    // east
  EXPECT_EQ(described_moves(list), expected);
}

TEST(Quiet, BlockedRookStopsBeforeEveryPiece) {
  set_position("k7/3P4/8/8/1n1R4/8/8/7K w - - 0 1");
  const MoveList list = all_moves_of_side_to_move();
  EXPECT_EQ(moves_of_piece(list, 4),
            concat({quiet(4, "d4", {"d5", "d6"}), quiet(4, "d4", {"c4"}), quiet(4, "d4", {"d1", "d2", "d3"}),
                    quiet(4, "d4", {"e4", "f4", "g4", "h4"})}));
}

TEST(Quiet, QueenAndBishopRayOrders) {
  set_position("k7/8/8/8/3Q4/8/8/7K w - - 0 1");
  MoveList list = all_moves_of_side_to_move();
  EXPECT_EQ(moves_of_piece(list, 5),
            concat({quiet(5, "d4", {"d5", "d6", "d7", "d8"}), quiet(5, "d4", {"a4", "b4", "c4"}),
                    quiet(5, "d4", {"d1", "d2", "d3"}), quiet(5, "d4", {"e4", "f4", "g4", "h4"}),
                    quiet(5, "d4", {"e5", "f6", "g7", "h8"}), quiet(5, "d4", {"c5", "b6", "a7"}),
                    quiet(5, "d4", {"a1", "b2", "c3"}), quiet(5, "d4", {"g1", "f2", "e3"})}));

  set_position("k7/8/8/8/3B4/8/8/7K w - - 0 1");
  list = all_moves_of_side_to_move();
  EXPECT_EQ(moves_of_piece(list, 3),
            concat({quiet(3, "d4", {"e5", "f6", "g7", "h8"}), quiet(3, "d4", {"c5", "b6", "a7"}),
                    quiet(3, "d4", {"a1", "b2", "c3"}), quiet(3, "d4", {"g1", "f2", "e3"})}));
}

TEST(Quiet, PieceOrderThroughAMiddlegame) {
  // King, castling, queens, rooks, bishops, knights, pawns; within a type by
  // ascending from-square.
  for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1"}) {
    set_position(fen);
    const MoveList list = all_moves_of_side_to_move();
    const auto group = [](Move m) {
      const unsigned kind = kind_move(m);
      if (kind == MOVE_CASTLE_QUEEN) return 1;
      if (kind == MOVE_CASTLE_KING) return 2;
      static constexpr int by_piece[7] = {99, 7, 6, 5, 4, 3, 0};
      return by_piece[name_piece(m)];
    };
    int castles = 0;
    for (int i = list.capture_count; i < list.move_count; ++i) {
      const Move m = list.move[i];
      EXPECT_TRUE(kind_move(m) == 1 || kind_move(m) == 3 || kind_move(m) == 4) << describe(m);
      if (kind_move(m) != 1) ++castles;
      if (i == list.capture_count) continue;
      const Move prev = list.move[i - 1];
      EXPECT_LE(group(prev), group(m)) << fen << ' ' << describe(prev) << " before " << describe(m);
      if (group(prev) == group(m)) {
        EXPECT_LE(from_coord(prev), from_coord(m)) << fen << ' ' << describe(m);
      }
    }
    EXPECT_EQ(castles, 2) << fen;
  }
}

TEST(Quiet, AppendsAfterTheCapturesWithoutTouchingThem) {
  set_position("rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2");
  const MoveList list = all_moves_of_side_to_move();
  EXPECT_EQ(list.capture_count, 1);
  EXPECT_EQ(describe(list.move[0]), describe(2, 1, "e4", "d5", 1));
  EXPECT_EQ(list.score[0], 9);
  EXPECT_EQ(list.move_count, 31);
  for (int i = 1; i < list.move_count; ++i) {
    EXPECT_EQ(kind_move(list.move[i]), 1u) << describe(list.move[i]);
    EXPECT_EQ(name_capture(list.move[i]), 0u) << describe(list.move[i]);
  }
  for (int i = 1; i < 256; ++i) ASSERT_EQ(list.score[i], SCORE_SENTINEL) << i;
}

struct CastleCase {
  const char* fen;
  bool queen_side, king_side;
};

void expect_castling(const CastleCase& c) {
  set_position(c.fen);
  const MoveList list = all_moves_of_side_to_move();
  const bool white = thread.bitboard.colour_move == 1;
  const char* from = white ? "e1" : "e8";
  EXPECT_EQ(find(list, from, white ? "c1" : "c8", MOVE_CASTLE_QUEEN) >= 0, c.queen_side) << c.fen;
  EXPECT_EQ(find(list, from, white ? "g1" : "g8", MOVE_CASTLE_KING) >= 0, c.king_side) << c.fen;
}

TEST(Castling, WhiteAttackedAndOccupiedSquares) {
  const CastleCase cases[] = {
      {"4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, true},
      {"4k3/8/b7/8/8/8/8/R3K2R w KQ - 0 1", true, false},    // f1 attacked by a bishop
      {"4k2r/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, true},     // only h1 attacked
      {"1r2k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, true},    // only b1 attacked
      {"2r1k3/8/8/8/8/8/8/R3K2R w KQ - 0 1", false, true},   // c1 attacked
      {"3rk3/8/8/8/8/8/8/R3K2R w KQ - 0 1", false, true},    // d1 attacked
      {"4r1k1/8/8/8/8/8/8/R3K2R w KQ - 0 1", false, false},  // king in check
      {"6rk/8/8/8/8/8/8/R3K2R w KQ - 0 1", true, false},     // g1 attacked
      {"4k3/8/8/8/8/8/4p3/R3K2R w KQ - 0 1", false, false},  // pawn on e2 hits d1 and f1
      {"4k3/8/8/8/8/8/6p1/R3K2R w KQ - 0 1", true, false},   // pawn on g2 hits f1 and h1
      {"4k3/8/8/8/8/4n3/8/R3K2R w KQ - 0 1", false, false},  // knight on e3 hits d1 and f1
      {"4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1", false, true},    // b1 occupied
      {"4k3/8/8/8/8/8/8/R2QK2R w KQ - 0 1", false, true},    // d1 occupied
      {"4k3/8/8/8/8/8/8/R3K1NR w KQ - 0 1", true, false},    // g1 occupied
      {"4k3/8/8/8/8/8/8/R3KB1R w KQ - 0 1", true, false},    // f1 occupied
      {"4k3/8/8/8/8/8/8/R3K2R w K - 0 1", false, true},
      {"4k3/8/8/8/8/8/8/R3K2R w Q - 0 1", true, false},
      {"4k3/8/8/8/8/8/8/R3K2R w kq - 0 1", false, false},
  };
  for (const CastleCase& c : cases) expect_castling(c);
}

TEST(Castling, BlackAttackedAndOccupiedSquares) {
  const CastleCase cases[] = {
      {"r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1", true, true},
      {"r3k2r/8/8/8/8/B7/8/4K3 b kq - 0 1", true, false},    // f8 attacked by a bishop
      {"r3k2r/1N6/8/8/8/8/8/4K3 b kq - 0 1", false, true},   // d8 attacked by a knight
      {"r3k2r/8/8/8/8/8/8/1R2K3 b kq - 0 1", true, true},    // only b8 attacked
      {"r3k2r/8/8/8/8/8/8/4K2R b kq - 0 1", true, true},     // only h8 attacked
      {"r3k2r/8/8/8/8/8/8/2R1K3 b kq - 0 1", false, true},   // c8 attacked
      {"r3k2r/8/8/8/8/8/8/4KR2 b kq - 0 1", true, false},    // f8 attacked by a rook
      {"r3k2r/3P4/8/8/8/8/8/4K3 b kq - 0 1", false, false},  // pawn on d7 hits c8 and e8
      {"r3k1nr/8/8/8/8/8/8/4K3 b kq - 0 1", true, false},    // g8 occupied
      {"rn2k2r/8/8/8/8/8/8/4K3 b kq - 0 1", false, true},    // b8 occupied
      {"r3k2r/8/8/8/8/8/8/4K3 b KQ - 0 1", false, false},
  };
  for (const CastleCase& c : cases) expect_castling(c);
}

TEST(Castling, WordsAndScoresAfterTheKingSteps) {
  set_position("4k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
  MoveList list = all_moves_of_side_to_move();
  // King steps d1, f1, d2, e2, f2, then queen side, then king side.
  ASSERT_GE(list.move_count, 7);
  EXPECT_EQ(moves_of_piece(list, 6), concat({quiet(6, "e1", {"d1", "f1", "d2", "e2", "f2"}),
                                             Moves{describe(3, 6, "e1", "c1", 0), describe(4, 6, "e1", "g1", 0)}}));
  EXPECT_EQ(list.move[5], pack_move(3, 6, 4, 2, 0));
  EXPECT_EQ(list.move[6], 102252800u);
  EXPECT_EQ(list.score[5], 3);
  EXPECT_EQ(list.score[6], 4);
  for (int i = 0; i < 256; ++i) {
    if (i == 5 || i == 6) continue;
    ASSERT_EQ(list.score[i], SCORE_SENTINEL) << i;
  }

  set_position("r3k2r/8/8/8/8/8/8/4K3 b kq - 0 1");
  list = all_moves_of_side_to_move();
  const int queen_side = find(list, "e8", "c8", MOVE_CASTLE_QUEEN),
            king_side = find(list, "e8", "g8", MOVE_CASTLE_KING);
  ASSERT_GE(queen_side, 0);
  ASSERT_EQ(king_side, queen_side + 1);
  EXPECT_EQ(list.move[queen_side], pack_move(3, 6, 60, 58, 0));
  EXPECT_EQ(list.move[king_side], pack_move(4, 6, 60, 62, 0));
  EXPECT_EQ(list.score[queen_side], 3);
  EXPECT_EQ(list.score[king_side], 4);
}

TEST(QuietPawns, StepsAndBlocks) {
  set_position("4k3/8/8/8/4p3/8/4P3/4K3 w - - 0 1");
  EXPECT_EQ(moves_of_piece(all_moves_of_side_to_move(), 1), quiet(1, "e2", {"e3"}));

  set_position("4k3/8/8/8/8/4p3/4P3/4K3 w - - 0 1");
  EXPECT_TRUE(moves_of_piece(all_moves_of_side_to_move(), 1).empty());

  set_position("4k3/8/8/8/8/4P3/8/4K3 w - - 0 1");
  EXPECT_EQ(moves_of_piece(all_moves_of_side_to_move(), 1), quiet(1, "e3", {"e4"}));

  set_position("4k3/4p3/8/4P3/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(moves_of_piece(all_moves_of_side_to_move(), 1), quiet(1, "e7", {"e6"}));

  set_position("4k3/4p3/4P3/8/8/8/8/4K3 b - - 0 1");
  EXPECT_TRUE(moves_of_piece(all_moves_of_side_to_move(), 1).empty());

  set_position("4k3/8/8/4p3/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(moves_of_piece(all_moves_of_side_to_move(), 1), quiet(1, "e5", {"e4"}));
}

TEST(QuietPawns, StepsOntoTheLastRankAreLeftToTheCaptureGenerator) {
  set_position("k7/4P3/8/8/8/8/8/K7 w - - 0 1");
  MoveList list = rubbish_list();
  list.capture_count = list.move_count = 0;
  generate_quiet_white(list);
  EXPECT_TRUE(moves_of_piece(list, 1).empty());

  set_position("k7/8/8/8/8/8/4p3/K7 b - - 0 1");
  list = rubbish_list();
  list.capture_count = list.move_count = 0;
  generate_quiet_black(list);
  EXPECT_TRUE(moves_of_piece(list, 1).empty());
}

TEST(QuietKnights, TargetsAscendingAndOnlyEmptySquares) {
  set_position("k7/8/3p4/8/4N3/2P5/8/7K w - - 0 1");
  const MoveList list = all_moves_of_side_to_move();
  EXPECT_EQ(moves_of_piece(list, 2), quiet(2, "e4", {"d2", "f2", "g3", "c5", "g5", "f6"}));
}

}  // namespace
