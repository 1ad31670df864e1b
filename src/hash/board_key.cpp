#include "hash/board_key.h"

void compute_hash_key() {
  const BoardState& b = thread.bitboard;
  std::uint64_t k = 0;
  for (int s = 0; s < 64; ++s) {
    if (const std::uint8_t p = b.white_name_from_coord[s]; p && p < 7) k ^= zobrist[1][p][s];
    if (const std::uint8_t p = b.black_name_from_coord[s]; p && p < 7) k ^= zobrist[0][p][s];
  }
  if (b.colour_move) k ^= ZOBRIST_SIDE;
  if (b.castling_K) k ^= castling_key(WHITE, true);
  if (b.castling_Q) k ^= castling_key(WHITE, false);
  if (b.castling_k) k ^= castling_key(BLACK, true);
  if (b.castling_q) k ^= castling_key(BLACK, false);
  if (b.taking_passage_yes) k ^= en_passant_term(b.taking_passage_x, b.taking_passage_y);
  thread.bitboard.hash_key = k;
}
