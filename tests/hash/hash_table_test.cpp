// The transposition table: its size, the probes of both colours, the move slot's
// move-to-front, the two replacement rules and the fatal calls without a table.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "board/board.h"
#include "board/move.h"
#include "hash/hash.h"
#include "support/capture.h"

namespace {

constexpr std::uint32_t LO = 0x12345678u;  // index 0x5678 in the default table
constexpr std::uint32_t HI = 0x9ABCDEF0u;
constexpr std::int32_t NF = HASH_NOT_FOUND;

std::uint64_t index_of(std::uint32_t key_lo) { return key_lo & hash_mask; }

// Moves, scores and both counts alike.
::testing::AssertionResult same_list(const MoveList& a, const MoveList& b) {
  if (a.move_count != b.move_count || a.capture_count != b.capture_count)
    return ::testing::AssertionFailure() << "counts differ";
  for (int i = 0; i < 256; ++i)
    if (a.move[i] != b.move[i] || a.score[i] != b.score[i])
      return ::testing::AssertionFailure() << "entry " << i << " differs";
  return ::testing::AssertionSuccess();
}

// Ten distinct moves with scores 100, 101, ...
MoveList ten_moves() {
  MoveList list{};
  for (unsigned i = 0; i < 10; ++i) {
    list.move[i] = pack_move(MOVE_QUIET, KNIGHT, i, i + 16, 0);
    list.score[i] = static_cast<std::int32_t>(100 + i);
  }
  list.move_count = 10;
  list.capture_count = 3;
  return list;
}

class HashTable : public ::testing::Test {
 protected:
  void SetUp() override {
    init_hash();
    hash_age = 0;
  }
  void TearDown() override { free_hash(); }

  static const HashEntry& entry(std::uint32_t key_lo) { return p_hash_moves[index_of(key_lo)]; }
  static void store_score(std::int32_t score, Bound flag, std::uint8_t depth_left) {
    Hash::save_hash_score(index_of(LO), HI, score, flag, depth_left);
  }
  static std::int32_t white(std::uint8_t ply, std::uint8_t depth, std::int32_t alpha, std::int32_t beta) {
    return Hash::look_hash_score_white(LO, HI, ply, depth, alpha, beta);
  }
  static std::int32_t black(std::uint8_t ply, std::uint8_t depth, std::int32_t alpha, std::int32_t beta) {
    return Hash::look_hash_score_black(LO, HI, ply, depth, alpha, beta);
  }
};

}  // namespace

TEST(HashSize, EntriesForMegabytes) {
  EXPECT_EQ(hash_entries_for(1), 32768u);
  EXPECT_EQ(hash_entries_for(2), 65536u);
  EXPECT_EQ(hash_entries_for(3), 131072u);
  EXPECT_EQ(hash_entries_for(16), 524288u);
  EXPECT_EQ(hash_entries_for(64), 2097152u);
  EXPECT_EQ(hash_entries_for(1023), 33554432u);
  EXPECT_EQ(hash_entries_for(1024), 33554432u);
  EXPECT_EQ(hash_entries_for(2000), 33554432u);
  EXPECT_EQ(hash_entries_for(5000), 33554432u);
  EXPECT_EQ(hash_entries_for(65535), 33554432u);
  EXPECT_EQ(hash_entries_for(0), 32768u);
}

TEST(HashSize, AllocationAndResize) {
  init_hash();
  ASSERT_NE(p_hash_moves, nullptr);
  EXPECT_EQ(hash_mask, 32767u);
  resize_hash(3);
  EXPECT_EQ(hash_mask, 131071u);
  for (std::uint64_t i = 0; i <= hash_mask; ++i) {
    const HashEntry& e = p_hash_moves[i];
    ASSERT_TRUE(e.move_check == 0 && e.stored_move == 0 && e.move_depth == 0 && e.move_age == 0 && e.score_check == 0 &&
                e.stored_score == 0 && e.score_flag == 0 && e.score_depth == 0 && e.score_age == 0)
        << "entry " << i << " is not zero";
  }
  resize_hash(0);
  EXPECT_EQ(hash_mask, 32767u);
  resize_hash(16);
  EXPECT_EQ(hash_mask, 524287u);
  init_hash();  // releases the 16 MB table first
  EXPECT_EQ(hash_mask, 32767u);
  free_hash();
  EXPECT_EQ(p_hash_moves, nullptr);
  free_hash();
  clear_hash();  // no table: nothing to do
}

