// Pinned pieces and the quick legality test built on them.
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "movegen_helpers.h"
#include "support/test_support.h"

namespace {

std::uint64_t bit(const char* name) { return std::uint64_t{1} << sq(name); }

TEST(Pins, PiecesAloneBetweenTheKingAndASliderOfTheLinesKind) {
  // e2 pinned by the e8 rook, d2 by the a5 bishop, f1 by the h1 queen along the rank.
  set_position("4r2k/8/8/b7/8/8/3PN3/4KN1q w - - 0 1");
  EXPECT_EQ(pinned_pieces<WHITE>(), bit("e2") | bit("d2") | bit("f1"));
  EXPECT_EQ(pinned_pieces<BLACK>(), 0u);
}

TEST(Pins, TwoPiecesOnTheLineOrTheWrongSliderPinNothing) {
  set_position("4r2k/8/8/8/4P3/8/4N3/4K3 w - - 0 1");  // e4 and e2 shield each other
  EXPECT_EQ(pinned_pieces<WHITE>(), 0u);
  set_position("4b2k/8/8/8/8/8/4N3/4K3 w - - 0 1");  // a bishop on the file
  EXPECT_EQ(pinned_pieces<WHITE>(), 0u);
  set_position("4r2k/8/8/8/8/8/4N3/8 w - - 0 1");  // a side without a king has no pins
  EXPECT_EQ(pinned_pieces<WHITE>(), 0u);
}

TEST(CheckAnswers, TheCheckerAndTheSquaresBetween) {
  // The e8 rook checks along the file: take it or block on e2 to e7.
  set_position("4r2k/8/8/8/8/8/8/4K3 w - - 0 1");
  EXPECT_EQ(check_answers<WHITE>(), bit("e8") | bit("e7") | bit("e6") | bit("e5") | bit("e4") | bit("e3") | bit("e2"));
  set_position("7k/8/8/8/8/3n4/8/4K3 w - - 0 1");  // a knight can only be taken
  EXPECT_EQ(check_answers<WHITE>(), bit("d3"));
  set_position("4k3/3P4/8/8/8/8/8/4K3 b - - 0 1");  // so can a pawn
  EXPECT_EQ(check_answers<BLACK>(), bit("d7"));
  set_position("4r2k/8/8/8/8/3n4/8/4K3 w - - 0 1");  // double check: only the king may move
  EXPECT_EQ(check_answers<WHITE>(), 0u);
  set_position("7k/8/8/8/8/8/8/4K3 w - - 0 1");  // no check: nothing is ruled out
  EXPECT_EQ(check_answers<WHITE>(), ~std::uint64_t{0});
}

// The check test before a move asks what the moving piece reaches and what it
// uncovers, not merely whether it touches one of the king's lines.
TEST(CheckLines, OnlyWhatThePieceReachesOrUncoversMayGiveCheck) {
  // Black king on d8; White's rook on d1 behind the knight on d2, a knight on f4.
  set_position("3k4/8/8/8/5N2/8/3N4/3R2K1 w - - 0 1");
  const CheckLines lines = check_lines<WHITE>();
  const auto may = [&](unsigned piece, const char* from, const char* to) {
    return may_give_check(pack_move(MOVE_QUIET, piece, sq(from), sq(to), NO_PIECE), lines);
  };
  EXPECT_TRUE(may(KNIGHT, "d2", "b3"));   // uncovers the rook on the d-file
  EXPECT_TRUE(may(KNIGHT, "f4", "e6"));   // a knight's jump from the king
  EXPECT_FALSE(may(KNIGHT, "f4", "d5"));  // on the king's file, but a knight does not attack along it
  EXPECT_FALSE(may(KNIGHT, "f4", "d3"));
  EXPECT_FALSE(may(KING, "g1", "h1"));
  // Castling and promotions always take the full test.
  EXPECT_TRUE(may_give_check(pack_move(MOVE_CASTLE_KING, KING, sq("e1"), sq("g1"), NO_PIECE), lines));
  EXPECT_TRUE(may_give_check(pack_move(MOVE_PROMOTE_QUEEN, PAWN, sq("a7"), sq("a8"), NO_PIECE), lines));
  // Without a rook or queen on the file, leaving it uncovers nothing.
  set_position("3k4/8/8/8/8/8/3N4/6K1 w - - 0 1");
  EXPECT_FALSE(may_give_check(pack_move(MOVE_QUIET, KNIGHT, sq("d2"), sq("b3"), NO_PIECE), check_lines<WHITE>()));
}

// Whenever a quick test says a move cannot expose the king, cannot answer a
// check or cannot give one, the full test after making it agrees, over a tree of positions full of
// pins and checks.
MoveList lists[3];
int checked = 0, ruled_out = 0, no_check = 0;

template <Colour Us>
void walk(int depth) {
  MoveList& list = lists[depth - 1];
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  const bool in_check = king_attacked<Us>();
  const std::uint64_t pinned = pinned_pieces<Us>();
  const std::uint64_t answers = in_check ? check_answers<Us>() : ~std::uint64_t{0};
  const CheckLines checks = check_lines<Us>();
  for (std::uint8_t i = 0; i < list.move_count; ++i) {
    const bool may = may_expose_king<Us>(list.move[i], in_check, pinned);
    const bool may_answer = may_answer_check<Us>(list.move[i], answers);
    make_move<Us>(static_cast<std::uint8_t>(depth), i, list);
    const bool attacked = king_attacked<Us>() != 0;
    ASSERT_TRUE(may || !attacked) << describe(list.move[i]);
    ASSERT_TRUE(may_answer || attacked) << describe(list.move[i]);
    if (!attacked && !may_give_check(list.move[i], checks)) {
      ASSERT_EQ(king_attacked<~Us>(), 0) << describe(list.move[i]);
      ++no_check;
    }
    ++checked;
    ruled_out += may_answer ? 0 : 1;
    if (!attacked && depth > 1) walk<~Us>(depth - 1);
    unmake_move<Us>(static_cast<std::uint8_t>(depth), i, list);
  }
}

TEST(Pins, TheQuickTestNeverPassesAMoveThatExposesTheKing) {
  for (const char* fen :
       {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
        "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
        "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"}) {
    set_position(fen);
    walk<WHITE>(3);
  }
  EXPECT_GT(checked, 100000);
  EXPECT_GT(ruled_out, 1000);
  EXPECT_GT(no_check, 10000);
}

// One question, two answers: is_legal leaves the board as it was, make_if_legal
// keeps a legal move made and takes an illegal one back.
TEST(Legality, IsLegalAsksAndMakeIfLegalKeepsOnlyLegalMoves) {
  struct Case {
    const char* fen;
    const char* from;
    const char* to;
    bool legal;
  };
  const Case cases[] = {
      {"4r2k/8/8/8/8/8/4N3/4K3 w - - 0 1", "e2", "c3", false},  // a pinned knight leaves the file
      {"4r2k/8/8/8/8/8/4R3/4K3 w - - 0 1", "e2", "e5", true},   // a pinned rook moves along it
      {"4r2k/8/8/8/8/8/8/3K4 w - - 0 1", "d1", "e1", false},    // the king steps into the rook's file
      {"7k/8/8/8/8/8/8/4K2R w K - 0 1", "e1", "g1", true},      // castling
      {"7k/8/8/K2pP2r/8/8/8/8 w - d6 0 1", "e5", "d6", false},  // en passant empties the rank
      {"4r2k/8/8/8/8/8/3B4/4K3 w - - 0 1", "d2", "e3", true},   // the check is blocked
      {"4r2k/8/8/8/8/8/3B4/4K3 w - - 0 1", "d2", "c3", false},  // the check is ignored
      {"4k3/8/8/8/8/8/8/r3K3 b - - 0 1", "a1", "a8", true},     // Black's move, nothing at stake
  };
  for (const Case& c : cases) {
    set_position(c.fen);
    MoveList list;
    generate_all_moves(list);
    int index = -1;
    for (int i = 0; i < list.move_count; ++i)
      if (from_coord(list.move[i]) == static_cast<unsigned>(sq(c.from)) &&
          to_coord(list.move[i]) == static_cast<unsigned>(sq(c.to)))
        index = i;
    ASSERT_GE(index, 0) << c.fen << " " << c.from << c.to;
    const auto i = static_cast<std::uint8_t>(index);
    const BoardState before = thread.bitboard;
    const bool white = before.colour_move == 1;
    EXPECT_EQ(white ? is_legal<WHITE>(1, i, list) : is_legal<BLACK>(1, i, list), c.legal) << c.fen;
    EXPECT_TRUE(boards_equal(thread.bitboard, before)) << c.fen;
    EXPECT_EQ(white ? make_if_legal<WHITE>(1, i, list) : make_if_legal<BLACK>(1, i, list), c.legal) << c.fen;
    EXPECT_EQ(boards_equal(thread.bitboard, before), !c.legal) << c.fen;
    if (c.legal) {
      EXPECT_NE(thread.bitboard.colour_move, before.colour_move) << c.fen;
    }
  }
}

}  // namespace
