// What the running search shares between its levels and with the input poll.
#pragma once

#include <cstdint>
#include <limits>

#include "board/move.h"
#include "io/input.h"

// What `go` may ask beyond a depth and a time; zero where it was not given.
struct GoLimits {
  std::uint64_t nodes;  // nodes the search may visit, alpha-beta and quiescence alike
  std::uint8_t mate;    // a mate for the side to move in at most this many moves ends the search
  // The root moves to search (`searchmoves`); none given, every move.
  std::uint8_t root_move_count;
  Move root_moves[MAX_LIST_MOVES];
};

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
  GoLimits limits;
  // Nodes visited before the current poll window, and where that window's count
  // started: a window may start late so that it ends exactly at the node limit.
  std::uint64_t nodes_polled;
  std::uint16_t poll_start;
};

inline constexpr std::int64_t NO_DEADLINE = std::numeric_limits<std::int64_t>::max();

extern SearchState search_state;
// Clock reading (milliseconds) at the start of the current iteration.
extern std::int64_t time_start;
