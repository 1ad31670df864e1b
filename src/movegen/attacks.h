// Is a king, or a square on a castling path, attacked by the other side?
// The answer is the type of the first attacker found, or 0.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/move.h"
#include "movegen/bits.h"
#include "movegen/tables.h"

template <Colour Us> std::uint8_t king_attacked();
inline std::uint8_t white_king_attacked() { return king_attacked<WHITE>(); }
inline std::uint8_t black_king_attacked() { return king_attacked<BLACK>(); }

// Own pieces pinned to Us's king: each the only piece between the king and an
// enemy rook, bishop or queen on a line that slider moves along.
template <Colour Us> std::uint64_t pinned_pieces();

// Whether making `m` can leave Us's king attacked. When the king is not in
// check, only a pinned piece, the king itself or an en-passant capture (which
// empties a second square) can expose it.
template <Colour Us> bool may_expose_king(Move m, bool in_check, std::uint64_t pinned) {
  if (in_check || name_piece(m) == KING || kind_move(m) == MOVE_EN_PASSANT) return true;
  return pinned & square_bit[from_coord(m)];
}

// After Us made `m`: is Us's king attacked? King_attacked's answer, sooner.
template <Colour Us> bool king_exposed_by(Move m, bool in_check, std::uint64_t pinned) {
  return may_expose_king<Us>(m, in_check, pinned) && king_attacked<Us>() != 0;
}

// When Us's king is in check: the squares a move of any other piece must land on
// to answer it (the checker's, and those between it and the king), none in a
// double check. Every square when no checker is found, so nothing is ruled out.
template <Colour Us> std::uint64_t check_answers();

// Whether `m` may answer a check, given check_answers: a king move may step out
// of it, and en passant removes a pawn from a square other than its target, so
// both are always tried.
template <Colour Us> bool may_answer_check(Move m, std::uint64_t answers) {
  return name_piece(m) == KING || kind_move(m) == MOVE_EN_PASSANT || (answers & square_bit[to_coord(m)]);
}

// The squares that matter for whether a move gives check to C's king: those on
// its lines or a knight's jump away (none without a king). A move that neither
// lands on one nor leaves one (uncovering a line) cannot give check, unless it
// castles or takes en passant.
template <Colour C> std::uint64_t check_lines() {
  const std::uint64_t king = piece_sets<C>(bitboard)[KING];
  if (!king) return 0;
  const int k = bit_scan_forward(king);
  return rook_lines[k] | bishop_lines[k] | knight_attacks[k];
}
inline bool may_give_check(Move m, std::uint64_t lines) {
  const unsigned kind = kind_move(m);
  return (lines & (square_bit[from_coord(m)] | square_bit[to_coord(m)])) || kind == MOVE_CASTLE_QUEEN ||
         kind == MOVE_CASTLE_KING || kind == MOVE_EN_PASSANT;
}

// Back-rank squares the king stands on or crosses when castling.
inline constexpr std::uint8_t castle_squares_white[5] = {2, 3, 4, 5, 6};
inline constexpr std::uint8_t castle_squares_black[5] = {58, 59, 60, 61, 62};

std::uint8_t square_attacked_by_black(const std::uint8_t& square);
std::uint8_t square_attacked_by_white(const std::uint8_t& square);
