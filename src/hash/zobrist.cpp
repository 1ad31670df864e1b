#include "hash/zobrist.h"

std::uint64_t zobrist[2][7][64];

namespace {
std::uint32_t random_state = 1;
}

std::uint32_t zobrist_random() {
  random_state = random_state * 214013u + 2531011u;
  return (random_state >> 16) & 0x7FFF;
}

void init_zobrist() {
  for (int colour = 0; colour < 2; ++colour)
    for (int piece = 1; piece <= 6; ++piece)
      for (int square = 0; square < 64; ++square) {
        const std::uint64_t r1 = zobrist_random(), r2 = zobrist_random(), r3 = zobrist_random();
        const std::uint64_t r4 = zobrist_random(), r5 = zobrist_random();
        zobrist[colour][piece][square] = ((((r1 << 12 ^ r2) << 16 ^ r3) << 16 ^ r4) << 15) ^ r5;
      }
}
