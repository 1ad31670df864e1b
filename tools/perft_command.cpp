#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/make_move.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
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

// nerul-tool divide [--chess960] <depth> "<FEN>": the leaves below each legal root move.
int divide_command(int argc, char** argv) {
  const bool chess960 = take_flag(argc, argv, "--chess960");
  if (argc < 2) {
    std::printf("usage: nerul-tool divide [--chess960] <depth> \"<FEN>\"\n");
    return 2;
  }
  const int depth = std::atoi(argv[0]);
  set_up_fen(argv[1], chess960);
  MoveList list;
  generate_all_moves(list);
  const bool white = thread.bitboard.colour_move == 1;
  std::uint64_t total = 0;
  for (int i = 0; i < list.move_count; ++i) {
    const auto index = static_cast<std::uint8_t>(i);
    if (white) make_move_white(0, index, list);
    else make_move_black(0, index, list);
    if (!(white ? white_king_attacked() : black_king_attacked())) {
      // Deeper plies use their own lists; ply 0's undo record is this move's.
      const std::uint64_t n = depth <= 1 ? 1 : perft(depth - 1);
      std::printf("%s: %llu\n", move_text(list.move[i]).c_str(), static_cast<unsigned long long>(n));
      total += n;
    }
    if (white) unmake_move_white(0, index, list);
    else unmake_move_black(0, index, list);
  }
  std::printf("%llu\n", static_cast<unsigned long long>(total));
  return 0;
}
