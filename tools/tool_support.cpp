#include "tools/tool_support.h"

#include <cstring>
#include <string>

#include "board/board.h"
#include "eval/material.h"
#include "hash/zobrist.h"
#include "search/search_state.h"
#include "uci/options.h"
#include "uci/position.h"

void set_up_fen(const char* fen, bool chess960) {
  init_zobrist();
  clear_board();
  engine_options.chess960 = chess960;
  search_control.chess960 = chess960;
  set_up_position(std::string("position fen ") + fen, chess960);
  thread.bitboard.value_white_material = count_white_material();
  thread.bitboard.value_black_material = count_black_material();
}

bool take_flag(int& argc, char**& argv, const char* flag) {
  if (argc == 0 || std::strcmp(argv[0], flag) != 0) return false;
  --argc;
  ++argv;
  return true;
}
