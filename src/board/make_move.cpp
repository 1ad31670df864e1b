#include "board/make_move.h"

#include <cstring>

#include "board/board_edit.h"
#include "board/castling.h"

using namespace board_edit;

namespace {

// How a pawn of Us steps.
template <Colour Us>
struct PawnStep {
  static constexpr int double_step = Us == WHITE ? 16 : -16;
  static constexpr int forward = Us == WHITE ? 8 : -8;
};

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
  const std::uint64_t before = save_state(b, ply);
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
      kept = take<Us>(b, m);
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
  set_state_after<Us>(b, before, passage, kept);
}

template <Colour Us>
void make_null_move(std::uint8_t ply) {
  BoardState& b = thread.bitboard;
  const std::uint64_t before = save_state(b, ply);
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
  // The whole state make saved goes back, in one write.
  restore_state<Us>(b, ply);

  switch (kind) {
    case MOVE_QUIET:
      relocate<Us>(b, name_piece(m), to, from);
      break;
    case MOVE_CAPTURE:
      untake<Us>(b, m);
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
