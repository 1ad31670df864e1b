// Every generated move of a set of test positions, made and taken back down to
// a small depth: the board comes back exactly, stays consistent on the way, and
// the incremental key and the kept placement sum of the bishops and knights
// agree with their values computed from scratch.
#include <gtest/gtest.h>

#include <bit>
#include <set>
#include <sstream>

#include "board/make_move.h"
#include "board_helpers.h"
#include "eval/material.h"
#include "eval/placement.h"
#include "hash/board_key.h"
#include "hash/zobrist.h"
#include "movegen/attacks.h"
#include "support/test_support.h"

namespace {

// The key the search knows before it makes a move, to be finished after it.
std::uint64_t key_before(bool white, Move m) { return white ? key_before_move<WHITE>(m) : key_before_move<BLACK>(m); }

std::string move_text(Move m) {
  std::ostringstream out;
  out << static_cast<char>('a' + from_coord(m) % 8) << 1 + from_coord(m) / 8 << static_cast<char>('a' + to_coord(m) % 8)
      << 1 + to_coord(m) / 8 << " kind " << kind_move(m);
  return out.str();
}

struct Walk {
  long moves = 0;
  std::set<unsigned> kinds[2];  // by colour of the mover
  std::string first_failure;
  std::string path;

  void fail(const std::string& what) {
    if (first_failure.empty()) first_failure = what + " after " + path;
  }

  // Quiescence's own pair for a plain capture: the board, the undo record and
  // the count as make_move leaves them, and the board back as it was.
  void capture_in_place(bool white, int ply, Move m, const BoardState& before) {
    const auto p = static_cast<std::uint8_t>(ply);
    const std::uint64_t made = thread.moves_made;
    white ? make_capture<WHITE>(p, m) : make_capture<BLACK>(p, m);
    const BoardState after = thread.bitboard;
    const std::uint64_t undo = std::bit_cast<std::uint64_t>(thread.undo_by_ply[ply]);
    white ? unmake_capture<WHITE>(p, m) : unmake_capture<BLACK>(p, m);
    if (!boards_equal(thread.bitboard, before)) fail("unmake_capture did not restore the board");
    thread.undo_by_ply[ply] = {};
    const MoveList one = [m] {
      MoveList l{};
      l.move[0] = m;
      l.move_count = l.capture_count = 1;
      return l;
    }();
    make(white, ply, 0, one);
    if (!boards_equal(thread.bitboard, after) || std::bit_cast<std::uint64_t>(thread.undo_by_ply[ply]) != undo ||
        thread.moves_made != made + 2)
      fail("make_capture differs from make_move");
    unmake(white, ply, 0, one);
  }

