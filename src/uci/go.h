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
void advance_hash_age();
void go_command(std::string_view line);
