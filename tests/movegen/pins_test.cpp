// Pinned pieces and the quick legality test built on them.
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
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

// Whenever the quick test says a move cannot expose the king, the full test
// after making it agrees, over a tree of positions full of pins and checks.
MoveList lists[3];
int checked = 0;

template <Colour Us> void walk(int depth) {
  MoveList& list = lists[depth - 1];
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  const bool in_check = king_attacked<Us>();
  const std::uint64_t pinned = pinned_pieces<Us>();
  for (std::uint8_t i = 0; i < list.move_count; ++i) {
    const bool may = may_expose_king<Us>(list.move[i], in_check, pinned);
    make_move<Us>(static_cast<std::uint8_t>(depth), i, list);
    const bool attacked = king_attacked<Us>() != 0;
    ASSERT_TRUE(may || !attacked) << describe(list.move[i]);
    ++checked;
    if (!attacked && depth > 1) walk<~Us>(depth - 1);
    unmake_move<Us>(static_cast<std::uint8_t>(depth), i, list);
  }
}

TEST(Pins, TheQuickTestNeverPassesAMoveThatExposesTheKing) {
  for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
                          "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
                          "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8"}) {
    set_position(fen);
    walk<WHITE>(3);
  }
  EXPECT_GT(checked, 100000);
}

}  // namespace
