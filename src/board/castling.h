// The castling rooks of the position set up: one record per colour and wing,
// written when a position is set up and read by generation, make and unmake,
// the key and the move text. Rights only shrink during a game, so the record
// holds for every position the search reaches from the one set up.
#pragma once

#include <array>
#include <cstdint>

#include "board/state.h"

struct CastlingWing {
  std::uint8_t rook;     // the castling rook's start square
  std::uint8_t rook_to;  // d1 or f1 (d8, f8)
  std::uint8_t king_to;  // c1 or g1 (c8, g8)
  // The king on the e-file and the rook in the corner: the fixed squares of
  // MOVE_CASTLE_QUEEN and MOVE_CASTLE_KING serve. Otherwise the *_960 kinds.
  bool standard;
  // Squares either piece passes over or lands on, but for the two pieces' own.
  std::uint64_t must_be_empty;
  // Squares the king stands on, passes over or lands on.
  std::uint64_t king_path;
};

// [colour][0 queen side, 1 king side]
extern CastlingWing castling_wings[2][2];

// The four rights as a 32-bit mask, Q K q k from the low byte up.
constexpr std::uint32_t right_byte(Colour c, bool king_side) {
  return std::uint32_t{0xFF} << (8 * ((c == WHITE ? 0 : 2) + (king_side ? 1 : 0)));
}

using KeptTable = std::array<std::array<std::uint32_t, 64>, 7>;

constexpr KeptTable kept_table(Colour c, int queen_rook, int king_rook) {
  KeptTable t{};
  for (int piece = 0; piece < 7; ++piece)
    for (int s = 0; s < 64; ++s) {
      std::uint32_t lost = 0;
      if (piece == KING) lost = right_byte(c, false) | right_byte(c, true);
      else if (piece == ROOK && s == queen_rook) lost = right_byte(c, false);
      else if (piece == ROOK && s == king_rook) lost = right_byte(c, true);
      t[piece][s] = ~lost;
    }
  return t;
}

// The rights kept when a piece of C of a given type leaves a square, or is
// taken on it: a king move, or a castling rook leaving or lost from its square,
// costs rights. Looked up rather than tested, since which piece moves is beyond
// the processor's guessing. Only rooks are looked up for a piece taken: a king
// is taken only in a position already lost, and costs nothing. State, not a
// constant: each position set up writes it anew for its castling rooks.
template <Colour C>
inline KeptTable castling_rights_mask = kept_table(C, CastleSquares<C>::rook_queen_side,
                                                   CastleSquares<C>::rook_king_side);

// The rooks in the corners, as a standard FEN has them.
void set_standard_castling();
// The castling rooks named by square, per colour and wing; a wing without a
// right may name any square. The king's square is read from the board.
void set_castling_rooks(const std::uint8_t rook[2][2]);

// The square a move's text names as its destination: a castling is written as
// the king taking its own rook when the king or the rook stands off its
// standard square, and always when `chess960` is set.
unsigned text_to_square(Move m, bool chess960);
