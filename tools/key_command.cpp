#include <cinttypes>
#include <cstdio>
#include <string>

#include "board/board.h"
#include "hash/zobrist.h"
#include "tools/commands.h"
#include "uci/position.h"

// Prints the key of a position as the engine computes it after its first `uci`.
int key_command(int argc, char** argv) {
  if (argc < 1) {
    std::printf("usage: nerul-tool key \"<FEN>\"\n");
    return 2;
  }
  init_zobrist();
  clear_board();
  set_up_position(std::string("position fen ") + argv[0]);
  std::printf("%016" PRIx64 "\n", bitboard.hash_key);
  return 0;
}
