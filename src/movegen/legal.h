// Whether a move of a list is legal here: made, with the own king tested, and
// taken back or kept. The search's nodes and perft's count keep tests of their
// own, which spare most moves the making (search/do_move.h, movegen/perft.cpp).
#pragma once

#include <cstdint>

#include "board/make_move.h"
#include "movegen/attacks.h"

// Move `index` of `list` leaves Us's king safe; the board is as before. The
// move's state goes to the undo record of `ply`.
template <Colour Us>
bool is_legal(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  make_move<Us>(ply, index, list);
  const bool legal = !king_attacked<Us>();
  unmake_move<Us>(ply, index, list);
  return legal;
}

// Makes move `index` and keeps it when it leaves Us's king safe; otherwise the
// board is as before and the answer is false.
template <Colour Us>
bool make_if_legal(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  make_move<Us>(ply, index, list);
  if (!king_attacked<Us>()) return true;
  unmake_move<Us>(ply, index, list);
  return false;
}
