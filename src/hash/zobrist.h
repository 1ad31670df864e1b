// Zobrist keys: the random piece-square table and the fixed keys for side,
// castling and en passant, shared by every search thread.
#pragma once

#include <array>
#include <cstdint>

#include "board/castling.h"
#include "board/move.h"
#include "board/state.h"

extern std::uint64_t zobrist[2][7][64];

inline constexpr std::uint64_t ZOBRIST_SIDE = 0x7C0228DD624EC390ULL;
inline constexpr std::uint64_t ZOBRIST_CASTLING_K = 0xB3598055CE64A656ULL;
inline constexpr std::uint64_t ZOBRIST_CASTLING_Q = 0x12A8F886AF9418C2ULL;
inline constexpr std::uint64_t ZOBRIST_CASTLING_k = 0x1877B67E57A764D5ULL;
inline constexpr std::uint64_t ZOBRIST_CASTLING_q = 0xD4490AD346F14431ULL;
inline constexpr std::uint64_t ZOBRIST_EN_PASSANT = 0x6BE8C34538F83F11ULL;

// The key's term for a castling right, by colour, wing and the castling rook's
// square: the fixed one with the rook in its corner, and one of its own
// elsewhere, so that which rook may castle is in the key. The terms of its own
// are drawn from neither the engine's generator nor the piece-square table, so
// that no key changes.
inline constexpr auto castling_key_terms = [] {
  std::array<std::array<std::array<std::uint64_t, 64>, 2>, 2> t{};
  for (int colour = 0; colour < 2; ++colour)
    for (int king_side = 0; king_side < 2; ++king_side)
      for (int rook = 0; rook < 64; ++rook) {
        const std::uint64_t fixed = colour == WHITE ? (king_side ? ZOBRIST_CASTLING_K : ZOBRIST_CASTLING_Q)
                                                    : (king_side ? ZOBRIST_CASTLING_k : ZOBRIST_CASTLING_q);
        std::uint64_t z = 0x9E3779B97F4A7C15ULL * static_cast<std::uint64_t>(colour * 64 + rook + 1);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        const bool corner = rook == back_rank_base(colour) + (king_side ? 7 : 0);
        t[colour][king_side][rook] = fixed ^ (corner ? 0 : z ^ (z >> 31));
      }
  return t;
}();
// The term of the right the position set up gives (board/castling.h).
inline std::uint64_t castling_key(Colour colour, bool king_side) {
  return castling_key_terms[colour][king_side][castling_wings[colour][king_side].rook];
}

// The engine's own generator, so that the keys are the same everywhere. Its state
// starts at 1 with the process and nothing else draws from it.
std::uint32_t zobrist_random();
void init_zobrist();

inline std::uint64_t en_passant_term(std::uint8_t x, std::uint8_t y) {
  return ZOBRIST_EN_PASSANT ^ static_cast<std::uint8_t>(x ^ y);
}
