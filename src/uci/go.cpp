#include "uci/go.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "board/board.h"
#include "board/make_move.h"
#include "hash/hash.h"
#include "io/output.h"
#include "io/platform.h"
#include "io/text.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "movegen/perft.h"
#include "search/Iterative_Deepening.h"
#include "search/poll.h"
#include "search/reports.h"
#include "search/search.h"
#include "search/skill.h"
#include "search/threads.h"
#include "uci/options.h"
#include "uci/position.h"

GoParams go_params;

namespace {

// The number begins one character after the keyword, whatever that character is.
// A line that ends before that point reads as an empty number, 0, like one that
// ends there.
bool number_after(std::string_view line, std::string_view keyword, bool up_to_space, std::int32_t& value) {
  const std::size_t found = line.find(keyword);
  if (found == std::string_view::npos) return false;
  const std::size_t start = found + keyword.size() + 1;
  if (start >= line.size()) {
    value = 0;
    return true;
  }
  std::string_view text = line.substr(start);
  if (up_to_space) text = text.substr(0, text.find(' '));
  value = read_number(text);
  return true;
}

double seconds_from(std::int32_t milliseconds) { return milliseconds < 0 ? 0.0 : milliseconds / 1000.0; }

// The words beyond the clock and depth are read word by word: a number is the
// word after its keyword, and a missing one reads as 0.
std::string_view word_at(std::string_view line, std::size_t& at) {
  while (at < line.size() && line[at] == ' ') ++at;
  const std::size_t start = at;
  while (at < line.size() && line[at] != ' ') ++at;
  return line.substr(start, at - start);
}

std::uint64_t count_from(std::string_view word) {
  std::uint64_t n = 0;
  if (!word.empty() && word[0] == '-') return 0;
  for (char c : word.substr(!word.empty() && word[0] == '+' ? 1 : 0)) {
    if (c < '0' || c > '9') break;
    n = n > (UINT64_MAX - 9) / 10 ? UINT64_MAX : n * 10 + static_cast<unsigned>(c - '0');
  }
  return n;
}

// Every word of a `go` line, for those read word by word.
template <class Each>
void for_each_word(std::string_view line, Each each) {
  std::size_t at = 0;
  for (std::string_view w = word_at(line, at); !w.empty(); w = word_at(line, at)) each(w, line, at);
}

// Four or five characters like e2e4 or e7e8q.
bool reads_as_move(std::string_view w) {
  const auto file = [](char c) { return c >= 'a' && c <= 'h'; };
  const auto rank = [](char c) { return c >= '1' && c <= '8'; };
  return (w.size() == 4 || (w.size() == 5 && std::string_view("qrbn").find(w[4]) != std::string_view::npos)) &&
         file(w[0]) && rank(w[1]) && file(w[2]) && rank(w[3]);
}

// The legal move the text names; a promotion without its letter is a queen's.
int legal_move_named(const MoveList& list, std::string_view w) {
  for (std::uint8_t k = 0; k < list.move_count; ++k) {
    const std::string text = move_text(list.move[k]);
    if (w != text && (w.size() != 4 || text != std::string(w) + "q")) continue;
    if (thread.bitboard.colour_move == 1 ? is_legal<WHITE>(0, k, list) : is_legal<BLACK>(0, k, list)) return k;
  }
  return -1;
}

// The moves after `searchmoves` that are legal here, as move words.
void read_searchmoves(std::string_view line) {
  GoLimits& limits = search_control.limits;
  limits.root_move_count = 0;
  bool in_list = false;
  MoveList list;
  generate_all_moves(list);
  for_each_word(line, [&](std::string_view w, std::string_view, std::size_t&) {
    if (w == "searchmoves") {
      in_list = true;
      return;
    }
    // The list ends at the first word that reads as no move at all.
    if (!in_list || !(in_list = reads_as_move(w))) return;
    const int index = legal_move_named(list, w);
    if (index < 0) return;
    for (int k = 0; k < limits.root_move_count; ++k)
      if (limits.root_moves[k] == list.move[index]) return;
    limits.root_moves[limits.root_move_count++] = list.move[index];
  });
}

// The clock is spread over the moves the game is still expected to last: this
// many at the start, one less for each move of PLIES_PER_MOVE plies played.
// However long the game runs, at least MIN_MOVES_LEFT remain, so that no one move
// stakes a large part of the clock.
constexpr int MOVES_LEFT_AT_START = 80;
constexpr int PLIES_PER_MOVE = 2;
constexpr int MIN_MOVES_LEFT = 20;
// The driver starts another iteration whenever the last one took less than the
// budget, and each takes a few times as long as the one before: the budget is a
// fraction of the move's share so that the search as a whole stays near it.
constexpr double BUDGET_DIVISOR = 3.0;

void write_divide_line(Move m, std::uint64_t leaves) { OutLine() << move_text(m) << ": " << leaves << '\n'; }

// `stop` and `quit` are read during a long count as during a search.
bool perft_interrupted() {
  poll_input_and_clock();
  return thread.search_state.stop_search != 0;
}

// A `go` that searches no tree: no clock and no limits, only what the input brings.
void start_without_limits(bool stop_at_input_end) {
  thread.search_state.stop_search = 0;
  search_control.quit = false;
  search_control.time_limit = 0;
  search_control.deadline_ms = NO_DEADLINE;
  search_control.limits = GoLimits{};
  search_control.stop_at_input_end = stop_at_input_end;
}

// A level below full strength searches more lines than it shows and fewer
// iterations than the limits allow. Analysis (`go infinite`, `go mate`) is at
// full strength whatever the level.
void play_at_the_level_asked(std::uint8_t& depth_limit) {
  const GoParams& g = go_params;
  const Skill skill = g.infinite == 1 || g.mate != 0 ? skill_for_level(FULL_STRENGTH) : playing_skill();
  search_control.skill = skill;
  search_control.shown_lines = engine_options.multipv;
  if (skill.full) return;
  thread.search_state.multipv = std::max(engine_options.multipv, SKILL_LINES);
  if (skill.depth != 0) depth_limit = std::min(depth_limit, skill.depth);
}

}  // namespace

