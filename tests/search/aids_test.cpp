// Killers, the repetition test over the two key histories, and the best-line
// operations.
#include "search/aids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "board/board.h"
#include "board/move.h"

namespace {

// Distinct quiet moves, told apart by their squares.
constexpr Move move_number(unsigned n) { return pack_move(MOVE_QUIET, KNIGHT, n % 64, (n + 17) % 64, NO_PIECE); }

// A list of `count` moves; the score of each is 1000 + its place, so the scores
// show where every move came from.
MoveList numbered_list(int count) {
  MoveList list{};
  for (int i = 0; i < count; ++i) {
    list.move[i] = move_number(static_cast<unsigned>(i));
    list.score[i] = 1000 + i;
  }
  list.move_count = static_cast<std::uint8_t>(count);
  return list;
}

// The places (original positions) of the moves now in the list, in order.
std::vector<int> order_of(const MoveList& list) {
  std::vector<int> places;
  for (int i = 0; i < list.move_count; ++i) {
    EXPECT_EQ(list.move[i], move_number(static_cast<unsigned>(list.score[i] - 1000)))
        << "move and score parted at " << i;
    places.push_back(list.score[i] - 1000);
  }
  return places;
}

void clear_killers() {
  std::memset(thread.killer_1, 0, sizeof thread.killer_1);
  std::memset(thread.killer_2, 0, sizeof thread.killer_2);
}

using Places = std::vector<int>;

}  // namespace

TEST(SaveKiller, TheNewestIsFirstAndTheOneBeforeItSecond) {
  clear_killers();
  const MoveList list = numbered_list(8);
  save_killer(list, 3, 7);
  EXPECT_EQ(thread.killer_1[7], move_number(3));
  EXPECT_EQ(thread.killer_2[7], 0u);
  save_killer(list, 5, 7);
  EXPECT_EQ(thread.killer_1[7], move_number(5));
  EXPECT_EQ(thread.killer_2[7], move_number(3));
  save_killer(list, 6, 7);
  EXPECT_EQ(thread.killer_1[7], move_number(6));
  EXPECT_EQ(thread.killer_2[7], move_number(5));
  // Other plies keep theirs.
  EXPECT_EQ(thread.killer_1[6], 0u);
  EXPECT_EQ(thread.killer_1[8], 0u);
}

TEST(SaveKiller, TheFirstKillerAgainChangesNothing) {
  clear_killers();
  const MoveList list = numbered_list(8);
  save_killer(list, 3, 2);
  save_killer(list, 5, 2);
  save_killer(list, 5, 2);
  EXPECT_EQ(thread.killer_1[2], move_number(5));
  EXPECT_EQ(thread.killer_2[2], move_number(3));
  // The second killer again swaps the two.
  save_killer(list, 3, 2);
  EXPECT_EQ(thread.killer_1[2], move_number(3));
  EXPECT_EQ(thread.killer_2[2], move_number(5));
}

TEST(SaveKiller, WorksAtTheLastPly) {
  clear_killers();
  const MoveList list = numbered_list(3);
  save_killer(list, 2, MAX_PLY);
  EXPECT_EQ(thread.killer_1[MAX_PLY], move_number(2));
}

