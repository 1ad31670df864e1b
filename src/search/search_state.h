// What the running search shares between its levels and with the input poll.
#pragma once

#include <cstdint>

struct SearchState {
  std::uint16_t poll_count;
  std::uint8_t stop_search;
  std::uint64_t nodes;
  char input_line[65536];
  std::uint8_t null_move_on;
  double time_limit;  // seconds; 0 or less means none
};

extern SearchState search_state;
// Clock reading (milliseconds) at the start of the current iteration.
extern std::int64_t time_start;
