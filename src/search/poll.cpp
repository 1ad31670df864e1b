#include "search/poll.h"

#include <cstring>

#include "io/input.h"
#include "io/output.h"
#include "io/platform.h"
#include "io/text.h"
#include "search/limits.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/shared.h"

constinit SearchControl search_control{};

// Takes every complete line that has arrived. Only the exact lines "stop" and
// "quit" act on the search; `isready` is answered at once, since interfaces wait
// for it to learn that the engine is alive; anything else waits for the command
// loop. After `stop` the rest stays unread, to be handled after `bestmove`.
namespace {

// Starts the next poll window short when the node limit falls inside it.
void place_poll_window(SearchState& state) {
  const std::uint64_t limit = search_control.limits.nodes;
  if (limit == 0) {
    state.poll_start = 0;
    return;
  }
  const std::uint64_t visited = state.nodes_polled + helpers_visited();
  state.poll_start = 0;
  if (visited >= limit) state.stop_search = 1;
  else if (limit - visited < POLL_INTERVAL)
    state.poll_start = static_cast<std::uint16_t>(POLL_INTERVAL - (limit - visited));
  state.poll_count = state.poll_start;
}

// From `ponderhit` on, the clock given with `go ponder` counts as if `go` had
// been read now; a search that already did enough for it answers at once.
void start_clock_at_ponderhit(SearchControl& control, SearchState& state) {
  const std::int64_t now = clock_ms();
  control.pondering = 0;
  control.time_budget = control.ponder_budget;
  control.time_limit = control.ponder_budget * HARD_LIMIT_FACTOR;
  control.ponderhit_seen = 1;
  control.ponderhit_ms = now;
  if (control.ponder_cap >= 0) control.deadline_ms = now + static_cast<std::int64_t>(control.ponder_cap * 1000.0);
  const bool did_enough = control.ponder_budget != NO_TIME_BUDGET &&
                          control.last_iteration_depth >= BUDGET_FROM_DEPTH &&
                          control.last_iteration_seconds > control.ponder_budget;
  if (control.stop_at_ponderhit || did_enough) state.stop_search = 1;
}

}  // namespace

void start_node_count() {
  SearchState& state = thread.search_state;
  state.nodes_polled = 0;
  state.poll_count = 0;
  place_poll_window(state);
}

std::uint64_t nodes_visited() {
  const SearchState& state = thread.search_state;
  return state.nodes_polled + state.poll_count - state.poll_start + helpers_visited();
}

// Only `stop`, `ponderhit`, `quit` or the end of input end the wait: a limit
// of the search's own (depth, nodes, a mate) has only ended the searching.
void wait_while_pondering() {
  while (search_control.pondering) {
    poll_input_and_clock();
    if (search_control.pondering) stdin_readable_within(PONDER_WAIT_MS);
  }
}

void poll_input_and_clock() {
  SearchState& state = thread.search_state;
  SearchControl& control = search_control;
  state.nodes_polled += POLL_INTERVAL - state.poll_start;
  place_poll_window(state);
  for (bool reading = true; reading;) {
    switch (poll_line(control.input_line)) {
      case PolledLine::NONE:
      case PolledLine::END:
        reading = false;
        break;
      case PolledLine::TOO_LONG:
        break;  // no command is that long: skipped, and the next line is read
      case PolledLine::LINE:
        if (!std::strcmp(control.input_line, "quit")) {
          // The search unwinds in silence; the command loop says goodbye once
          // the helpers are idle.
          control.quit = true;
          output::muted = true;
        }
        if (control.quit || !std::strcmp(control.input_line, "stop")) {
          state.stop_search = 1;
          control.pondering = 0;
          reading = false;
        } else if (control.pondering && !std::strcmp(control.input_line, "ponderhit")) {
          start_clock_at_ponderhit(control, state);
        } else if (starts_with(control.input_line, "isready")) {
          OutLine() << "readyok \n\n";
        } else {
          keep_line(control.input_line);
        }
        break;
    }
  }
  if (control.stop_at_input_end && input_ended()) {
    state.stop_search = 1;
    control.pondering = 0;
  }
  const std::int64_t now = clock_ms();
  double elapsed = static_cast<double>(now - budget_start_ms(control.time_start)) / 1000.0;
  if (elapsed < 0.01) elapsed = 0.01;
  if (control.time_limit > 0 && elapsed > control.time_limit) state.stop_search = 1;
  if (now >= control.deadline_ms) state.stop_search = 1;
}
