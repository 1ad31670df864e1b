// Making and taking back one move of a move list on `bitboard`. Neither tests
// legality nor touches the key: the searches do both around these calls.
#pragma once

#include "board/board.h"
#include "board/board_edit.h"
#include "board/move.h"

template <Colour Us>
void make_move(std::uint8_t ply, std::uint8_t index, const MoveList& list);
template <Colour Us>
void unmake_move(std::uint8_t ply, std::uint8_t index, const MoveList& list);

// A plain capture (MOVE_CAPTURE) made and taken back as make_move and
// unmake_move do it, but in the caller: in quiescence, where nearly every move
// is one, the call and the choice among the kinds of move cost as much as the
// capture itself.
template <Colour Us>
inline void make_capture(std::uint8_t ply, Move m) {
  BoardState& b = thread.bitboard;
  ++thread.moves_made;
  const std::uint64_t before = board_edit::save_state(b, ply);
  const std::uint32_t kept = board_edit::take<Us>(b, m);
  // No en-passant capture is left: the stale square stays, as make_move keeps it.
  board_edit::set_state_after<Us>(b, before, before & board_edit::PASSAGE_SQUARE, kept);
}
template <Colour Us>
inline void unmake_capture(std::uint8_t ply, Move m) {
  BoardState& b = thread.bitboard;
  board_edit::restore_state<Us>(b, ply);
  board_edit::untake<Us>(b, m);
  b.all_piece = b.all_white_piece | b.all_black_piece;
}

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
