// Material sums counted from scratch from the piece sets.
#pragma once

#include <cstdint>

std::uint16_t count_white_material();
std::uint16_t count_black_material();
