#include "eval/material.h"

#include <bit>

#include "board/board.h"

namespace {
template <Colour C>
std::uint16_t count_material() {
  const std::uint64_t* sets = piece_sets<C>(thread.bitboard);
  int sum = 0;
  for (int type = QUEEN; type >= PAWN; --type) sum += material_value[type] * std::popcount(sets[type]);
  return static_cast<std::uint16_t>(sum);
}
}  // namespace

std::uint16_t count_white_material() { return count_material<WHITE>(); }
std::uint16_t count_black_material() { return count_material<BLACK>(); }
