#include "board/board.h"

#include <cstring>

thread_local constinit SearchThread thread{};

void clear_board() {
  std::memset(&thread.bitboard, 0, sizeof thread.bitboard);
  thread.parked_occupancy = 0;
}
