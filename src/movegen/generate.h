// Pseudo-legal move generation. The capture generator fills a list from index 0
// with captures, en-passant captures and promotions; the quiet generator appends
// every other move after them. Legality is the searches' business.
#pragma once

#include "board/board.h"
#include "board/move.h"

template <Colour Us>
void generate_captures(MoveList& list);
template <Colour Us>
void generate_quiet(MoveList& list);
// Whether generate_quiet would list `m` in the position as it stands.
template <Colour Us>
bool generates_quiet(Move m);

inline void generate_captures_white(MoveList& list) { generate_captures<WHITE>(list); }
inline void generate_captures_black(MoveList& list) { generate_captures<BLACK>(list); }
inline void generate_quiet_white(MoveList& list) { generate_quiet<WHITE>(list); }
inline void generate_quiet_black(MoveList& list) { generate_quiet<BLACK>(list); }

// Every pseudo-legal move of the side to move: captures first, then quiet moves.
inline void generate_all_moves(MoveList& list) {
  if (thread.bitboard.colour_move == 1) {
    generate_captures_white(list);
    generate_quiet_white(list);
  } else {
    generate_captures_black(list);
    generate_quiet_black(list);
  }
}