void read_go_params(std::string_view line) {
  std::int32_t n;
  if (line.find("infinite") != std::string_view::npos) go_params.infinite = 1;
  if (number_after(line, "depth", false, n)) go_params.depth = static_cast<std::uint8_t>(n);
  // A time below zero is no time at all: move as soon as the rules allow. (Read
  // as given, -1000 would even pass for a clock not given.)
  if (number_after(line, "movetime", false, n)) go_params.movetime = seconds_from(n);
  if (number_after(line, "wtime", true, n)) go_params.wtime = seconds_from(n);
  if (number_after(line, "btime", true, n)) go_params.btime = seconds_from(n);
  if (number_after(line, "winc", true, n)) go_params.winc = seconds_from(n);
  if (number_after(line, "binc", true, n)) go_params.binc = seconds_from(n);
  for_each_word(line, [](std::string_view w, std::string_view text, std::size_t& at) {
    if (w == "ponder") go_params.ponder = 1;
    if (w != "nodes" && w != "mate" && w != "movestogo") return;
    std::size_t next = at;
    const std::uint64_t value = count_from(word_at(text, next));
    // Below 1 a node or mate limit counts as 1, and a move count as none given.
    if (w == "nodes") go_params.nodes = std::max<std::uint64_t>(value, 1);
    else if (w == "mate") go_params.mate = static_cast<std::uint8_t>(std::clamp<std::uint64_t>(value, 1, MAX_PLY));
    else go_params.movestogo = static_cast<std::int32_t>(std::min<std::uint64_t>(value, 1000000));
  });
}

void check_go_params() {
  const GoParams& g = go_params;
  if (g.wtime == TIME_NOT_GIVEN && g.btime == TIME_NOT_GIVEN && g.depth == DEPTH_NOT_GIVEN &&
      g.movetime == TIME_NOT_GIVEN && g.infinite == 0 && g.nodes == 0 && g.mate == 0 && g.ponder == 0) {
    OutLine() << "Nerul: illegal go command. I am terminated.\n";
    end_helpers();
    free_hash();
    std::exit(1);
  }
}

void compute_time_budget(double& time_budget, std::uint8_t& depth_limit) {
  const GoParams& g = go_params;
  if (g.depth != DEPTH_NOT_GIVEN) {
    depth_limit = g.depth;
  } else if (g.infinite == 1) {
    depth_limit = MAX_ITERATION_DEPTH;
  } else if (g.movetime != TIME_NOT_GIVEN) {
    time_budget = g.movetime;
    depth_limit = MAX_ITERATION_DEPTH;
  } else if (g.wtime != TIME_NOT_GIVEN || g.btime != TIME_NOT_GIVEN) {
    int moves_left = MOVES_LEFT_AT_START - key_history_game_count / PLIES_PER_MOVE;
    if (moves_left < MIN_MOVES_LEFT) moves_left = MIN_MOVES_LEFT;
    if (g.movestogo > 0) moves_left = g.movestogo;
    // The mover's clock, when only the other side's is given, is none at all: read
    // as it stands it could make the budget the very value that means "no budget".
    const double clock = thread.bitboard.colour_move == 1 ? g.wtime : g.btime;
    const double own = clock == TIME_NOT_GIVEN ? 0.0 : clock;
    time_budget = own / moves_left + (thread.bitboard.colour_move == 1 ? g.winc : g.binc);
    depth_limit = MAX_ITERATION_DEPTH;
  } else if (g.nodes != 0 || g.mate != 0) {
    depth_limit = MAX_ITERATION_DEPTH;
  }
  if (time_budget != NO_TIME_BUDGET) time_budget = time_budget / BUDGET_DIVISOR;
}

