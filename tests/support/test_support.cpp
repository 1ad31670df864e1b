#include "support/test_support.h"

#include <cstring>

#include "hash/zobrist.h"
#include "uci/position.h"

void set_position(const std::string& fen) {
  static const bool keys_drawn = [] {
    init_zobrist();
    return true;
  }();
  (void)keys_drawn;
  clear_board();
  set_up_position("position fen " + fen);
}

bool boards_equal(const BoardState& a, const BoardState& b) {
  return a.all_piece == b.all_piece && a.all_white_piece == b.all_white_piece &&
         a.all_black_piece == b.all_black_piece &&
         std::memcmp(a.white_piece, b.white_piece, sizeof a.white_piece) == 0 &&
         std::memcmp(a.black_piece, b.black_piece, sizeof a.black_piece) == 0 &&
         std::memcmp(a.white_name_from_coord, b.white_name_from_coord, 64) == 0 &&
         std::memcmp(a.black_name_from_coord, b.black_name_from_coord, 64) == 0 && a.colour_move == b.colour_move &&
         a.taking_passage_yes == b.taking_passage_yes && a.taking_passage_x == b.taking_passage_x &&
         a.taking_passage_y == b.taking_passage_y && a.castling_Q == b.castling_Q && a.castling_K == b.castling_K &&
         a.castling_q == b.castling_q && a.castling_k == b.castling_k && a.hash_key == b.hash_key &&
         a.value_white_material == b.value_white_material && a.value_black_material == b.value_black_material &&
         a.minor_placement == b.minor_placement;
}
