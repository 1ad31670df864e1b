#include "board/make_move.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace {

// Per-colour facts of the move rules.
template <Colour Us> struct Side {
  static constexpr int double_step = Us == WHITE ? 16 : -16;
  static constexpr int forward = Us == WHITE ? 8 : -8;
};

// The move word names the moving and the captured piece, so the board's
// squares are written but never read: each read would stand in the way of the
// writes that follow it.

// One piece of Us from `from` to `to`.
template <Colour Us> inline void relocate(BoardState& b, unsigned piece, int from, int to) {
  std::uint8_t* names = piece_names<Us>(b);
  const std::uint64_t both = square_bit[from] | square_bit[to];
  occupancy<Us>(b) ^= both;
  piece_sets<Us>(b)[piece] ^= both;
  names[from] = 0;
  names[to] = static_cast<std::uint8_t>(piece);
}

template <Colour C> inline void remove_piece(BoardState& b, unsigned type, int s) {
  occupancy<C>(b) ^= square_bit[s];
  piece_sets<C>(b)[type] ^= square_bit[s];
  piece_names<C>(b)[s] = 0;
}

template <Colour C> inline void restore_piece(BoardState& b, unsigned type, int s) {
  piece_names<C>(b)[s] = static_cast<std::uint8_t>(type);
  occupancy<C>(b) ^= square_bit[s];
  piece_sets<C>(b)[type] ^= square_bit[s];
}

// The four castling rights, Q K q k, are four bytes in a row: one word.
static_assert(offsetof(BoardState, castling_K) == offsetof(BoardState, castling_Q) + 1 &&
              offsetof(BoardState, castling_q) == offsetof(BoardState, castling_Q) + 2 &&
              offsetof(BoardState, castling_k) == offsetof(BoardState, castling_Q) + 3);
constexpr std::uint32_t right_byte(Colour c, bool king_side) {
  return std::uint32_t{0xFF} << (8 * ((c == WHITE ? 0 : 2) + (king_side ? 1 : 0)));
}

// The rights kept when a piece of C of a given type leaves a square, or is
// taken on it: a king move, or a rook leaving or lost from its corner, costs
// rights. Looked up rather than tested, since which piece moves is beyond the
// processor's guessing. Only rooks are looked up for a piece taken: a king is
// taken only in a position already lost, and costs nothing.
template <Colour C>
inline constexpr std::array<std::array<std::uint32_t, 64>, 7> kept_leaving = [] {
  std::array<std::array<std::uint32_t, 64>, 7> t{};
  for (auto& row : t) row.fill(~std::uint32_t{0});
  t[KING].fill(~(right_byte(C, false) | right_byte(C, true)));
  t[ROOK][CastleSquares<C>::rook_queen_side] = ~right_byte(C, false);
  t[ROOK][CastleSquares<C>::rook_king_side] = ~right_byte(C, true);
  return t;
}();

inline void keep_rights(BoardState& b, std::uint32_t kept) {
  std::uint32_t rights;
  std::memcpy(&rights, &b.castling_Q, sizeof rights);
  rights &= kept;
  std::memcpy(&b.castling_Q, &rights, sizeof rights);
}

// Unmake puts back the whole state make saved: simpler than telling which
// parts the move changed, and no slower.
inline void restore_state(BoardState& b, const UndoRecord& u) {
  b.taking_passage_yes = u.taking_passage_yes;
  b.taking_passage_x = u.taking_passage_x;
  b.taking_passage_y = u.taking_passage_y;
  b.castling_Q = u.castling_Q;
  b.castling_K = u.castling_K;
  b.castling_q = u.castling_q;
  b.castling_k = u.castling_k;
}

}  // namespace

