#include "board/make_move.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

#include "board/castling.h"

namespace {

// How a pawn of Us steps.
template <Colour Us>
struct PawnStep {
  static constexpr int double_step = Us == WHITE ? 16 : -16;
  static constexpr int forward = Us == WHITE ? 8 : -8;
};

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

// Castling by the Chess960 rules: both pieces off before both on, since the
// king may land where the rook stood, or stay where it is.
template <Colour Us>
inline void swap_castling_pieces(BoardState& b, int king_from, int king_to, int rook_from, int rook_to) {
  remove_piece<Us>(b, KING, king_from);
  remove_piece<Us>(b, ROOK, rook_from);
  restore_piece<Us>(b, KING, king_to);
  restore_piece<Us>(b, ROOK, rook_to);
}

}  // namespace

template <Colour Us>
void make_move(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  constexpr Colour Them = ~Us;
  BoardState& b = thread.bitboard;
  const Move m = list.move[index];
  const unsigned captured = name_capture(m), kind = kind_move(m);
  const int from = static_cast<int>(from_coord(m)), to = static_cast<int>(to_coord(m));

  ++thread.moves_made;
  const std::uint64_t before = read_state(b);
  std::memcpy(&thread.undo_by_ply[ply], &before, sizeof before);
  // The state after the move, but for what the move itself changes: no
  // en-passant capture, the stale square kept, the other side to move.
  std::uint64_t passage = before & PASSAGE_SQUARE;
  std::uint32_t kept = ~std::uint32_t{0};

  switch (kind) {
    case MOVE_QUIET: {
      const unsigned piece = name_piece(m);
      relocate<Us>(b, piece, from, to);
      if (piece == PAWN && to - from == PawnStep<Us>::double_step) {
        const int passed = from + PawnStep<Us>::forward;
        passage = 1 | std::uint64_t(passed % 8) << 8 | std::uint64_t(passed / 8) << 16;
      } else {
        kept = castling_rights_mask<Us>[piece][from];
      }
      break;
    }
    case MOVE_CAPTURE:
      material<Them>(b) -= material_value[captured];
      remove_piece<Them>(b, captured, to);
      relocate<Us>(b, name_piece(m), from, to);
      kept = castling_rights_mask<Us>[name_piece(m)][from] &
             castling_rights_mask<Them>[captured == ROOK ? ROOK : PAWN][to];
      break;
    case MOVE_CASTLE_QUEEN:
    case MOVE_CASTLE_KING:
    case MOVE_CASTLE_QUEEN_960:
    case MOVE_CASTLE_KING_960: {
      const CastlingWing& w = castling_wings[Us][kind == MOVE_CASTLE_KING || kind == MOVE_CASTLE_KING_960];
      swap_castling_pieces<Us>(b, from, to, w.rook, w.rook_to);
      kept = castling_rights_mask<Us>[KING][from];
      break;
    }
    case MOVE_EN_PASSANT:
      relocate<Us>(b, PAWN, from, to);
      remove_piece<Them>(b, captured, to - PawnStep<Us>::forward);
      material<Them>(b) -= 100;
      break;
    case MOVE_PROMOTE_KNIGHT:
    case MOVE_PROMOTE_BISHOP:
    case MOVE_PROMOTE_ROOK:
    case MOVE_PROMOTE_QUEEN: {
      const unsigned promoted = kind - 10;
      remove_piece<Us>(b, PAWN, from);
      restore_piece<Us>(b, promoted, to);
      material<Us>(b) += material_value[promoted] - 100;
      break;
    }
    case MOVE_CAPTURE_PROMOTE_KNIGHT:
    case MOVE_CAPTURE_PROMOTE_BISHOP:
    case MOVE_CAPTURE_PROMOTE_ROOK:
    case MOVE_CAPTURE_PROMOTE_QUEEN: {
      const unsigned promoted = kind - 20;
      remove_piece<Us>(b, PAWN, from);
      material<Us>(b) += material_value[promoted] - 100;
      material<Them>(b) -= material_value[captured];
      remove_piece<Them>(b, captured, to);
      restore_piece<Us>(b, promoted, to);
      kept = castling_rights_mask<Them>[captured == ROOK ? ROOK : PAWN][to];
      break;
    }
    default:
      break;  // not a move this engine makes: only the undo record and the state change
  }
  b.all_piece = b.all_white_piece | b.all_black_piece;
  write_state(b, passage | (before & std::uint64_t{kept} << RIGHTS_SHIFT) |
                     std::uint64_t{Us == WHITE ? 0u : 1u} << COLOUR_SHIFT);
}

