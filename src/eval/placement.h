// The placement terms of the bishops and knights, White's less Black's: the one
// part of the evaluation that a move changes by an amount of its own, whatever
// else stands on the board. The search keeps the sum on the board
// (`minor_placement`) from move to move instead of adding it up at every node.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "board/board.h"
#include "board/move.h"
#include "eval/eval_tables.h"

// Per colour, piece type and square, the term with White's sign: the bishop and
// knight tables, and 0 for every other type (and for "no piece").
template <Colour C>
inline constexpr std::array<std::array<std::int16_t, 64>, 7> minor_placement_terms = [] {
  std::array<std::array<std::int16_t, 64>, 7> t{};
  const int sign = C == WHITE ? 1 : -1;
  for (int s = 0; s < 64; ++s) {
    t[BISHOP][s] = static_cast<std::int16_t>(sign * (C == WHITE ? bishop_white : bishop_black)[s]);
    t[KNIGHT][s] = static_cast<std::int16_t>(sign * (C == WHITE ? knight_white : knight_black)[s]);
  }
  return t;
}();

// The sum over the board, from scratch.
inline std::int32_t count_minor_placement() {
  std::int32_t sum = 0;
  for (const PieceType type : {BISHOP, KNIGHT}) {
    for (std::uint64_t b = thread.bitboard.white_piece[type]; b; b &= b - 1)
      sum += minor_placement_terms<WHITE>[type][std::countr_zero(b)];
    for (std::uint64_t b = thread.bitboard.black_piece[type]; b; b &= b - 1)
      sum += minor_placement_terms<BLACK>[type][std::countr_zero(b)];
  }
  return sum;
}

// What the move `m` of side Us adds to the sum. Read from the move word alone:
// a pawn, king or rook moving, or a pawn taken, changes nothing, so neither
// castling nor en passant needs a case of its own.
template <Colour Us>
inline std::int32_t placement_change(Move m) {
  const unsigned piece = name_piece(m), kind = kind_move(m), to = to_coord(m);
  std::int32_t change = minor_placement_terms<Us>[piece][to] - minor_placement_terms<Us>[piece][from_coord(m)] -
                        minor_placement_terms<~Us>[name_capture(m)][to];
  if (is_promotion_kind(kind)) change += minor_placement_terms<Us>[kind % 10][to];  // the new piece
  return change;
}
