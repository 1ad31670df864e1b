// Zobrist keys: the random piece-square table and the fixed keys for side,
// castling and en passant, shared by every search thread.
#pragma once

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

// The engine's own generator, so that the keys are the same everywhere. Its state
// starts at 1 with the process and nothing else draws from it.
std::uint32_t zobrist_random();
void init_zobrist();

inline std::uint64_t en_passant_term(std::uint8_t x, std::uint8_t y) {
  return ZOBRIST_EN_PASSANT ^ static_cast<std::uint8_t>(x ^ y);
}
