#include "hash/hash.h"

#include <cstdlib>
#include <cstring>

#include "io/output.h"

HashEntry* p_hash_moves = nullptr;
std::uint64_t hash_mask = 0;
std::uint8_t hash_age = 0;

void hash_fatal(const char* message) {
  OutLine() << message << '\n';
  std::exit(1);
}

namespace {

// A table fresh from calloc reads as empty already; clearing it would only touch
// every page of it (seconds for a large table) to write the zeros it holds.
std::atomic<bool> table_written = false;

// Read before it is written: every thread stores into the table, and a flag
// written at every store would pass its cache line from core to core.
void note_table_written() {
  if (!table_written.load(std::memory_order_relaxed)) table_written.store(true, std::memory_order_relaxed);
}

// The Russian texts are Windows-1251 bytes.
constexpr const char* NO_MEMORY = "\xEF\xE0\xEC\xFF\xF2\xE8 \xED\xE5\xF2 ";
constexpr const char* NOTHING_TO_FREE = "\xEE\xF1\xE2\xEE\xE1\xEE\xE6\xE4\xE0\xF2\xFC \xED\xE5\xF7\xE5\xE3\xEE ";

inline HashEntry& entry_at(std::uint64_t index) { return p_hash_moves[index & hash_mask]; }

void allocate(unsigned megabytes) {
  const std::uint64_t entries = hash_entries_for(megabytes);
  p_hash_moves = static_cast<HashEntry*>(std::calloc(entries, sizeof(HashEntry)));
  if (!p_hash_moves) hash_fatal(NO_MEMORY);
  hash_mask = entries - 1;
  table_written.store(false, std::memory_order_relaxed);
}

}  // namespace

std::uint64_t hash_entries_for(unsigned megabytes) {
  if (megabytes < 1) megabytes = 1;
  if (megabytes > 1024) megabytes = 1024;
  const std::uint64_t limit = (std::uint64_t{megabytes} << 20) / sizeof(HashEntry);
  std::uint64_t n = 2;
  while (n <= limit) n *= 2;
  return n / 2;
}

void init_hash() {
  free_hash();
  allocate(1);
}

void resize_hash(std::uint16_t megabytes) {
  if (!p_hash_moves) hash_fatal(NOTHING_TO_FREE);
  free_hash();
  allocate(megabytes);
}

void clear_hash() {
  if (!p_hash_moves || !table_written.load(std::memory_order_relaxed)) return;
  // A check reads as key 0, the empty slot's, only beside zero fields: all go.
  std::memset(static_cast<void*>(p_hash_moves), 0, (hash_mask + 1) * sizeof(HashEntry));
  table_written.store(false, std::memory_order_relaxed);
}

void free_hash() {
  std::free(p_hash_moves);
  p_hash_moves = nullptr;
}

namespace Hash {

HashMoveFound look_hash_move(MoveList& list, std::uint32_t key_lo, std::uint32_t key_hi) {
  if (!p_hash_moves) hash_fatal("Hash::look_hash_move  p_hash_moves == NULL ");
  const HashEntry& e = entry_at(key_lo);
  const Move stored = field(e.stored_move);
  if ((field(e.move_check) ^ fold(stored, field(e.move_depth) | std::uint32_t{field(e.move_age)} << 8)) != key_hi)
    return HashMoveFound::NONE;
  for (int i = 0; i < list.move_count; ++i) {
    if (list.move[i] != stored) continue;
    bring_to(list, i, 0);
    return HashMoveFound::AT_FRONT;
  }
  return HashMoveFound::NOT_LISTED;
}

Move stored_move(std::uint32_t key_lo) { return field(entry_at(key_lo).stored_move); }

void save_hash_move(std::uint64_t index_of_entry, std::uint32_t key_hi, const MoveList& list, std::uint8_t index,
                    std::uint8_t depth_left) {
  if (!p_hash_moves) hash_fatal("Hash::save_hash_move  p_hash_moves == NULL ");
  HashEntry& e = entry_at(index_of_entry);
  note_table_written();
  const Move m = list.move[index];
  set_field(e.move_check, key_hi ^ fold(m, depth_left | std::uint32_t{hash_age} << 8));
  set_field(e.stored_move, m);
  set_field(e.move_depth, depth_left);
  set_field(e.move_age, hash_age);
}

void save_best_hash_move(std::uint64_t index_of_entry, std::uint32_t key_hi, const MoveList& list, std::uint8_t index,
                         std::uint8_t depth_left) {
  if (!p_hash_moves) hash_fatal("Hash::save_best_hash_move  p_hash_moves == NULL ");
  const HashEntry& e = entry_at(index_of_entry);
  if (move_key(e) == 0 || field(e.move_age) != hash_age || depth_left >= field(e.move_depth))
    save_hash_move(index_of_entry, key_hi, list, index, depth_left);
}

void save_hash_score(std::uint64_t index_of_entry, std::uint32_t key_hi, std::int32_t score, Bound flag,
                     std::uint8_t depth_left) {
  if (!p_hash_moves) hash_fatal("Hash::save_hash_score  p_hash_moves == NULL ");
  HashEntry& e = entry_at(index_of_entry);
  note_table_written();
  set_field(e.score_check, key_hi ^ fold(static_cast<std::uint32_t>(score),
                                         flag | std::uint32_t{depth_left} << 8 | std::uint32_t{hash_age} << 16));
  set_field(e.stored_score, score);
  set_field(e.score_flag, flag);
  set_field(e.score_depth, depth_left);
  set_field(e.score_age, hash_age);
}

void save_best_hash_score(std::uint64_t index_of_entry, std::uint32_t key_hi, std::int32_t score, Bound flag,
                          std::uint8_t depth_left) {
  if (!p_hash_moves) hash_fatal("Hash::save_best_hash_score  p_hash_moves == NULL ");
  const HashEntry& e = entry_at(index_of_entry);
  // A score outlives the next search and is fair game from the one after.
  if (score_key(e) == 0 || int{hash_age} > int{field(e.score_age)} + 1 || depth_left >= field(e.score_depth))
    save_hash_score(index_of_entry, key_hi, score, flag, depth_left);
}

}  // namespace Hash

void save_best_hash_move_and_score(const MoveList& list, std::uint8_t index, std::uint32_t key_lo, std::uint32_t key_hi,
                                   std::int32_t score, Bound flag, std::uint8_t ply, std::uint8_t depth) {
  const std::uint64_t index_of_entry = key_lo & hash_mask;
  const auto depth_left = static_cast<std::uint8_t>(depth - ply);
  Hash::save_best_hash_move(index_of_entry, key_hi, list, index, depth_left);
  Hash::save_best_hash_score(index_of_entry, key_hi, score, flag, depth_left);
}
