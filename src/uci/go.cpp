#include "uci/go.h"

#include <cstdlib>

#include "board/board.h"
#include "hash/hash.h"
#include "search/Iterative_Deepening.h"
#include "uci/output.h"
#include "uci/position.h"
#include "uci/text.h"

GoParams go_params;

namespace {

constexpr GoParams NOT_GIVEN{-1.0, -1.0, 0.0, 0.0, 255, -1.0, 0};

// The number begins `offset` characters after the keyword's start. A line that
// ends before that point reads as an empty number, 0, like one that ends there.
bool number_after(std::string_view line, std::string_view keyword, std::size_t offset, bool up_to_space,
                  std::int32_t& value) {
  const std::size_t found = line.find(keyword);
  if (found == std::string_view::npos) return false;
  const std::size_t start = found + offset;
  if (start >= line.size()) {
    value = 0;
    return true;
  }
  std::string_view text = line.substr(start);
  if (up_to_space) text = text.substr(0, text.find(' '));
  value = read_number(text);
  return true;
}

}  // namespace

void read_go_params(std::string_view line) {
  std::int32_t n;
  if (line.find("infinite") != std::string_view::npos) go_params.infinite = 1;
  if (number_after(line, "depth", 6, false, n)) go_params.depth = static_cast<std::uint8_t>(n);
  if (number_after(line, "movetime", 9, false, n)) go_params.movetime = n / 1000.0;
  if (number_after(line, "wtime", 6, true, n)) go_params.wtime = n / 1000.0;
  if (number_after(line, "btime", 6, true, n)) go_params.btime = n / 1000.0;
  if (number_after(line, "winc", 5, true, n)) go_params.winc = n / 1000.0;
  if (number_after(line, "binc", 5, true, n)) go_params.binc = n / 1000.0;
}

void check_go_params() {
  const GoParams& g = go_params;
  if (g.wtime == -1.0 && g.btime == -1.0 && g.depth == 255 && g.movetime == -1.0 && g.infinite == 0) {
    OutLine() << "Nerul: illegal go command. I am terminated.\n";
    free_hash();
    std::exit(1);
  }
}

void compute_time_budget(double& time_budget, std::uint8_t& depth_limit) {
  const GoParams& g = go_params;
  if (g.depth != 255) {
    depth_limit = g.depth;
  } else if (g.infinite == 1) {
    depth_limit = 50;
  } else if (g.movetime != -1.0) {
    time_budget = g.movetime;
    depth_limit = 50;
  } else if (g.wtime != -1.0 || g.btime != -1.0) {
    int moves_left = 80 - key_history_game_count / 2;
    if (moves_left < 20) moves_left = 20;
    time_budget = bitboard.colour_move == 1 ? g.wtime / moves_left + g.winc : g.btime / moves_left + g.binc;
    depth_limit = 50;
  }
  if (time_budget != -1.0) time_budget = time_budget / 3.0;
}

void advance_hash_age() {
  if (hash_age > 250) hash_age = 0;
  ++hash_age;
}

void go_command(std::string_view line) {
  go_params = NOT_GIVEN;
  double time_budget = -1.0;
  std::uint8_t depth_limit = 0;
  read_go_params(line);
  check_go_params();
  compute_time_budget(time_budget, depth_limit);
  advance_hash_age();
  // Only an infinite search waits for a `stop` that a closed input can never bring.
  stop_at_input_end = go_params.depth == 255 && go_params.infinite == 1;
  iterative_deepening(depth_limit, time_budget);
}