double move_time_cap() {
  const GoParams& g = go_params;
  if (g.depth == DEPTH_NOT_GIVEN && g.infinite == 1) return NO_MOVE_TIME_CAP;  // only `stop` ends it
  double cap = NO_MOVE_TIME_CAP;
  const double clock = thread.bitboard.colour_move == 1 ? g.wtime : g.btime;
  const double share = g.movestogo > 0 ? std::max(CLOCK_SHARE, 1.0 / (g.movestogo + 1)) : CLOCK_SHARE;
  const double overhead = engine_options.move_overhead_ms / 1000.0;
  if (clock != TIME_NOT_GIVEN) cap = std::max(0.0, std::min(clock - overhead, clock * share));
  if (g.depth == DEPTH_NOT_GIVEN && g.movetime != TIME_NOT_GIVEN && (cap == NO_MOVE_TIME_CAP || g.movetime < cap))
    cap = g.movetime;
  return cap;
}

void advance_hash_age() {
  if (hash_age > LAST_HASH_AGE) hash_age = 0;
  ++hash_age;
}

void go_command(std::string_view line) {
  // The interface's clock runs from the moment it sent the line.
  const std::int64_t received = clock_ms();
  go_params = NOTHING_GIVEN;
  search_control.chess960 = engine_options.chess960;
  double time_budget = NO_TIME_BUDGET;
  std::uint8_t depth_limit = 0;
  std::int32_t perft_depth = -1;
  for_each_word(line, [&](std::string_view w, std::string_view text, std::size_t& at) {
    if (w == "perft" && perft_depth < 0) {
      std::size_t next = at;
      perft_depth = static_cast<std::int32_t>(std::min<std::uint64_t>(count_from(word_at(text, next)), MAX_PLY));
    }
  });
  if (perft_depth >= 0) return go_perft(perft_depth);
  read_go_params(line);
  check_go_params();
  if (position_refused) {
    // No move to name, yet a ponder search still answers only at `ponderhit` or
    // `stop`, as the interface expects of any.
    if (go_params.ponder == 1) {
      start_without_limits(true);
      SearchControl& state = search_control;
      state.ponder_budget = NO_TIME_BUDGET;
      state.ponder_cap = -1.0;
      state.stop_at_ponderhit = 1;
      state.pondering = 1;
      wait_while_pondering();
    }
    OutLine() << "bestmove 0000\n";
    return;
  }
  SearchControl& state = search_control;
  state.limits.nodes = go_params.nodes;
  state.limits.mate = go_params.mate;
  read_searchmoves(line);
  compute_time_budget(time_budget, depth_limit);
  std::int64_t deadline = NO_DEADLINE;
  if (const double cap = move_time_cap(); cap != NO_MOVE_TIME_CAP) {
    if (time_budget != NO_TIME_BUDGET) time_budget = std::min(time_budget, cap);
    deadline = received + static_cast<std::int64_t>(cap * 1000.0);
  }
  advance_hash_age();
  const GoParams& g = go_params;
  const bool clock_or_time = g.movetime != TIME_NOT_GIVEN || g.wtime != TIME_NOT_GIVEN || g.btime != TIME_NOT_GIVEN;
  // Only a search without a bound of its own (infinite, looking for a mate, or
  // pondering) waits for a `stop` that a closed input can never bring.
  search_control.stop_at_input_end =
      g.ponder == 1 || (g.depth == DEPTH_NOT_GIVEN && (g.infinite == 1 || (!clock_or_time && g.nodes == 0)));
  state.name_reply = engine_options.ponder ? 1 : 0;
  thread.search_state.multipv = engine_options.multipv;
  state.pondering = g.ponder;
  if (g.ponder == 1) {
    // The clock counts from `ponderhit`; until then nothing but the search's
    // own limits ends it, and a bare `go ponder` answers at `ponderhit`.
    state.ponder_budget = time_budget;
    state.ponder_cap = deadline == NO_DEADLINE ? -1.0 : (deadline - received) / 1000.0;
    state.stop_at_ponderhit =
        g.depth == DEPTH_NOT_GIVEN && g.infinite == 0 && !clock_or_time && g.nodes == 0 && g.mate == 0;
    if (g.depth == DEPTH_NOT_GIVEN && depth_limit == 0) depth_limit = MAX_ITERATION_DEPTH;
    time_budget = NO_TIME_BUDGET;
    deadline = NO_DEADLINE;
  }
  play_at_the_level_asked(depth_limit);
  iterative_deepening(depth_limit, time_budget, deadline);
}

void go_perft(std::int32_t depth) {
  start_without_limits(false);
  // A refused position leaves an empty board: no move below it, but still the
  // position itself at depth 0.
  const std::uint64_t total =
      position_refused && depth > 0 ? 0 : perft_divide(depth, write_divide_line, perft_interrupted);
  // A count cut short by `stop` has no total: the lines of the moves counted in full stand alone.
  if (thread.search_state.stop_search != 0) return;
  OutLine() << "\nNodes searched: " << total << "\n\n";
}
