// Square tables of the evaluation, indexed by square (a1 = 0 ... h8 = 63).
//
// The tables are written as diagrams, rank 8 on the top row, so that they read
// like a board: a diagram is its table with the ranks turned over (square XOR
// 56). Black's tables are White's seen from the other side of the board, the
// same turn, except the bishop tables: Black's lacks the 10s that White's has on
// h5, h6 and h7, so both are kept as data.
#pragma once

#include <array>
#include <cstdint>

using PieceSquareTable = std::array<std::int8_t, 64>;
using PassedPawnTable = std::array<std::int16_t, 64>;

namespace eval_tables_detail {

template <typename Table>
constexpr Table ranks_turned(const Table& table) {
  Table t{};
  for (int s = 0; s < 64; ++s) t[s] = table[s ^ 56];
  return t;
}

}  // namespace eval_tables_detail

// clang-format off

// Behind the pawns on the wings in the middle game; anywhere forward is exposed.
inline constexpr PieceSquareTable king_middle_white = eval_tables_detail::ranks_turned<PieceSquareTable>({
  -20, -20, -20, -20, -20, -20, -20, -20,
  -20, -20, -20, -20, -20, -20, -20, -20,
  -20, -20, -20, -20, -20, -20, -20, -20,
  -20, -20, -20, -20, -20, -20, -20, -20,
  -20, -20, -20, -20, -20, -20, -20, -20,
  -20, -20, -20, -20, -20, -20, -20, -20,
  -15, -15, -15, -10, -10, -10, -15, -15,
   30,  30,  30,   0,   0,   0,  30,  30,
});

// In the endgame the king belongs in the centre; the table is its own mirror,
// so both colours share it.
inline constexpr PieceSquareTable king_end = eval_tables_detail::ranks_turned<PieceSquareTable>({
  0, 0, 0, 0, 0, 0, 0, 0,
  0, 1, 1, 1, 1, 1, 1, 0,
  0, 1, 2, 2, 2, 2, 1, 0,
  0, 1, 2, 3, 3, 2, 1, 0,
  0, 1, 2, 3, 3, 2, 1, 0,
  0, 1, 2, 2, 2, 2, 1, 0,
  0, 1, 1, 1, 1, 1, 1, 0,
  0, 0, 0, 0, 0, 0, 0, 0,
});

inline constexpr PieceSquareTable bishop_white = eval_tables_detail::ranks_turned<PieceSquareTable>({
  11,  0,  0,  0,  0,  0,  0, 11,
   0, 13, 11, 11, 11, 11, 13, 10,
   0, 11, 12, 12, 12, 12, 11, 10,
   0, 12, 13, 14, 14, 13, 12, 10,
   0, 12, 13, 14, 14, 13, 12,  0,
   0, 11, 12, 12, 12, 12, 11,  0,
   0, 13, 11, 11, 11, 11, 13,  0,
  11,  0,  0,  0,  0,  0,  0, 11,
});

inline constexpr PieceSquareTable bishop_black = eval_tables_detail::ranks_turned<PieceSquareTable>({
  11,  0,  0,  0,  0,  0,  0, 11,
   0, 13, 11, 11, 11, 11, 13,  0,
   0, 11, 12, 12, 12, 12, 11,  0,
   0, 12, 13, 14, 14, 13, 12,  0,
   0, 12, 13, 14, 14, 13, 12,  0,
   0, 11, 12, 12, 12, 12, 11,  0,
   0, 13, 11, 11, 11, 11, 13,  0,
  11,  0,  0,  0,  0,  0,  0, 11,
});

inline constexpr PieceSquareTable knight_white = eval_tables_detail::ranks_turned<PieceSquareTable>({
  11, 11, 11, 11, 11, 11, 11, 11,
  11, 12, 12, 12, 12, 12, 12, 11,
  11, 12, 13, 13, 13, 13, 12, 11,
  11, 12, 13, 14, 14, 13, 12, 11,
   0, 11, 12, 13, 13, 12, 11,  0,
   0, 11, 12, 12, 12, 12, 11,  0,
   0, 11, 11, 11, 11, 11, 11,  0,
   0,  0,  0,  0,  0,  0,  0,  0,
});

