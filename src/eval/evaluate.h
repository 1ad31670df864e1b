// The static score of the position on `bitboard`, from White's point of view,
// material not included: king safety, pawn structure and piece placement.
#pragma once

#include <cstdint>

inline constexpr int ENDGAME_MATERIAL = 1800;

std::int32_t evaluate();

// Squares a rook on `square` reaches along its file: empty squares plus an enemy
// piece at either end. `own` is the rook owner's occupancy.
std::uint8_t rook_file_mobility(std::uint64_t occupied, std::uint64_t own, int square);
