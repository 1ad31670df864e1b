// A copy of the whole board, and a field-by-field comparison that reports every
// difference: the root search's check that make and unmake restored the position.
#pragma once

#include "board/board.h"

void save_board_copy(BoardState& copy);
void compare_board_copy(const BoardState& copy);
