#include "board_helpers.h"

#include <gtest/gtest.h>

#include "board/make_move.h"
#include "eval/material.h"
#include "movegen/generate.h"
#include "support/capture.h"

void set_true_material() {
  thread.bitboard.value_white_material = count_white_material();
  thread.bitboard.value_black_material = count_black_material();
}

MoveList all_moves() {
  MoveList list{};
  generate_all_moves(list);
  return list;
}

int find_move(const MoveList& list, int from, int to, unsigned kind) {
  for (int i = 0; i < list.move_count; ++i)
    if (from_coord(list.move[i]) == static_cast<unsigned>(from) &&
        to_coord(list.move[i]) == static_cast<unsigned>(to) && kind_move(list.move[i]) == kind)
      return i;
  return -1;
}

void make(bool white, int ply, int index, const MoveList& list) {
  if (white) make_move_white(static_cast<std::uint8_t>(ply), static_cast<std::uint8_t>(index), list);
  else make_move_black(static_cast<std::uint8_t>(ply), static_cast<std::uint8_t>(index), list);
}

void unmake(bool white, int ply, int index, const MoveList& list) {
  if (white) unmake_move_white(static_cast<std::uint8_t>(ply), static_cast<std::uint8_t>(index), list);
  else unmake_move_black(static_cast<std::uint8_t>(ply), static_cast<std::uint8_t>(index), list);
}

int play(MoveList& list, int ply, const char* from, const char* to, unsigned kind) {
  list = all_moves();
  const int index = find_move(list, sq(from), sq(to), kind);
  EXPECT_GE(index, 0) << "no move " << from << to << " of kind " << kind;
  if (index >= 0) make(thread.bitboard.colour_move == 1, ply, index, list);
  return index;
}

std::string capture_fd1(const std::function<void()>& action) { return capture::output_of(action); }

::testing::AssertionResult board_consistent() {
  const BoardState& b = thread.bitboard;
  if (b.white_piece[0] || b.black_piece[0]) return ::testing::AssertionFailure() << "index 0 of a piece array is set";
  std::uint64_t white = 0, black = 0;
  for (int p = 1; p <= 6; ++p) {
    white |= b.white_piece[p];
    black |= b.black_piece[p];
  }
  if (white != b.all_white_piece) return ::testing::AssertionFailure() << "all_white_piece is not the union";
  if (black != b.all_black_piece) return ::testing::AssertionFailure() << "all_black_piece is not the union";
  if (white & black) return ::testing::AssertionFailure() << "the colours overlap";
  if (b.all_piece != (white | black)) return ::testing::AssertionFailure() << "all_piece is not the union";
  for (int s = 0; s < 64; ++s) {
    if (b.white_name_from_coord[s] > 6 || b.black_name_from_coord[s] > 6)
      return ::testing::AssertionFailure() << "no such piece type on square " << s;
    if (b.white_name_from_coord[s] && b.black_name_from_coord[s])
      return ::testing::AssertionFailure() << "both colours named on square " << s;
    for (int p = 1; p <= 6; ++p) {
      if (((b.white_piece[p] >> s) & 1) != (b.white_name_from_coord[s] == p))
        return ::testing::AssertionFailure() << "white name and set disagree on square " << s;
      if (((b.black_piece[p] >> s) & 1) != (b.black_name_from_coord[s] == p))
        return ::testing::AssertionFailure() << "black name and set disagree on square " << s;
    }
  }
  return ::testing::AssertionSuccess();
}
