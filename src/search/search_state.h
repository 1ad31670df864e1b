// The search's control: what the main thread alone keeps while it searches
// (the input line, the clock, the budget and deadline, the ponder state) and
// the limits of `go`, which the helpers read. Each thread's own state is in its
// record (board/thread.h).
#pragma once

#include <cstdint>
#include <limits>

#include "board/thread.h"
#include "io/input.h"
#include "search/shared.h"
#include "search/skill.h"

struct SearchControl {
  char input_line[LINE_BUFFER_SIZE];
  double time_limit;  // seconds from the iteration's start; 0 or less means none
  // Clock reading (milliseconds) at the start of the current iteration.
  std::int64_t time_start;
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
  bool chess960;            // castling is written as the king taking its rook
  // Set by `go` when only `stop` can end the search: then the end of standard
  // input counts as `stop`, since no `stop` can follow it.
  bool stop_at_input_end;
  // `quit` arrived during the search: it unwinds without another line, and the
  // command loop ends the program.
  bool quit;
  // The level the move is chosen at, and how many of the lines the root keeps
  // are shown: a weakened search keeps more than the user asked for.
  Skill skill;
  std::uint8_t shown_lines;
  // The lines of the last iteration that finished (MultiPV).
  std::uint8_t completed_line_count;
  PvLine completed_lines[MAX_MULTIPV];
};

inline constexpr std::int64_t NO_DEADLINE = std::numeric_limits<std::int64_t>::max();
// A search without a time budget: only its depth limit, the deadline or `stop` end it.
inline constexpr double NO_TIME_BUDGET = -1.0;

extern constinit SearchControl search_control;

// Where the budget and the hard limit count from: the iteration's start, or a later `ponderhit`.
inline std::int64_t budget_start_ms(std::int64_t iteration_start) {
  return search_control.ponderhit_seen && search_control.ponderhit_ms > iteration_start ? search_control.ponderhit_ms
                                                                                        : iteration_start;
}