  void run(int depth, int ply) {
    const MoveList list = all_moves();
    const bool white = thread.bitboard.colour_move == 1;
    for (int i = 0; i < list.move_count && first_failure.empty(); ++i) {
      const BoardState before = thread.bitboard;
      const std::string saved_path = path;
      path += ' ' + move_text(list.move[i]);
      ++moves;
      kinds[white ? 1 : 0].insert(kind_move(list.move[i]));

      const std::uint64_t early = key_before(white, list.move[i]);
      if (kind_move(list.move[i]) == MOVE_CAPTURE) capture_in_place(white, ply, list.move[i], before);
      make(white, ply, i, list);
      if (!board_consistent()) fail("inconsistent board");
      thread.bitboard.minor_placement = before.minor_placement + (white ? placement_change<WHITE>(list.move[i])
                                                                        : placement_change<BLACK>(list.move[i]));
      if (thread.bitboard.minor_placement != count_minor_placement()) fail("kept placement sum off");
      if (thread.bitboard.value_white_material != count_white_material() ||
          thread.bitboard.value_black_material != count_black_material())
        fail("material sums off");
      if (thread.bitboard.hash_key != before.hash_key) fail("make changed the key");
      if (thread.bitboard.colour_move != (white ? 0 : 1)) fail("side to move not passed");

      const std::uint64_t updated = key_after_move(early, thread.undo_by_ply[ply]);
      compute_hash_key();
      if (updated != thread.bitboard.hash_key) fail("updated key differs from the computed key");

      const bool legal = white ? !white_king_attacked() : !black_king_attacked();
      if (legal && depth > 1) run(depth - 1, ply + 1);

      unmake(white, ply, i, list);
      thread.bitboard.hash_key = before.hash_key;  // the search puts its saved key and sum back
      thread.bitboard.minor_placement = before.minor_placement;
      if (!boards_equal(thread.bitboard, before)) fail("unmake did not restore the board");
      path = saved_path;
    }
  }
};

Walk walk_from(const std::string& fen, int depth) {
  set_position(fen);
  set_true_material();
  thread.bitboard.minor_placement = count_minor_placement();
  const BoardState root = thread.bitboard;
  Walk w;
  w.run(depth, 0);
  EXPECT_TRUE(boards_equal(thread.bitboard, root)) << fen;
  return w;
}

struct RoundTripCase {
  const char* fen;
  int depth;
};

const RoundTripCase positions[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 3},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 2},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1", 2},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 3},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 2},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 2},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 2},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 2},
    {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3", 2},
    {"rnbqkbnr/pppp1ppp/8/8/3PpP2/8/PPP1P1PP/RNBQKBNR b KQkq f3 0 3", 2},
    {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1", 2},
    {"n1n5/PPPk4/8/8/8/8/4Kppp/5N1N w - - 0 1", 2},
};

TEST(RoundTrip, EveryMoveIsTakenBackExactlyAndKeysAgree) {
  std::set<unsigned> kinds[2];
  long total = 0;
  for (const RoundTripCase& c : positions) {
    const Walk w = walk_from(c.fen, c.depth);
    EXPECT_EQ(w.first_failure, "") << c.fen;
    EXPECT_GT(w.moves, 0) << c.fen;
    total += w.moves;
    for (int colour = 0; colour < 2; ++colour) kinds[colour].insert(w.kinds[colour].begin(), w.kinds[colour].end());
  }
  const std::set<unsigned> all_kinds = {1, 2, 3, 4, 5, 12, 13, 14, 15, 22, 23, 24, 25};
  EXPECT_EQ(kinds[1], all_kinds) << "White's moves did not cover every kind";
  EXPECT_EQ(kinds[0], all_kinds) << "Black's moves did not cover every kind";
  EXPECT_GT(total, 20000);
}

// Key after making a move and updating the key incrementally, as the search
// does, checked against the key computed from scratch.
std::uint64_t play_and_update(MoveList& list, int ply, const char* from, const char* to, unsigned kind) {
  const bool white = thread.bitboard.colour_move == 1;
  list = all_moves();
  const int i = find_move(list, sq(from), sq(to), kind);
  EXPECT_GE(i, 0) << "no move " << from << to << " of kind " << kind;
  if (i < 0) return 0;
  const std::uint64_t early = key_before(white, list.move[i]);
  make(white, ply, i, list);
  const std::uint64_t updated = key_after_move(early, thread.undo_by_ply[ply]);
  thread.bitboard.hash_key = updated;
  compute_hash_key();
  EXPECT_EQ(updated, thread.bitboard.hash_key) << from << to;
  return updated;
}

// The key of the current board as if no en-passant square were set.
std::uint64_t key_without_en_passant() {
  const BoardState saved = thread.bitboard;
  thread.bitboard.taking_passage_yes = 0;
  compute_hash_key();
  const std::uint64_t k = thread.bitboard.hash_key;
  thread.bitboard = saved;
  return k;
}

TEST(KeyUpdate, DoubleStepAddsTheEnPassantTermAndTheReplyRemovesIt) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  MoveList l0, l1, l2;
  const std::uint64_t after_e4 = play_and_update(l0, 0, "e2", "e4", MOVE_QUIET);
  EXPECT_EQ(after_e4 ^ key_without_en_passant(), en_passant_term(4, 2));
  // A second double step replaces the term (a5 gives file 0 xor rank 5, e3 gave 4 xor 2).
  const std::uint64_t after_a5 = play_and_update(l1, 1, "a7", "a5", MOVE_QUIET);
  EXPECT_EQ(after_a5 ^ key_without_en_passant(), en_passant_term(0, 5));
  // A reply that is no double step removes it.
  const std::uint64_t after_nf3 = play_and_update(l2, 2, "g1", "f3", MOVE_QUIET);
  EXPECT_EQ(after_nf3, key_without_en_passant());
}

TEST(KeyUpdate, EachKindInShortGames) {
  MoveList list[5];
  set_position("r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1");
  play_and_update(list[0], 0, "e5", "d6", MOVE_EN_PASSANT);
  play_and_update(list[1], 1, "e8", "c8", MOVE_CASTLE_QUEEN);
  play_and_update(list[2], 2, "e1", "g1", MOVE_CASTLE_KING);
  play_and_update(list[3], 3, "d8", "d6", MOVE_CAPTURE);
  play_and_update(list[4], 4, "a1", "a8", MOVE_QUIET);

  set_position("4k3/1P6/8/8/8/8/1p6/R3K3 w Q - 0 1");
  play_and_update(list[0], 0, "b7", "b8", MOVE_PROMOTE_KNIGHT);
  play_and_update(list[1], 1, "b2", "a1", MOVE_CAPTURE_PROMOTE_QUEEN);

  set_position("r3k3/1P6/8/8/8/8/6p1/4K3 w q - 0 1");
  play_and_update(list[0], 0, "b7", "a8", MOVE_CAPTURE_PROMOTE_ROOK);
  play_and_update(list[1], 1, "g2", "g1", MOVE_PROMOTE_BISHOP);

  set_position("r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
  play_and_update(list[0], 0, "e8", "g8", MOVE_CASTLE_KING);
  play_and_update(list[1], 1, "a1", "a8", MOVE_CAPTURE);
  play_and_update(list[2], 2, "f8", "a8", MOVE_CAPTURE);
  play_and_update(list[3], 3, "h1", "h8", MOVE_QUIET);
}

TEST(KeyUpdate, ClearingAFlagThatIsAlreadyClearTogglesNothing) {
  set_position("r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1");
  compute_hash_key();
  const std::uint64_t before = thread.bitboard.hash_key;
  MoveList list;
  const std::uint64_t after = play_and_update(list, 0, "h1", "h2", MOVE_QUIET);
  EXPECT_EQ(after, before ^ zobrist[1][4][7] ^ zobrist[1][4][15] ^ ZOBRIST_SIDE);
}

TEST(KeyUpdate, KingMoveTogglesBothCastlingKeys) {
  set_position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
  const std::uint64_t before = thread.bitboard.hash_key;
  MoveList list;
  const std::uint64_t after = play_and_update(list, 0, "e1", "d2", MOVE_QUIET);
  EXPECT_EQ(after,
            before ^ zobrist[1][6][4] ^ zobrist[1][6][11] ^ ZOBRIST_SIDE ^ ZOBRIST_CASTLING_K ^ ZOBRIST_CASTLING_Q);
}

}  // namespace
