// Bit scans. The engine visits the squares of a set in ascending order: scan
// forward, use the square, clear the lowest bit.
#pragma once

#include <bit>
#include <cstdint>

// The word must not be empty.
inline std::uint8_t bit_scan_forward(std::uint32_t low, std::uint32_t high) {
  return low ? static_cast<std::uint8_t>(std::countr_zero(low))
             : static_cast<std::uint8_t>(32 + std::countr_zero(high));
}
inline std::uint8_t bit_scan_reverse(std::uint32_t low, std::uint32_t high) {
  return high ? static_cast<std::uint8_t>(63 - std::countl_zero(high))
              : static_cast<std::uint8_t>(31 - std::countl_zero(low));
}
inline std::uint8_t bit_scan_forward(std::uint64_t w) { return static_cast<std::uint8_t>(std::countr_zero(w)); }
inline std::uint8_t bit_scan_reverse(std::uint64_t w) { return static_cast<std::uint8_t>(63 - std::countl_zero(w)); }

inline std::uint64_t clear_lowest(std::uint64_t w) { return w & (w - 1); }
