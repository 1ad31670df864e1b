// The edits make and unmake are built from: a piece moved, taken off or put
// back, the eight-byte state word, and a plain capture whole. They sit in a
// header so that the capture, the move quiescence makes almost alone, can be
// made inside the search's loop (board/make_move.h).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "board/board.h"
#include "board/castling.h"
#include "board/move.h"

namespace board_edit {

// The move word names the moving and the captured piece, so the board's
// squares are written but never read: each read would stand in the way of the
// writes that follow it.

// One piece of Us from `from` to `to`.
template <Colour Us>
inline void relocate(BoardState& b, unsigned piece, int from, int to) {
  std::uint8_t* names = piece_names<Us>(b);
  const std::uint64_t both = square_bit[from] | square_bit[to];
  occupancy<Us>(b) ^= both;
  piece_sets<Us>(b)[piece] ^= both;
  names[from] = 0;
  names[to] = static_cast<std::uint8_t>(piece);
}

template <Colour C>
inline void remove_piece(BoardState& b, unsigned type, int s) {
  occupancy<C>(b) ^= square_bit[s];
  piece_sets<C>(b)[type] ^= square_bit[s];
  piece_names<C>(b)[s] = 0;
}

template <Colour C>
inline void restore_piece(BoardState& b, unsigned type, int s) {
  piece_names<C>(b)[s] = static_cast<std::uint8_t>(type);
  occupancy<C>(b) ^= square_bit[s];
  piece_sets<C>(b)[type] ^= square_bit[s];
}

// The state word: taking_passage_yes, _x, _y, the rights Q K q k and
// colour_move, byte 0 to byte 7.
static_assert(std::endian::native == std::endian::little);
static_assert(offsetof(BoardState, taking_passage_yes) % 8 == 0 &&
              offsetof(BoardState, taking_passage_x) == offsetof(BoardState, taking_passage_yes) + 1 &&
              offsetof(BoardState, taking_passage_y) == offsetof(BoardState, taking_passage_yes) + 2 &&
              offsetof(BoardState, castling_Q) == offsetof(BoardState, taking_passage_yes) + 3 &&
              offsetof(BoardState, castling_K) == offsetof(BoardState, taking_passage_yes) + 4 &&
              offsetof(BoardState, castling_q) == offsetof(BoardState, taking_passage_yes) + 5 &&
              offsetof(BoardState, castling_k) == offsetof(BoardState, taking_passage_yes) + 6 &&
              offsetof(BoardState, colour_move) == offsetof(BoardState, taking_passage_yes) + 7);
static_assert(sizeof(UndoRecord) == 8 && offsetof(UndoRecord, castling_Q) == 3 &&
              offsetof(UndoRecord, colour_move) == 7);

inline std::uint64_t read_state(const BoardState& b) {
  std::uint64_t w;
  std::memcpy(&w, &b.taking_passage_yes, sizeof w);
  return w;
}
inline void write_state(BoardState& b, std::uint64_t w) { std::memcpy(&b.taking_passage_yes, &w, sizeof w); }

constexpr std::uint64_t PASSAGE_SQUARE = 0xFFFF00;  // taking_passage_x and _y
constexpr int RIGHTS_SHIFT = 24, COLOUR_SHIFT = 56;

// The undo record of `ply` takes the state, which the answer keeps too.
inline std::uint64_t save_state(const BoardState& b, std::uint8_t ply) {
  const std::uint64_t before = read_state(b);
  std::memcpy(&thread.undo_by_ply[ply], &before, sizeof before);
  return before;
}

// After a move of Us: the en-passant part `passage`, the rights of `before`
// that `kept` keeps, and the other side to move.
template <Colour Us>
inline void set_state_after(BoardState& b, std::uint64_t before, std::uint64_t passage, std::uint32_t kept) {
  b.all_piece = b.all_white_piece | b.all_black_piece;
  write_state(b, passage | (before & std::uint64_t{kept} << RIGHTS_SHIFT) |
                     std::uint64_t{Us == WHITE ? 0u : 1u} << COLOUR_SHIFT);
}

// Us to move again, with the state the undo record of `ply` kept.
template <Colour Us>
inline void restore_state(BoardState& b, std::uint8_t ply) {
  std::uint64_t saved;
  std::memcpy(&saved, &thread.undo_by_ply[ply], sizeof saved);
  constexpr std::uint64_t colour_byte = std::uint64_t{0xFF} << COLOUR_SHIFT;
  write_state(b, (saved & ~colour_byte) | std::uint64_t{Us == WHITE ? 1u : 0u} << COLOUR_SHIFT);
}

// The pieces and material of a plain capture by Us; the castling rights it keeps.
template <Colour Us>
inline std::uint32_t take(BoardState& b, Move m) {
  constexpr Colour Them = ~Us;
  const unsigned captured = name_capture(m), piece = name_piece(m);
  const int from = static_cast<int>(from_coord(m)), to = static_cast<int>(to_coord(m));
  material<Them>(b) -= material_value[captured];
  remove_piece<Them>(b, captured, to);
  relocate<Us>(b, piece, from, to);
  return castling_rights_mask<Us>[piece][from] & castling_rights_mask<Them>[captured == ROOK ? ROOK : PAWN][to];
}

template <Colour Us>
inline void untake(BoardState& b, Move m) {
  constexpr Colour Them = ~Us;
  const unsigned captured = name_capture(m);
  const int from = static_cast<int>(from_coord(m)), to = static_cast<int>(to_coord(m));
  relocate<Us>(b, name_piece(m), to, from);
  material<Them>(b) += material_value[captured];
  restore_piece<Them>(b, captured, to);
}

}  // namespace board_edit
