// The look at the input and the clock that every node paces: when it happens,
// which lines act on the search, which are answered at once and which wait for
// the command loop, and the two time limits. Standard input is a pipe the test fills.
#include "search/poll.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "eval/material.h"
#include "hash/hash.h"
#include "io/input.h"
#include "io/platform.h"
#include "search/Iterative_Deepening.h"
#include "search/search.h"
#include "search/search_state.h"
#include "support/capture.h"
#include "support/test_support.h"

using capture::output_of;

namespace {

constexpr std::int32_t INF = INFINITE_SCORE;

class Poll : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_stdin_ = ::dup(STDIN_FILENO);
    ASSERT_GE(saved_stdin_, 0);
    feed("");
    set_position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");
    thread.bitboard.value_white_material = count_white_material();
    thread.bitboard.value_black_material = count_black_material();
    thread.search_state.stop_search = 0;
    thread.search_state.poll_count = 0;
    search_control.time_limit = -20.0;
    search_control.deadline_ms = NO_DEADLINE;
    search_control.time_start = clock_ms();
    thread.poll = poll_input_and_clock;
  }
  void TearDown() override {
    if (writer_ >= 0) ::close(writer_);
    writer_ = -1;
    ::dup2(saved_stdin_, STDIN_FILENO);
    ::close(saved_stdin_);
    reset_input_for_tests();
    thread.search_state.stop_search = 0;
    thread.search_state.poll_count = 0;
    search_control.stop_at_input_end = false;
  }

  // Standard input becomes a pipe holding `text`; with `open_end` its writing end
  // stays open (more may come, the input has not ended).
  void feed(const std::string& text, bool open_end = false) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    write_all(fds[1], text);
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
  static void write_all(int fd, const std::string& text) {
    ASSERT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  // One quiescence node, as White; the node that completes the interval polls.
  static std::int32_t node() { return quiescence<WHITE>(-INF, INF, 3, NOT_PV); }
  static void poll_now() {
    thread.search_state.poll_count = POLL_INTERVAL - 1;
    node();
  }
  static std::string next_command() {
    char line[LINE_BUFFER_SIZE];
    return read_line(line) ? std::string(line) : std::string("<fails>");
  }

  int saved_stdin_ = -1;
  int writer_ = -1;
};

}  // namespace

TEST_F(Poll, EveryNodeCountsAndTheIntervalsLastNodePolls) {
  set_position("4k3/8/8/8/8/8/8/4K3 w - - 0 1");  // no capture: one node a call
  feed("stop\n", true);
  const std::int32_t q = node();
  EXPECT_EQ(thread.search_state.poll_count, 1);
  EXPECT_EQ(thread.search_state.stop_search, 0);
  thread.search_state.poll_count = 0;
  thread.search_state.stop_search = 0;
  EXPECT_EQ(node(), q);
  thread.search_state.poll_count = POLL_INTERVAL - 2;
  node();
  EXPECT_EQ(thread.search_state.stop_search, 0);
  node();
  EXPECT_EQ(thread.search_state.poll_count, 0);
  EXPECT_EQ(thread.search_state.stop_search, 1);
  // Once stopped, a node answers at once and counts nothing.
  EXPECT_EQ(node(), 0);
  EXPECT_EQ(alpha_beta<BLACK>(-INF, INF, 5, 1, 0, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  EXPECT_EQ(thread.search_state.poll_count, 0);
}

TEST_F(Poll, IsreadyIsAnsweredAtOnceAndOtherLinesWaitInOrder) {
  feed("stop \nisready\nSTOP\nquit now\nposition startpos\nisready now\nstop\ngo depth 1\n", true);
  const std::string said = output_of([] { poll_now(); });
  EXPECT_EQ(said, "readyok \n\nreadyok \n\n");
  EXPECT_EQ(thread.search_state.stop_search, 1);
  // What was kept comes first, then what the poll left unread after `stop`.
  for (const char* expected : {"stop ", "STOP", "quit now", "position startpos", "go depth 1"})
    EXPECT_EQ(next_command(), expected);
}

TEST_F(Poll, AnIncompleteLineIsLeftUntilItsEndArrives) {
  feed("sto", true);
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 0);
  write_all(writer_, "p\r\n");
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 1);
}

TEST_F(Poll, ALineTooLongIsSkippedAndTheStopAfterItSeen) {
  feed("", true);
  const std::string chunk(20000, 'x');
  for (int i = 0; i < 4; ++i) {
    write_all(writer_, chunk);
    poll_now();
  }
  write_all(writer_, "\nposition startpos\nstop\n");
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 1);
  EXPECT_EQ(next_command(), "position startpos");
}

TEST_F(Poll, ALineStillTooLongWhenTheSearchEndsIsSkippedByTheCommandLoop) {
  feed("", true);
  for (int i = 0; i < 4; ++i) {
    write_all(writer_, std::string(20000, 'y'));
    poll_now();
  }
  write_all(writer_, std::string(100, 'y') + "\nisready\n");
  EXPECT_EQ(next_command(), "isready");
}

TEST_F(Poll, TheEndOfInputStopsOnlyASearchThatWaitsForStop) {
  feed("isready\n");  // and then the input ends
  for (int poll = 0; poll < 3; ++poll) {
    output_of([] { poll_now(); });
    EXPECT_EQ(thread.search_state.stop_search, 0) << poll;
  }
  search_control.stop_at_input_end = true;
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 1);
}

TEST_F(Poll, TheIterationLimitAndTheDeadlineAreCheckedAtEachPoll) {
  feed("", true);
  search_control.time_start = clock_ms() - 3000;  // the iteration began three seconds ago
  search_control.time_limit = 10.0;
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 0);
  search_control.time_limit = 2.5;
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 1);

  thread.search_state.stop_search = 0;
  search_control.time_limit = -20.0;  // no limit per iteration...
  search_control.deadline_ms = clock_ms() + 60000;
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 0);
  search_control.deadline_ms = clock_ms();  // ...but the clock allows no more
  poll_now();
  EXPECT_EQ(thread.search_state.stop_search, 1);
}

// The search only unwinds on `quit`: the command loop ends the program once
// the helpers are idle, and nothing is written on the way there.
TEST_F(Poll, QuitStopsTheSearchAndSilencesIt) {
  feed("quit\nisready\n", true);
  const std::string written = output_of([] {
    poll_now();
    OutLine() << "info currmove e2e4 currmovenumber 1 depth 1\n";
  });
  EXPECT_EQ(written, "");
  EXPECT_EQ(thread.search_state.stop_search, 1);
  EXPECT_TRUE(search_control.quit);
  search_control.quit = false;
  output::muted = false;
}

TEST_F(Poll, ANodeLimitStopsTheSearchOnExactlyThatNode) {
  set_position("4k3/8/8/8/8/8/8/4K3 w - - 0 1");  // no capture: one node a call
  constexpr std::uint64_t P = POLL_INTERVAL;
  for (const std::uint64_t limit : {std::uint64_t{1}, std::uint64_t{2}, P - 1, P, P + 1, 3 * P + 7}) {
    search_control.limits.nodes = limit;
    thread.search_state.stop_search = 0;
    start_node_count();
    std::uint64_t visited = 0;
    for (; thread.search_state.stop_search == 0 && visited <= limit + P; ++visited) node();
    EXPECT_EQ(visited, limit);
    EXPECT_EQ(nodes_visited(), limit);
  }
  search_control.limits = GoLimits{};
}
