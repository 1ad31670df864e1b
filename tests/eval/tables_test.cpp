// The evaluation tables against the rules they were written from.
#include <gtest/gtest.h>

#include <algorithm>

#include "eval/eval_tables.h"

namespace {

int file_of(int s) { return s % 8; }
int rank_of(int s) { return s / 8 + 1; }  // 1 to 8
bool on_files(int s, const char* files) {
  for (const char* f = files; *f; ++f)
    if (file_of(s) == *f - 'a') return true;
  return false;
}
int square(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }

TEST(EvalTables, KingMiddleGame) {
  for (int s = 0; s < 64; ++s) {
    int expected = -20;
    if (rank_of(s) == 1) expected = on_files(s, "def") ? 0 : 30;
    if (rank_of(s) == 2) expected = on_files(s, "def") ? -10 : -15;
    EXPECT_EQ(king_middle_white[s], expected) << "square " << s;
    EXPECT_EQ(king_middle_black[s], king_middle_white[s ^ 56]) << "square " << s;
  }
  EXPECT_EQ(king_middle_black[square("g8")], 30);
  EXPECT_EQ(king_middle_black[square("e7")], -10);
}

TEST(EvalTables, KingEndgameIsDistanceFromTheEdge) {
  for (int s = 0; s < 64; ++s) {
    const int f = s % 8, r = s / 8;
    EXPECT_EQ(king_end[s], std::min({f, 7 - f, r, 7 - r})) << "square " << s;
    EXPECT_EQ(king_end[s], king_end[s ^ 56]);
  }
  EXPECT_EQ(&king_end_white, &king_end_black);
  for (const char* centre : {"d4", "e4", "d5", "e5"}) EXPECT_EQ(king_end[square(centre)], 3);
}

TEST(EvalTables, BishopTablesDifferOnlyOnTheHFile) {
  EXPECT_EQ(bishop_white[square("a1")], 11);
  EXPECT_EQ(bishop_white[square("b2")], 13);
  EXPECT_EQ(bishop_white[square("d4")], 14);
  EXPECT_EQ(bishop_white[square("h8")], 11);
  EXPECT_EQ(bishop_black[square("g7")], 13);
  for (int s = 0; s < 64; ++s) {
    const int expected = (s == square("h2") || s == square("h3") || s == square("h4")) ? 10 : 0;
    EXPECT_EQ(bishop_white[s ^ 56] - bishop_black[s], expected) << "square " << s;
  }
  for (const char* h : {"h5", "h6", "h7"}) {
    EXPECT_EQ(bishop_white[square(h)], 10);
    EXPECT_EQ(bishop_black[square(h)], 0);
  }
}

TEST(EvalTables, Knight) {
  for (int s = 0; s < 8; ++s) EXPECT_EQ(knight_white[s], 0);
  EXPECT_EQ(knight_white[square("a4")], 0);
  EXPECT_EQ(knight_white[square("a5")], 11);
  EXPECT_EQ(knight_white[square("d5")], 14);
  EXPECT_EQ(knight_white[square("e4")], 13);
  EXPECT_EQ(knight_white[square("b2")], 11);
  for (int s = 0; s < 64; ++s) EXPECT_EQ(knight_black[s], knight_white[s ^ 56]);
}

TEST(EvalTables, PawnPlacement) {
  for (int s = 0; s < 64; ++s) {
    const int r = rank_of(s);
    const bool storm_ranks = r >= 3 && r <= 7;
    int centre = 0;
    if (on_files(s, "de") && (r == 3 || r == 4)) centre = r == 3 ? 15 : 16;
    EXPECT_EQ(pawn_centre_white[s], centre) << "square " << s;

    int king_side = 0, queen_side = 0;
    if (storm_ranks && on_files(s, "de")) king_side = queen_side = 12 + r;
    if (storm_ranks && on_files(s, "abc")) king_side = r - 2;
    if (storm_ranks && on_files(s, "fgh")) queen_side = r - 2;
    EXPECT_EQ(pawn_king_side_white[s], king_side) << "square " << s;
    EXPECT_EQ(pawn_queen_side_white[s], queen_side) << "square " << s;

    static constexpr int end_by_rank[9] = {0, 0, 0, 10, 15, 20, 25, 50, 0};
    static constexpr int passed_by_rank[9] = {0, 0, 0, 20, 30, 40, 50, 100, 0};
    EXPECT_EQ(pawn_end_white[s], end_by_rank[r]) << "square " << s;
    EXPECT_EQ(passed_pawn_white[s], passed_by_rank[r]) << "square " << s;

    EXPECT_EQ(pawn_centre_black[s], pawn_centre_white[s ^ 56]);
    EXPECT_EQ(pawn_king_side_black[s], pawn_king_side_white[s ^ 56]);
    EXPECT_EQ(pawn_queen_side_black[s], pawn_queen_side_white[s ^ 56]);
    EXPECT_EQ(pawn_end_black[s], pawn_end_white[s ^ 56]);
    EXPECT_EQ(passed_pawn_black[s], passed_pawn_white[s ^ 56]);
  }
  EXPECT_EQ(passed_pawn_black[square("a2")], 100);
  EXPECT_EQ(pawn_end_black[square("h6")], 10);
}

}  // namespace