template <Colour Us> void make_move(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  constexpr Colour Them = ~Us;
  BoardState& b = bitboard;
  const Move m = list.move[index];
  const unsigned captured = name_capture(m), kind = kind_move(m);
  const int from = static_cast<int>(from_coord(m)), to = static_cast<int>(to_coord(m));

  ++moves_made;
  UndoRecord& u = undo_by_ply[ply];
  u = {b.taking_passage_yes, b.taking_passage_x, b.taking_passage_y, b.castling_Q, b.castling_K, b.castling_q, b.castling_k};
  b.taking_passage_yes = 0;
  b.colour_move = Us == WHITE ? 0 : 1;

  switch (kind) {
    case MOVE_QUIET: {
      const unsigned piece = name_piece(m);
      relocate<Us>(b, piece, from, to);
      if (piece == PAWN && to - from == Side<Us>::double_step) {
        const int passed = from + Side<Us>::forward;
        b.taking_passage_yes = 1;
        b.taking_passage_x = static_cast<std::uint8_t>(passed % 8);
        b.taking_passage_y = static_cast<std::uint8_t>(passed / 8);
      } else {
        keep_rights(b, kept_leaving<Us>[piece][from]);
      }
      break;
    }
    case MOVE_CAPTURE:
      material<Them>(b) -= material_value[captured];
      remove_piece<Them>(b, captured, to);
      relocate<Us>(b, name_piece(m), from, to);
      keep_rights(b, kept_leaving<Us>[name_piece(m)][from] & kept_leaving<Them>[captured == ROOK ? ROOK : PAWN][to]);
      break;
    case MOVE_CASTLE_QUEEN:
      relocate<Us>(b, KING, from, to);
      relocate<Us>(b, ROOK, CastleSquares<Us>::rook_queen_side, CastleSquares<Us>::rook_queen_side_to);
      castling_queen_side<Us>(b) = 0;
      castling_king_side<Us>(b) = 0;
      break;
    case MOVE_CASTLE_KING:
      relocate<Us>(b, KING, from, to);
      relocate<Us>(b, ROOK, CastleSquares<Us>::rook_king_side, CastleSquares<Us>::rook_king_side_to);
      castling_queen_side<Us>(b) = 0;
      castling_king_side<Us>(b) = 0;
      break;
    case MOVE_EN_PASSANT:
      relocate<Us>(b, PAWN, from, to);
      remove_piece<Them>(b, captured, to - Side<Us>::forward);
      material<Them>(b) -= 100;
      break;
    case MOVE_PROMOTE_KNIGHT: case MOVE_PROMOTE_BISHOP: case MOVE_PROMOTE_ROOK: case MOVE_PROMOTE_QUEEN: {
      const unsigned promoted = kind - 10;
      remove_piece<Us>(b, PAWN, from);
      restore_piece<Us>(b, promoted, to);
      material<Us>(b) += material_value[promoted] - 100;
      break;
    }
    case MOVE_CAPTURE_PROMOTE_KNIGHT: case MOVE_CAPTURE_PROMOTE_BISHOP:
    case MOVE_CAPTURE_PROMOTE_ROOK: case MOVE_CAPTURE_PROMOTE_QUEEN: {
      const unsigned promoted = kind - 20;
      remove_piece<Us>(b, PAWN, from);
      material<Us>(b) += material_value[promoted] - 100;
      material<Them>(b) -= material_value[captured];
      remove_piece<Them>(b, captured, to);
      restore_piece<Us>(b, promoted, to);
      keep_rights(b, kept_leaving<Them>[captured == ROOK ? ROOK : PAWN][to]);
      break;
    }
    default:
      return;  // not a move this engine makes: only the undo record and side changed
  }
  b.all_piece = b.all_white_piece | b.all_black_piece;
}

template <Colour Us> void unmake_move(std::uint8_t ply, std::uint8_t index, const MoveList& list) {
  constexpr Colour Them = ~Us;
  BoardState& b = bitboard;
  const Move m = list.move[index];
  const unsigned captured = name_capture(m), kind = kind_move(m);
  const int from = static_cast<int>(from_coord(m)), to = static_cast<int>(to_coord(m));
  const UndoRecord& u = undo_by_ply[ply];

  restore_state(b, u);
  b.colour_move = Us == WHITE ? 1 : 0;

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
    case MOVE_CASTLE_KING: {
      relocate<Us>(b, KING, to, from);
      if (kind == MOVE_CASTLE_QUEEN)
        relocate<Us>(b, ROOK, CastleSquares<Us>::rook_queen_side_to, CastleSquares<Us>::rook_queen_side);
      else
        relocate<Us>(b, ROOK, CastleSquares<Us>::rook_king_side_to, CastleSquares<Us>::rook_king_side);
      break;
    }
    case MOVE_EN_PASSANT:
      relocate<Us>(b, PAWN, to, from);
      restore_piece<Them>(b, captured, to - Side<Us>::forward);
      material<Them>(b) += 100;
      break;
    case MOVE_PROMOTE_KNIGHT: case MOVE_PROMOTE_BISHOP: case MOVE_PROMOTE_ROOK: case MOVE_PROMOTE_QUEEN:
    case MOVE_CAPTURE_PROMOTE_KNIGHT: case MOVE_CAPTURE_PROMOTE_BISHOP:
    case MOVE_CAPTURE_PROMOTE_ROOK: case MOVE_CAPTURE_PROMOTE_QUEEN: {
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
