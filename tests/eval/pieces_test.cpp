// Rook file mobility and the bishop and knight tables.
#include <gtest/gtest.h>

#include "board/board.h"
#include "eval/evaluate.h"
#include "support/test_support.h"

namespace {

std::uint64_t squares(std::initializer_list<int> list) {
  std::uint64_t set = 0;
  for (int s : list) set |= square_bit[s];
  return set;
}

constexpr int a1 = 0, d1 = 3, h1 = 7, d2 = 11, h2 = 15, d4 = 27, d7 = 51, a8 = 56, d8 = 59;

TEST(RookFileMobility, CornerRookAtTheStart) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(rook_file_mobility(thread.bitboard.all_piece, thread.bitboard.all_white_piece, a1), 0);
  EXPECT_EQ(rook_file_mobility(thread.bitboard.all_piece, thread.bitboard.all_white_piece, h1), 0);
  EXPECT_EQ(rook_file_mobility(thread.bitboard.all_piece, thread.bitboard.all_black_piece, a8), 0);
}

TEST(RookFileMobility, EmptyFile) {
  const std::uint64_t rook = squares({d4});
  EXPECT_EQ(rook_file_mobility(rook, rook, d4), 7);
  EXPECT_EQ(rook_file_mobility(squares({a1}), squares({a1}), a1), 7);
  EXPECT_EQ(rook_file_mobility(squares({a8}), squares({a8}), a8), 7);
  // Pieces on other files do not matter, nor do ranks.
  const std::uint64_t crowd = squares({d4, 26, 28, 18, 36, 0, 63});
  EXPECT_EQ(rook_file_mobility(crowd, crowd, d4), 7);
}

TEST(RookFileMobility, EnemyAtEitherEndCounts) {
  const std::uint64_t own = squares({d4});
  EXPECT_EQ(rook_file_mobility(squares({d4, d7, d2}), own, d4), 3 + 2);
  EXPECT_EQ(rook_file_mobility(squares({d4, d7, d2}), squares({d4, d7, d2}), d4), 2 + 1);
  // Only the nearest piece each way: beyond it nothing is counted.
  EXPECT_EQ(rook_file_mobility(squares({d4, d7, d8, d2, d1}), own, d4), 3 + 2);
  EXPECT_EQ(rook_file_mobility(squares({d1, d2}), squares({d1}), d1), 1);
  EXPECT_EQ(rook_file_mobility(squares({h1, h2}), squares({h1, h2}), h1), 0);
}

// The count as the rule states it: walk each way along the file, stop at the
// first piece, count it unless it is the rook's own.
int walked_file_mobility(std::uint64_t occupied, std::uint64_t own, int square) {
  int count = 0;
  for (int step : {8, -8})
    for (int t = square + step; t >= 0 && t < 64; t += step) {
      if (!(own & square_bit[t])) ++count;
      if (occupied & square_bit[t]) break;
    }
  return count;
}

TEST(RookFileMobility, AgreesWithAWalkAlongTheFile) {
  std::uint64_t seed = 0x2545F4914F6CDD1DULL;
  for (int trial = 0; trial < 2000; ++trial) {
    seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17;
    const std::uint64_t occupied = seed & (seed >> 3), own = occupied & (seed >> 29);
    for (int s = 0; s < 64; ++s)
      ASSERT_EQ(rook_file_mobility(occupied | square_bit[s], own | square_bit[s], s),
                walked_file_mobility(occupied | square_bit[s], own | square_bit[s], s))
          << "square " << s << " occupied " << occupied << " own " << own;
  }
}

std::int32_t piece_term(const std::string& fen) {
  set_position(fen);
  return evaluate_pieces();
}

TEST(EvaluatePieces, Rooks) {
  EXPECT_EQ(piece_term("4k3/8/8/8/3R4/8/8/4K3 w - - 0 1"), 7);
  EXPECT_EQ(piece_term("4k3/8/8/8/3r4/8/8/4K3 w - - 0 1"), -7);
  // Rooks on one file see each other: 3 + 1 (up to and with the enemy rook,
  // down to d1) against 3 + 1 the other way.
  EXPECT_EQ(piece_term("4k3/8/8/3r4/3R4/8/8/4K3 w - - 0 1"), (1 + 3) - (1 + 3));
  // Doubled rooks: each stops at the other.
  EXPECT_EQ(piece_term("4k3/8/8/8/8/8/3R4/3RK3 w - - 0 1"), 0 + 6);
}

TEST(EvaluatePieces, Bishops) {
  EXPECT_EQ(piece_term("4k3/8/8/3B4/8/8/8/2B1K3 w - - 0 1"), 14 + 0);
  EXPECT_EQ(piece_term("2b1k3/8/8/3b4/8/8/8/4K3 w - - 0 1"), -(14 + 0));
  EXPECT_EQ(piece_term("4k3/8/8/8/8/8/1B4B1/4K3 w - - 0 1"), 13 + 13);
  // The h-file: White scores h5, h6, h7; Black scores nothing on h2, h3, h4.
  EXPECT_EQ(piece_term("4k3/7B/7B/7B/8/8/8/4K3 w - - 0 1"), 30);
  EXPECT_EQ(piece_term("4k3/8/8/8/7b/7b/7b/4K3 w - - 0 1"), 0);
  EXPECT_EQ(piece_term("4k3/7b/7b/7b/8/8/8/4K3 w - - 0 1"), 0);
  EXPECT_EQ(piece_term("4k3/8/8/8/7B/7B/7B/4K3 w - - 0 1"), 0);
  EXPECT_EQ(piece_term("7b/8/8/8/8/8/8/B3K3 w - - 0 1"), 11 - 11);
}

TEST(EvaluatePieces, Knights) {
  EXPECT_EQ(piece_term("4k3/8/8/N7/N7/8/8/4K3 w - - 0 1"), 11 + 0);
  EXPECT_EQ(piece_term("4k3/8/8/n7/n7/8/8/4K3 w - - 0 1"), -(0 + 11));
  EXPECT_EQ(piece_term("4k3/8/8/8/3N4/6n1/8/1N2K3 w - - 0 1"), 13 + 0 - 12);
}

TEST(EvaluatePieces, QueensAndKingsHaveNoTerm) {
  EXPECT_EQ(piece_term("3qk3/8/8/8/8/8/8/3QK3 w - - 0 1"), 0);
  EXPECT_EQ(piece_term("8/8/8/3Q4/8/8/8/8 w - - 0 1"), 0);
}

}  // namespace
