#include "hash/hash.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "io/output.h"
#include "io/platform.h"

HashEntry* p_hash_moves = nullptr;
std::uint64_t hash_mask = 0;
std::uint8_t hash_age = 0;

void hash_fatal(const char* message) {
  OutLine() << message << '\n';
  std::exit(1);
}

namespace {

// A table just zeroed reads as empty already: clearing it again would only
// write the zeros it holds.
std::atomic<bool> table_written = false;
// The threads that zero a large table: as many as search it, and at least as
// many as the machine runs at once, up to eight. The first touch of a page costs
// the system far more than the zeros, and it shares that work out well: between
// searches the cores are idle anyway.
int zeroing_threads = 1;
int zeroing_workers() {
  const int machine = static_cast<int>(std::min(8u, std::thread::hardware_concurrency()));
  return std::max({1, zeroing_threads, machine});
}

// Read before it is written: every thread stores into the table, and a flag
// written at every store would pass its cache line from core to core.
void note_table_written() {
  if (!table_written.load(std::memory_order_relaxed)) table_written.store(true, std::memory_order_relaxed);
}

// The Russian texts are Windows-1251 bytes.
constexpr const char* NO_MEMORY = "\xEF\xE0\xEC\xFF\xF2\xE8 \xED\xE5\xF2 ";
constexpr const char* NOTHING_TO_FREE = "\xEE\xF1\xE2\xEE\xE1\xEE\xE6\xE4\xE0\xF2\xFC \xED\xE5\xF7\xE5\xE3\xEE ";

inline HashEntry& entry_at(std::uint64_t index) { return p_hash_moves[index & hash_mask]; }

// Zeroes the table (or, fresh from the system and zero already, writes one byte
// of each page), which also brings every page of it in: the search then meets
// no page for the first time. A large table is shared out among the threads,
// each taking a part of whole pages.
void zero_table(bool fresh = false) {
  auto* bytes = reinterpret_cast<unsigned char*>(p_hash_moves);
  const std::size_t size = (hash_mask + 1) * sizeof(HashEntry);
  constexpr std::size_t SHARED_FROM = std::size_t{64} << 20, PAGE = std::size_t{2} << 20, SMALL_PAGE = 4096;
  const std::size_t workers = size < SHARED_FROM ? 1 : static_cast<std::size_t>(zeroing_workers());
  const std::size_t part = (size / workers + PAGE - 1) / PAGE * PAGE;
  const auto zero = [=](unsigned char* from, std::size_t n) {
    if (!fresh) {
      std::memset(from, 0, n);
      return;
    }
    for (std::size_t i = 0; i < n; i += SMALL_PAGE) static_cast<volatile unsigned char*>(from)[i] = 0;
  };
  std::vector<std::thread> helpers;
  for (std::size_t w = 1; w < workers && w * part < size; ++w) {
    try {
      helpers.emplace_back([=] { zero(bytes + w * part, std::min(part, size - w * part)); });
    } catch (const std::system_error&) {
      zero(bytes + w * part, std::min(part, size - w * part));  // no thread to spare: this one does it
    }
  }
  zero(bytes, std::min(part, size));
  for (std::thread& t : helpers) t.join();
  table_written.store(false, std::memory_order_relaxed);
}

void allocate(unsigned megabytes) {
  const std::uint64_t entries = hash_entries_for(megabytes);
  p_hash_moves = static_cast<HashEntry*>(allocate_table(entries * sizeof(HashEntry)));
  if (!p_hash_moves) hash_fatal(NO_MEMORY);
  hash_mask = entries - 1;
  zero_table(true);
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
  // A check reads as key 0, the empty slot's, only beside zero fields: all go.
  if (p_hash_moves && table_written.load(std::memory_order_relaxed)) zero_table();
}

void free_hash() {
  free_table(p_hash_moves, (hash_mask + 1) * sizeof(HashEntry));
  p_hash_moves = nullptr;
}

void set_hash_zeroing_threads(int threads) { zeroing_threads = threads; }

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
