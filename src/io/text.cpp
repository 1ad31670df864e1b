#include "io/text.h"

std::int32_t read_number(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t value = 0;
  constexpr std::int64_t LIMIT = std::int64_t{1} << 40;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value < LIMIT) value = value * 10 + (text[i] - '0');
  if (negative) value = -value;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}
