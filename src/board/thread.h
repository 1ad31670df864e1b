// The record each search thread owns, whole: its board and undo records, and
// everything the evaluation and the search keep beside them for that thread.
// A thread reaches its own record as `thread`; the main thread's is the one
// the pool lists first, and the helpers run the same code on theirs. What the
// threads share lies elsewhere: the game's key history (search/shared.h), the
// transposition table (hash/hash.h) and the search's control, which only the
// main thread writes (search/search_state.h).
//
// The record is plain data and lives with the board, the lowest room that reads
// it, so that every room above reaches its part without an arrow back up. At
// about 0.9 MB it is mostly the move lists of every ply and the pawn cache.
#pragma once

#include <cstdint>

#include "board/move.h"
#include "board/state.h"

struct Helper;  // search/shared.h: a helper thread as the main thread sees it

inline constexpr int MAX_MULTIPV = 64;

// A slot of the evaluation's pawn cache (eval/evaluate.cpp): the pawn sets
// themselves are kept, so that a hit is the same number, never a guess.
struct PawnCacheEntry {
  std::uint64_t white_pawns;
  std::uint64_t black_pawns;
  std::uint32_t situation;  // 0 in a slot never filled
  std::int32_t score;
};
// 16384 entries, 384 KB: the size trades the hits of a larger table against the
// room in the processor's caches that it would take from the rest of the search.
inline constexpr int PAWN_CACHE_BITS = 14;

// What the running search of one thread shares between its levels and with its poll.
struct SearchState {
  std::uint16_t poll_count;
  std::uint8_t stop_search;
  std::uint64_t nodes;
  std::uint8_t null_move_on;
  // Nodes visited before the current poll window, and where that window's count
  // started: a window may start late so that it ends exactly at the node limit.
  std::uint64_t nodes_polled;
  std::uint16_t poll_start;
  // Several lines (MultiPV): how many the root keeps, best first for the side to
  // move, and those of the iteration in hand.
  std::uint8_t multipv;
  std::uint8_t line_count;
  PvLine lines[MAX_MULTIPV];
};

// The small fields that every node reads come first, together on a few pages;
// the move lists and the caches, read a slot at a time, follow.
struct alignas(64) SearchThread {
  // The board, and the state each ply's move takes away.
  BoardState bitboard;
  UndoRecord undo_by_ply[MAX_PLY + 1];
  // Calls of make move since start-up: the bench's measure of work done.
  std::uint64_t moves_made;
  // Where quiescence parks the opponent's occupancy while it narrows the capture targets.
  std::uint64_t parked_occupancy;

  // The search.
  Move killer_1[MAX_PLY + 1];
  Move killer_2[MAX_PLY + 1];
  std::uint64_t key_history_search[MAX_PLY + 1];
  Move line_current[MAX_PLY + 1];
  PvLine PV_line;
  std::uint64_t nodes_root;
  std::uint8_t best_from;
  std::uint8_t best_to;
  // Root moves the last root search finished; fewer than the legal moves after a stop.
  std::uint8_t root_moves_searched;
  std::uint64_t nodes_iteration;
  // Sum of every iteration's node count since start-up: the bench's signature.
  std::uint64_t nodes_all_iterations;
  // The last root report, from search to search: an unchanged score at the same
  // depth writes only an empty line.
  std::int32_t last_info_score;
  std::uint8_t last_info_depth;

  // What the thread does every so many nodes: the main thread reads the input
  // and the clock, a helper looks at the main thread (none set: nothing).
  void (*poll)();
  // A helper's link to the main thread; none on the main thread.
  Helper* helper;
  // The last root move list of the main thread this helper has taken up, and
  // whether a newer one waits: its poll then cuts the helper's iteration short.
  std::uint32_t root_list_seen;
  bool root_list_waiting;

  // The answer the evaluation's pawn cache gave last.
  PawnCacheEntry pawn_last;
  SearchState search_state;

  MoveList list_root;
  MoveList list_ply[MAX_PLY + 1];
  MoveList list_quiescence[MAX_PLY + 1];
  // The evaluation's pawn cache.
  PawnCacheEntry pawn_cache[1 << PAWN_CACHE_BITS];
};

// The calling thread's record. The engine's executables reach it at a fixed
// offset from the thread pointer (the local-exec model): a field is one
// instruction away, as a global's would be.
extern thread_local constinit SearchThread thread;