TEST_F(HashTable, ClearEmptiesBothSlots) {
  MoveList list = ten_moves();
  hash_age = 4;
  Hash::save_hash_move(index_of(LO), HI, list, 2, 5);
  store_score(-70, BOUND_NOT_RAISED, 6);
  clear_hash();
  const HashEntry& e = entry(LO);
  EXPECT_EQ(Hash::move_key(e), 0u);
  EXPECT_EQ(Hash::score_key(e), 0u);
  EXPECT_EQ(white(0, 0, 1000, 2000), NF);
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::NONE);
}

TEST_F(HashTable, UpperBoundForWhite) {
  store_score(50, BOUND_NOT_RAISED, 4);
  EXPECT_EQ(white(0, 3, 60, 100), 50);  // 50 < 60
  EXPECT_EQ(white(0, 3, 50, 100), NF);  // not below alpha
  EXPECT_EQ(white(0, 3, 51, 52), 50);
  EXPECT_EQ(white(0, 3, 60, 0), 50);  // beta plays no part
  store_score(50, BOUND_EXACT, 4);    // read like a bound not raised
  EXPECT_EQ(white(0, 3, 60, 100), 50);
  EXPECT_EQ(white(0, 3, 50, 100), NF);
}

TEST_F(HashTable, LowerBoundForWhite) {
  store_score(300, BOUND_CUTOFF, 4);
  EXPECT_EQ(white(0, 4, -1000, 300), 300);
  EXPECT_EQ(white(0, 4, -1000, 299), 300);
  EXPECT_EQ(white(0, 4, -1000, 301), NF);
  EXPECT_EQ(white(0, 4, 1000, 300), 300);  // alpha plays no part
}

TEST_F(HashTable, UpperBoundForBlack) {
  store_score(300, BOUND_CUTOFF, 4);
  EXPECT_EQ(black(0, 4, 300, 1000), 300);
  EXPECT_EQ(black(0, 4, 301, 1000), 300);
  EXPECT_EQ(black(0, 4, 299, 1000), NF);
  EXPECT_EQ(black(0, 4, 300, -1000), 300);  // beta plays no part
}

TEST_F(HashTable, LowerBoundForBlack) {
  for (Bound flag : {BOUND_EXACT, BOUND_NOT_RAISED}) {
    store_score(50, flag, 4);
    EXPECT_EQ(black(0, 4, -100, 40), 50);  // 50 > 40
    EXPECT_EQ(black(0, 4, -100, 50), NF);  // not above beta
    EXPECT_EQ(black(0, 4, 1000, 49), 50);  // alpha plays no part
  }
}

TEST_F(HashTable, ScoresAreReturnedAsStored) {
  store_score(999000, BOUND_CUTOFF, 1);
  EXPECT_EQ(white(3, 4, 0, 100), 999000);
  store_score(-999000, BOUND_CUTOFF, 1);
  EXPECT_EQ(black(3, 4, 0, 100), -999000);
}

TEST_F(HashTable, RemainingDepthMustNotExceedTheStoredDepth) {
  store_score(50, BOUND_NOT_RAISED, 4);
  EXPECT_EQ(white(0, 4, 60, 100), 50);  // remaining 4
  EXPECT_EQ(white(1, 5, 60, 100), 50);
  EXPECT_EQ(white(0, 5, 60, 100), NF);  // remaining 5
  EXPECT_EQ(black(0, 5, -100, 40), NF);
  EXPECT_EQ(black(2, 6, -100, 40), 50);
  // Past the depth limit the remaining depth is negative, below any stored one.
  store_score(50, BOUND_NOT_RAISED, 0);
  EXPECT_EQ(white(6, 3, 60, 100), 50);
  EXPECT_EQ(white(0, 1, 60, 100), NF);
  store_score(50, BOUND_NOT_RAISED, 255);
  EXPECT_EQ(white(0, 255, 60, 100), 50);
}

