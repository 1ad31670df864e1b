#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "board/board.h"
#include "search/Iterative_Deepening.h"
#include "tools/bench_positions.h"
#include "tools/commands.h"
#include "uci/command_loop.h"
#include "io/output.h"


// nerul-tool bench [depth]: a fixed, repeatable search workload.
int bench_command(int argc, char** argv) {
  const int depth = argc > 0 ? std::atoi(argv[0]) : 11;
  const std::string go = "go depth " + std::to_string(depth);
  output::muted = true;
  dispatch_command("uci");
  output::muted = false;

  const std::uint64_t nodes_before = nodes_all_iterations;
  std::uint64_t moves_total = 0;
  const auto start = std::chrono::steady_clock::now();
  int number = 0;
  for (const char* fen : bench_positions) {
    const std::uint64_t nodes_start = nodes_all_iterations;
    dispatch_command("ucinewgame");
    dispatch_command(std::string("position fen ") + fen);
    const std::uint64_t moves_start = moves_made;
    output::muted = true;
    dispatch_command(go);
    output::muted = false;
    moves_total += moves_made - moves_start;
    std::printf("position %2d: nodes %llu, moves made %llu  %s\n", ++number,
                static_cast<unsigned long long>(nodes_all_iterations - nodes_start),
                static_cast<unsigned long long>(moves_made - moves_start), fen);
    std::fflush(stdout);
  }
  const auto elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start).count();
  const double seconds = elapsed_ms > 0 ? elapsed_ms / 1000.0 : 0.001;
  std::printf("moves made per second: %.0f\n", static_cast<double>(moves_total) / seconds);
  std::printf("%llu %llu %lld\n", static_cast<unsigned long long>(nodes_all_iterations - nodes_before),
              static_cast<unsigned long long>(moves_total), static_cast<long long>(elapsed_ms));
  return 0;
}
