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
};

extern GoParams go_params;

void read_go_params(std::string_view line);
void check_go_params();
void compute_time_budget(double& time_budget, std::uint8_t& depth_limit);
// What the time limits allow this move at most, in seconds, or -1.0 for no bound.
// With the mover's clock given, the move must leave time for the answer to travel
// (CLOCK_MARGIN) and must not spend more than CLOCK_SHARE of what is left, so that
// a low clock is stretched over the moves still to come. A move time is a bound too.
double move_time_cap();
inline constexpr double CLOCK_MARGIN = 0.050;
inline constexpr double CLOCK_SHARE = 0.125;

void advance_hash_age();
void go_command(std::string_view line);