// Middle-game pawn placement when the king has stayed in the centre.
inline constexpr PieceSquareTable pawn_centre_white = eval_tables_detail::ranks_turned<PieceSquareTable>({
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0, 16, 16, 0, 0, 0,
  0, 0, 0, 15, 15, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
});

// With the king castled short the queen-side pawns may storm; the shelter stays home.
inline constexpr PieceSquareTable pawn_king_side_white = eval_tables_detail::ranks_turned<PieceSquareTable>({
  0, 0, 0,  0,  0, 0, 0, 0,
  5, 5, 5, 19, 19, 0, 0, 0,
  4, 4, 4, 18, 18, 0, 0, 0,
  3, 3, 3, 17, 17, 0, 0, 0,
  2, 2, 2, 16, 16, 0, 0, 0,
  1, 1, 1, 15, 15, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
});

// The same after castling long: now the king-side pawns may advance.
inline constexpr PieceSquareTable pawn_queen_side_white = eval_tables_detail::ranks_turned<PieceSquareTable>({
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0, 19, 19, 5, 5, 5,
  0, 0, 0, 18, 18, 4, 4, 4,
  0, 0, 0, 17, 17, 3, 3, 3,
  0, 0, 0, 16, 16, 2, 2, 2,
  0, 0, 0, 15, 15, 1, 1, 1,
  0, 0, 0,  0,  0, 0, 0, 0,
  0, 0, 0,  0,  0, 0, 0, 0,
});

// In the endgame every pawn is a candidate for promotion.
inline constexpr PieceSquareTable pawn_end_white = eval_tables_detail::ranks_turned<PieceSquareTable>({
   0,  0,  0,  0,  0,  0,  0,  0,
  50, 50, 50, 50, 50, 50, 50, 50,
  25, 25, 25, 25, 25, 25, 25, 25,
  20, 20, 20, 20, 20, 20, 20, 20,
  15, 15, 15, 15, 15, 15, 15, 15,
  10, 10, 10, 10, 10, 10, 10, 10,
   0,  0,  0,  0,  0,  0,  0,  0,
   0,  0,  0,  0,  0,  0,  0,  0,
});

inline constexpr PassedPawnTable passed_pawn_white = eval_tables_detail::ranks_turned<PassedPawnTable>({
    0,   0,   0,   0,   0,   0,   0,   0,
  100, 100, 100, 100, 100, 100, 100, 100,
   50,  50,  50,  50,  50,  50,  50,  50,
   40,  40,  40,  40,  40,  40,  40,  40,
   30,  30,  30,  30,  30,  30,  30,  30,
   20,  20,  20,  20,  20,  20,  20,  20,
    0,   0,   0,   0,   0,   0,   0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,
});

// clang-format on

inline constexpr const PieceSquareTable& king_end_white = king_end;
inline constexpr const PieceSquareTable& king_end_black = king_end;

inline constexpr PieceSquareTable king_middle_black = eval_tables_detail::ranks_turned(king_middle_white);
inline constexpr PieceSquareTable knight_black = eval_tables_detail::ranks_turned(knight_white);
inline constexpr PieceSquareTable pawn_centre_black = eval_tables_detail::ranks_turned(pawn_centre_white);
inline constexpr PieceSquareTable pawn_king_side_black = eval_tables_detail::ranks_turned(pawn_king_side_white);
inline constexpr PieceSquareTable pawn_queen_side_black = eval_tables_detail::ranks_turned(pawn_queen_side_white);
inline constexpr PieceSquareTable pawn_end_black = eval_tables_detail::ranks_turned(pawn_end_white);
inline constexpr PassedPawnTable passed_pawn_black = eval_tables_detail::ranks_turned(passed_pawn_white);