TEST_F(HashTable, KeyCheckAndIndex) {
  store_score(50, BOUND_NOT_RAISED, 4);
  EXPECT_EQ(Hash::look_hash_score_white(LO, HI ^ 1, 0, 0, 60, 100), NF);
  EXPECT_EQ(Hash::look_hash_score_black(LO, HI ^ 0x80000000u, 0, 0, -100, 40), NF);
  EXPECT_EQ(Hash::look_hash_score_white(LO + 1, HI, 0, 0, 60, 100), NF);
  // Only the bits under the mask choose the entry.
  EXPECT_EQ(Hash::look_hash_score_white(LO ^ 0xFFFF8000u, HI, 0, 0, 60, 100), 50);
  EXPECT_EQ(Hash::look_hash_score_white(LO + 32768, HI, 0, 0, 60, 100), 50);
  EXPECT_EQ(Hash::score_key(entry(LO)), HI);
  EXPECT_EQ(&entry(LO), &p_hash_moves[0x5678]);
}

TEST_F(HashTable, MoveSlotAndScoreSlotAreIndependent) {
  MoveList list = ten_moves();
  Hash::save_hash_move(index_of(LO), HI, list, 1, 3);
  EXPECT_EQ(white(0, 0, 1000, 2000), NF);  // the score slot is still empty
  store_score(10, BOUND_NOT_RAISED, 2);
  Hash::save_hash_move(index_of(LO), HI ^ 5, list, 4, 3);  // another position, same index
  EXPECT_EQ(white(0, 0, 1000, 2000), 10);
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::NONE);
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI ^ 5), HashMoveFound::AT_FRONT);
  EXPECT_EQ(list.move[0], pack_move(MOVE_QUIET, KNIGHT, 4, 20, 0));
}

TEST_F(HashTable, StoredMoveComesToTheFront) {
  const MoveList original = ten_moves();
  MoveList list = original;
  hash_age = 3;
  Hash::save_hash_move(index_of(LO), HI, list, 5, 7);
  EXPECT_EQ(Hash::move_key(entry(LO)), HI);
  EXPECT_EQ(entry(LO).stored_move, original.move[5]);
  EXPECT_EQ(entry(LO).move_depth, 7);
  EXPECT_EQ(entry(LO).move_age, 3);
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::AT_FRONT);
  EXPECT_EQ(list.move[0], original.move[5]);
  EXPECT_EQ(list.score[0], original.score[5]);
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(list.move[i], original.move[i - 1]) << i;
    EXPECT_EQ(list.score[i], original.score[i - 1]) << i;
  }
  for (int i = 6; i < 10; ++i) {
    EXPECT_EQ(list.move[i], original.move[i]) << i;
    EXPECT_EQ(list.score[i], original.score[i]) << i;
  }
  EXPECT_EQ(list.move_count, 10);
  EXPECT_EQ(list.capture_count, 3);
}

TEST_F(HashTable, StoredMoveAtTheFrontOrLast) {
  const MoveList original = ten_moves();
  MoveList list = original;
  Hash::save_hash_move(index_of(LO), HI, list, 0, 1);
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::AT_FRONT);
  EXPECT_TRUE(same_list(list, original));

  Hash::save_hash_move(index_of(LO), HI, original, 9, 1);
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::AT_FRONT);
  EXPECT_EQ(list.move[0], original.move[9]);
  for (int i = 1; i < 10; ++i) EXPECT_EQ(list.move[i], original.move[i - 1]) << i;
}

