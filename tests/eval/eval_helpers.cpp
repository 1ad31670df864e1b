#include "eval/eval_helpers.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "board/board.h"
#include "eval/evaluate.h"
#include "eval/material.h"
#include "support/test_support.h"

void set_counted_position(const std::string& fen) {
  set_position(fen);
  thread.bitboard.value_white_material = count_white_material();
  thread.bitboard.value_black_material = count_black_material();
}

std::int32_t evaluate_fen(const std::string& fen) {
  set_counted_position(fen);
  return evaluate();
}

std::int32_t static_score_fen(const std::string& fen) {
  set_counted_position(fen);
  return evaluate() + (static_cast<std::int32_t>(thread.bitboard.value_white_material) -
                       static_cast<std::int32_t>(thread.bitboard.value_black_material));
}

namespace {
char swap_case(char c) {
  const auto u = static_cast<unsigned char>(c);
  return static_cast<char>(std::isupper(u) ? std::tolower(u) : std::toupper(u));
}
}  // namespace

std::string flipped_fen(const std::string& fen) {
  std::istringstream in(fen);
  std::string placement, side, castling = "-", en_passant = "-", halfmove = "0", fullmove = "1";
  in >> placement >> side >> castling >> en_passant >> halfmove >> fullmove;

  std::vector<std::string> rows;
  std::istringstream row_stream(placement);
  for (std::string row; std::getline(row_stream, row, '/');) rows.push_back(row);
  std::reverse(rows.begin(), rows.end());
  std::string turned;
  for (const std::string& row : rows) {
    if (!turned.empty()) turned += '/';
    for (char c : row) turned += swap_case(c);
  }

  std::string rights;
  for (char c : std::string("KQkq"))
    if (castling.find(swap_case(c)) != std::string::npos) rights += c;
  if (rights.empty()) rights.push_back('-');

  if (en_passant.size() == 2) en_passant[1] = static_cast<char>('1' + '8' - en_passant[1]);

  std::ostringstream out;
  out << turned << (side == "w" ? " b " : " w ") << rights << ' ' << en_passant << ' ' << halfmove << ' ' << fullmove;
  return out.str();
}
