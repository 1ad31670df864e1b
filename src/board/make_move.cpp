#include "board/make_move.h"

namespace {

// Per-colour facts of the move rules.
template <Colour Us> struct Side {
  static constexpr int double_step = Us == WHITE ? 16 : -16;
  static constexpr int forward = Us == WHITE ? 8 : -8;
  static constexpr int queen_rook = CastleSquares<Us>::rook_queen_side;
  static constexpr int king_rook = CastleSquares<Us>::rook_king_side;
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

// A king move or a rook leaving its corner costs castling rights.
template <Colour Us> inline void moving_piece_rights(BoardState& b, unsigned piece, int from) {
  if (piece == KING) {
    castling_queen_side<Us>(b) = 0;
    castling_king_side<Us>(b) = 0;
  } else if (piece == ROOK) {
    if (from == Side<Us>::queen_rook) castling_queen_side<Us>(b) = 0;
    else if (from == Side<Us>::king_rook) castling_king_side<Us>(b) = 0;
  }
}

// The move word says a rook was taken: taking it on its corner ends that right.
template <Colour Us> inline void captured_rook_rights(BoardState& b, unsigned captured, int to) {
  if (captured != ROOK) return;
  if (to == Side<~Us>::queen_rook) castling_queen_side<~Us>(b) = 0;
  else if (to == Side<~Us>::king_rook) castling_king_side<~Us>(b) = 0;
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
        moving_piece_rights<Us>(b, piece, from);
      }
      break;
    }
    case MOVE_CAPTURE:
      material<Them>(b) -= material_value[captured];
      remove_piece<Them>(b, captured, to);
      relocate<Us>(b, name_piece(m), from, to);
      moving_piece_rights<Us>(b, name_piece(m), from);
      captured_rook_rights<Us>(b, captured, to);
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
      captured_rook_rights<Us>(b, captured, to);
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
