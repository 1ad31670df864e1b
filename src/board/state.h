// The board record's layout, the piece codes and the per-colour views of a
// board: what every search thread's copy of the board has in common.
#pragma once

#include <array>
#include <cstdint>

#include "board/move.h"

enum Colour : std::uint8_t { BLACK = 0, WHITE = 1 };

constexpr Colour operator~(Colour c) { return c == WHITE ? BLACK : WHITE; }

// Piece-type codes, the same for both colours.
enum PieceType : std::uint8_t { NO_PIECE = 0, PAWN = 1, KNIGHT = 2, BISHOP = 3, ROOK = 4, QUEEN = 5, KING = 6 };

struct BoardState {
  std::uint64_t all_piece;
  std::uint64_t all_white_piece;
  std::uint64_t all_black_piece;
  std::uint64_t white_piece[7];
  std::uint64_t black_piece[7];
  std::uint8_t white_name_from_coord[64];
  std::uint8_t black_name_from_coord[64];
  // From here to colour_move: eight bytes that make and unmake read and write
  // as one word (see UndoRecord).
  std::uint8_t taking_passage_yes;
  std::uint8_t taking_passage_x;
  std::uint8_t taking_passage_y;
  std::uint8_t castling_Q;
  std::uint8_t castling_K;
  std::uint8_t castling_q;
  std::uint8_t castling_k;
  std::uint8_t colour_move;
  std::uint64_t hash_key;
  std::uint16_t value_white_material;
  std::uint16_t value_black_material;
  // The bishops' and knights' placement terms, White's less Black's. Like the
  // key, it is the search that keeps it up to date: make and unmake leave it be.
  std::int32_t minor_placement;
};

// The en-passant and castling state from before the move made at one ply, and
// the side that made it: the board's eight bytes from taking_passage_yes to
// colour_move, copied whole. Written and read only as one word, the state
// reaches the next read straight from the write before it; a wide read that
// spans several narrow writes still waiting to reach the cache has to wait
// for all of them.
struct alignas(8) UndoRecord {
  std::uint8_t taking_passage_yes;
  std::uint8_t taking_passage_x;
  std::uint8_t taking_passage_y;
  std::uint8_t castling_Q;
  std::uint8_t castling_K;
  std::uint8_t castling_q;
  std::uint8_t castling_k;
  std::uint8_t colour_move;
};

inline constexpr std::array<std::uint64_t, 64> square_bit = [] {
  std::array<std::uint64_t, 64> t{};
  for (int s = 0; s < 64; ++s) t[s] = std::uint64_t{1} << s;
  return t;
}();

inline constexpr std::uint16_t material_value[7] = {0, 100, 400, 400, 600, 1200, 0};

// White's material less Black's.
inline std::int32_t material_balance(const BoardState& b) {
  return static_cast<std::int32_t>(b.value_white_material) - static_cast<std::int32_t>(b.value_black_material);
}

// Per-colour views of the board, so that a rule is written once for both sides;
// each serves a const record and a mutable one alike.
template <Colour C, class Board>
constexpr auto& occupancy(Board& b) {
  return C == WHITE ? b.all_white_piece : b.all_black_piece;
}
template <Colour C, class Board>
constexpr auto piece_sets(Board& b) {
  return C == WHITE ? b.white_piece : b.black_piece;
}
template <Colour C, class Board>
constexpr auto piece_names(Board& b) {
  return C == WHITE ? b.white_name_from_coord : b.black_name_from_coord;
}
template <Colour C, class Board>
constexpr auto& material(Board& b) {
  return C == WHITE ? b.value_white_material : b.value_black_material;
}
template <Colour C, class Board>
constexpr auto& castling_queen_side(Board& b) {
  return C == WHITE ? b.castling_Q : b.castling_q;
}
template <Colour C, class Board>
constexpr auto& castling_king_side(Board& b) {
  return C == WHITE ? b.castling_K : b.castling_k;
}

constexpr int back_rank_base(int colour) { return colour == WHITE ? 0 : 56; }  // a1 or a8

// Squares each colour's castling rules are about.
template <Colour C>
struct CastleSquares {
  static constexpr int rook_queen_side = back_rank_base(C), rook_queen_side_to = rook_queen_side + 3;
  static constexpr int rook_king_side = rook_queen_side + 7, rook_king_side_to = rook_queen_side + 5;
};
