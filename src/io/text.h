// Small text helpers of the command reader.
#pragma once

#include <cstdint>
#include <string_view>

// True when `line` begins with `keyword`, byte for byte.
inline bool starts_with(std::string_view line, std::string_view keyword) {
  return line.size() >= keyword.size() && line.substr(0, keyword.size()) == keyword;
}

// Reads a number the way the C library's atoi does: leading white space, an
// optional sign, digits up to the first non-digit; no digits give 0. Too large a
// magnitude saturates instead of overflowing, and the result is taken modulo 2^32.
std::int32_t read_number(std::string_view text);
