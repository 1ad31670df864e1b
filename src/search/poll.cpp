#include <cstdlib>
#include <cstring>

#include "hash/hash.h"
#include "io/input.h"
#include "io/output.h"
#include "io/platform.h"
#include "io/text.h"
#include "search/Iterative_Deepening.h"
#include "search/helper.h"
#include "search/search.h"
#include "search/search_state.h"
#include "search/threads.h"

// Takes every complete line that has arrived. Only the exact lines "stop" and
// "quit" act on the search; `isready` is answered at once, since interfaces wait
// for it to learn that the engine is alive; anything else waits for the command
// loop. After `stop` the rest stays unread, to be handled after `bestmove`.
namespace {

// Starts the next poll window short when the node limit falls inside it.
void place_poll_window(SearchState& state) {
  const std::uint64_t limit = state.limits.nodes;
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
void start_clock_at_ponderhit(SearchState& state) {
  const std::int64_t now = clock_ms();
  state.pondering = 0;
  state.time_budget = state.ponder_budget;
  state.time_limit = state.ponder_budget * HARD_LIMIT_FACTOR;
  state.ponderhit_seen = 1;
  state.ponderhit_ms = now;
  if (state.ponder_cap >= 0) state.deadline_ms = now + static_cast<std::int64_t>(state.ponder_cap * 1000.0);
  const bool did_enough = state.ponder_budget != NO_TIME_BUDGET && state.last_iteration_depth >= BUDGET_FROM_DEPTH &&
                          state.last_iteration_seconds > state.ponder_budget;
  if (state.stop_at_ponderhit || did_enough) state.stop_search = 1;
}

}  // namespace

void start_node_count() {
  search_state.nodes_polled = 0;
  search_state.poll_count = 0;
  place_poll_window(search_state);
}

std::uint64_t nodes_visited() {
  return search_state.nodes_polled + search_state.poll_count - search_state.poll_start + helpers_visited();
}

// Only `stop`, `ponderhit`, `quit` or the end of input end the wait: a limit
// of the search's own (depth, nodes, a mate) has only ended the searching.
void wait_while_pondering() {
  while (search_state.pondering) {
    poll_input_and_clock();
    if (search_state.pondering) stdin_readable_within(PONDER_WAIT_MS);
  }
}

void poll_input_and_clock() {
  SearchState& state = search_state;
  if (state.is_helper) return helper_poll();
  state.nodes_polled += POLL_INTERVAL - state.poll_start;
  place_poll_window(state);
  for (bool reading = true; reading;) {
    switch (poll_line(state.input_line)) {
      case PolledLine::NONE:
      case PolledLine::END:
        reading = false;
        break;
      case PolledLine::TOO_LONG:
        break;  // no command is that long: skipped, and the next line is read
      case PolledLine::LINE:
        if (!std::strcmp(state.input_line, "quit")) {
          OutLine() << "Nerul: quit command. I am terminated.\n";
          end_helpers();
          free_hash();
          std::exit(1);
        }
        if (!std::strcmp(state.input_line, "stop")) {
          state.stop_search = 1;
          state.pondering = 0;
          reading = false;
        } else if (state.pondering && !std::strcmp(state.input_line, "ponderhit")) {
          start_clock_at_ponderhit(state);
        } else if (starts_with(state.input_line, "isready")) {
          OutLine() << "readyok \n\n";
        } else {
          keep_line(state.input_line);
        }
        break;
    }
  }
  if (stop_at_input_end && input_ended()) {
    state.stop_search = 1;
    state.pondering = 0;
  }
  const std::int64_t now = clock_ms();
  double elapsed = static_cast<double>(now - budget_start_ms(time_start)) / 1000.0;
  if (elapsed < 0.01) elapsed = 0.01;
  if (state.time_limit > 0 && elapsed > state.time_limit) state.stop_search = 1;
  if (now >= state.deadline_ms) state.stop_search = 1;
}
