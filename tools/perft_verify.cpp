#include "tools/perft_verify.h"

#include <cstddef>
#include <cstring>

#include "eval/material.h"
#include "eval/placement.h"
#include "hash/board_key.h"
#include "hash/zobrist.h"
#include "movegen/attacks.h"
#include "movegen/generate.h"
#include "search/do_move.h"

namespace {

MoveList verify_lists[MAX_PLY + 1];

bool same_board(const BoardState& a, const BoardState& b) {
  // The record has padding; compare it field-group by field-group.
  return std::memcmp(&a, &b, offsetof(BoardState, hash_key)) == 0 && a.hash_key == b.hash_key &&
         a.value_white_material == b.value_white_material && a.value_black_material == b.value_black_material &&
         a.minor_placement == b.minor_placement;
}

struct Verifier {
  std::string failure;

  template <Colour Us>
  bool node(int depth, int ply, std::uint64_t& leaves) {
    MoveList& list = verify_lists[ply];
    generate_captures<Us>(list);
    generate_quiet<Us>(list);
    // The search's own pair, so that what it keeps is checked against counts from scratch.
    NodeMoves<Us, Keeps::KEY> moves(static_cast<std::uint8_t>(ply), list);
    for (int i = 0; i < list.move_count; ++i) {
      const auto index = static_cast<std::uint8_t>(i);
      const BoardState before = thread.bitboard;
      if (moves.do_move(index, [] { return king_attacked<Us>(); })) {
        const std::uint64_t incremental = thread.bitboard.hash_key;
        compute_hash_key();
        if (incremental != thread.bitboard.hash_key)
          return fail("incremental key differs from the key from scratch", list, i);
        if (thread.bitboard.value_white_material != count_white_material() ||
            thread.bitboard.value_black_material != count_black_material())
          return fail("material sums differ from the pieces", list, i);
        if (thread.bitboard.minor_placement != count_minor_placement())
          return fail("placement sum differs from the pieces", list, i);
        if (depth == 1) ++leaves;
        else if (!node<~Us>(depth - 1, ply + 1, leaves)) return false;
        moves.undo_move(index);
      }
      if (!same_board(before, thread.bitboard)) return fail("unmake did not restore the board", list, i);
    }
    return true;
  }

  bool fail(const char* what, const MoveList& list, int i) {
    const Move m = list.move[i];
    failure = std::string(what) + " after move word " + std::to_string(m) + " (from " + std::to_string(from_coord(m)) +
              " to " + std::to_string(to_coord(m)) + " kind " + std::to_string(kind_move(m)) + ")";
    return false;
  }
};

}  // namespace

bool perft_verify(int depth, std::uint64_t& leaves, std::string& failure) {
  leaves = 0;
  if (depth <= 0) {
    leaves = 1;
    return true;
  }
  thread.bitboard.minor_placement = count_minor_placement();
  Verifier v;
  const bool ok = thread.bitboard.colour_move == 1 ? v.node<WHITE>(depth, 0, leaves) : v.node<BLACK>(depth, 0, leaves);
  failure = v.failure;
  return ok;
}