TEST_F(HashTable, StoredMoveNotInTheList) {
  const MoveList original = ten_moves();
  MoveList other = ten_moves();
  other.move[0] = pack_move(MOVE_CAPTURE, QUEEN, 3, 59, ROOK);
  Hash::save_hash_move(index_of(LO), HI, other, 0, 1);
  MoveList list = original;
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::NOT_LISTED);
  EXPECT_TRUE(same_list(list, original));

  // A word left behind the end of the list does not count.
  list.move[12] = other.move[0];
  list.score[12] = 5;
  const MoveList with_leftover = list;
  EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::NOT_LISTED);
  EXPECT_TRUE(same_list(list, with_leftover));

  MoveList empty{};
  empty.move[0] = other.move[0];
  EXPECT_EQ(Hash::look_hash_move(empty, LO, HI), HashMoveFound::NOT_LISTED);
  EXPECT_EQ(empty.move[0], other.move[0]);
}

TEST_F(HashTable, MoveReplacement) {
  const MoveList list = ten_moves();
  const std::uint64_t at = index_of(LO);
  hash_age = 7;
  Hash::save_hash_move(at, HI, list, 0, 6);
  Hash::save_best_hash_move(at, HI, list, 1, 5);  // shallower, same search: kept
  EXPECT_EQ(entry(LO).stored_move, list.move[0]);
  Hash::save_best_hash_move(at, HI ^ 1, list, 1, 5);  // whatever the key
  EXPECT_EQ(entry(LO).stored_move, list.move[0]);
  EXPECT_EQ(Hash::move_key(entry(LO)), HI);
  Hash::save_best_hash_move(at, HI ^ 1, list, 2, 6);  // as deep: replaced
  EXPECT_EQ(entry(LO).stored_move, list.move[2]);
  EXPECT_EQ(Hash::move_key(entry(LO)), HI ^ 1);
  EXPECT_EQ(entry(LO).move_depth, 6);
  EXPECT_EQ(entry(LO).move_age, 7);

  hash_age = 6;
  Hash::save_hash_move(at, HI, list, 0, 6);
  hash_age = 7;
  Hash::save_best_hash_move(at, HI, list, 3, 5);  // an older search's move: replaced
  EXPECT_EQ(entry(LO).stored_move, list.move[3]);
  EXPECT_EQ(entry(LO).move_depth, 5);
  EXPECT_EQ(entry(LO).move_age, 7);

  // Any other age, also after the count wrapped.
  hash_age = 251;
  Hash::save_hash_move(at, HI, list, 0, 9);
  hash_age = 1;
  Hash::save_best_hash_move(at, HI, list, 4, 0);
  EXPECT_EQ(entry(LO).stored_move, list.move[4]);

  // An empty slot is written whatever its old depth and age say.
  Hash::save_hash_move(at, HI, list, 0, 200);
  clear_hash();
  Hash::save_best_hash_move(at, HI, list, 5, 0);
  EXPECT_EQ(entry(LO).stored_move, list.move[5]);
  EXPECT_EQ(Hash::move_key(entry(LO)), HI);
}

TEST_F(HashTable, ScoreReplacement) {
  const std::uint64_t at = index_of(LO);
  hash_age = 6;
  Hash::save_hash_score(at, HI, 11, BOUND_NOT_RAISED, 6);
  hash_age = 7;
  Hash::save_best_hash_score(at, HI, 22, BOUND_CUTOFF, 5);  // the next search, shallower: kept
  EXPECT_EQ(entry(LO).stored_score, 11);
  Hash::save_best_hash_score(at, HI ^ 1, 22, BOUND_CUTOFF, 5);
  EXPECT_EQ(entry(LO).stored_score, 11);
  EXPECT_EQ(Hash::score_key(entry(LO)), HI);
  hash_age = 8;
  Hash::save_best_hash_score(at, HI ^ 1, 33, BOUND_CUTOFF, 5);  // two searches later: replaced
  EXPECT_EQ(entry(LO).stored_score, 33);
  EXPECT_EQ(Hash::score_key(entry(LO)), HI ^ 1);
  EXPECT_EQ(entry(LO).score_flag, BOUND_CUTOFF);
  EXPECT_EQ(entry(LO).score_depth, 5);
  EXPECT_EQ(entry(LO).score_age, 8);

  Hash::save_best_hash_score(at, HI, 44, BOUND_EXACT, 4);  // same search, shallower: kept
  EXPECT_EQ(entry(LO).stored_score, 33);
  Hash::save_best_hash_score(at, HI, 55, BOUND_EXACT, 5);  // as deep: replaced
  EXPECT_EQ(entry(LO).stored_score, 55);
  EXPECT_EQ(entry(LO).score_flag, BOUND_EXACT);

  // Ages compare as integers: after the count wraps an old score looks new.
  hash_age = 251;
  Hash::save_hash_score(at, HI, 66, BOUND_NOT_RAISED, 9);
  hash_age = 1;
  Hash::save_best_hash_score(at, HI, 77, BOUND_NOT_RAISED, 0);
  EXPECT_EQ(entry(LO).stored_score, 66);

  // An empty slot is written whatever its old depth and age say.
  clear_hash();
  Hash::save_best_hash_score(at, HI, 88, BOUND_CUTOFF, 0);
  EXPECT_EQ(entry(LO).stored_score, 88);
  EXPECT_EQ(Hash::score_key(entry(LO)), HI);
}

