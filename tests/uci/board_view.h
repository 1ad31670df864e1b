// Reading the board record back as text, for exact comparisons.
#pragma once

#include <string>

#include "board/board.h"

namespace board_view {

// The placement field of a FEN for `bitboard`; '?' marks a square that both
// colours claim.
inline std::string placement() {
  static const char white_letters[] = " PNBRQK", black_letters[] = " pnbrqk";
  std::string text;
  for (int row = 7; row >= 0; --row) {
    int empty = 0;
    for (int file = 0; file < 8; ++file) {
      const int s = 8 * row + file;
      const unsigned w = thread.bitboard.white_name_from_coord[s], b = thread.bitboard.black_name_from_coord[s];
      if (w == 0 && b == 0) {
        ++empty;
        continue;
      }
      if (empty) text += static_cast<char>('0' + empty);
      empty = 0;
      if (w && b) text += '?';
      else if (w) text += w < 7 ? white_letters[w] : '?';
      else text += b < 7 ? black_letters[b] : '?';
    }
    if (empty) text += static_cast<char>('0' + empty);
    if (row) text += '/';
  }
  return text;
}

// The piece sets, the occupancies and the square names of `bitboard` all tell
// the same story. Returns the first disagreement, or "" when there is none.
inline std::string inconsistency() {
  const BoardState& b = thread.bitboard;
  if (b.white_piece[0] || b.black_piece[0]) return "a set for piece code 0";
  std::uint64_t white = 0, black = 0;
  for (int p = 1; p <= 6; ++p) {
    white |= b.white_piece[p];
    black |= b.black_piece[p];
  }
  if (white != b.all_white_piece) return "all_white_piece";
  if (black != b.all_black_piece) return "all_black_piece";
  if ((white | black) != b.all_piece) return "all_piece";
  if (white & black) return "a square of both colours";
  for (int s = 0; s < 64; ++s)
    for (int p = 1; p <= 6; ++p) {
      if (((b.white_piece[p] >> s) & 1) != (b.white_name_from_coord[s] == p))
        return "white square " + std::to_string(s);
      if (((b.black_piece[p] >> s) & 1) != (b.black_name_from_coord[s] == p))
        return "black square " + std::to_string(s);
    }
  for (int s = 0; s < 64; ++s)
    if (b.white_name_from_coord[s] > 6 || b.black_name_from_coord[s] > 6) return "piece code " + std::to_string(s);
  return "";
}

// "w KQkq e3" style summary of side, castling rights and en-passant fields
// (yes/x/y as numbers).
inline std::string state() {
  const BoardState& b = thread.bitboard;
  std::string text = b.colour_move == 1 ? "w " : (b.colour_move == 0 ? "b " : "? ");
  if (b.castling_K) text += 'K';
  if (b.castling_Q) text += 'Q';
  if (b.castling_k) text += 'k';
  if (b.castling_q) text += 'q';
  if (!(b.castling_K || b.castling_Q || b.castling_k || b.castling_q)) text += '-';
  text += " ep " + std::to_string(b.taking_passage_yes) + "," + std::to_string(b.taking_passage_x) + "," +
          std::to_string(b.taking_passage_y);
  return text;
}

}  // namespace board_view
