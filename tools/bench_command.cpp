#include <cstdlib>

#include "io/output.h"
#include "tools/commands.h"
#include "uci/bench.h"

// nerul-tool bench [depth] [hash]: the bench, ending with the signature, the moves
// made and the milliseconds taken; with `hash`, on a table of that many megabytes.
int bench_command(int argc, char** argv) {
  const int depth = argc > 0 ? std::atoi(argv[0]) : BENCH_DEFAULT_DEPTH;
  const int hash = argc > 1 ? std::atoi(argv[1]) : 0;
  const BenchResult r = run_bench(depth, hash);
  const double seconds = r.milliseconds > 0 ? r.milliseconds / 1000.0 : 0.001;
  OutLine() << "moves made per second: "
            << static_cast<std::uint64_t>(static_cast<double>(r.moves_made) / seconds + 0.5) << '\n'
            << r.nodes << ' ' << r.moves_made << ' ' << r.milliseconds << '\n';
  return 0;
}