TEST_F(HashTable, SaveBestMoveAndScore) {
  const MoveList list = ten_moves();
  hash_age = 2;
  save_best_hash_move_and_score(list, 6, LO, HI, -123, BOUND_CUTOFF, 3, 8);
  const HashEntry& e = entry(LO);
  EXPECT_EQ(Hash::move_key(e), HI);
  EXPECT_EQ(e.stored_move, list.move[6]);
  EXPECT_EQ(e.move_depth, 5);
  EXPECT_EQ(e.move_age, 2);
  EXPECT_EQ(Hash::score_key(e), HI);
  EXPECT_EQ(e.stored_score, -123);
  EXPECT_EQ(e.score_flag, BOUND_CUTOFF);
  EXPECT_EQ(e.score_depth, 5);
  EXPECT_EQ(e.score_age, 2);
  // Both rules apply: a shallower store in the same search leaves both slots.
  save_best_hash_move_and_score(list, 7, LO, HI, 999, BOUND_EXACT, 4, 8);
  EXPECT_EQ(e.stored_move, list.move[6]);
  EXPECT_EQ(e.stored_score, -123);
  // The remaining depth is 8-bit.
  save_best_hash_move_and_score(list, 8, LO ^ 1, HI, 1, BOUND_NOT_RAISED, 5, 3);
  EXPECT_EQ(entry(LO ^ 1).move_depth, 254);
  EXPECT_EQ(entry(LO ^ 1).score_depth, 254);
}

TEST(HashFatal, ProbeOrStoreWithoutATable) {
  const MoveList list = ten_moves();
  MoveList mutable_list = ten_moves();
  free_hash();
  EXPECT_EXIT_WITH_OUTPUT(Hash::look_hash_score_white(LO, HI, 0, 1, 0, 0), 1,
                          "Hash::look_hash_score_white  p_hash_moves == NULL \n");
  EXPECT_EXIT_WITH_OUTPUT(Hash::look_hash_score_black(LO, HI, 0, 1, 0, 0), 1,
                          "Hash::look_hash_score_black  p_hash_moves == NULL \n");
  EXPECT_EXIT_WITH_OUTPUT(Hash::look_hash_move(mutable_list, LO, HI), 1,
                          "Hash::look_hash_move  p_hash_moves == NULL \n");
  EXPECT_EXIT_WITH_OUTPUT(Hash::save_best_hash_move(0, HI, list, 0, 1), 1,
                          "Hash::save_best_hash_move  p_hash_moves == NULL \n");
  EXPECT_EXIT_WITH_OUTPUT(Hash::save_hash_move(0, HI, list, 0, 1), 1, "Hash::save_hash_move  p_hash_moves == NULL \n");
  EXPECT_EXIT_WITH_OUTPUT(Hash::save_best_hash_score(0, HI, 5, BOUND_EXACT, 1), 1,
                          "Hash::save_best_hash_score  p_hash_moves == NULL \n");
  EXPECT_EXIT_WITH_OUTPUT(Hash::save_hash_score(0, HI, 5, BOUND_EXACT, 1), 1,
                          "Hash::save_hash_score  p_hash_moves == NULL \n");
  EXPECT_EXIT_WITH_OUTPUT(save_best_hash_move_and_score(list, 0, LO, HI, 5, BOUND_EXACT, 0, 1), 1,
                          "Hash::save_best_hash_move  p_hash_moves == NULL \n");
}

