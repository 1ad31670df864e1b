#include "board/snapshot.h"

#include "io/output.h"

void save_board_copy(BoardState& copy) { copy = thread.bitboard; }

void compare_board_copy(const BoardState& copy) {
  const BoardState& b = thread.bitboard;
  OutLine out;
  auto check = [&out](bool differs, const char* message) {
    if (differs) out << message << '\n';
  };
  check(copy.all_piece != b.all_piece, "white test_all_piece != bitboard->all_piece");
  check(copy.all_white_piece != b.all_white_piece, "white test_all_white_piece != bitboard->all_white_piece");
  check(copy.all_black_piece != b.all_black_piece, "white test_all_black_piece != bitboard->all_black_piece");
  check(copy.colour_move != b.colour_move, "white test_colour_move != bitboard->colour_move");
  check(copy.taking_passage_yes != b.taking_passage_yes,
        "white test_taking_passage_yes != bitboard->taking_passage_yes");
  check(copy.taking_passage_x != b.taking_passage_x, "white test_taking_passage_x != bitboard->taking_passage_x");
  check(copy.taking_passage_y != b.taking_passage_y, "white test_taking_passage_y != bitboard->taking_passage_y");
  check(copy.castling_Q != b.castling_Q, "white test_castling_Q != bitboard->castling_Q");
  check(copy.castling_K != b.castling_K, "white test_castling_K != bitboard->castling_K");
  check(copy.castling_q != b.castling_q, "white test_castling_q != bitboard->castling_q");
  check(copy.castling_k != b.castling_k, "white test_castling_k != bitboard->castling_k");
  check(copy.hash_key != b.hash_key, "white test_hash_key !=  bitboard->hash_key");
  check(copy.value_white_material != b.value_white_material,
        "white test_value_white_material != bitboard->value_white_material");
  check(copy.value_black_material != b.value_black_material,
        "white test_value_black_material != bitboard->value_black_material");
  for (int n = 0; n < 7; ++n) {
    if (copy.white_piece[n] != b.white_piece[n])
      out << "white test_white_piece[n] = bitboard->white_piece[n]" << n << '\n';
    if (copy.black_piece[n] != b.black_piece[n])
      out << "white test_black_piece[n] = bitboard->black_piece[n]" << n << '\n';
  }
  for (int k = 0; k < 64; ++k) {
    if (copy.white_name_from_coord[k] != b.white_name_from_coord[k])
      out << "white test_white_name_from_coord[k] = bitboard->white_name_from_coord[k]" << k << '\n';
    if (copy.black_name_from_coord[k] != b.black_name_from_coord[k])
      out << "white test_black_name_from_coord[k] = bitboard->black_name_from_coord[k]" << k << '\n';
  }
}
