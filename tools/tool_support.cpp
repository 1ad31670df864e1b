#include "tools/tool_support.h"

#include <string>

#include "board/board.h"
#include "eval/material.h"
#include "hash/zobrist.h"
#include "uci/position.h"

void set_up_fen(const char* fen) {
  init_zobrist();
  clear_board();
  set_up_position(std::string("position fen ") + fen);
  bitboard.value_white_material = count_white_material();
  bitboard.value_black_material = count_black_material();
}
