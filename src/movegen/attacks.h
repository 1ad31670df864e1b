// Is a king, or a square on a castling path, attacked by the other side?
// The answer is the type of the first attacker found, or 0.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"
#include "board/move.h"
#include "movegen/bits.h"
#include "movegen/tables.h"

// Squares from which a pawn moving up, or down, attacks s; unlike the generator's
// tables these keep the first and last ranks.
inline constexpr SquareTable attacked_from_above = tables_detail::steps({{-1, 1}, {1, 1}}, false);
inline constexpr SquareTable attacked_from_below = tables_detail::steps({{-1, -1}, {1, -1}}, false);

template <Colour Us>
std::uint8_t king_attacked();
inline std::uint8_t white_king_attacked() { return king_attacked<WHITE>(); }
inline std::uint8_t black_king_attacked() { return king_attacked<BLACK>(); }

// Own pieces pinned to Us's king: each the only piece between the king and an
// enemy rook, bishop or queen on a line that slider moves along.
template <Colour Us>
std::uint64_t pinned_pieces();

// Whether making `m` can leave Us's king attacked. When the king is not in
// check, only a pinned piece, the king itself or an en-passant capture (which
// empties a second square) can expose it.
template <Colour Us>
bool may_expose_king(Move m, bool in_check, std::uint64_t pinned) {
  if (in_check || name_piece(m) == KING || kind_move(m) == MOVE_EN_PASSANT) return true;
  return pinned & square_bit[from_coord(m)];
}

// After Us made `m`: is Us's king attacked? King_attacked's answer, sooner.
template <Colour Us>
bool king_exposed_by(Move m, bool in_check, std::uint64_t pinned) {
  return may_expose_king<Us>(m, in_check, pinned) && king_attacked<Us>() != 0;
}

// When Us's king is in check: the squares a move of any other piece must land on
// to answer it (the checker's, and those between it and the king), none in a
// double check. Every square when no checker is found, so nothing is ruled out.
template <Colour Us>
std::uint64_t check_answers();

// Whether `m` may answer a check, given check_answers: a king move may step out
// of it, and en passant removes a pawn from a square other than its target, so
// both are always tried.
template <Colour Us>
bool may_answer_check(Move m, std::uint64_t answers) {
  return name_piece(m) == KING || kind_move(m) == MOVE_EN_PASSANT || (answers & square_bit[to_coord(m)]);
}

// What a move of Us needs, to give check to the other king, known before it is
// made: the squares from which a piece of each type would attack that king on
// an empty board (`reach`, by type), and the squares a piece may leave to
// uncover one of Us's sliders onto it (`uncover`). In a position the search
// reaches, the other king is not in check before the move, so a move that does
// neither, and is no castling, en passant or promotion, gives no check.
struct CheckLines {
  const std::uint64_t* reach;
  std::uint64_t uncover;
};

// Per square of the king attacked, per type of the attacker of colour C.
template <Colour C>
inline constexpr std::array<std::array<std::uint64_t, 7>, 64> reaching_squares = [] {
  std::array<std::array<std::uint64_t, 7>, 64> t{};
  for (int k = 0; k < 64; ++k) {
    t[k][PAWN] = C == WHITE ? attacked_from_below[k] : attacked_from_above[k];
    t[k][KNIGHT] = knight_attacks[k];
    t[k][BISHOP] = bishop_lines[k];
    t[k][ROOK] = rook_lines[k];
    t[k][QUEEN] = bishop_lines[k] | rook_lines[k];
  }
  return t;
}();
inline constexpr std::array<std::uint64_t, 7> reaching_nothing{};

template <Colour Us>
CheckLines check_lines() {
  const BoardState& b = thread.bitboard;
  const std::uint64_t king = piece_sets<~Us>(b)[KING];
  if (!king) return {reaching_nothing.data(), 0};
  const int k = bit_scan_forward(king);
  const std::uint64_t* ours = piece_sets<Us>(b);
  std::uint64_t uncover = 0;
  if ((ours[BISHOP] | ours[QUEEN]) & bishop_lines[k]) uncover |= bishop_lines[k];
  if ((ours[ROOK] | ours[QUEEN]) & rook_lines[k]) uncover |= rook_lines[k];
  return {reaching_squares<Us>[k].data(), uncover};
}
inline bool may_give_check(Move m, const CheckLines& lines) {
  const unsigned kind = kind_move(m);
  return (lines.reach[name_piece(m)] & square_bit[to_coord(m)]) || (lines.uncover & square_bit[from_coord(m)]) ||
         (kind != MOVE_QUIET && kind != MOVE_CAPTURE);
}

// Whether Them attacks any of `squares`, with `occupied` standing for the
// board's pieces: a castling is judged with its rook already gone.
template <Colour Them>
bool attacks_any(std::uint64_t squares, std::uint64_t occupied);
