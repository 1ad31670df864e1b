#include <cinttypes>
#include <cstdio>

#include "board/board.h"
#include "tools/commands.h"
#include "tools/tool_support.h"

// Prints the key of a position as the engine computes it after its first `uci`.
int key_command(int argc, char** argv) {
  const bool chess960 = take_flag(argc, argv, "--chess960");
  if (argc < 1) {
    std::printf("usage: nerul-tool key [--chess960] \"<FEN>\"\n");
    return 2;
  }
  set_up_fen(argv[0], chess960);
  std::printf("%016" PRIx64 "\n", thread.bitboard.hash_key);
  return 0;
}