TEST(OrderKillers, WithoutKillersTheListIsUnchanged) {
  clear_killers();
  MoveList list = numbered_list(10);
  order_killers(list, 4, 0);
  EXPECT_EQ(order_of(list), (Places{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  order_killers(list, 4, 1);
  EXPECT_EQ(order_of(list), (Places{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(OrderKillers, TheFirstKillerBehindTheBestCaptureShiftsTheMovesBetween) {
  clear_killers();
  thread.killer_1[3] = move_number(5);
  MoveList list = numbered_list(8);
  order_killers(list, 3, 1);
  EXPECT_EQ(order_of(list), (Places{0, 5, 1, 2, 3, 4, 6, 7}));
}

TEST(OrderKillers, TheFirstKillerGoesToTheFrontWithStartZero) {
  clear_killers();
  thread.killer_1[3] = move_number(5);
  MoveList list = numbered_list(8);
  order_killers(list, 3, 0);
  EXPECT_EQ(order_of(list), (Places{5, 0, 1, 2, 3, 4, 6, 7}));
}

TEST(OrderKillers, BothKillersTakeTheirPlacesInTurn) {
  clear_killers();
  thread.killer_1[9] = move_number(3);
  thread.killer_2[9] = move_number(6);
  MoveList list = numbered_list(8);
  order_killers(list, 9, 1);
  EXPECT_EQ(order_of(list), (Places{0, 3, 6, 1, 2, 4, 5, 7}));
  // Already in place: nothing moves.
  order_killers(list, 9, 1);
  EXPECT_EQ(order_of(list), (Places{0, 3, 6, 1, 2, 4, 5, 7}));
}

TEST(OrderKillers, TheSecondKillerAimsBehindTheFirstPlaceEvenWhenTheFirstIsMissing) {
  clear_killers();
  thread.killer_1[1] = move_number(40);  // not in the list
  thread.killer_2[1] = move_number(4);
  MoveList list = numbered_list(6);
  order_killers(list, 1, 0);
  EXPECT_EQ(order_of(list), (Places{0, 4, 1, 2, 3, 5}));
  clear_killers();
  thread.killer_2[1] = move_number(5);
  list = numbered_list(6);
  order_killers(list, 1, 1);
  EXPECT_EQ(order_of(list), (Places{0, 1, 5, 2, 3, 4}));
}

TEST(OrderKillers, AKillerBeforeItsPlaceStaysWhereItIs) {
  clear_killers();
  thread.killer_1[2] = move_number(0);  // the best capture itself
  MoveList list = numbered_list(6);
  order_killers(list, 2, 1);
  EXPECT_EQ(order_of(list), (Places{0, 1, 2, 3, 4, 5}));
  // The second killer at the first place, aimed at the second.
  clear_killers();
  thread.killer_2[2] = move_number(0);
  order_killers(list, 2, 0);
  EXPECT_EQ(order_of(list), (Places{0, 1, 2, 3, 4, 5}));
  // The first killer moved in front of the second: the second is then before its
  // place and stays.
  clear_killers();
  thread.killer_1[2] = move_number(4);
  thread.killer_2[2] = move_number(1);
  order_killers(list, 2, 1);
  EXPECT_EQ(order_of(list), (Places{0, 4, 1, 2, 3, 5}));
}

TEST(OrderKillers, OnlyTheMovesOfTheListAreSearched) {
  clear_killers();
  MoveList list = numbered_list(8);
  list.move_count = 5;  // places 5 to 7 are stale
  thread.killer_1[0] = move_number(6);
  thread.killer_2[0] = move_number(5);
  order_killers(list, 0, 0);
  EXPECT_EQ(order_of(list), (Places{0, 1, 2, 3, 4}));
  EXPECT_EQ(list.move[5], move_number(5));
  EXPECT_EQ(list.move[6], move_number(6));
  // The last move of the list is found.
  thread.killer_1[0] = move_number(4);
  order_killers(list, 0, 0);
  EXPECT_EQ(order_of(list), (Places{4, 0, 1, 2, 3}));
}

TEST(OrderKillers, AShortListIsLeftAlone) {
  clear_killers();
  thread.killer_1[5] = move_number(1);
  thread.killer_2[5] = move_number(2);
  MoveList list = numbered_list(1);
  order_killers(list, 5, 1);
  EXPECT_EQ(order_of(list), (Places{0}));
  list = numbered_list(0);
  order_killers(list, 5, 0);
  EXPECT_EQ(list.move_count, 0);
}

namespace {

// Histories whose keys are all different: search entry p holds 1000 + p, game
// entry k holds 5000 + k, and `count` game positions precede the root.
void distinct_histories(std::uint16_t count) {
  for (int p = 0; p <= MAX_PLY; ++p) thread.key_history_search[p] = 1000 + static_cast<std::uint64_t>(p);
  for (int k = 0; k < 1000; ++k) key_history_game[k] = 5000 + static_cast<std::uint64_t>(k);
  key_history_game_count = count;
}

}  // namespace

TEST(Repetition, DistinctKeysAreNoRepetition) {
  distinct_histories(40);
  for (int ply = 0; ply <= MAX_PLY; ++ply) EXPECT_FALSE(test_repetition(static_cast<std::uint8_t>(ply))) << ply;
}

TEST(Repetition, AtPlyFourTheRootIsCompared) {
  distinct_histories(10);
  thread.key_history_search[4] = thread.key_history_search[0];
  EXPECT_TRUE(test_repetition(4));
  // Two plies back is the other side's move, and never compared.
  distinct_histories(10);
  thread.key_history_search[4] = thread.key_history_search[2];
  EXPECT_FALSE(test_repetition(4));
  for (const int back : {1, 3}) {
    distinct_histories(10);
    thread.key_history_search[4] = thread.key_history_search[4 - back];
    EXPECT_FALSE(test_repetition(4)) << back;
  }
  // The game history is not consulted once the search has four plies of its own.
  distinct_histories(10);
  thread.key_history_search[4] = key_history_game[6];
  EXPECT_FALSE(test_repetition(4));
  thread.key_history_search[4] = key_history_game[8];
  EXPECT_FALSE(test_repetition(4));
}

TEST(Repetition, InsideTheSearchEveryEvenDistanceFromFourOnCounts) {
  for (const int earlier : {0, 2, 4, 6}) {
    distinct_histories(0);
    thread.key_history_search[10] = thread.key_history_search[earlier];
    EXPECT_TRUE(test_repetition(10)) << earlier;
  }
  for (const int earlier : {1, 3, 5, 7, 8, 9}) {
    distinct_histories(0);
    thread.key_history_search[10] = thread.key_history_search[earlier];
    EXPECT_FALSE(test_repetition(10)) << earlier;
  }
  distinct_histories(0);
  thread.key_history_search[MAX_PLY] = thread.key_history_search[0];
  EXPECT_TRUE(test_repetition(MAX_PLY));
}

TEST(Repetition, AtPlyFiveOnlyPlyOneIsCompared) {
  distinct_histories(20);
  thread.key_history_search[5] = thread.key_history_search[1];
  EXPECT_TRUE(test_repetition(5));
  for (const int other : {0, 2, 3, 4}) {
    distinct_histories(20);
    thread.key_history_search[5] = thread.key_history_search[other];
    EXPECT_FALSE(test_repetition(5)) << other;
  }
  for (const int game : {20, 19, 18, 17, 16, 15}) {
    distinct_histories(20);
    thread.key_history_search[5] = key_history_game[game];
    EXPECT_FALSE(test_repetition(5)) << game;
  }
}

TEST(Repetition, AtPlyTwoTheGamePositionsTwoFourAndMoreBackAreCompared) {
  for (const int game : {4, 2, 0}) {
    distinct_histories(6);
    thread.key_history_search[2] = key_history_game[game];
    EXPECT_TRUE(test_repetition(2)) << game;
  }
  // Odd distances, the root itself, and the game's later entries are not.
  for (const int game : {6, 5, 3, 1, 7, 8}) {
    distinct_histories(6);
    thread.key_history_search[2] = key_history_game[game];
    EXPECT_FALSE(test_repetition(2)) << game;
  }
  // Nor is the search history.
  distinct_histories(6);
  thread.key_history_search[2] = thread.key_history_search[0];
  EXPECT_FALSE(test_repetition(2));
}

TEST(Repetition, ShallowPliesReachAsFarBackAsTheGameGoes) {
  // Ply 1 and ply 3 compare with game entries of the other parity.
  distinct_histories(7);
  thread.key_history_search[1] = key_history_game[4];
  EXPECT_TRUE(test_repetition(1));
  thread.key_history_search[1] = key_history_game[0];
  EXPECT_TRUE(test_repetition(1));
  thread.key_history_search[1] = key_history_game[5];
  EXPECT_FALSE(test_repetition(1));
  distinct_histories(7);
  thread.key_history_search[3] = key_history_game[6];
  EXPECT_TRUE(test_repetition(3));
  thread.key_history_search[3] = key_history_game[2];
  EXPECT_TRUE(test_repetition(3));
  thread.key_history_search[3] = key_history_game[7];
  EXPECT_FALSE(test_repetition(3));
  thread.key_history_search[3] = key_history_game[5];
  EXPECT_FALSE(test_repetition(3));
  // Ply 0: four back is the first entry compared.
  distinct_histories(7);
  thread.key_history_search[0] = key_history_game[3];
  EXPECT_TRUE(test_repetition(0));
  thread.key_history_search[0] = key_history_game[5];
  EXPECT_FALSE(test_repetition(0));
}

TEST(Repetition, AShortGameHasNothingToCompare) {
  for (int ply = 0; ply <= 3; ++ply) {
    distinct_histories(static_cast<std::uint16_t>(3 - ply));
    // Entry 0 would be the only candidate, and it lies beyond the start.
    thread.key_history_search[ply] = key_history_game[0];
    EXPECT_FALSE(test_repetition(static_cast<std::uint8_t>(ply))) << ply;
  }
  distinct_histories(0);
  thread.key_history_search[3] = key_history_game[0];
  EXPECT_FALSE(test_repetition(3));
}

TEST(Repetition, TheLongestGameHistoryIsReachable) {
  distinct_histories(255);
  thread.key_history_search[3] = key_history_game[254];
  EXPECT_TRUE(test_repetition(3));
  thread.key_history_search[3] = key_history_game[0];
  EXPECT_TRUE(test_repetition(3));
  thread.key_history_search[2] = key_history_game[1];
  EXPECT_TRUE(test_repetition(2));
}

TEST(BestLine, SetCopiesThePathWithTheScore) {
  for (int p = 0; p <= MAX_PLY; ++p) thread.line_current[p] = move_number(static_cast<unsigned>(p + 1));
  thread.PV_line.moves[5] = 12345;
  set_best_line(3, -42);
  EXPECT_EQ(thread.PV_line.length, 3);
  EXPECT_EQ(thread.PV_line.score_move, -42);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(thread.PV_line.moves[k], move_number(static_cast<unsigned>(k + 1)));
  EXPECT_EQ(thread.PV_line.moves[5], 12345u);
  set_best_line(MAX_PLY, 7);
  EXPECT_EQ(thread.PV_line.length, MAX_PLY);
  EXPECT_EQ(thread.PV_line.moves[MAX_PLY - 1], move_number(MAX_PLY));
}

TEST(BestLine, SetAtPlyZeroIsAnEmptyLine) {
  thread.PV_line.length = 4;
  thread.PV_line.score_move = 1;
  set_best_line(0, 250);
  EXPECT_EQ(thread.PV_line.length, 0);
  EXPECT_EQ(thread.PV_line.score_move, 250);
}

TEST(BestLine, SaveAndRestoreCopyTheLineBothWays) {
  for (int p = 0; p < 6; ++p) thread.line_current[p] = move_number(static_cast<unsigned>(p + 30));
  set_best_line(6, 77);
  PvLine local{};
  save_best_line(local);
  EXPECT_EQ(local.length, 6);
  EXPECT_EQ(local.score_move, 77);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(local.moves[k], move_number(static_cast<unsigned>(k + 30)));

  set_best_line(2, -5);
  EXPECT_EQ(thread.PV_line.length, 2);
  restore_best_line(local);
  EXPECT_EQ(thread.PV_line.length, 6);
  EXPECT_EQ(thread.PV_line.score_move, 77);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(thread.PV_line.moves[k], move_number(static_cast<unsigned>(k + 30)));
}