TEST(HashFatal, ResizeWithoutATable) {
  free_hash();
  // "освобождать нечего " in Windows-1251.
  EXPECT_EXIT_WITH_OUTPUT(resize_hash(8), 1,
                          "\xEE\xF1\xE2\xEE\xE1\xEE\xE6\xE4\xE0\xF2\xFC\x20\xED\xE5\xF7\xE5\xE3\xEE\x20\n");
}

namespace {

bool every_entry_empty() {
  for (std::uint64_t i = 0; i <= hash_mask; ++i)
    if (Hash::move_key(p_hash_moves[i]) != 0 || Hash::score_key(p_hash_moves[i]) != 0) return false;
  return true;
}

}  // namespace

TEST_F(HashTable, ALargeFreshTableReadsAsEmptyAfterItsClear) {
  resize_hash(1024);
  clear_hash();  // nothing written yet: the table is as making it left it
  EXPECT_EQ(hash_mask + 1, hash_entries_for(1024));
  EXPECT_TRUE(every_entry_empty());
}

// Whatever memory the allocator hands out, a table just made, or cleared after
// writes at both ends, reads as empty and starts on a cache line; at 64 MB two
// threads share the zeroing.
TEST_F(HashTable, MadeAndClearedTablesReadAsEmptyAtEverySize) {
  MoveList list = ten_moves();
  set_hash_zeroing_threads(2);
  for (const unsigned megabytes : {1u, 3u, 64u}) {
    // The old table full of junk, for memory handed out again to show it.
    std::memset(static_cast<void*>(p_hash_moves), 0xA5, (hash_mask + 1) * sizeof(HashEntry));
    resize_hash(static_cast<std::uint16_t>(megabytes));
    EXPECT_EQ(hash_mask + 1, hash_entries_for(megabytes));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p_hash_moves) % 64, 0u) << megabytes;
    EXPECT_TRUE(every_entry_empty()) << megabytes;
    Hash::save_hash_move(0, HI, list, 2, 5);
    Hash::save_hash_score(hash_mask, HI, 40, BOUND_EXACT, 3);
    clear_hash();
    EXPECT_TRUE(every_entry_empty()) << megabytes;
  }
  set_hash_zeroing_threads(1);
}

TEST_F(HashTable, AClearAfterAWriteEmptiesTheTableEveryTime) {
  MoveList list = ten_moves();
  for (int round = 0; round < 2; ++round) {
    clear_hash();
    Hash::save_hash_move(index_of(LO), HI, list, 2, 5);
    clear_hash();
    EXPECT_TRUE(every_entry_empty()) << round;
    store_score(5, BOUND_EXACT, 1);
    clear_hash();
    EXPECT_TRUE(every_entry_empty()) << round;
  }
}

// Threads write slots field by field: a slot that pairs one write's check with
// another's fields must read as some other key, never as this one's score or move.
TEST_F(HashTable, ASlotMixedFromTwoWritesReadsAsAnotherKey) {
  MoveList list = ten_moves();
  store_score(300, BOUND_CUTOFF, 4);
  Hash::save_hash_move(index_of(LO), HI, list, 3, 4);
  ASSERT_EQ(white(0, 0, 100, 200), 300);
  HashEntry& e = p_hash_moves[index_of(LO)];
  const HashEntry whole = e;
  for (int field = 0; field < 4; ++field) {
    e = whole;
    if (field == 0) e.stored_score = 301;  // another write's score beside this check
    if (field == 1) e.score_flag = BOUND_NOT_RAISED;
    if (field == 2) e.score_depth = 9;
    if (field == 3) e.stored_move = list.move[4];
    if (field < 3) EXPECT_EQ(white(0, 0, 100, 200), NF) << field;
    else EXPECT_EQ(Hash::look_hash_move(list, LO, HI), HashMoveFound::NONE);
  }
}
