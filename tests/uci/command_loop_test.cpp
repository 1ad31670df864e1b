// The dispatcher and the Hash option, seen from inside the process.
#include "uci/command_loop.h"

#include <gtest/gtest.h>

#include <string>

#include "board/board.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "support/capture.h"
#include "support/engine_texts.h"
#include "support/test_support.h"
#include "uci/board_view.h"
#include "uci/options.h"

namespace {

std::string dispatch(const std::string& line) {
  const capture::ExactText exact(line);
  return capture::output_of([&] { dispatch_command(exact); });
}

std::uint16_t hash_option(const std::string& line) {
  const capture::ExactText exact(line);
  return read_hash_option(exact);
}

bool table_is_empty() {
  for (std::uint64_t i = 0; i <= hash_mask; ++i)
    if (Hash::move_key(p_hash_moves[i]) || Hash::score_key(p_hash_moves[i])) return false;
  return true;
}

}  // namespace

TEST(ReadHashOption, Values) {
  EXPECT_EQ(hash_option("setoption name Hash value 64"), 64);
  EXPECT_EQ(hash_option("setoption name Hash value 0"), 0);
  EXPECT_EQ(hash_option("setoption name Hash value 5000"), 5000);
  EXPECT_EQ(hash_option("setoption name Hash value 65537"), 1);
  EXPECT_EQ(hash_option("setoption name Hash value -1"), 65535);
  EXPECT_EQ(hash_option("setoption name Hash value 64 megabytes please"), 64);
  EXPECT_EQ(hash_option("setoption name Hash value    32"), 32);
  EXPECT_EQ(hash_option("setoption name Hash value +12"), 12);
  EXPECT_EQ(hash_option("setoption name Hash value=12"), 12);
  EXPECT_EQ(hash_option("setoption name Hash value x12"), 0);
  EXPECT_EQ(hash_option("Hash value 16"), 16);
}

TEST(ReadHashOption, NothingToReadGivesZero) {
  EXPECT_EQ(hash_option("setoption name Hash value"), 0);
  EXPECT_EQ(hash_option("setoption name Hash value "), 0);
  EXPECT_EQ(hash_option("setoption name Threads value 4"), 0);
  EXPECT_EQ(hash_option("setoption name hash value 4"), 0);
  EXPECT_EQ(hash_option("setoption name Hash  value 4"), 0);
  EXPECT_EQ(hash_option(""), 0);
}

TEST(Dispatch, UciDrawsKeysAndMakesAnEmptyDefaultTable) {
  set_position("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  const std::uint64_t first = zobrist[0][1][0];
  hash_age = 17;
  EXPECT_EQ(dispatch("uci"), UCI_ANSWER);
  ASSERT_NE(p_hash_moves, nullptr);
  EXPECT_EQ(hash_mask, 32767u);
  EXPECT_EQ(hash_age, 0);
  EXPECT_TRUE(table_is_empty());
  EXPECT_NE(zobrist[0][1][0], first);
  // Every uci draws anew.
  const std::uint64_t second = zobrist[0][1][0];
  p_hash_moves[5].move_check = 9;
  EXPECT_EQ(dispatch("ucinewgam"), UCI_ANSWER);
  EXPECT_NE(zobrist[0][1][0], second);
  EXPECT_TRUE(table_is_empty());
}

TEST(Dispatch, SetoptionResizesTheTable) {
  EXPECT_EQ(dispatch("uci"), UCI_ANSWER);
  EXPECT_EQ(dispatch("setoption name Hash value 3"), "");
  EXPECT_EQ(hash_mask, 131071u);
  EXPECT_TRUE(table_is_empty());
  p_hash_moves[7].score_check = 3;
  EXPECT_EQ(dispatch("setoption name Hash value 0"), "");
  EXPECT_EQ(hash_mask, 131071u);
  EXPECT_EQ(Hash::score_key(p_hash_moves[7]), 3u);
  EXPECT_EQ(dispatch("setoption name Style value 4"), "");
  EXPECT_EQ(hash_mask, 131071u);
  EXPECT_EQ(Hash::score_key(p_hash_moves[7]), 3u);
  EXPECT_EQ(dispatch("setoption name Hash value 65537"), "");
  EXPECT_EQ(hash_mask, 32767u);
  EXPECT_TRUE(table_is_empty());
  EXPECT_EQ(dispatch("setoption name Hash value 2"), "");
  EXPECT_EQ(hash_mask, 65535u);
}

TEST(Dispatch, UcinewgameEmptiesTheTableAndKeepsTheBoard) {
  EXPECT_EQ(dispatch("uci"), UCI_ANSWER);
  set_position("r3k2r/8/8/8/4Pp2/8/8/R3K2R b KQkq e3 0 1");
  const BoardState before = thread.bitboard;
  for (const char* line : {"ucinewgame", "ucinewgamefoo", "setoption name Clear Hash", "setoption name clear HASH"}) {
    const MoveList list{};
    Hash::save_hash_move(0, 1, list, 0, 0);
    Hash::save_hash_score(32767, 2, 77, BOUND_EXACT, 0);
    hash_age = 9;
    EXPECT_EQ(dispatch(line), "") << line;
    EXPECT_EQ(hash_age, 0) << line;
    EXPECT_TRUE(table_is_empty()) << line;
    EXPECT_TRUE(boards_equal(thread.bitboard, before)) << line;
  }
}

TEST(Dispatch, IsreadyAndUnknownLines) {
  EXPECT_EQ(dispatch("isready"), "readyok \n\n");
  for (const char* line : {"", " uci", "stop", "Isready"})
    EXPECT_EQ(dispatch(line), "WARNING ! Unknown command\n") << '"' << line << '"';
  for (const char* line : {"debug on", "debug off", "register later", "register name x code y", "ponderhit"})
    EXPECT_EQ(dispatch(line), "") << '"' << line << '"';
}

TEST(Dispatch, PositionsIsPosition) {
  set_position("8/8/8/8/8/8/8/k6K b - - 0 1");
  EXPECT_EQ(dispatch("positions startpos"), "");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
  EXPECT_EQ(dispatch("position fen 8/8/8/8/8/8/8/k6K b - - 0 1 moves a1b1"), "");
  EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/1k5K");
}

TEST(Dispatch, QuitEndsWithStatusOne) {
  EXPECT_EXIT_WITH_OUTPUT(dispatch_command("quit"), 1, "");
  EXPECT_EXIT_WITH_OUTPUT(dispatch_command("quitting"), 1, "");
}

TEST(Dispatch, GoxIsGo) {
  EXPECT_EXIT_WITH_OUTPUT(dispatch_command("gox"), 1, "Nerul: illegal go command. I am terminated.\n");
}
