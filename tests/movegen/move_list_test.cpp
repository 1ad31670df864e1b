// The move word, add_move and the exchange sort of the capture prefix.
#include <gtest/gtest.h>

#include "board/move.h"
#include "movegen_helpers.h"

namespace {

TEST(MoveWord, WhiteKingSideCastlingWord) {
  const Move m = pack_move(MOVE_CASTLE_KING, 6, 4, 6, 0);
  EXPECT_EQ(m, 102252800u);
  EXPECT_EQ(m, 0x06184100u);
  EXPECT_EQ(name_capture(m), 0u);
}

TEST(MoveWord, FieldsComeBackOut) {
  const Move m = pack_move(MOVE_CAPTURE_PROMOTE_ROOK, 1, 52, 61, 4);  // e7xf8=R taking a rook
  EXPECT_EQ(m, 4u + 24u * 64 + 52u * 4096 + 61u * 262144 + 1u * 16777216);
  EXPECT_EQ(name_capture(m), 4u);
  EXPECT_EQ(kind_move(m), 24u);
  EXPECT_EQ(from_coord(m), 52u);
  EXPECT_EQ(to_coord(m), 61u);
  EXPECT_EQ(name_piece(m), 1u);
}

TEST(MoveWord, FieldsDoNotBleedIntoEachOther) {
  const Move all = pack_move(63, 63, 63, 63, 63);
  EXPECT_EQ(all, 0x3FFFFFFFu);  // the two top bits stay clear
  for (unsigned v : {0u, 1u, 33u, 63u}) {
    EXPECT_EQ(name_capture(pack_move(0, 0, 0, 0, v)), v);
    EXPECT_EQ(kind_move(pack_move(v, 0, 0, 0, 0)), v);
    EXPECT_EQ(from_coord(pack_move(0, 0, v, 0, 0)), v);
    EXPECT_EQ(to_coord(pack_move(0, 0, 0, v, 0)), v);
    EXPECT_EQ(name_piece(pack_move(0, v, 0, 0, 0)), v);
    const Move others = pack_move(v, v, v, v, v) ^ all;
    EXPECT_EQ(others, pack_move(63 - v, 63 - v, 63 - v, 63 - v, 63 - v));
  }
}

TEST(MoveWord, EnPassantWordNamesAPawnAsCaptured) {
  const Move m = pack_move(MOVE_EN_PASSANT, 1, sq("e5"), sq("d6"), 1);
  EXPECT_EQ(name_capture(m), 1u);
  EXPECT_EQ(kind_move(m), 5u);
}

TEST(MoveWord, KindCodes) {
  EXPECT_EQ(MOVE_QUIET, 1);
  EXPECT_EQ(MOVE_CAPTURE, 2);
  EXPECT_EQ(MOVE_CASTLE_QUEEN, 3);
  EXPECT_EQ(MOVE_CASTLE_KING, 4);
  EXPECT_EQ(MOVE_EN_PASSANT, 5);
  EXPECT_EQ(MOVE_PROMOTE_KNIGHT, 12);
  EXPECT_EQ(MOVE_PROMOTE_QUEEN, 15);
  EXPECT_EQ(MOVE_CAPTURE_PROMOTE_KNIGHT, 22);
  EXPECT_EQ(MOVE_CAPTURE_PROMOTE_QUEEN, 25);
}

TEST(AddMove, WritesWordAndKindAsScoreAtTheEnd) {
  MoveList list = rubbish_list();
  list.capture_count = 2;
  list.move_count = 3;
  const MoveList before = list;
  add_move(list, MOVE_CASTLE_QUEEN, 6, 4, 2, 0);
  EXPECT_EQ(list.move_count, 4);
  EXPECT_EQ(list.capture_count, 2);
  EXPECT_EQ(list.move[3], pack_move(3, 6, 4, 2, 0));
  EXPECT_EQ(list.score[3], 3);
  for (int i = 0; i < 256; ++i) {
    if (i == 3) continue;
    EXPECT_EQ(list.move[i], before.move[i]) << i;
    EXPECT_EQ(list.score[i], before.score[i]) << i;
  }
}

// Lists with distinct marker words so that every entry can be followed.
MoveList list_with_scores(std::initializer_list<int> scores, int capture_count) {
  MoveList list = rubbish_list();
  int i = 0;
  for (int s : scores) {
    list.move[i] = static_cast<Move>(1000 + i);
    list.score[i] = s;
    ++i;
  }
  list.move_count = static_cast<std::uint8_t>(i);
  list.capture_count = static_cast<std::uint8_t>(capture_count);
  return list;
}

std::vector<Move> moves_of(const MoveList& list) { return {list.move, list.move + list.move_count}; }

TEST(SortCaptures, EqualScoresEndReversedAfterACarry) {
  MoveList list = list_with_scores({5, 5, 9}, 3);
  sort_captures(list);
  EXPECT_EQ(moves_of(list), (std::vector<Move>{1002, 1001, 1000}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{9, 5, 5}));
}

TEST(SortCaptures, EqualScoresAreNeverExchangedDirectly) {
  MoveList list = list_with_scores({4, 4, 4}, 3);
  sort_captures(list);
  EXPECT_EQ(moves_of(list), (std::vector<Move>{1000, 1001, 1002}));
}

TEST(SortCaptures, FollowsTheExchangeSequenceNotAStableOrder) {
  // i=0 swaps with j=3; i=1 swaps with j=2; i=2 swaps with j=3. A stable sort
  // would give 1003, 1000, 1002, 1001.
  MoveList list = list_with_scores({2, 1, 2, 3}, 4);
  sort_captures(list);
  EXPECT_EQ(moves_of(list), (std::vector<Move>{1003, 1002, 1000, 1001}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{3, 2, 2, 1}));
}

TEST(SortCaptures, ComparesScoresAsSigned) {
  MoveList list = list_with_scores({-5, 2, -1, -9999999}, 4);
  sort_captures(list);
  EXPECT_EQ(moves_of(list), (std::vector<Move>{1001, 1002, 1000, 1003}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{2, -1, -5, -9999999}));
}

TEST(SortCaptures, ZeroOrOneCaptureLeavesTheListAlone) {
  for (int captures : {0, 1}) {
    MoveList list = list_with_scores({1, 7, 3, 9, 2}, captures);
    const MoveList before = list;
    sort_captures(list);
    EXPECT_EQ(std::memcmp(&list, &before, sizeof list), 0) << captures;
  }
}

TEST(SortCaptures, EntriesFromCaptureCountOnAreUntouched) {
  MoveList list = list_with_scores({1, 3, 2, 100, 50, 75}, 3);
  const MoveList before = list;
  sort_captures(list);
  EXPECT_EQ(moves_of(list), (std::vector<Move>{1001, 1002, 1000, 1003, 1004, 1005}));
  EXPECT_EQ(scores_of(list), (std::vector<int>{3, 2, 1, 100, 50, 75}));
  EXPECT_EQ(list.move_count, before.move_count);
  EXPECT_EQ(list.capture_count, before.capture_count);
  for (int i = 3; i < 256; ++i) {
    EXPECT_EQ(list.move[i], before.move[i]) << i;
    EXPECT_EQ(list.score[i], before.score[i]) << i;
  }
}

}  // namespace
