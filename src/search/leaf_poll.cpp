#include <cstdlib>
#include <cstring>

#include "hash/hash.h"
#include "search/Iterative_Deepening.h"
#include "search/search.h"
#include "search/search_state.h"
#include "uci/input.h"
#include "uci/output.h"
#include "uci/platform.h"

// Only the exact lines count: "stop " or "quit now" are dropped like any other.
void poll_input_and_clock() {
  SearchState& state = search_state;
  if (input_waiting() && read_line(state.input_line)) {
    if (!std::strcmp(state.input_line, "quit")) {
      OutLine() << "Nerul: quit command. I am terminated.\n";
      free_hash();
      std::exit(1);
    }
    if (!std::strcmp(state.input_line, "stop")) state.stop_search = 1;
  }
  if (stop_at_input_end && input_ended()) state.stop_search = 1;
  double elapsed = static_cast<double>(clock_ms() - time_start) / 1000.0;
  if (elapsed < 0.01) elapsed = 0.01;
  if (state.time_limit > 0 && elapsed > state.time_limit) state.stop_search = 1;
}

template <Colour Us>
std::int32_t leaf_poll(std::int32_t alpha, std::int32_t beta, std::uint8_t ply, std::uint8_t pv_node) {
  if (search_state.poll_count > POLL_INTERVAL) {
    poll_input_and_clock();
    search_state.poll_count = 0;
  }
  ++search_state.poll_count;
  return quiescence<Us>(alpha, beta, ply, pv_node);
}

template std::int32_t leaf_poll<WHITE>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t);
template std::int32_t leaf_poll<BLACK>(std::int32_t, std::int32_t, std::uint8_t, std::uint8_t);
