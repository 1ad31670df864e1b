// The leaf entry that paces the input poll: when it polls, what it does with the
// line it reads, and the clock check that rides on it. Standard input is pointed
// at a pipe that the test fills.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "eval/material.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "search/Iterative_Deepening.h"
#include "search/search.h"
#include "search/search_state.h"
#include "support/capture.h"
#include "support/test_support.h"
#include "uci/input.h"
#include "uci/platform.h"

using capture::output_of;

namespace {

constexpr std::int32_t INF = INFINITE_SCORE;

class LeafPoll : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_stdin_ = ::dup(STDIN_FILENO);
    ASSERT_GE(saved_stdin_, 0);
    feed("");
    set_position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");
    bitboard.value_white_material = count_white_material();
    bitboard.value_black_material = count_black_material();
    search_state.stop_search = 0;
    search_state.poll_count = 0;
    search_state.time_limit = -20.0;
    time_start = clock_ms();
  }
  void TearDown() override {
    if (writer_ >= 0) ::close(writer_);
    writer_ = -1;
    ::dup2(saved_stdin_, STDIN_FILENO);
    ::close(saved_stdin_);
    reset_input_for_tests();
    search_state.stop_search = 0;
    search_state.poll_count = 0;
    stop_at_input_end = false;
  }

  // Standard input becomes a pipe holding `text`; with `open_end` its writing end
  // stays open (nothing more comes, but the input has not ended).
  void feed(const std::string& text, bool open_end = false) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
    if (open_end) {
      if (writer_ >= 0) ::close(writer_);
      writer_ = fds[1];
    } else {
      ::close(fds[1]);
    }
    ::dup2(fds[0], STDIN_FILENO);
    ::close(fds[0]);
    reset_input_for_tests();
  }

  // One entry from the horizon, as White; returns what the entry returned.
  static std::int32_t enter() { return leaf_poll<WHITE>(-INF, INF, 3, 0); }

  int saved_stdin_ = -1;
  int writer_ = -1;
};

}  // namespace

TEST_F(LeafPoll, ReturnsTheQuiescenceValueAndCountsTheEntry) {
  const std::int32_t q = quiescence_white(-INF, INF, 3, 0);
  EXPECT_EQ(enter(), q);
  EXPECT_EQ(search_state.poll_count, 1);
  EXPECT_EQ(leaf_poll<BLACK>(-INF, INF, 3, 0), quiescence_black(-INF, INF, 3, 0));
  EXPECT_EQ(search_state.poll_count, 2);
}

TEST_F(LeafPoll, PollsOnlyOnceTheCountHasPassedFiftyThousand) {
  feed("stop\n", true);
  search_state.poll_count = 50000;
  enter();
  EXPECT_EQ(search_state.poll_count, 50001);
  EXPECT_EQ(search_state.stop_search, 0);
  enter();  // the 50002nd entry polls
  EXPECT_EQ(search_state.poll_count, 1);
  EXPECT_EQ(search_state.stop_search, 1);
}

TEST_F(LeafPoll, OnlyTheExactStopLineStops) {
  feed("stop \nisready\nSTOP\nstopp\n quit\nquit now\nstop\n", true);
  std::string output;
  for (int line = 0; line < 6; ++line) {
    search_state.poll_count = 50001;
    output += output_of([&] { enter(); });
    EXPECT_EQ(search_state.stop_search, 0) << "line " << line;
  }
  // Nothing is answered, nothing is warned.
  EXPECT_EQ(output, "");
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 1);
}

TEST_F(LeafPoll, OneLineIsReadPerPoll) {
  feed("isready\nstop\n", true);
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 0);
  // Between polls nothing is read.
  for (int i = 0; i < 100; ++i) enter();
  EXPECT_EQ(search_state.stop_search, 0);
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 1);
}

TEST_F(LeafPoll, WithNothingWaitingThePollDoesNotBlock) {
  feed("", true);
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 0);
  EXPECT_EQ(search_state.poll_count, 1);
}

TEST_F(LeafPoll, TheEndOfInputStopsOnlyASearchThatWaitsForStop) {
  feed("isready\n");  // and then the input ends
  for (int poll = 0; poll < 3; ++poll) {
    search_state.poll_count = 50001;
    enter();
    EXPECT_EQ(search_state.stop_search, 0) << poll;
  }
  stop_at_input_end = true;
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 1);
}

TEST_F(LeafPoll, AnInfiniteSearchStopsOnceItsInputRunsOut) {
  stop_at_input_end = true;
  feed("isready\n");
  search_state.poll_count = 50001;
  enter();
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 1);
  // Later polls find the same end and change nothing.
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 1);
}

TEST_F(LeafPoll, TheHardLimitIsCheckedAtEachPoll) {
  feed("", true);
  time_start = clock_ms() - 3000;  // the iteration began three seconds ago
  search_state.time_limit = 10.0;
  search_state.poll_count = 50001;
  enter();
  EXPECT_EQ(search_state.stop_search, 0);
  search_state.time_limit = 2.5;
  search_state.poll_count = 50000;
  enter();
  EXPECT_EQ(search_state.stop_search, 0) << "checked without a poll";
  enter();
  EXPECT_EQ(search_state.stop_search, 1);
}

TEST_F(LeafPoll, ALimitOfZeroOrLessIsNoLimit) {
  feed("", true);
  time_start = clock_ms() - 100000;
  for (const double limit : {0.0, -20.0, -0.001}) {
    search_state.time_limit = limit;
    search_state.poll_count = 50001;
    enter();
    EXPECT_EQ(search_state.stop_search, 0) << limit;
  }
}

TEST_F(LeafPoll, QuitEndsTheProcess) {
  feed("quit\n", true);
  char path[] = "/tmp/nerul-quit-XXXXXX";
  const int file = ::mkstemp(path);
  ASSERT_GE(file, 0);
  ::unlink(path);
  EXPECT_EXIT(
      {
        ::dup2(file, STDOUT_FILENO);
        if (!p_hash_moves) init_hash();
        search_state.poll_count = 50001;
        enter();
        std::exit(7);  // not reached
      },
      ::testing::ExitedWithCode(1), "");
  std::string written;
  char buffer[256];
  for (ssize_t n; (n = ::pread(file, buffer, sizeof buffer, static_cast<off_t>(written.size()))) > 0;)
    written.append(buffer, static_cast<std::size_t>(n));
  ::close(file);
  EXPECT_EQ(written, "Nerul: quit command. I am terminated.\n");
}