template <Colour Us>
void make_null_move(std::uint8_t ply) {
  BoardState& b = thread.bitboard;
  const std::uint64_t before = read_state(b);
  std::memcpy(&thread.undo_by_ply[ply], &before, sizeof before);
  constexpr std::uint64_t rights = std::uint64_t{0xFFFFFFFF} << RIGHTS_SHIFT;
  write_state(b, (before & rights) | std::uint64_t{Us == WHITE ? 0u : 1u} << COLOUR_SHIFT);
}

void unmake_null_move(std::uint8_t ply) {
  std::uint64_t saved;
  std::memcpy(&saved, &thread.undo_by_ply[ply], sizeof saved);
  write_state(thread.bitboard, saved);
}

template <Colour Us>
void unmake_move(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  constexpr Colour Them = ~Us;
  BoardState& b = thread.bitboard;
  const Move m = list.move[index];
  const unsigned captured = name_capture(m), kind = kind_move(m);
  const int from = static_cast<int>(from_coord(m)), to = static_cast<int>(to_coord(m));
  // The whole state make saved goes back, in one write; Us is to move again.
  std::uint64_t saved;
  std::memcpy(&saved, &thread.undo_by_ply[ply], sizeof saved);
  constexpr std::uint64_t colour_byte = std::uint64_t{0xFF} << COLOUR_SHIFT;
  write_state(b, (saved & ~colour_byte) | std::uint64_t{Us == WHITE ? 1u : 0u} << COLOUR_SHIFT);

  switch (kind) {
    case MOVE_QUIET:
      relocate<Us>(b, name_piece(m), to, from);
      break;
    case MOVE_CAPTURE:
      relocate<Us>(b, name_piece(m), to, from);
      material<Them>(b) += material_value[captured];
      restore_piece<Them>(b, captured, to);
      break;
    case MOVE_CASTLE_QUEEN:
    case MOVE_CASTLE_KING:
    case MOVE_CASTLE_QUEEN_960:
    case MOVE_CASTLE_KING_960: {
      const CastlingWing& w = castling_wings[Us][kind == MOVE_CASTLE_KING || kind == MOVE_CASTLE_KING_960];
      swap_castling_pieces<Us>(b, to, from, w.rook_to, w.rook);
      break;
    }
    case MOVE_EN_PASSANT:
      relocate<Us>(b, PAWN, to, from);
      restore_piece<Them>(b, captured, to - PawnStep<Us>::forward);
      material<Them>(b) += 100;
      break;
    case MOVE_PROMOTE_KNIGHT:
    case MOVE_PROMOTE_BISHOP:
    case MOVE_PROMOTE_ROOK:
    case MOVE_PROMOTE_QUEEN:
    case MOVE_CAPTURE_PROMOTE_KNIGHT:
    case MOVE_CAPTURE_PROMOTE_BISHOP:
    case MOVE_CAPTURE_PROMOTE_ROOK:
    case MOVE_CAPTURE_PROMOTE_QUEEN: {
      const bool capture = kind >= MOVE_CAPTURE_PROMOTE_KNIGHT;
      const unsigned promoted = kind - (capture ? 20 : 10);
      remove_piece<Us>(b, promoted, to);
      material<Us>(b) += 100 - material_value[promoted];
      if (capture) {
        material<Them>(b) += material_value[captured];
        restore_piece<Them>(b, captured, to);
      }
      restore_piece<Us>(b, PAWN, from);
      break;
    }
    default:
      return;
  }
  b.all_piece = b.all_white_piece | b.all_black_piece;
}

template void make_move<WHITE>(std::uint8_t, std::uint8_t, const MoveList&);
template void make_move<BLACK>(std::uint8_t, std::uint8_t, const MoveList&);
template void unmake_move<WHITE>(std::uint8_t, std::uint8_t, const MoveList&);
template void unmake_move<BLACK>(std::uint8_t, std::uint8_t, const MoveList&);
template void make_null_move<WHITE>(std::uint8_t);
template void make_null_move<BLACK>(std::uint8_t);
