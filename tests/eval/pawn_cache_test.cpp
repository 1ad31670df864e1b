// The pawn cache gives the number the pawn terms give from scratch.
#include <gtest/gtest.h>

#include "board/make_move.h"
#include "eval/evaluate.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "support/test_support.h"

namespace {

constexpr std::uint16_t MIDDLE = 4000, ENDGAME = 1000;
MoveList lists[3];

int compared = 0;

// Every situation the cache tells apart: both endgame flags, and the kings
// where they stand and on each side's homes.
void expect_cache_agrees() {
  const BoardState& b = thread.bitboard;
  const KingSquares where_they_stand{static_cast<std::uint8_t>(std::countr_zero(b.white_piece[KING] | 1ULL << 63)),
                                     static_cast<std::uint8_t>(std::countr_zero(b.black_piece[KING] | 1ULL << 63))};
  for (const KingSquares kings : {where_they_stand, KingSquares{6, 62}, KingSquares{1, 57}, KingSquares{4, 60}})
    for (const std::uint16_t white : {MIDDLE, ENDGAME})
      for (const std::uint16_t black : {MIDDLE, ENDGAME}) {
        const std::int32_t expected = evaluate_pawns_from_scratch(kings, white, black);
        ASSERT_EQ(evaluate_pawns(kings, white, black), expected);
        ASSERT_EQ(evaluate_pawns(kings, white, black), expected);  // now from the cache
        ++compared;
      }
}

template <Colour Us>
void walk(int depth) {
  expect_cache_agrees();
  if (depth == 0) return;
  MoveList& list = lists[depth - 1];
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  for (std::uint8_t i = 0; i < list.move_count; ++i) {
    make_move<Us>(0, i, list);
    if (!king_attacked<Us>()) walk<~Us>(depth - 1);
    unmake_move<Us>(0, i, list);
  }
}

TEST(PawnCache, AgreesWithTheTermsFromScratchOverATreeOfPositions) {
  for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                          "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
                          "rnbqkb1r/pp1p1ppp/4pn2/2p5/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 0 4"}) {
    set_position(fen);
    walk<WHITE>(2);
  }
  EXPECT_GT(compared, 10000);
}

TEST(PawnCache, TheSamePawnsWithTheKingElsewhereAreScoredAfresh) {
  set_position("4k3/pp3ppp/8/8/PP6/8/5PPP/4K3 w - - 0 1");  // a4 and b4 may storm past a king on g1
  const std::int32_t centre = evaluate_pawns(KingSquares{4, 60}, MIDDLE, MIDDLE);
  const std::int32_t castled = evaluate_pawns(KingSquares{6, 60}, MIDDLE, MIDDLE);
  EXPECT_NE(centre, castled);
  EXPECT_EQ(castled, evaluate_pawns_from_scratch(KingSquares{6, 60}, MIDDLE, MIDDLE));
  EXPECT_EQ(evaluate_pawns(KingSquares{4, 60}, MIDDLE, MIDDLE), centre);
}

}  // namespace
