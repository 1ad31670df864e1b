// The pawn term: placement tables chosen by phase and king square, open files,
// passed pawns and pawns sharing a file.
#include <gtest/gtest.h>

#include "board/board.h"
#include "eval/eval_tables.h"
#include "eval/evaluate.h"
#include "movegen/tables.h"
#include "support/test_support.h"

namespace {

constexpr std::uint16_t MIDDLE = 4000;
constexpr KingSquares e1_e8{4, 60};

std::int32_t pawn_term(const std::string& fen, KingSquares kings = e1_e8, std::uint16_t white_material = MIDDLE,
                       std::uint16_t black_material = MIDDLE) {
  set_position(fen);
  return evaluate_pawns(kings, white_material, black_material);
}

TEST(EvaluatePawns, PassedPawnOnE5) {
  // Own file and both neighbours clear: 10 + 10 + 10, passed on rank 5: 40.
  EXPECT_EQ(pawn_term("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1"), 30 + 40);
  // In the endgame the placement table adds 20 for rank 5.
  EXPECT_EQ(pawn_term("4k3/8/8/4P3/8/8/8/4K3 w - - 0 1", e1_e8, MIDDLE, 0), 20 + 30 + 40);
}

TEST(EvaluatePawns, APawnAgainstBPawn) {
  // a4: own file clear (+10), b-file blocked by b6, so one side only and no
  // passed bonus: 10. b6: own file and c-file clear (-20), a-file blocked by a4.
  EXPECT_EQ(pawn_term("4k3/8/1p6/8/P7/8/8/4K3 w - - 0 1"), 10 - 20);
  // In both endgames: a4 adds 15 (rank 4), b6 subtracts 10 (b3 for White).
  EXPECT_EQ(pawn_term("4k3/8/1p6/8/P7/8/8/4K3 w - - 0 1", e1_e8, 100, 100), 15 + 10 - (10 + 20));
}

TEST(EvaluatePawns, EdgePawnsNeedOnlyOneNeighbourFile) {
  EXPECT_EQ(pawn_term("4k3/8/8/7P/8/8/8/4K3 w - - 0 1"), 20 + 40);
  EXPECT_EQ(pawn_term("4k3/8/8/8/p7/8/8/4K3 w - - 0 1"), -(20 + 40));
  // A Black pawn on g6 blocks h5's only neighbour file.
  EXPECT_EQ(pawn_term("4k3/8/6p1/7P/8/8/8/4K3 w - - 0 1"), 10 - 20);
}

TEST(EvaluatePawns, NeighbourFilesAreLookedAtFromTheNextRankOn) {
  // e4 and f4 side by side: neither is in front of the other, both are passed.
  // e4: centre 16, 30, passed 30. f4: 30, passed 40 (rank 5 from Black's side).
  EXPECT_EQ(pawn_term("4k3/8/8/8/4Pp2/8/8/4K3 w - - 0 1"), (16 + 30 + 30) - (30 + 40));
}

TEST(EvaluatePawns, OneClearNeighbourIsNotPassed) {
  // e4: centre 16, own file and f-file clear, d7 blocks the d-file: 36.
  // d7: own and c-file clear, e4 blocks the e-file: -20.
  EXPECT_EQ(pawn_term("4k3/3p4/8/8/4P3/8/8/4K3 w - - 0 1"), 36 - 20);
  // A blocked file gives nothing at all, whatever the neighbours.
  EXPECT_EQ(pawn_term("4k3/4p3/8/8/4P3/8/8/4K3 w - - 0 1"), 16);
}

TEST(EvaluatePawns, DoubledPawnsCountOncePerFile) {
  // c2 alone: 30; c3: 30 + 20; c4: 30 + 30.
  EXPECT_EQ(pawn_term("4k3/8/8/8/8/8/2P5/4K3 w - - 0 1"), 30);
  EXPECT_EQ(pawn_term("4k3/8/8/8/8/2P5/2P5/4K3 w - - 0 1"), 30 + 50 - 10);
  EXPECT_EQ(pawn_term("4k3/8/8/8/2P5/2P5/2P5/4K3 w - - 0 1"), 30 + 50 + 60 - 10);
  EXPECT_EQ(pawn_term("4k3/2p5/2p5/8/8/8/8/4K3 w - - 0 1"), -(30 + 50) + 10);
  EXPECT_EQ(pawn_term("4k3/8/2p5/2p5/2p5/8/8/4K3 w - - 0 1"), -(50 + 60 + 70) + 10);
  // Two doubled files of each side.
  EXPECT_EQ(pawn_term("4k3/pp6/pp6/8/8/6PP/6PP/4K3 w - - 0 1"), -10 - 10 + 10 + 10);
}

// a5, g4 and e3 against a7, g7 and e7: every file blocked both ways, so only
// White's placement is left (Black's pawns stand on its second rank).
constexpr const char* blocked = "4k3/p3p1p1/8/P7/6P1/4P3/8/4K3 w - - 0 1";

TEST(EvaluatePawns, WhiteTableFollowsTheKing) {
  EXPECT_EQ(pawn_term(blocked, {6, 60}), 3 + 0 + 15);                  // g1: king side
  EXPECT_EQ(pawn_term(blocked, {7, 60}), 3 + 0 + 15);                  // h1
  EXPECT_EQ(pawn_term(blocked, {0, 60}), 0 + 2 + 15);                  // a1: queen side
  EXPECT_EQ(pawn_term(blocked, {1, 60}), 0 + 2 + 15);                  // b1
  EXPECT_EQ(pawn_term(blocked, {2, 60}), 0 + 2 + 15);                  // c1
  EXPECT_EQ(pawn_term(blocked, {3, 60}), 15);                          // d1: centre
  EXPECT_EQ(pawn_term(blocked, {5, 60}), 15);                          // f1
  EXPECT_EQ(pawn_term(blocked, {14, 60}), 15);                         // g2
  EXPECT_EQ(pawn_term(blocked, {62, 60}), 15);                         // g8 means nothing for White
  EXPECT_EQ(pawn_term(blocked, {6, 60}, MIDDLE, 1800), 20 + 15 + 10);  // endgame
  EXPECT_EQ(pawn_term(blocked, {6, 60}, MIDDLE, 1801), 3 + 0 + 15);
}

// The same turned over: a4, g5 and e6 against a2, g2 and e2.
constexpr const char* blocked_black = "4k3/8/4p3/6p1/p7/8/P3P1P1/4K3 w - - 0 1";

TEST(EvaluatePawns, BlackTableFollowsTheKing) {
  EXPECT_EQ(pawn_term(blocked_black, {4, 62}), -18);  // g8: king side
  EXPECT_EQ(pawn_term(blocked_black, {4, 63}), -18);  // h8
  EXPECT_EQ(pawn_term(blocked_black, {4, 56}), -17);  // a8: queen side
  EXPECT_EQ(pawn_term(blocked_black, {4, 57}), -17);  // b8
  EXPECT_EQ(pawn_term(blocked_black, {4, 58}), -17);  // c8
  EXPECT_EQ(pawn_term(blocked_black, {4, 59}), -15);  // d8: centre
  EXPECT_EQ(pawn_term(blocked_black, {4, 6}), -15);   // g1 means nothing for Black
  EXPECT_EQ(pawn_term(blocked_black, {4, 62}, 1800, MIDDLE), -45);
  EXPECT_EQ(pawn_term(blocked_black, {4, 62}, 1801, MIDDLE), -18);
}

TEST(EvaluatePawns, NoPawns) { EXPECT_EQ(pawn_term("4k3/8/8/8/8/8/8/4K3 w - - 0 1"), 0); }

// The rule as it reads, pawn by pawn: placement; +10 for a file clear of enemy
// pawns ahead and then +10 for each clear neighbour file; the passed bonus
// when both sides are clear (the board edge counting as one); -10 for every
// file holding more than one pawn.
template <Colour C>
int rule_pawn_term(const PieceSquareTable& placement) {
  const SquareTable& ahead = C == WHITE ? ray_north : ray_south;
  const PassedPawnTable& passed = C == WHITE ? passed_pawn_white : passed_pawn_black;
  const std::uint64_t own = C == WHITE ? thread.bitboard.white_piece[PAWN] : thread.bitboard.black_piece[PAWN];
  const std::uint64_t enemy = C == WHITE ? thread.bitboard.black_piece[PAWN] : thread.bitboard.white_piece[PAWN];
  int score = 0, on_file[8] = {};
  for (int s = 0; s < 64; ++s) {
    if (!(own & square_bit[s])) continue;
    const int f = s % 8;
    score += placement[s];
    ++on_file[f];
    if (ahead[s] & enemy) continue;
    score += 10;
    int sides = (f == 0 || f == 7) ? 1 : 0;
    if (f < 7 && !(ahead[s + 1] & enemy)) score += 10, ++sides;
    if (f > 0 && !(ahead[s - 1] & enemy)) score += 10, ++sides;
    if (sides == 2) score += passed[s];
  }
  for (int count : on_file) score -= count > 1 ? 10 : 0;
  return score;
}

TEST(EvaluatePawns, AgreesWithTheRulePawnByPawnOnRandomStructures) {
  std::uint64_t seed = 0x9E3779B97F4A7C15ULL;
  auto next = [&seed] {
    seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17;
    return seed;
  };
  for (int trial = 0; trial < 20000; ++trial) {
    clear_board();
    // Any square, the first and last ranks too: the tools read such boards as written.
    const std::uint64_t white = next() & next(), black = next() & next() & ~white;
    thread.bitboard.white_piece[PAWN] = white;
    thread.bitboard.black_piece[PAWN] = black;
    // King squares e1 and e8, so both sides use their centre tables, or the endgame tables.
    const bool endgame = trial % 2 == 1;
    const std::uint16_t material = endgame ? 0 : MIDDLE;
    const int expected = rule_pawn_term<WHITE>(endgame ? pawn_end_white : pawn_centre_white) -
                         rule_pawn_term<BLACK>(endgame ? pawn_end_black : pawn_centre_black);
    ASSERT_EQ(evaluate_pawns_from_scratch(e1_e8, material, material), expected)
        << "white " << white << " black " << black << " endgame " << endgame;
  }
}

}  // namespace
