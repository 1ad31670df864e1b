#include "board/castling.h"

#include <bit>

#include "board/board.h"

namespace {

// The squares from a to b, both included, on one rank.
constexpr std::uint64_t span(int a, int b) {
  const int low = a < b ? a : b, high = a < b ? b : a;
  return ((std::uint64_t{2} << high) - 1) & ~((std::uint64_t{1} << low) - 1);
}

constexpr CastlingWing make_wing(int colour, bool king_side, int king, int rook) {
  const int base = back_rank_base(colour);
  const int corner = base + (king_side ? 7 : 0);
  CastlingWing w{};
  w.rook = static_cast<std::uint8_t>(rook);
  w.rook_to = static_cast<std::uint8_t>(base + (king_side ? 5 : 3));
  w.king_to = static_cast<std::uint8_t>(base + (king_side ? 6 : 2));
  w.standard = king == base + 4 && rook == corner;
  w.king_path = span(king, w.king_to);
  w.must_be_empty = (w.king_path | span(rook, w.rook_to)) & ~(square_bit[king] | square_bit[rook]);
  return w;
}

// The fixed squares serve whatever the board holds, as they always have for a
// position set up unjudged.
constexpr CastlingWing standard_wing(int colour, bool king_side) {
  const int base = back_rank_base(colour);
  return make_wing(colour, king_side, base + 4, base + (king_side ? 7 : 0));
}

void rebuild() {
  castling_rights_mask<WHITE> = kept_table(WHITE, castling_wings[WHITE][0].rook, castling_wings[WHITE][1].rook);
  castling_rights_mask<BLACK> = kept_table(BLACK, castling_wings[BLACK][0].rook, castling_wings[BLACK][1].rook);
}

}  // namespace

CastlingWing castling_wings[2][2] = {{standard_wing(BLACK, false), standard_wing(BLACK, true)},
                                     {standard_wing(WHITE, false), standard_wing(WHITE, true)}};

void set_standard_castling() {
  for (int colour = 0; colour < 2; ++colour)
    for (int side = 0; side < 2; ++side) castling_wings[colour][side] = standard_wing(colour, side);
  rebuild();
}

void set_castling_rooks(const std::uint8_t rook[2][2]) {
  for (int colour = 0; colour < 2; ++colour) {
    const int base = back_rank_base(colour);
    const std::uint64_t own_king = (colour == WHITE ? thread.bitboard.white_piece : thread.bitboard.black_piece)[KING] &
                                   (std::uint64_t{0xFF} << base);
    const int king = own_king ? std::countr_zero(own_king) : base + 4;
    for (int side = 0; side < 2; ++side)
      castling_wings[colour][side] = make_wing(colour, side, king, rook[colour][side]);
  }
  rebuild();
}

unsigned text_to_square(Move m, bool chess960) {
  const unsigned kind = kind_move(m);
  const bool fixed = kind == MOVE_CASTLE_QUEEN || kind == MOVE_CASTLE_KING;
  if (!(kind == MOVE_CASTLE_QUEEN_960 || kind == MOVE_CASTLE_KING_960 || (chess960 && fixed))) return to_coord(m);
  const int colour = from_coord(m) < 8 ? WHITE : BLACK;
  const bool king_side = kind == MOVE_CASTLE_KING || kind == MOVE_CASTLE_KING_960;
  if (fixed) return static_cast<unsigned>(back_rank_base(colour) + (king_side ? 7 : 0));
  return castling_wings[colour][king_side].rook;
}
