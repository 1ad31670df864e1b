// Making a move in the search: the board's make and unmake, the legality test,
// and what the search keeps beside the board (the key, the key history, the
// placement sum), as one pair per node. The callers differ on purpose; each
// difference is a choice passed here, not a copy of the pair.
#pragma once

#include <cstdint>

#include "board/make_move.h"
#include "eval/placement.h"
#include "hash/board_key.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "search/aids.h"

// What a node keeps beside the board while one of its moves is made.
enum class Keeps : std::uint8_t {
  // Quiescence reads no table and tests no repetition: the placement sum alone.
  PLACEMENT,
  // Alpha-beta, the root and the perft check: the key and the key history too.
  KEY,
};

// For quiescence, where a capture of the king settles the node instead.
inline constexpr auto NO_LEGALITY_TEST = [] { return false; };

template <Colour Us, Keeps K>
class NodeMoves {
 public:
  // `counted`, where given, counts each legal move made. `children_probe`:
  // whether the children read the table; leaves of quiescence do not, and
  // asking for their entries would only take room in the caches.
  NodeMoves(std::uint8_t ply, const MoveList& list, std::uint64_t* counted = nullptr, bool children_probe = true)
      : list_(list),
        counted_(counted),
        key_(thread.bitboard.hash_key),
        placement_(thread.bitboard.minor_placement),
        ply_(ply),
        children_probe_(children_probe) {}

  // Makes move `i`. When `exposed()` finds the own king left attacked, the move
  // is taken back at once and the answer is false.
  template <class KingExposed>
  bool do_move(std::uint8_t i, KingExposed exposed) {
    // The child's table entry is asked for before the board is touched, and
    // again once a new en-passant square or lost castling rights have made its
    // key known in full: it travels from memory while the move is made and
    // tested.
    std::uint64_t key = 0;
    if constexpr (K == Keeps::KEY) {
      key = key_before_move<Us>(list_.move[i]);
      if (children_probe_) prefetch_hash_entry(key);
    }
    make(i);
    BoardState& b = thread.bitboard;
    if constexpr (K == Keeps::KEY) {
      b.hash_key = key_after_move(key, thread.undo_by_ply[ply_]);
      if (children_probe_ && b.hash_key != key) prefetch_hash_entry(b.hash_key);
    }
    if (exposed()) {
      unmake(i);
      restore();
      return false;
    }
    if (counted_) ++*counted_;
    if constexpr (K == Keeps::KEY) thread.key_history_search[ply_ + 1] = b.hash_key;
    b.minor_placement = placement_ + placement_change<Us>(list_.move[i]);
    return true;
  }

  void undo_move(std::uint8_t i) {
    unmake(i);
    restore();
  }

  // The null move writes no key history: its child's repetition test reads
  // the entry an earlier path left there, as the search has always done.
  void do_null_move() requires(K == Keeps::KEY) {
    make_null_move<Us>(ply_);
    const UndoRecord& undo = thread.undo_by_ply[ply_];
    if (undo.taking_passage_yes)
      thread.bitboard.hash_key ^= en_passant_term(undo.taking_passage_x, undo.taking_passage_y);
    thread.bitboard.hash_key ^= ZOBRIST_SIDE;
  }
  void undo_null_move() requires(K == Keeps::KEY) {
    unmake_null_move(ply_);
    restore();
  }

 private:
  // Quiescence makes plain captures in place (board/make_move.h).
  void make(std::uint8_t i) {
    if constexpr (K == Keeps::PLACEMENT)
      if (kind_move(list_.move[i]) == MOVE_CAPTURE) return make_capture<Us>(ply_, list_.move[i]);
    make_move<Us>(ply_, i, list_);
  }
  void unmake(std::uint8_t i) {
    if constexpr (K == Keeps::PLACEMENT)
      if (kind_move(list_.move[i]) == MOVE_CAPTURE) return unmake_capture<Us>(ply_, list_.move[i]);
    unmake_move<Us>(ply_, i, list_);
  }

  void restore() {
    if constexpr (K == Keeps::KEY) thread.bitboard.hash_key = key_;
    thread.bitboard.minor_placement = placement_;
  }

  const MoveList& list_;
  std::uint64_t* counted_;
  const std::uint64_t key_;
  const std::int32_t placement_;
  const std::uint8_t ply_;
  const bool children_probe_;
};
