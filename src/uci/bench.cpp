#include "uci/bench.h"

#include <cstdlib>
#include <string>

#include "board/board.h"
#include "io/output.h"
#include "io/platform.h"
#include "search/Iterative_Deepening.h"
#include "uci/bench_positions.h"
#include "uci/command_loop.h"

BenchResult run_bench(int depth, int hash_megabytes) {
  const std::string go = "go depth " + std::to_string(depth);
  output::muted = true;
  dispatch_command("uci");
  if (hash_megabytes > 0) dispatch_command("setoption name Hash value " + std::to_string(hash_megabytes));
  output::muted = false;

  const std::uint64_t nodes_before = thread.nodes_all_iterations;
  std::uint64_t moves_total = 0;
  const std::int64_t start = clock_ms();
  int number = 0;
  for (const char* fen : bench_positions) {
    const std::uint64_t nodes_start = thread.nodes_all_iterations;
    const std::uint64_t moves_start = thread.moves_made;
    output::muted = true;
    dispatch_command("ucinewgame");
    dispatch_command(std::string("position fen ") + fen);
    dispatch_command(go);
    output::muted = false;
    moves_total += thread.moves_made - moves_start;
    ++number;
    OutLine() << "position " << (number < 10 ? " " : "") << number << ": nodes "
              << thread.nodes_all_iterations - nodes_start << ", moves made " << thread.moves_made - moves_start << "  "
              << fen << '\n';
  }
  return {thread.nodes_all_iterations - nodes_before, moves_total, clock_ms() - start};
}

int bench_main(int argc, char** argv) {
  const int depth = argc > 2 ? std::atoi(argv[2]) : BENCH_DEFAULT_DEPTH;
  const BenchResult r = run_bench(depth);
  const std::int64_t ms = r.milliseconds > 0 ? r.milliseconds : 1;
  OutLine() << r.nodes << " nodes " << static_cast<std::uint64_t>(r.nodes * 1000 / static_cast<std::uint64_t>(ms))
            << " nps\n";
  return 0;
}
