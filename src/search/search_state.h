// What the running search shares between its levels and with the input poll.
#pragma once

#include <cstdint>
#include <limits>

#include "io/input.h"

struct SearchState {
  std::uint16_t poll_count;
  std::uint8_t stop_search;
  std::uint64_t nodes;
  char input_line[LINE_BUFFER_SIZE];
  std::uint8_t null_move_on;
  double time_limit;  // seconds from the iteration's start; 0 or less means none
  // Clock reading (milliseconds) by which the search must have stopped, whatever
  // its iteration: the mover's clock allows no more.
  std::int64_t deadline_ms;
};

inline constexpr std::int64_t NO_DEADLINE = std::numeric_limits<std::int64_t>::max();

extern SearchState search_state;
// Clock reading (milliseconds) at the start of the current iteration.
extern std::int64_t time_start;
