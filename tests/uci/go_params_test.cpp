// The go command's limits and the time budget made of them. The search itself is
// not run here.
#include <gtest/gtest.h>

#include <string>

#include "hash/hash.h"
#include "search/search_state.h"
#include "support/capture.h"
#include "support/test_support.h"
#include "uci/go.h"
#include "uci/options.h"
#include "uci/position.h"

namespace {

const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const std::string ILLEGAL_GO = "Nerul: illegal go command. I am terminated.\n";

struct Budget {
  double time_budget;
  int depth_limit;
};

void reset_params() { go_params = NOTHING_GIVEN; }

// The limits of `line` read from a block of exactly its length.
void read_params(const std::string& line) {
  reset_params();
  const capture::ExactText exact(line);
  read_go_params(exact);
}

// The budget of `line` for the current position, as the go command computes it.
Budget budget(const std::string& line) {
  read_params(line);
  Budget b{-1.0, 0};
  std::uint8_t depth_limit = 0;
  compute_time_budget(b.time_budget, depth_limit);
  b.depth_limit = depth_limit;
  return b;
}

// The start position after `plies` knight moves, with White to move when `plies`
// is a multiple of four.
void start_after(int plies) {
  static const char* cycle[] = {"g1f3", "g8f6", "f3g1", "f6g8"};
  std::string fen = START + " moves";
  for (int i = 0; i < plies; ++i) fen += std::string(" ") + cycle[i % 4];
  set_position(fen);
}

class GoParamsTest : public ::testing::Test {
 protected:
  void SetUp() override { set_position(START); }
};

// The four clock fields, in seconds.
void expect_clocks(double wtime, double btime, double winc, double binc) {
  EXPECT_EQ(go_params.wtime, wtime);
  EXPECT_EQ(go_params.btime, btime);
  EXPECT_EQ(go_params.winc, winc);
  EXPECT_EQ(go_params.binc, binc);
}

}  // namespace

TEST_F(GoParamsTest, FieldsAreReadInSeconds) {
  read_params("go wtime 1500 btime 2500 winc 10 binc 20 movestogo 30");
  expect_clocks(1.5, 2.5, 0.01, 0.02);
  EXPECT_EQ(go_params.depth, 255);
  EXPECT_EQ(go_params.movetime, -1.0);
  EXPECT_EQ(go_params.infinite, 0);

  read_params("go binc 20 winc 10 btime 2500 wtime 1500");
  expect_clocks(1.5, 2.5, 0.01, 0.02);

  read_params("go depth 7 movetime 250 infinite");
  EXPECT_EQ(go_params.depth, 7);
  EXPECT_EQ(go_params.movetime, 0.25);
  EXPECT_EQ(go_params.infinite, 1);
  EXPECT_EQ(go_params.wtime, -1.0);
  EXPECT_EQ(go_params.btime, -1.0);
}

