// The main thread's root moves as the helpers take them: from the far end of the
// list, never one the main thread has come to, and none of a list that a newer
// one or a new iteration has replaced. And helpers added between searches.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "board/move.h"
#include "hash/hash.h"
#include "search/shared.h"
#include "search/threads.h"
#include "support/test_support.h"

namespace {

MoveList root_list(int count) {
  MoveList list{};
  for (int i = 0; i < count; ++i)
    add_move(list, MOVE_QUIET, 1, static_cast<unsigned>(i), static_cast<unsigned>(i + 8), 0);
  return list;
}

// The moves a helper takes, by their index in the list, until none is left.
std::vector<int> taken(std::uint32_t generation) {
  std::vector<int> indexes;
  RootMoveTask task;
  while (take_root_move(generation, task)) indexes.push_back(static_cast<int>(from_coord(task.move)));
  return indexes;
}

TEST(RootMovesShared, HelpersTakeFromTheFarEndUntilTheyMeetTheMainThread) {
  ASSERT_EQ(set_search_threads(2), 2);
  const MoveList list = root_list(6);

  // Published after the first move: the helper takes 5, 4, 3 while the main
  // thread stands at 2, and its bound and depth come with each move.
  publish_root_moves(9, 37, list);
  const std::uint32_t first = root_moves_published();
  note_root_move(2, 41);
  RootMoveTask task;
  ASSERT_TRUE(take_root_move(first, task));
  EXPECT_EQ(from_coord(task.move), 5u);
  EXPECT_EQ(task.depth, 9);
  EXPECT_EQ(task.bound, 41);
  EXPECT_EQ(taken(first), (std::vector<int>{4, 3}));

  // A newer list replaces it: the old one gives nothing more.
  publish_root_moves(10, 0, list);
  const std::uint32_t second = root_moves_published();
  EXPECT_NE(second, first);
  EXPECT_EQ(taken(first), std::vector<int>{});
  note_root_move(4, 0);
  EXPECT_EQ(taken(second), std::vector<int>{5});

  // The main thread's next iteration closes the list before it publishes again.
  publish_root_moves(11, 0, list);
  note_root_move(0, 0);
  EXPECT_EQ(taken(root_moves_published()), std::vector<int>{});
  end_helpers();
}

// A helper added after a search waits for the next, as the others do: woken at
// once, it would search the last root with nobody waiting for it to finish.
TEST(HelperPool, AHelperAddedBetweenSearchesWaitsForTheNext) {
  if (!p_hash_moves) init_hash();
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  ASSERT_EQ(set_search_threads(2), 2);
  start_helpers(thread.bitboard);
  stop_helpers();
  ASSERT_EQ(set_search_threads(3), 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(helpers_searched(), 0u);
  end_helpers();
}

}  // namespace
