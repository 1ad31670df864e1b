// The transposition table: per entry, a move slot and a score slot, each with its
// own key check, depth and age, addressed by the low half of the key.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/move.h"

// What a stored score says. Scores are White's view, so a bound's direction
// depends on the side that stored it: a cut-off is a lower bound to White and an
// upper bound to Black, and the other two the other way round.
enum Bound : std::uint8_t {
  BOUND_EXACT = 1,       // a move raised the mover's bound without a cut-off
  BOUND_CUTOFF = 2,      // a move reached the opponent's bound
  BOUND_NOT_RAISED = 3,  // no move reached the mover's bound
};

// What the move probe found for a key.
enum class HashMoveFound : std::uint8_t {
  NONE = 0,        // no move stored for this key
  NOT_LISTED = 1,  // a move is stored, but it is not in the list (yet)
  AT_FRONT = 2,    // the stored move now leads the list
};

struct HashEntry {
  std::uint32_t move_check;
  Move stored_move;
  std::uint8_t move_depth;
  std::uint8_t move_age;
  std::uint32_t score_check;
  std::int32_t stored_score;
  Bound score_flag;
  std::uint8_t score_depth;
  std::uint8_t score_age;
};
static_assert(sizeof(HashEntry) == 24);

// The score probe's answer when the table holds nothing that settles the node.
inline constexpr std::int32_t HASH_NOT_FOUND = -1000000000;

extern HashEntry* p_hash_moves;
extern std::uint64_t hash_mask;
extern std::uint8_t hash_age;
// The age wraps before its 8-bit field would, back to 1: age 0 is a fresh table's.
inline constexpr std::uint8_t LAST_HASH_AGE = 250;

// Entries for a table of the given size in megabytes (clamped to 1..1024).
std::uint64_t hash_entries_for(unsigned megabytes);

// Asks for the entry of a key to be brought into the cache while other work goes
// on. The table starts on a cache line, so an entry lies on one line or on two
// neighbours: its last byte names the second where there is one.
inline void prefetch_hash_entry(std::uint64_t key) {
  if (!p_hash_moves) return;
  const auto* entry = reinterpret_cast<const char*>(&p_hash_moves[static_cast<std::uint32_t>(key) & hash_mask]);
  __builtin_prefetch(entry);
  __builtin_prefetch(entry + sizeof(HashEntry) - 1);
}

// Making and clearing the table write every byte of it, so that the search
// meets no page for the first time.
void init_hash();
void resize_hash(std::uint16_t megabytes);
void clear_hash();
void free_hash();
// How many threads share the zeroing of a large table.
void set_hash_zeroing_threads(int threads);

// Ends the process with a message: the table is missing or memory ran out.
[[noreturn]] void hash_fatal(const char* message);

namespace Hash {
// Helper threads read and write the table while the main thread does: each
// field is read and written whole, with no order needed between them. Each
// slot's check is kept XORed with a fold of the slot's other fields, so that a
// slot whose fields come from two different writes reads as another key's,
// never as a score or move of this one. An empty slot (all zero) reads as key 0.
template <class T>
inline T field(const T& f) {
  return std::atomic_ref<T>(const_cast<T&>(f)).load(std::memory_order_relaxed);
}
template <class T>
inline void set_field(T& f, T value) {
  std::atomic_ref<T>(f).store(value, std::memory_order_relaxed);
}
constexpr std::uint32_t fold(std::uint32_t value, std::uint32_t small_fields) { return value ^ small_fields << 8; }
inline std::uint32_t move_key(const HashEntry& e) {
  return field(e.move_check) ^ fold(field(e.stored_move), field(e.move_depth) | std::uint32_t{field(e.move_age)} << 8);
}
inline std::uint32_t score_key(const HashEntry& e) {
  return field(e.score_check) ^
         fold(static_cast<std::uint32_t>(field(e.stored_score)),
              field(e.score_flag) | std::uint32_t{field(e.score_depth)} << 8 | std::uint32_t{field(e.score_age)} << 16);
}

// A score the table holds for the key that settles the node in the window, or
// HASH_NOT_FOUND. Built into the search, which asks at nearly every node. White
// maximises: to White a cut-off score is a lower bound and the others upper
// bounds; to Black the other way round.
template <bool White>
inline std::int32_t look_hash_score(std::uint32_t key_lo, std::uint32_t key_hi, std::uint8_t ply, std::uint8_t depth,
                                    std::int32_t alpha, std::int32_t beta) {
  if (!p_hash_moves)
    hash_fatal(White ? "Hash::look_hash_score_white  p_hash_moves == NULL "
                     : "Hash::look_hash_score_black  p_hash_moves == NULL ");
  const HashEntry& e = p_hash_moves[key_lo & hash_mask];
  const std::int32_t s = field(e.stored_score);
  const Bound flag = field(e.score_flag);
  const std::uint8_t stored_depth = field(e.score_depth);
  const std::uint32_t small_fields = flag | std::uint32_t{stored_depth} << 8 | std::uint32_t{field(e.score_age)} << 16;
  if ((field(e.score_check) ^ fold(static_cast<std::uint32_t>(s), small_fields)) != key_hi) return HASH_NOT_FOUND;
  if (stored_depth < depth - ply) return HASH_NOT_FOUND;
  if (flag == BOUND_CUTOFF) return (White ? s >= beta : s <= alpha) ? s : HASH_NOT_FOUND;
  return (White ? s < alpha : s > beta) ? s : HASH_NOT_FOUND;
}
inline std::int32_t look_hash_score_white(std::uint32_t key_lo, std::uint32_t key_hi, std::uint8_t ply,
                                          std::uint8_t depth, std::int32_t alpha, std::int32_t beta) {
  return look_hash_score<true>(key_lo, key_hi, ply, depth, alpha, beta);
}
inline std::int32_t look_hash_score_black(std::uint32_t key_lo, std::uint32_t key_hi, std::uint8_t ply,
                                          std::uint8_t depth, std::int32_t alpha, std::int32_t beta) {
  return look_hash_score<false>(key_lo, key_hi, ply, depth, alpha, beta);
}

HashMoveFound look_hash_move(MoveList& list, std::uint32_t key_lo, std::uint32_t key_hi);
// The move in the entry of a key whose move slot look_hash_move found to match.
Move stored_move(std::uint32_t key_lo);
void save_hash_move(std::uint64_t index_of_entry, std::uint32_t key_hi, const MoveList& list, std::uint8_t index,
                    std::uint8_t depth_left);
void save_best_hash_move(std::uint64_t index_of_entry, std::uint32_t key_hi, const MoveList& list, std::uint8_t index,
                         std::uint8_t depth_left);
void save_hash_score(std::uint64_t index_of_entry, std::uint32_t key_hi, std::int32_t score, Bound flag,
                     std::uint8_t depth_left);
void save_best_hash_score(std::uint64_t index_of_entry, std::uint32_t key_hi, std::int32_t score, Bound flag,
                          std::uint8_t depth_left);
}  // namespace Hash

void save_best_hash_move_and_score(const MoveList& list, std::uint8_t index, std::uint32_t key_lo, std::uint32_t key_hi,
                                   std::int32_t score, Bound flag, std::uint8_t ply, std::uint8_t depth);
