// Helpers shared by the unit tests.
#pragma once

#include <string>

#include "board/board.h"

// Draws the keys once (as the first `uci` would) and sets up `fen` as
// `position fen <fen>` does.
void set_position(const std::string& fen);

// `bitboard` equals `other` field by field.
bool boards_equal(const BoardState& a, const BoardState& b);
