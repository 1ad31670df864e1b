// libFuzzer target over the command loop's line handlers, on the real board.
//
// The input is split into lines the way the engine's reader splits standard input,
// and each line goes to the handler the command loop would pick. The few things a
// fuzzer must not do are kept out: `quit` and a `go` without limits end the process,
// a large hash size would spend the run clearing memory, and a search is cut down to
// a tiny depth with no clock, so that every input runs in milliseconds and the same
// way every time.
//
// Switches, read from the environment once:
//   NERUL_FUZZ_HOSTILE=1     search every position as written, also one the engine
//                            refuses (by default it stays refused and `go` names the
//                            null move)
//   NERUL_FUZZ_DEPTH=N       deepest search a `go` may run, 0 to 2 (default 1)
//   NERUL_FUZZ_ALLOW_ERROR=1 do not treat an output line beginning with "ERROR" as a fault
//   NERUL_FUZZ_ECHO=1        copy the engine's output to standard error
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "board/board.h"
#include "hash/hash.h"
#include "io/input.h"
#include "io/text.h"
#include "search/Iterative_Deepening.h"
#include "uci/command_loop.h"
#include "uci/go.h"
#include "uci/options.h"
#include "uci/position.h"

namespace {

bool hostile = false;
bool allow_error = false;
bool echo = false;
int max_depth = 1;
constexpr std::uint16_t MAX_FUZZ_HASH_MB = 4;
constexpr int MAX_SEARCHES_PER_INPUT = 4;

// The engine's output goes to an anonymous file so it can be scanned after each input.
int output_fd = -1;

bool env_flag(const char* name) {
  const char* v = std::getenv(name);
  return v && *v && std::strcmp(v, "0") != 0;
}

// The engine refuses a position the rules could not have reached and answers a
// `go` on it with the null move; the fuzzer searches such a position only when asked.
void position_line(std::string_view line) {
  dispatch_command(line);
  if (hostile && position_refused) {
    set_up_position(starts_with(line, "position fen") ? line : start_position_text);
    position_refused = false;
  }
}

void go_line(std::string_view line, int& searches) {
  go_params = NOTHING_GIVEN;
  read_go_params(line);
  const GoParams& g = go_params;
  // check_go_params would end the process here.
  if (g.wtime == TIME_NOT_GIVEN && g.btime == TIME_NOT_GIVEN && g.depth == DEPTH_NOT_GIVEN &&
      g.movetime == TIME_NOT_GIVEN && g.infinite == 0)
    return;
  double time_budget = NO_TIME_BUDGET;
  std::uint8_t depth_limit = 0;
  compute_time_budget(time_budget, depth_limit);
  advance_hash_age();
  if (position_refused) {
    go_command(line);  // names the null move at once
    return;
  }
  if (searches >= MAX_SEARCHES_PER_INPUT) return;
  ++searches;
  search_control.stop_at_input_end = false;
  const auto depth = static_cast<std::uint8_t>(std::min<int>(depth_limit, max_depth));
  iterative_deepening(depth, NO_TIME_BUDGET);
}

void setoption_line(std::string_view line) {
  const std::uint16_t megabytes = read_hash_option(line);
  if (megabytes > MAX_FUZZ_HASH_MB) return;
  dispatch_command(line);
}

void handle_line(std::string_view line, int& searches) {
  if (starts_with(line, "ucinewgame")) dispatch_command(line);
  else if (starts_with(line, "uci")) dispatch_command(line);
  else if (starts_with(line, "setoption")) setoption_line(line);
  else if (starts_with(line, "isready")) dispatch_command(line);
  else if (starts_with(line, "position")) position_line(line);
  else if (starts_with(line, "go")) go_line(line, searches);
  else if (starts_with(line, "quit")) return;
  else dispatch_command(line);
}

// Scans what the engine wrote for this input, then empties the file.
void check_output(const std::uint8_t* data, std::size_t size) {
  const off_t end = lseek(output_fd, 0, SEEK_CUR);
  if (end > 0) {
    std::string text(static_cast<std::size_t>(end), '\0');
    const ssize_t n = pread(output_fd, text.data(), text.size(), 0);
    if (n > 0) text.resize(static_cast<std::size_t>(n));
    if (echo) std::fwrite(text.data(), 1, text.size(), stderr);
    if (!allow_error && (starts_with(text, "ERROR") || text.find("\nERROR") != std::string::npos)) {
      std::fprintf(stderr, "engine wrote an ERROR line for this input:\n");
      std::fwrite(data, 1, std::min<std::size_t>(size, 2000), stderr);
      std::fprintf(stderr, "\n---- output ----\n");
      std::fwrite(text.data(), 1, std::min<std::size_t>(text.size(), 4000), stderr);
      std::fprintf(stderr, "\n");
      std::abort();
    }
  }
  if (ftruncate(output_fd, 0) != 0) std::abort();
  lseek(output_fd, 0, SEEK_SET);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  hostile = env_flag("NERUL_FUZZ_HOSTILE");
  allow_error = env_flag("NERUL_FUZZ_ALLOW_ERROR");
  echo = env_flag("NERUL_FUZZ_ECHO");
  if (const char* d = std::getenv("NERUL_FUZZ_DEPTH")) max_depth = std::clamp(std::atoi(d), 0, 2);

  // The search polls standard input: give it one that has ended, so nothing blocks.
  const int null_fd = open("/dev/null", O_RDONLY);
  if (null_fd >= 0) {
    dup2(null_fd, STDIN_FILENO);
    close(null_fd);
  }
  std::FILE* file = std::tmpfile();
  if (!file) std::abort();
  output_fd = dup(fileno(file));
  dup2(output_fd, STDOUT_FILENO);
  output_fd = STDOUT_FILENO;

  dispatch_command("uci");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Every input starts from the same state: a fresh start position and table.
  clear_board();
  position_line(start_position_text);
  if (hash_mask + 1 != hash_entries_for(1)) init_hash();
  clear_hash();
  hash_age = 0;

  int searches = 0;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    const std::size_t newline = rest.find('\n');
    std::string_view raw = rest.substr(0, newline);
    rest = newline == std::string_view::npos ? std::string_view() : rest.substr(newline + 1);
    // The reader gives up on a line it cannot hold: so does the command loop.
    if (raw.size() > MAX_LINE_LENGTH) break;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    // The command loop copies the line as a C string: a NUL ends it.
    const std::string line(raw.substr(0, raw.find('\0')));
    handle_line(line, searches);
  }
  check_output(data, size);
  return 0;
}
