// Nerul: a UCI chess engine. The interface drives it over standard input and output;
// `nerul bench [depth]` runs the bench instead.
#include <cstring>

#include "uci/bench.h"
#include "uci/command_loop.h"

int main(int argc, char** argv) {
  if (argc > 1 && !std::strcmp(argv[1], "bench")) return bench_main(argc, argv);
  return command_loop();
}
