#include "uci/go.h"

#include <algorithm>
#include <cstdlib>

#include "board/board.h"
#include "hash/hash.h"
#include "io/output.h"
#include "io/platform.h"
#include "io/text.h"
#include "search/Iterative_Deepening.h"
#include "uci/position.h"

GoParams go_params;

namespace {

// The number begins one character after the keyword, whatever that character is.
// A line that ends before that point reads as an empty number, 0, like one that
// ends there.
bool number_after(std::string_view line, std::string_view keyword, bool up_to_space, std::int32_t& value) {
  const std::size_t found = line.find(keyword);
  if (found == std::string_view::npos) return false;
  const std::size_t start = found + keyword.size() + 1;
  if (start >= line.size()) {
    value = 0;
    return true;
  }
  std::string_view text = line.substr(start);
  if (up_to_space) text = text.substr(0, text.find(' '));
  value = read_number(text);
  return true;
}

double seconds_from(std::int32_t milliseconds) { return milliseconds < 0 ? 0.0 : milliseconds / 1000.0; }

}  // namespace

void read_go_params(std::string_view line) {
  std::int32_t n;
  if (line.find("infinite") != std::string_view::npos) go_params.infinite = 1;
  if (number_after(line, "depth", false, n)) go_params.depth = static_cast<std::uint8_t>(n);
  // A time below zero is no time at all: move as soon as the rules allow. (Read
  // as given, -1000 would even pass for a clock not given.)
  if (number_after(line, "movetime", false, n)) go_params.movetime = seconds_from(n);
  if (number_after(line, "wtime", true, n)) go_params.wtime = seconds_from(n);
  if (number_after(line, "btime", true, n)) go_params.btime = seconds_from(n);
  if (number_after(line, "winc", true, n)) go_params.winc = seconds_from(n);
  if (number_after(line, "binc", true, n)) go_params.binc = seconds_from(n);
}

void check_go_params() {
  const GoParams& g = go_params;
  if (g.wtime == TIME_NOT_GIVEN && g.btime == TIME_NOT_GIVEN && g.depth == DEPTH_NOT_GIVEN &&
      g.movetime == TIME_NOT_GIVEN && g.infinite == 0) {
    OutLine() << "Nerul: illegal go command. I am terminated.\n";
    free_hash();
    std::exit(1);
  }
}

namespace {

// The clock is spread over the moves the game is still expected to last: this
// many at the start, one less for each move of PLIES_PER_MOVE plies played.
// However long the game runs, at least MIN_MOVES_LEFT remain, so that no one move
// stakes a large part of the clock.
constexpr int MOVES_LEFT_AT_START = 80;
constexpr int PLIES_PER_MOVE = 2;
constexpr int MIN_MOVES_LEFT = 20;
// The driver starts another iteration whenever the last one took less than the
// budget, and each takes a few times as long as the one before: the budget is a
// fraction of the move's share so that the search as a whole stays near it.
constexpr double BUDGET_DIVISOR = 3.0;

}  // namespace

void compute_time_budget(double& time_budget, std::uint8_t& depth_limit) {
  const GoParams& g = go_params;
  if (g.depth != DEPTH_NOT_GIVEN) {
    depth_limit = g.depth;
  } else if (g.infinite == 1) {
    depth_limit = MAX_ITERATION_DEPTH;
  } else if (g.movetime != TIME_NOT_GIVEN) {
    time_budget = g.movetime;
    depth_limit = MAX_ITERATION_DEPTH;
  } else if (g.wtime != TIME_NOT_GIVEN || g.btime != TIME_NOT_GIVEN) {
    int moves_left = MOVES_LEFT_AT_START - key_history_game_count / PLIES_PER_MOVE;
    if (moves_left < MIN_MOVES_LEFT) moves_left = MIN_MOVES_LEFT;
    time_budget = bitboard.colour_move == 1 ? g.wtime / moves_left + g.winc : g.btime / moves_left + g.binc;
    depth_limit = MAX_ITERATION_DEPTH;
  }
  if (time_budget != NO_TIME_BUDGET) time_budget = time_budget / BUDGET_DIVISOR;
}

double move_time_cap() {
  const GoParams& g = go_params;
  if (g.depth == DEPTH_NOT_GIVEN && g.infinite == 1) return NO_MOVE_TIME_CAP;  // only `stop` ends it
  double cap = NO_MOVE_TIME_CAP;
  const double clock = bitboard.colour_move == 1 ? g.wtime : g.btime;
  if (clock != TIME_NOT_GIVEN) cap = std::max(0.0, std::min(clock - CLOCK_MARGIN, clock * CLOCK_SHARE));
  if (g.depth == DEPTH_NOT_GIVEN && g.movetime != TIME_NOT_GIVEN && (cap == NO_MOVE_TIME_CAP || g.movetime < cap))
    cap = g.movetime;
  return cap;
}

void advance_hash_age() {
  if (hash_age > 250) hash_age = 0;
  ++hash_age;
}

void go_command(std::string_view line) {
  // The interface's clock runs from the moment it sent the line.
  const std::int64_t received = clock_ms();
  go_params = NOTHING_GIVEN;
  double time_budget = NO_TIME_BUDGET;
  std::uint8_t depth_limit = 0;
  read_go_params(line);
  check_go_params();
  if (position_refused) {
    OutLine() << "bestmove 0000\n";
    return;
  }
  compute_time_budget(time_budget, depth_limit);
  std::int64_t deadline = NO_DEADLINE;
  if (const double cap = move_time_cap(); cap != NO_MOVE_TIME_CAP) {
    if (time_budget != NO_TIME_BUDGET) time_budget = std::min(time_budget, cap);
    deadline = received + static_cast<std::int64_t>(cap * 1000.0);
  }
  advance_hash_age();
  // Only an infinite search waits for a `stop` that a closed input can never bring.
  stop_at_input_end = go_params.depth == DEPTH_NOT_GIVEN && go_params.infinite == 1;
  iterative_deepening(depth_limit, time_budget, deadline);
}