TEST_F(GoParamsTest, OnlyTheFirstOccurrenceCountsAndOtherWordsNothing) {
  read_params("go depth 5 depth 9");
  EXPECT_EQ(go_params.depth, 5);
  read_params("go ponder wtime 1000 nodes 500 mate 3 searchmoves e2e4");
  EXPECT_EQ(go_params.wtime, 1.0);
  EXPECT_EQ(go_params.btime, -1.0);
  EXPECT_EQ(go_params.depth, 255);
  EXPECT_EQ(go_params.movetime, -1.0);
  EXPECT_EQ(go_params.infinite, 0);
  // Below zero is no time at all, never "not given".
  read_params("go wtime -500 btime -1000 winc -20 binc -1 movetime -3000");
  expect_clocks(0.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(go_params.movetime, 0.0);
  // A clock number ends at the next space.
  read_params("go wtime 1000btime 2000");
  EXPECT_EQ(go_params.wtime, 1.0);
  EXPECT_EQ(go_params.btime, 2.0);
}

TEST_F(GoParamsTest, KeywordAtTheEndOfTheLineReadsZero) {
  read_params("go depth");
  EXPECT_EQ(go_params.depth, 0);
  read_params("go depth ");
  EXPECT_EQ(go_params.depth, 0);
  read_params("go movetime");
  EXPECT_EQ(go_params.movetime, 0.0);
  read_params("go wtime");
  EXPECT_EQ(go_params.wtime, 0.0);
  read_params("go wtime ");
  EXPECT_EQ(go_params.wtime, 0.0);
  read_params("go btime ");
  EXPECT_EQ(go_params.btime, 0.0);
  read_params("go winc");
  EXPECT_EQ(go_params.winc, 0.0);
  read_params("go binc ");
  EXPECT_EQ(go_params.binc, 0.0);
  read_params("go wtime x");
  EXPECT_EQ(go_params.wtime, 0.0);
}

TEST_F(GoParamsTest, MoveTime) {
  const Budget b = budget("go movetime 3000");
  EXPECT_DOUBLE_EQ(b.time_budget, 1.0);
  EXPECT_EQ(b.depth_limit, 50);
  // The move time wins over the clocks.
  EXPECT_DOUBLE_EQ(budget("go movetime 3000 wtime 100").time_budget, 1.0);
}

TEST_F(GoParamsTest, ClockInAFreshGame) {
  Budget b = budget("go wtime 300000 btime 300000");
  EXPECT_DOUBLE_EQ(b.time_budget, 1.25);
  EXPECT_EQ(b.depth_limit, 50);
  b = budget("go wtime 300000 btime 300000 winc 2000 binc 1000");
  EXPECT_DOUBLE_EQ(b.time_budget, (3.75 + 2.0) / 3.0);
  EXPECT_EQ(b.depth_limit, 50);
}

TEST_F(GoParamsTest, ClockOfBlack) {
  set_position(START + " moves e2e4");
  // One move played: 80 - 0 moves left.
  const Budget b = budget("go wtime 300000 btime 240000 winc 2000 binc 1000");
  EXPECT_DOUBLE_EQ(b.time_budget, (240.0 / 80 + 1.0) / 3.0);
  EXPECT_EQ(b.depth_limit, 50);
}

TEST_F(GoParamsTest, MovesLeftShrinkWithTheGame) {
  start_after(40);
  EXPECT_DOUBLE_EQ(budget("go wtime 300000 btime 300000").time_budget, 300.0 / 60 / 3);
  start_after(116);
  EXPECT_DOUBLE_EQ(budget("go wtime 300000 btime 300000").time_budget, 300.0 / 22 / 3);
  start_after(120);
  EXPECT_DOUBLE_EQ(budget("go wtime 300000 btime 300000").time_budget, 300.0 / 20 / 3);
  start_after(200);
  EXPECT_DOUBLE_EQ(budget("go wtime 300000 btime 300000").time_budget, 300.0 / 20 / 3);
  // The move count wraps with the history after 256 moves.
  start_after(256);
  EXPECT_DOUBLE_EQ(budget("go wtime 300000 btime 300000").time_budget, 300.0 / 80 / 3);
}

TEST_F(GoParamsTest, DepthComesFirst) {
  Budget b = budget("go depth 300");
  EXPECT_EQ(b.depth_limit, 44);
  EXPECT_EQ(b.time_budget, -1.0);
  b = budget("go depth 6 wtime 1000 btime 1000");
  EXPECT_EQ(b.depth_limit, 6);
  EXPECT_EQ(b.time_budget, -1.0);
  b = budget("go movetime 1000 depth 3 infinite");
  EXPECT_EQ(b.depth_limit, 3);
  EXPECT_EQ(b.time_budget, -1.0);
}

TEST_F(GoParamsTest, Infinite) {
  Budget b = budget("go infinite");
  EXPECT_EQ(b.depth_limit, 50);
  EXPECT_EQ(b.time_budget, -1.0);
  b = budget("go infinite movetime 1000 wtime 1000");
  EXPECT_EQ(b.depth_limit, 50);
  EXPECT_EQ(b.time_budget, -1.0);
}

// The mover's own clock not given counts as none left: the budget is the increment's
// share alone, and never the value that stands for no budget at all.
TEST_F(GoParamsTest, OnlyTheOtherSidesClockGiven) {
  struct Case {
    const char* moves;  // after the start position
    const char* line;
    double budget;
  };
  const Case cases[] = {{"", "go btime 60000", 0.0},
                        {"", "go btime 100 movestogo 1", 0.0},
                        {"", "go btime 100 winc 300 movestogo 1", 0.1},
                        {" moves e2e4", "go wtime 100 movestogo 1", 0.0},
                        {" moves e2e4", "go wtime 60000 binc 600", 0.2}};
  for (const Case& c : cases) {
    set_position(START + c.moves);
    const Budget b = budget(c.line);
    EXPECT_DOUBLE_EQ(b.time_budget, c.budget) << c.line;
    EXPECT_NE(b.time_budget, NO_TIME_BUDGET) << c.line;
    EXPECT_EQ(b.depth_limit, 50) << c.line;
  }
}

TEST_F(GoParamsTest, ZeroClocksWithIncrement) {
  const Budget b = budget("go wtime 0 btime 0 winc 300");
  EXPECT_DOUBLE_EQ(b.time_budget, 0.1);
  EXPECT_EQ(b.depth_limit, 50);
}

TEST_F(GoParamsTest, ALineWithALimitPassesTheCheck) {
  for (const char* line :
       {"go wtime 0", "go btime 1", "go depth 0", "go depth 254", "go movetime 0", "go infinite", "go depth"}) {
    read_params(line);
    check_go_params();  // returns
    SUCCEED() << line;
  }
}

TEST_F(GoParamsTest, ALineWithoutALimitEndsTheProgram) {
  for (const char* line : {"go", "go winc 100 binc 100 movestogo 5", "go depth 255", "go ponderous", "gox"}) {
    read_params(line);
    EXPECT_EXIT_WITH_OUTPUT(check_go_params(), 1, ILLEGAL_GO);
  }
  // The whole command, as the dispatcher calls it.
  EXPECT_EXIT_WITH_OUTPUT(go_command("go searchmoves e2e4 movestogo 3"), 1, ILLEGAL_GO);
}

// The most a move may take: what the mover's clock leaves after the margin for the
// answer's way back, at most a fixed share of it; a move time bounds too.
TEST_F(GoParamsTest, TheClockBoundsEveryMove) {
  const auto cap = [](const std::string& line) {
    read_params(line);
    return move_time_cap();
  };
  EXPECT_DOUBLE_EQ(cap("go wtime 50 btime 50 winc 1000 binc 1000"), 0.0);
  EXPECT_DOUBLE_EQ(cap("go wtime 300 btime 90000"), 300 * CLOCK_SHARE / 1000);
  EXPECT_DOUBLE_EQ(cap("go wtime 56 btime 90000"), 0.056 - MOVE_OVERHEAD_DEFAULT / 1000.0);
  EXPECT_DOUBLE_EQ(cap("go wtime -500 btime 90000"), 0.0);
  EXPECT_DOUBLE_EQ(cap("go depth 30 wtime 8000"), 1.0);  // a depth asked for still meets the clock
  EXPECT_DOUBLE_EQ(cap("go movetime 400"), 0.4);
  EXPECT_DOUBLE_EQ(cap("go movetime 4000 wtime 8000"), 1.0);
  EXPECT_DOUBLE_EQ(cap("go movetime -3000"), 0.0);
  EXPECT_DOUBLE_EQ(cap("go depth 6"), -1.0);
  EXPECT_DOUBLE_EQ(cap("go depth 6 movetime 100"), -1.0);  // the depth rules, as for the budget
  EXPECT_DOUBLE_EQ(cap("go infinite wtime 100"), -1.0);    // only stop ends it
  EXPECT_DOUBLE_EQ(cap("go btime 100"), -1.0);             // the mover's clock is not given
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1");
  EXPECT_DOUBLE_EQ(cap("go wtime 90000 btime 800"), 0.1);
}

// With `movestogo` the clock is shared over that many moves, and the cap allows
// their share of it; the Move Overhead option, clamped to 0..5000, is the margin.
TEST_F(GoParamsTest, MovesToGoAndTheMoveOverheadShapeBudgetAndCap) {
  struct Case {
    const char *overhead, *line;
    double cap, budget;
  };
  const Case cases[] = {{"50", "go wtime 5000 btime 5000", 0.625, 5.0 / 80 / 3},
                        {"50", "go wtime 5000 btime 5000 movestogo 0", 0.625, 5.0 / 80 / 3},
                        {"50", "go wtime 5000 btime 5000 movestogo -4", 0.625, 5.0 / 80 / 3},
                        {"50", "go wtime 5000 btime 5000 movestogo 1", 2.5, 5.0 / 3},
                        {"50", "go wtime 8000 btime 5000 movestogo 3 winc 300", 2.0, (8.0 / 3 + 0.3) / 3},
                        {"50", "go wtime 8000 btime 5000 movestogo 30", 1.0, 8.0 / 30 / 3},
                        {"1000", "go wtime 1500 btime 5000 movestogo 1", 0.5, 1.5 / 3},
                        {"99999", "go wtime 8000 btime 5000 movestogo 1", 3.0, 8.0 / 3},
                        {"-5", "go wtime 56 btime 5000 movestogo 1", 0.028, 0.056 / 3},
                        {"50", "go wtime 56 btime 5000 movestogo 1", 0.006, 0.056 / 3}};
  for (const Case& c : cases) {
    set_option(std::string("setoption name move OVERHEAD value ") + c.overhead);
    EXPECT_DOUBLE_EQ(budget(c.line).time_budget, c.budget) << c.line;
    EXPECT_DOUBLE_EQ(move_time_cap(), c.cap) << c.line << ", overhead " << c.overhead;
  }
}

TEST(HashAge, RunsOneTo251AndAgain) {
  hash_age = 0;
  for (int expected = 1; expected <= 251; ++expected) {
    advance_hash_age();
    ASSERT_EQ(hash_age, expected);
  }
  advance_hash_age();
  EXPECT_EQ(hash_age, 1);
  hash_age = 250;
  advance_hash_age();
  EXPECT_EQ(hash_age, 251);
  hash_age = 255;
  advance_hash_age();
  EXPECT_EQ(hash_age, 1);
}
