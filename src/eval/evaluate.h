// The static score of the position on `bitboard`, from White's point of view,
// material not included: king safety, pawn structure and piece placement.
#pragma once

#include <cstdint>

// A side whose opponent has no more material than this plays its endgame terms.
inline constexpr int ENDGAME_MATERIAL = 1800;

std::int32_t evaluate();
// The same score, given the bishops' and knights' placement sum, which the
// search keeps from move to move (eval/placement.h).
std::int32_t evaluate(std::int32_t minor_placement);

// The three terms `evaluate` adds up, in the order it computes them; exposed for
// the tools and the tests.

// Where the kings stand; a side without a king reads as square 0.
struct KingSquares {
  std::uint8_t white = 0;
  std::uint8_t black = 0;
};
std::int32_t evaluate_kings(KingSquares& kings);
std::int32_t evaluate_pawns(const KingSquares& kings, std::uint16_t white_material, std::uint16_t black_material);
std::int32_t evaluate_pieces();
// The pawn terms without the cache `evaluate_pawns` answers from; the same number.
std::int32_t evaluate_pawns_from_scratch(const KingSquares& kings, std::uint16_t white_material,
                                         std::uint16_t black_material);

// Squares a rook on `square` reaches along its file: empty squares plus an enemy
// piece at either end. `own` is the rook owner's occupancy.
std::uint8_t rook_file_mobility(std::uint64_t occupied, std::uint64_t own, int square);
