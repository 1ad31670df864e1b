// The hash key of the board a thread holds: counted from scratch, or brought
// up to date around a move: started before it is made, finished after.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/castling.h"
#include "board/move.h"
#include "hash/zobrist.h"

void compute_hash_key();

// The key terms of the pieces a move of Us lifts, takes and sets down.
template <Colour Us>
[[gnu::always_inline]] inline std::uint64_t piece_key_terms(Move m) {
  constexpr int c = Us, o = ~Us;
  const unsigned piece = name_piece(m), captured = name_capture(m), kind = kind_move(m);
  const unsigned from = from_coord(m), to = to_coord(m);
  std::uint64_t k = 0;
  switch (kind) {
    case MOVE_QUIET:
      k ^= zobrist[c][piece][from] ^ zobrist[c][piece][to];
      break;
    case MOVE_CAPTURE:
      k ^= zobrist[c][piece][from] ^ zobrist[c][piece][to] ^ zobrist[o][captured][to];
      break;
    case MOVE_CASTLE_QUEEN:
    case MOVE_CASTLE_KING:
    case MOVE_CASTLE_QUEEN_960:
    case MOVE_CASTLE_KING_960: {
      const CastlingWing& w = castling_wings[Us][kind == MOVE_CASTLE_KING || kind == MOVE_CASTLE_KING_960];
      k ^= zobrist[c][KING][from] ^ zobrist[c][KING][to] ^ zobrist[c][ROOK][w.rook] ^ zobrist[c][ROOK][w.rook_to];
      break;
    }
    case MOVE_EN_PASSANT:
      k ^= zobrist[c][piece][from] ^ zobrist[c][piece][to] ^ zobrist[o][captured][Us == WHITE ? to - 8 : to + 8];
      break;
    case MOVE_PROMOTE_KNIGHT:
    case MOVE_PROMOTE_BISHOP:
    case MOVE_PROMOTE_ROOK:
    case MOVE_PROMOTE_QUEEN:
      k ^= zobrist[c][piece][from] ^ zobrist[c][kind - 10][to];
      break;
    case MOVE_CAPTURE_PROMOTE_KNIGHT:
    case MOVE_CAPTURE_PROMOTE_BISHOP:
    case MOVE_CAPTURE_PROMOTE_ROOK:
    case MOVE_CAPTURE_PROMOTE_QUEEN:
      k ^= zobrist[c][piece][from] ^ zobrist[o][captured][to] ^ zobrist[c][kind - 20][to];
      break;
    default:
      break;
  }
  return k;
}

// The key after `m`, as far as it is known before the move is made: the pieces,
// the side to move and the en-passant square that lapses, but not a new one,
// nor castling rights the move costs. Enough to ask for the child's table entry
// early.
template <Colour Us>
[[gnu::always_inline]] inline std::uint64_t key_before_move(Move m) {
  const BoardState& b = thread.bitboard;
  std::uint64_t k = b.hash_key ^ piece_key_terms<Us>(m) ^ ZOBRIST_SIDE;
  if (b.taking_passage_yes) k ^= en_passant_term(b.taking_passage_x, b.taking_passage_y);
  return k;
}

// The key after the move, from key_before_move's: the board must show the
// position after the move, and `undo` the state before it.
[[gnu::always_inline]] inline std::uint64_t key_after_move(std::uint64_t before_move, const UndoRecord& undo) {
  const BoardState& b = thread.bitboard;
  std::uint64_t k = before_move;
  if (b.castling_K != undo.castling_K) k ^= castling_key(WHITE, true);
  if (b.castling_Q != undo.castling_Q) k ^= castling_key(WHITE, false);
  if (b.castling_k != undo.castling_k) k ^= castling_key(BLACK, true);
  if (b.castling_q != undo.castling_q) k ^= castling_key(BLACK, false);
  if (b.taking_passage_yes) k ^= en_passant_term(b.taking_passage_x, b.taking_passage_y);
  return k;
}
