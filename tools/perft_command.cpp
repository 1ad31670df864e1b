#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "movegen/perft.h"
#include "search/reports.h"
#include "tools/commands.h"
#include "tools/perft_verify.h"
#include "tools/tool_support.h"

// nerul-tool perft [--chess960] [--verify] <depth> "<FEN>"
int perft_command(int argc, char** argv) {
  const bool chess960 = take_flag(argc, argv, "--chess960");
  const bool verify = take_flag(argc, argv, "--verify");
  if (argc < 2) {
    std::printf("usage: nerul-tool perft [--chess960] [--verify] <depth> \"<FEN>\"\n");
    return 2;
  }
  const int depth = std::atoi(argv[0]);
  set_up_fen(argv[1], chess960);
  const auto start = std::chrono::steady_clock::now();
  std::uint64_t leaves = 0;
  if (verify) {
    std::string failure;
    if (!perft_verify(depth, leaves, failure)) {
      std::printf("FAILED: %s\n", failure.c_str());
      return 1;
    }
  } else {
    leaves = perft(depth);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("time %.3f s, %.0f leaves/s\n", seconds, seconds > 0 ? leaves / seconds : 0.0);
  std::printf("%llu\n", static_cast<unsigned long long>(leaves));
  return 0;
}

namespace {

void print_divide_line(Move m, std::uint64_t leaves) {
  std::printf("%s: %llu\n", move_text(m).c_str(), static_cast<unsigned long long>(leaves));
}

bool never_interrupted() { return false; }

}  // namespace

// nerul-tool divide [--chess960] <depth> "<FEN>": the leaves below each legal root move.
int divide_command(int argc, char** argv) {
  const bool chess960 = take_flag(argc, argv, "--chess960");
  if (argc < 2) {
    std::printf("usage: nerul-tool divide [--chess960] <depth> \"<FEN>\"\n");
    return 2;
  }
  const int depth = std::atoi(argv[0]);
  set_up_fen(argv[1], chess960);
  const std::uint64_t total = perft_divide(depth, print_divide_line, never_interrupted);
  std::printf("%llu\n", static_cast<unsigned long long>(total));
  return 0;
}
