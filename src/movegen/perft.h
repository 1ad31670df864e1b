// Counting the leaves of the legal move tree with the engine's own generation and
// legality test: the standard check of move generation, make and unmake.
#pragma once

#include <cstdint>
#include <string>

// Leaves of the legal move tree of the position on `bitboard`, `depth` plies deep.
std::uint64_t perft(int depth);
