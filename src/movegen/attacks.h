// Is a king, or a square on a castling path, attacked by the other side?
// The answer is the type of the first attacker found, or 0.
#pragma once

#include <cstdint>

#include "board/board.h"

template <Colour Us> std::uint8_t king_attacked();
inline std::uint8_t white_king_attacked() { return king_attacked<WHITE>(); }
inline std::uint8_t black_king_attacked() { return king_attacked<BLACK>(); }

// Back-rank squares the king stands on or crosses when castling.
inline constexpr std::uint8_t castle_squares_white[5] = {2, 3, 4, 5, 6};
inline constexpr std::uint8_t castle_squares_black[5] = {58, 59, 60, 61, 62};

std::uint8_t square_attacked_by_black(const std::uint8_t& square);
std::uint8_t square_attacked_by_white(const std::uint8_t& square);
