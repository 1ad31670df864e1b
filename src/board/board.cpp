#include "board/board.h"

#include <cstring>

#include "io/per_thread.h"

PER_THREAD constinit BoardState bitboard{};
PER_THREAD constinit UndoRecord undo_by_ply[MAX_PLY + 1]{};
PER_THREAD constinit std::uint64_t parked_occupancy{};
PER_THREAD constinit std::uint64_t moves_made{};

void clear_board() {
  std::memset(&bitboard, 0, sizeof bitboard);
  parked_occupancy = 0;
}
