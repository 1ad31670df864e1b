// Counting the leaves of the legal move tree with the engine's own generation and
// legality test: the standard check of move generation, make and unmake.
#pragma once

#include <cstdint>
#include <string>

#include "board/move.h"

// Leaves of the legal move tree of the position on `bitboard`, `depth` plies deep.
std::uint64_t perft(int depth);
// A divide: the leaves below each legal root move, in generation order, handed
// to `each`. `interrupted` is asked every few thousand nodes: once it says yes,
// the count ends, and the move under way is not handed on. Returns the sum of the
// counts handed on; below depth 1 no move is handed on and the count is 1, the
// position itself, as for `perft`.
std::uint64_t perft_divide(int depth, void (*each)(Move, std::uint64_t), bool (*interrupted)());
