// Small helpers for the move-generation tests: square names, readable move
// descriptions and lists pre-filled with rubbish.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "board/move.h"

constexpr int sq(const char* name) { return (name[1] - '1') * 8 + (name[0] - 'a'); }

inline std::string square_name(unsigned s) {
  return std::string{static_cast<char>('a' + s % 8), static_cast<char>('1' + s / 8)};
}

// "e2e4 k1 p1 x0": squares, kind, moving piece, captured piece.
inline std::string describe(Move m) {
  return square_name(from_coord(m)) + square_name(to_coord(m)) + " k" + std::to_string(kind_move(m)) + " p" +
         std::to_string(name_piece(m)) + " x" + std::to_string(name_capture(m));
}

inline std::string describe(unsigned kind, unsigned piece, const char* from, const char* to, unsigned captured) {
  return describe(pack_move(kind, piece, static_cast<unsigned>(sq(from)), static_cast<unsigned>(sq(to)), captured));
}

inline std::vector<std::string> described_moves(const MoveList& list, int first = 0, int end = -1) {
  if (end < 0) end = list.move_count;
  std::vector<std::string> out;
  for (int i = first; i < end; ++i) out.push_back(describe(list.move[i]));
  return out;
}

inline std::vector<int> scores_of(const MoveList& list, int first = 0, int end = -1) {
  if (end < 0) end = list.move_count;
  return std::vector<int>(list.score + first, list.score + end);
}

constexpr std::int32_t SCORE_SENTINEL = 0x5A5A5A5A;

// A list whose every byte is rubbish except the scores, which hold the sentinel,
// so that a generator that relies on earlier content or writes a score it
// should not is caught.
inline MoveList rubbish_list() {
  MoveList list;
  std::memset(&list, 0xA5, sizeof list);
  for (auto& s : list.score) s = SCORE_SENTINEL;
  return list;
}
