#include "board/board.h"

#include <cstring>

thread_local constinit BoardState bitboard;
thread_local constinit UndoRecord undo_by_ply[MAX_PLY + 1];
thread_local constinit std::uint64_t parked_occupancy;
thread_local constinit std::uint64_t moves_made;

void clear_board() {
  std::memset(&bitboard, 0, sizeof bitboard);
  parked_occupancy = 0;
}
