// The move word and the move list. A move is one 32-bit integer that carries
// everything make and unmake need, captured piece included.
#pragma once

#include <cstdint>
#include <utility>

using Move = std::uint32_t;

constexpr int MAX_PLY = 100;  // per-ply arrays hold plies 0 to MAX_PLY

enum MoveKind : std::uint8_t {
  MOVE_QUIET = 1,
  MOVE_CAPTURE = 2,
  MOVE_CASTLE_QUEEN = 3,
  MOVE_CASTLE_KING = 4,
  MOVE_EN_PASSANT = 5,
  // Castling with the king off the e-file or the rook off the corner: the rook's
  // square is the position's (see board/castling.h), the king's destination is
  // in the move word.
  MOVE_CASTLE_QUEEN_960 = 6,
  MOVE_CASTLE_KING_960 = 7,
  MOVE_PROMOTE_KNIGHT = 12,
  MOVE_PROMOTE_BISHOP = 13,
  MOVE_PROMOTE_ROOK = 14,
  MOVE_PROMOTE_QUEEN = 15,
  MOVE_CAPTURE_PROMOTE_KNIGHT = 22,
  MOVE_CAPTURE_PROMOTE_BISHOP = 23,
  MOVE_CAPTURE_PROMOTE_ROOK = 24,
  MOVE_CAPTURE_PROMOTE_QUEEN = 25,
};

constexpr Move pack_move(unsigned kind, unsigned piece, unsigned from, unsigned to, unsigned captured) {
  return captured | kind << 6 | from << 12 | to << 18 | piece << 24;
}
constexpr unsigned name_capture(Move m) { return m & 63; }
constexpr unsigned kind_move(Move m) { return (m >> 6) & 63; }
constexpr unsigned from_coord(Move m) { return (m >> 12) & 63; }
constexpr unsigned to_coord(Move m) { return (m >> 18) & 63; }
constexpr unsigned name_piece(Move m) { return (m >> 24) & 63; }

constexpr bool is_castling_kind(unsigned kind) {
  return kind == MOVE_CASTLE_QUEEN || kind == MOVE_CASTLE_KING || kind == MOVE_CASTLE_QUEEN_960 ||
         kind == MOVE_CASTLE_KING_960;
}

constexpr bool is_promotion_kind(unsigned kind) { return (kind >= 12 && kind <= 15) || (kind >= 22 && kind <= 25); }

struct MoveList {
  Move move[256];
  std::int32_t score[256];
  std::uint8_t capture_count;
  std::uint8_t move_count;
};

// The counts are 8-bit, so a list holds at most this many moves; generators drop
// what a malformed position would produce beyond it.
constexpr int MAX_LIST_MOVES = 255;

inline void add_move(MoveList& list, unsigned kind, unsigned piece, unsigned from, unsigned to, unsigned captured) {
  if (list.move_count >= MAX_LIST_MOVES) return;
  list.move[list.move_count] = pack_move(kind, piece, from, to, captured);
  list.score[list.move_count] = static_cast<std::int32_t>(kind);
  ++list.move_count;
}

// Exchange sort of the capture prefix. The exact sequence of exchanges fixes the
// order among equal scores, which the search's node counts depend on.
//
// One pass of it: after passes 0 to i - 1, pass i puts in place i the move the
// whole sort puts there, and touches nothing before it. A search that tries the
// moves in order and may stop early runs each pass just before it needs it.
inline void sort_capture_pass(MoveList& list, int i) {
  const int n = list.capture_count;
  for (int j = i + 1; j < n; ++j)
    if (list.score[i] < list.score[j]) {
      std::swap(list.move[i], list.move[j]);
      std::swap(list.score[i], list.score[j]);
    }
}

// Moves the move at `index` to `target` (not after it), shifting the moves
// between up by one place: the order of the rest is part of the search's tree.
inline void bring_to(MoveList& list, int index, int target) {
  const Move m = list.move[index];
  const std::int32_t s = list.score[index];
  for (int k = index; k > target; --k) {
    list.move[k] = list.move[k - 1];
    list.score[k] = list.score[k - 1];
  }
  list.move[target] = m;
  list.score[target] = s;
}

inline void sort_captures(MoveList& list) {
  for (int i = 0; i < list.capture_count; ++i) sort_capture_pass(list, i);
}

// A line of moves from the root with the score it was found with.
struct PvLine {
  Move moves[MAX_PLY + 1];
  std::int32_t score_move = 0;
  std::uint8_t length = 0;
};
