// The `go` command: its limits, the check that one was given, and the time budget.
#pragma once

#include <cstdint>
#include <string_view>

struct GoParams {
  double wtime;
  double btime;
  double winc;
  double binc;
  std::uint8_t depth;
  double movetime;
  std::uint8_t infinite;
  // Beyond the clock and depth: 0 where not given.
  std::uint64_t nodes;
  std::uint8_t mate;
  std::int32_t movestogo;
  std::uint8_t ponder;
};

// A clock or move time the line did not give. A time read from the line is never
// below zero, so it cannot pass for this.
inline constexpr double TIME_NOT_GIVEN = -1.0;
// A depth the line did not give. The depth is read into 8 bits: a given 255 reads
// the same.
inline constexpr std::uint8_t DEPTH_NOT_GIVEN = 255;
// The limits before a line is read: nothing given, no increments.
inline constexpr GoParams NOTHING_GIVEN{
    TIME_NOT_GIVEN, TIME_NOT_GIVEN, 0.0, 0.0, DEPTH_NOT_GIVEN, TIME_NOT_GIVEN, 0, 0, 0, 0, 0};

extern GoParams go_params;

void read_go_params(std::string_view line);
void check_go_params();
// The budget comes in as NO_TIME_BUDGET and stays so when no time limit counts.
void compute_time_budget(double& time_budget, std::uint8_t& depth_limit);
// What the time limits allow this move at most, in seconds, or NO_MOVE_TIME_CAP.
// With the mover's clock given, the move must leave time for the answer to travel
// (the Move Overhead option) and must not spend more than CLOCK_SHARE of what is
// left, so that a low clock is stretched over the moves still to come; with the
// clock refilled after `movestogo` moves, up to its share of them. A move time is
// a bound too.
double move_time_cap();
inline constexpr double CLOCK_SHARE = 0.125;
inline constexpr double NO_MOVE_TIME_CAP = -1.0;

void advance_hash_age();
void go_command(std::string_view line);
// `go perft N`: each legal root move's count, then the total, as interfaces expect.
void go_perft(std::int32_t depth);
