#include "board/board.h"

#include <cstring>

BoardState bitboard;
UndoRecord undo_by_ply[MAX_PLY + 1];
std::uint64_t parked_occupancy;
std::uint64_t moves_made;

void clear_board() {
  std::memset(&bitboard, 0, sizeof bitboard);
  parked_occupancy = 0;
}
