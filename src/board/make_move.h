// Making and taking back one move of a move list on `bitboard`. Neither tests
// legality nor touches the key: the searches do both around these calls.
#pragma once

#include "board/board.h"
#include "board/move.h"

template <Colour Us>
void make_move(std::uint8_t ply, std::uint8_t index, const MoveList& list);
template <Colour Us>
void unmake_move(std::uint8_t ply, std::uint8_t index, const MoveList& list);

// The null move: the other side to move, no en-passant capture, the rights as
// they were; the state goes to the undo record of `ply` and comes back whole.
template <Colour Us>
void make_null_move(std::uint8_t ply);
void unmake_null_move(std::uint8_t ply);

// A move the search rules out without making it still counts as made: the
// count measures the work of a search tree, whichever way the work is done.
inline void count_move_ruled_out() { ++thread.moves_made; }

inline void make_move_white(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  make_move<WHITE>(ply, index, list);
}
inline void make_move_black(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  make_move<BLACK>(ply, index, list);
}
inline void unmake_move_white(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  unmake_move<WHITE>(ply, index, list);
}
inline void unmake_move_black(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  unmake_move<BLACK>(ply, index, list);
}
