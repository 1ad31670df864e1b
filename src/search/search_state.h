// What the running search shares between its levels and with the input poll.
#pragma once

#include <cstdint>
#include <limits>

#include "board/move.h"
#include "io/input.h"
#include "io/per_thread.h"
#include "search/shared.h"

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
  // The iteration rule's budget in seconds. It and the hard limit count from an
  // iteration's start, or from `ponderhit` (its clock reading) if that came later.
  double time_budget;
  std::uint8_t ponderhit_seen;
  std::int64_t ponderhit_ms;
  // Until `ponderhit` a ponder search has no time limit; from it on, the budget
  // and cap (seconds) that the clock given with `go ponder` allows.
  std::uint8_t pondering;
  std::uint8_t stop_at_ponderhit;  // `go ponder` gave no limit of its own
  double ponder_budget;
  double ponder_cap;
  // The last finished iteration, for a `ponderhit` after the search did enough.
  double last_iteration_seconds;
  std::uint8_t last_iteration_depth;
  std::uint8_t name_reply;  // `bestmove` names the expected reply
  // Several lines (MultiPV): how many the root keeps, best first for the side to
  // move; those of the iteration in hand, and of the last one that finished.
  std::uint8_t multipv;
  std::uint8_t is_helper;  // a helper thread: it reads no input and writes nothing
  std::uint8_t line_count;
  std::uint8_t completed_line_count;
  PvLine lines[MAX_MULTIPV];
  PvLine completed_lines[MAX_MULTIPV];

  // Nodes visited before the current poll window, and where that window's count
  // started: a window may start late so that it ends exactly at the node limit.
  std::uint64_t nodes_polled;
  std::uint16_t poll_start;
};

inline constexpr std::int64_t NO_DEADLINE = std::numeric_limits<std::int64_t>::max();
// A search without a time budget: only its depth limit, the deadline or `stop` end it.
inline constexpr double NO_TIME_BUDGET = -1.0;

extern PER_THREAD constinit SearchState search_state;

// Where the budget and the hard limit count from: the iteration's start, or a later `ponderhit`.
inline std::int64_t budget_start_ms(std::int64_t iteration_start) {
  return search_state.ponderhit_seen && search_state.ponderhit_ms > iteration_start ? search_state.ponderhit_ms
                                                                                    : iteration_start;
}
// Clock reading (milliseconds) at the start of the current iteration.
extern PER_THREAD constinit std::int64_t time_start;
