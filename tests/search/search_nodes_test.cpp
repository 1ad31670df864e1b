// Single nodes of the search on hand-made positions: quiescence stand pat, king
// captures and delta pruning, the alpha-beta node's early exits, the deepest ply,
// the root without moves, and the driver without iterations.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/move.h"
#include "eval/evaluate.h"
#include "eval/material.h"
#include "eval/placement.h"
#include "hash/board_key.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "movegen/generate.h"
#include "search/Iterative_Deepening.h"
#include "search/aids.h"
#include "search/search.h"
#include "search/search_state.h"
#include "support/capture.h"
#include "support/test_support.h"

using capture::output_of;

namespace {

constexpr std::int32_t INF = INFINITE_SCORE;

constexpr unsigned sq(const char* name) { return static_cast<unsigned>((name[1] - '1') * 8 + (name[0] - 'a')); }

// Moves that stand for the path above a node; never made.
constexpr Move path_move(unsigned n) { return pack_move(MOVE_QUIET, KNIGHT, n, n + 8, NO_PIECE); }

class SearchNode : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!p_hash_moves) init_hash();
    clear_hash();
    thread.search_state.stop_search = 0;
    thread.search_state.poll_count = 0;
    thread.search_state.null_move_on = 1;
    search_control.time_limit = -20.0;
    thread.search_state.nodes = 0;
  }
  void TearDown() override { thread.search_state.stop_search = 0; }

  // Sets up `fen` as the driver would before its first iteration: material and
  // the placement sum recounted, the key fresh, the table empty, a search
  // history of distinct keys with the root's key in entry 0, and a path of
  // stand-in moves.
  void position(const std::string& fen) {
    clear_hash();
    set_position(fen);
    thread.bitboard.value_white_material = count_white_material();
    thread.bitboard.value_black_material = count_black_material();
    thread.bitboard.minor_placement = count_minor_placement();
    compute_hash_key();
    for (int p = 0; p <= MAX_PLY; ++p) {
      thread.key_history_search[p] = static_cast<std::uint64_t>(p);
      thread.line_current[p] = path_move(static_cast<unsigned>(p % 48));
    }
    thread.key_history_search[0] = thread.bitboard.hash_key;
    before_ = thread.bitboard;
    moves_before_ = thread.moves_made;
  }

  static std::int32_t stand_pat() {
    return evaluate() + static_cast<std::int32_t>(thread.bitboard.value_white_material) -
           static_cast<std::int32_t>(thread.bitboard.value_black_material);
  }

  static bool table_is_empty() {
    for (std::uint64_t i = 0; i <= hash_mask; ++i)
      if (Hash::move_key(p_hash_moves[i]) != 0 || Hash::score_key(p_hash_moves[i]) != 0) return false;
    return true;
  }

  void expect_board_unchanged() const { EXPECT_TRUE(boards_equal(thread.bitboard, before_)); }
  void expect_no_move_made() const { EXPECT_EQ(thread.moves_made, moves_before_); }

  BoardState before_{};
  std::uint64_t moves_before_ = 0;
};

class Quiescence : public SearchNode {};

}  // namespace

TEST_F(Quiescence, WhiteStandsPatAtOrAboveBetaBeforeGeneratingAnything) {
  position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");  // the queen could take the rook
  const std::int32_t stand = stand_pat();
  thread.list_quiescence[3].move_count = 201;
  EXPECT_EQ(quiescence_white(stand - 50, stand, 3, NOT_PV), stand);
  EXPECT_EQ(quiescence_white(stand - 500, stand - 100, 3, ON_PV), stand);
  EXPECT_EQ(thread.list_quiescence[3].move_count, 201);
  expect_no_move_made();
  // Below beta the capture is found.
  EXPECT_GT(quiescence_white(stand - 50, stand + 1, 3, NOT_PV), stand + 300);
  expect_board_unchanged();
}

TEST_F(Quiescence, BlackStandsPatAtOrBelowAlphaBeforeGeneratingAnything) {
  position("3qk3/8/8/8/3R4/8/8/4K3 b - - 0 1");
  const std::int32_t stand = stand_pat();
  thread.list_quiescence[2].move_count = 201;
  EXPECT_EQ(quiescence_black(stand, stand + 50, 2, NOT_PV), stand);
  EXPECT_EQ(quiescence_black(stand + 100, stand + 500, 2, ON_PV), stand);
  EXPECT_EQ(thread.list_quiescence[2].move_count, 201);
  expect_no_move_made();
  EXPECT_LT(quiescence_black(stand - 1, stand + 50, 2, NOT_PV), stand - 300);
  expect_board_unchanged();
}

TEST_F(Quiescence, TakingTheKingScoresAsAMateAtThatPly) {
  position("4k3/8/8/8/8/8/8/4R1K1 w - - 0 1");
  EXPECT_EQ(quiescence_white(-INF, INF, 3, NOT_PV), 997000);
  EXPECT_EQ(quiescence_white(-INF, INF, 7, NOT_PV), 993000);
  expect_board_unchanged();
  // In a PV node the path to the node becomes the best line; the capture itself
  // is only the path's next entry.
  EXPECT_EQ(quiescence_white(-INF, INF, 3, ON_PV), 997000);
  ASSERT_EQ(thread.PV_line.length, 3);
  EXPECT_EQ(thread.PV_line.score_move, 997000);
  EXPECT_EQ(thread.PV_line.moves[0], path_move(0));
  EXPECT_EQ(thread.PV_line.moves[1], path_move(1));
  EXPECT_EQ(thread.PV_line.moves[2], path_move(2));
  EXPECT_EQ(thread.line_current[3], pack_move(MOVE_CAPTURE, ROOK, sq("e1"), sq("e8"), KING));
  expect_board_unchanged();
}

TEST_F(Quiescence, BlackTakingTheKingScoresAsWhiteMated) {
  position("4k3/8/8/8/8/8/8/r3K3 b - - 0 1");
  EXPECT_EQ(quiescence_black(-INF, INF, 2, ON_PV), -998000);
  ASSERT_EQ(thread.PV_line.length, 2);
  EXPECT_EQ(thread.PV_line.score_move, -998000);
  EXPECT_EQ(thread.PV_line.moves[0], path_move(0));
  EXPECT_EQ(thread.PV_line.moves[1], path_move(1));
  EXPECT_EQ(thread.line_current[2], pack_move(MOVE_CAPTURE, ROOK, sq("a1"), sq("e1"), KING));
  expect_board_unchanged();
}

TEST_F(Quiescence, AStandPatThatRaisesAlphaIsTheLineInAPvNode) {
  position("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");  // nothing to capture
  const std::int32_t stand = stand_pat();
  thread.PV_line.length = 9;
  EXPECT_EQ(quiescence_white(-INF, INF, 4, ON_PV), stand);
  EXPECT_EQ(thread.PV_line.length, 4);
  EXPECT_EQ(thread.PV_line.score_move, stand);
  EXPECT_EQ(thread.PV_line.moves[3], path_move(3));
}

TEST_F(Quiescence, AStandPatThatNoCaptureBeatsIsTheLineToo) {
  // The queen can take on d5, but the pawn on e6 takes back.
  position("4k3/8/4p3/3p4/8/8/8/3QK3 w - - 0 1");
  const std::int32_t stand = stand_pat();
  thread.PV_line.length = 9;
  EXPECT_EQ(quiescence_white(-INF, INF, 2, ON_PV), stand);
  EXPECT_EQ(thread.PV_line.length, 2);
  EXPECT_EQ(thread.PV_line.score_move, stand);
  EXPECT_EQ(thread.PV_line.moves[1], path_move(1));
  expect_board_unchanged();
}

TEST_F(Quiescence, ASideInCheckStillStandsPat) {
  // The rook checks along the first rank and nothing can take it.
  position("4k3/8/8/8/8/8/8/r3K2Q w - - 0 1");
  const std::int32_t stand = stand_pat();
  EXPECT_EQ(quiescence_white(-INF, INF, 2, NOT_PV), stand);
  EXPECT_EQ(quiescence_white(-INF, stand, 2, NOT_PV), stand);
}

namespace {

// White to move, the queen on a1 able to take only the piece on a2.
std::string white_takes(char piece) { return std::string("4k3/8/8/8/8/8/") + piece + "7/Q3K3 w - - 0 1"; }
// Black to move, the queen on a8 able to take only the piece on a7.
std::string black_takes(char piece) { return std::string("q3k3/") + piece + "7/8/8/8/8/8/4K3 b - - 0 1"; }

}  // namespace

TEST_F(Quiescence, FarBelowAlphaWhiteLeavesCheapTargetsAlone) {
  struct Case {
    char piece;
    int excluded_above;  // alpha more than this above the stand pat excludes the piece
  };
  for (const Case c : {Case{'p', 160}, Case{'n', 500}, Case{'b', 500}, Case{'r', 700}}) {
    position(white_takes(c.piece));
    const std::int32_t stand = stand_pat();
    // Excluded: no capture is generated, and the stand pat comes back raised by 160.
    EXPECT_EQ(quiescence_white(stand + c.excluded_above + 1, stand + 5000, 2, NOT_PV), stand + 160) << c.piece;
    EXPECT_EQ(thread.list_quiescence[2].capture_count, 0) << c.piece;
    expect_board_unchanged();
    // One point closer, the capture is generated and searched.
    quiescence_white(stand + c.excluded_above, stand + 5000, 2, NOT_PV);
    EXPECT_EQ(thread.list_quiescence[2].capture_count, 1) << c.piece;
    expect_board_unchanged();
  }
  // A queen is always a target.
  position(white_takes('q'));
  const std::int32_t stand = stand_pat();
  EXPECT_GT(quiescence_white(stand + 4000, stand + 5000, 2, NOT_PV), stand + 800);
  EXPECT_EQ(thread.list_quiescence[2].capture_count, 1);
  expect_board_unchanged();
}

TEST_F(Quiescence, FarAboveBetaBlackLeavesCheapTargetsAlone) {
  struct Case {
    char piece;
    int excluded_below;
  };
  for (const Case c : {Case{'P', 160}, Case{'N', 500}, Case{'B', 500}, Case{'R', 700}}) {
    position(black_takes(c.piece));
    const std::int32_t stand = stand_pat();
    EXPECT_EQ(quiescence_black(stand - 5000, stand - c.excluded_below - 1, 2, NOT_PV), stand - 160) << c.piece;
    EXPECT_EQ(thread.list_quiescence[2].capture_count, 0) << c.piece;
    expect_board_unchanged();
    quiescence_black(stand - 5000, stand - c.excluded_below, 2, NOT_PV);
    EXPECT_EQ(thread.list_quiescence[2].capture_count, 1) << c.piece;
    expect_board_unchanged();
  }
  position(black_takes('Q'));
  const std::int32_t stand = stand_pat();
  EXPECT_LT(quiescence_black(stand - 5000, stand - 4000, 2, NOT_PV), stand - 800);
  EXPECT_EQ(thread.list_quiescence[2].capture_count, 1);
  expect_board_unchanged();
}

TEST_F(Quiescence, TheDeepestPlyOnlyStandsPat) {
  position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");
  const std::int32_t stand = stand_pat();
  thread.PV_line.length = 9;
  EXPECT_EQ(quiescence_white(-INF, INF, MAX_PLY, ON_PV), stand);
  EXPECT_EQ(thread.PV_line.length, 9);
  expect_no_move_made();
  // One ply higher the rook is taken; the reply at the deepest ply stands pat.
  EXPECT_GT(quiescence_white(-INF, INF, MAX_PLY - 1, ON_PV), stand + 300);
  expect_board_unchanged();
}

namespace {
class AlphaBeta : public SearchNode {};
}  // namespace

TEST_F(AlphaBeta, ANodeEnteredAfterAStopReturnsZeroAndTouchesNothing) {
  position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");
  thread.search_state.stop_search = 1;
  EXPECT_EQ(alpha_beta_white(-INF, INF, 6, 1, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  EXPECT_EQ(alpha_beta_white(100, 101, 6, 2, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  EXPECT_EQ(alpha_beta_white(-INF, INF, 3, 3, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED),
            0);  // even at its horizon
  position("3qk3/8/8/8/3R4/8/8/4K3 b - - 0 1");
  thread.search_state.stop_search = 1;
  EXPECT_EQ(alpha_beta_black(-INF, INF, 6, 1, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  EXPECT_EQ(alpha_beta_black(-101, -100, 6, 2, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  expect_no_move_made();
  expect_board_unchanged();
  EXPECT_EQ(thread.search_state.nodes, 0u);
  EXPECT_EQ(thread.search_state.poll_count, 0);
  EXPECT_TRUE(table_is_empty());
}

TEST_F(AlphaBeta, CheckmateAtPlyThreeScoresNineHundredNinetySevenThousand) {
  position("7k/8/8/8/8/8/5PPP/r5K1 w - - 0 1");
  EXPECT_EQ(alpha_beta_white(-INF, INF, 5, 3, MOVE_QUIET, ON_PV, IN_CHECK, NULL_ALLOWED), -997000);
  ASSERT_EQ(thread.PV_line.length, 3);
  EXPECT_EQ(thread.PV_line.score_move, -997000);
  EXPECT_EQ(thread.PV_line.moves[2], path_move(2));
  EXPECT_EQ(alpha_beta_white(-1, 0, 5, 3, MOVE_QUIET, NOT_PV, IN_CHECK, NULL_ALLOWED), -997000);
  EXPECT_TRUE(table_is_empty());
  expect_board_unchanged();

  position("R5k1/5ppp/8/8/8/8/8/7K b - - 0 1");
  EXPECT_EQ(alpha_beta_black(-INF, INF, 5, 3, MOVE_QUIET, ON_PV, IN_CHECK, NULL_ALLOWED), 997000);
  EXPECT_EQ(thread.PV_line.length, 3);
  EXPECT_EQ(thread.PV_line.score_move, 997000);
  EXPECT_EQ(alpha_beta_black(0, 1, 5, 3, MOVE_QUIET, NOT_PV, IN_CHECK, NULL_ALLOWED), 997000);
  EXPECT_TRUE(table_is_empty());
  expect_board_unchanged();
}

TEST_F(AlphaBeta, StalemateScoresZero) {
  position("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
  thread.PV_line.length = 9;
  EXPECT_EQ(alpha_beta_black(-INF, INF, 6, 3, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  EXPECT_EQ(thread.PV_line.length, 3);
  EXPECT_EQ(thread.PV_line.score_move, 0);
  EXPECT_TRUE(table_is_empty());
  position("K7/2q5/1k6/8/8/8/8/8 w - - 0 1");
  EXPECT_EQ(alpha_beta_white(-INF, INF, 6, 1, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  EXPECT_EQ(thread.PV_line.length, 1);
  EXPECT_TRUE(table_is_empty());
  expect_board_unchanged();
}

TEST_F(AlphaBeta, ARepeatedPositionScoresZeroBeforeTheTableIsAsked) {
  position("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");               // White a queen up
  thread.key_history_search[4] = thread.bitboard.hash_key;  // ply 4 is the root again
  // A table score that a probe would return at once.
  const auto key_lo = static_cast<std::uint32_t>(thread.bitboard.hash_key);
  const auto key_hi = static_cast<std::uint32_t>(thread.bitboard.hash_key >> 32);
  Hash::save_hash_score(key_lo & hash_mask, key_hi, 5000, BOUND_CUTOFF, 50);
  EXPECT_EQ(alpha_beta_white(100, 101, 8, 4, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  EXPECT_EQ(alpha_beta_white(-INF, INF, 8, 4, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), 0);
  ASSERT_EQ(thread.PV_line.length, 4);
  EXPECT_EQ(thread.PV_line.score_move, 0);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(thread.PV_line.moves[k], path_move(static_cast<unsigned>(k)));
  expect_no_move_made();
  // Without the repetition the stored score is taken.
  thread.key_history_search[4] = 4;
  EXPECT_EQ(alpha_beta_white(100, 101, 8, 4, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), 5000);
}

TEST_F(AlphaBeta, AtItsHorizonANodeDoesNotLookForRepetitions) {
  position("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
  const std::int32_t stand = stand_pat();
  thread.key_history_search[4] = thread.bitboard.hash_key;
  ASSERT_GT(stand, 500);
  EXPECT_EQ(alpha_beta_white(-INF, INF, 4, 4, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), stand);
  EXPECT_EQ(thread.search_state.poll_count, 1);  // it went through the leaf entry
}

TEST_F(AlphaBeta, TheDeepestPlyIsALeafWhateverTheHorizon) {
  position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");
  const std::int32_t stand = stand_pat();
  EXPECT_EQ(alpha_beta_white(-INF, INF, 150, MAX_PLY, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), stand);
  EXPECT_EQ(alpha_beta_white(-INF, INF, 150, MAX_PLY, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), stand);
  expect_no_move_made();
  // The ply above searches its moves, and the replies stand pat.
  EXPECT_GT(alpha_beta_white(-INF, INF, 150, MAX_PLY - 1, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), stand + 300);
  EXPECT_GT(alpha_beta_white(stand, stand + 1, 150, MAX_PLY - 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED),
            stand);
  expect_board_unchanged();

  position("3qk3/8/8/8/3R4/8/8/4K3 b - - 0 1");
  const std::int32_t black_stand = stand_pat();
  EXPECT_EQ(alpha_beta_black(-INF, INF, 200, MAX_PLY, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED), black_stand);
  EXPECT_LT(alpha_beta_black(-INF, INF, 200, MAX_PLY - 1, MOVE_QUIET, ON_PV, NOT_IN_CHECK, NULL_ALLOWED),
            black_stand - 300);
  EXPECT_LT(
      alpha_beta_black(black_stand - 1, black_stand, 200, MAX_PLY - 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED),
      black_stand);
  expect_board_unchanged();
}

namespace {

// The entry of the table that the board's key addresses.
const HashEntry& entry_of_position() {
  return p_hash_moves[static_cast<std::uint32_t>(thread.bitboard.hash_key) & hash_mask];
}

// Puts `move` (given by its squares) into the table as the position's move, so
// that the node tries it first.
Move make_table_move(unsigned from, unsigned to) {
  MoveList list{};
  generate_all_moves(list);
  for (std::uint8_t i = 0; i < list.move_count; ++i) {
    if (from_coord(list.move[i]) != from || to_coord(list.move[i]) != to) continue;
    const auto key_lo = static_cast<std::uint32_t>(thread.bitboard.hash_key);
    Hash::save_hash_move(key_lo & hash_mask, static_cast<std::uint32_t>(thread.bitboard.hash_key >> 32), list, i, 1);
    return list.move[i];
  }
  ADD_FAILURE() << "no move " << from << "-" << to;
  return 0;
}

}  // namespace

TEST_F(AlphaBeta, ACutOffRecordsAKillerUnlessAnOrdinaryCaptureMadeIt) {
  // White can take a knight, take en passant, promote, or move the king.
  const std::string fen = "4k3/1P6/8/n2pP3/8/8/8/R3K3 w - d6 0 1";
  struct Case {
    const char* from;
    const char* to;
    bool killer;
  };
  for (const Case c :
       {Case{"a1", "a5", false}, Case{"e5", "d6", true}, Case{"b7", "b8", true}, Case{"e1", "e2", true}}) {
    position(fen);
    std::memset(thread.killer_1, 0, sizeof thread.killer_1);
    std::memset(thread.killer_2, 0, sizeof thread.killer_2);
    const Move move = make_table_move(sq(c.from), sq(c.to));
    // Any move reaches a beta this low, so the first one tried cuts off. Null
    // moves are forbidden, and four plies to go rule out razoring and futility.
    const std::int32_t s = alpha_beta_white(-INF, -INF + 1, 5, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN);
    EXPECT_GE(s, -INF + 1) << c.from << c.to;
    EXPECT_EQ(thread.killer_1[1], c.killer ? move : 0u) << c.from << c.to;
    EXPECT_EQ(thread.killer_2[1], 0u);
    const HashEntry& e = entry_of_position();
    EXPECT_EQ(e.stored_move, move) << c.from << c.to;
    EXPECT_EQ(e.score_flag, BOUND_CUTOFF) << c.from << c.to;
    EXPECT_EQ(e.stored_score, s);
    EXPECT_EQ(e.score_depth, 4);
    expect_board_unchanged();
  }
}

TEST_F(AlphaBeta, BlackCutOffsRecordKillersToo) {
  const std::string fen = "r3k3/8/8/8/3Pp3/8/1p6/4K2N b - d3 0 1";
  struct Case {
    const char* from;
    const char* to;
    bool killer;
  };
  for (const Case c :
       {Case{"a8", "a1", true}, Case{"e4", "d3", true}, Case{"b2", "b1", true}, Case{"e8", "d7", true}}) {
    position(fen);
    std::memset(thread.killer_1, 0, sizeof thread.killer_1);
    const Move move = make_table_move(sq(c.from), sq(c.to));
    const std::int32_t s = alpha_beta_black(INF - 1, INF, 6, 2, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN);
    EXPECT_LE(s, INF - 1) << c.from << c.to;
    EXPECT_EQ(thread.killer_1[2], c.killer ? move : 0u) << c.from << c.to;
    EXPECT_EQ(entry_of_position().score_flag, BOUND_CUTOFF);
    EXPECT_EQ(entry_of_position().score_depth, 4);
    expect_board_unchanged();
  }
  // An ordinary capture: the rook takes the knight.
  position("4k3/8/8/8/8/8/8/4K1Nr b - - 0 1");
  std::memset(thread.killer_1, 0, sizeof thread.killer_1);
  make_table_move(sq("h1"), sq("g1"));
  alpha_beta_black(INF - 1, INF, 6, 2, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN);
  EXPECT_EQ(thread.killer_1[2], 0u);
  EXPECT_EQ(entry_of_position().score_flag, BOUND_CUTOFF);
}

TEST_F(AlphaBeta, ANullMoveCutOffReturnsExactlyTheBoundAndCountsNothing) {
  position("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");  // White a queen up
  // Four plies to go: no razoring or futility, and too shallow to verify.
  EXPECT_EQ(alpha_beta_white(0, 1, 5, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), 1);
  EXPECT_EQ(thread.search_state.nodes, 0u);
  EXPECT_TRUE(table_is_empty());
  // Nine plies to go: verified by a search of White's own, five plies shorter,
  // whose moves are counted.
  EXPECT_EQ(alpha_beta_white(0, 1, 10, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), 1);
  EXPECT_GT(thread.search_state.nodes, 0u);
  expect_board_unchanged();
  // Without the null move the same node searches its moves and fails high by far.
  struct Case {
    int kind_last;
    NullMove null_forbidden;
    std::uint8_t null_move_on;
  };
  for (const Case c :
       {Case{MOVE_CAPTURE, NULL_ALLOWED, 1}, Case{MOVE_QUIET, NULL_FORBIDDEN, 1}, Case{MOVE_QUIET, NULL_ALLOWED, 0}}) {
    clear_hash();
    thread.search_state.null_move_on = c.null_move_on;
    thread.search_state.nodes = 0;
    EXPECT_GT(alpha_beta_white(0, 1, 5, 1, c.kind_last, NOT_PV, NOT_IN_CHECK, c.null_forbidden), 500)
        << c.kind_last << " " << int{c.null_forbidden} << " " << int{c.null_move_on};
    EXPECT_GT(thread.search_state.nodes, 0u);
  }
  thread.search_state.null_move_on = 1;

  position("3qk3/8/8/8/8/8/8/4K3 b - - 0 1");  // Black a queen up
  EXPECT_EQ(alpha_beta_black(-1, 0, 5, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), -1);
  EXPECT_EQ(alpha_beta_black(-1, 0, 8, 2, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), -1);
  clear_hash();
  EXPECT_LT(alpha_beta_black(-1, 0, 5, 1, MOVE_CAPTURE, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), -500);
  expect_board_unchanged();
}

TEST_F(AlphaBeta, NearTheHorizonRazoringHandsOverToQuiescence) {
  // Even material, far below beta: the quiescence value is the node's answer.
  position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  const std::int32_t q = quiescence_white(1000, 1001, 1, NOT_PV);
  EXPECT_EQ(alpha_beta_white(1000, 1001, 2, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), q);
  EXPECT_EQ(alpha_beta_white(1000, 1001, 4, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), q);
  EXPECT_EQ(thread.search_state.nodes, 0u);
  position("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1");
  const std::int32_t black_q = quiescence_black(-1001, -1000, 1, NOT_PV);
  EXPECT_EQ(alpha_beta_black(-1001, -1000, 3, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_ALLOWED), black_q);
  EXPECT_EQ(thread.search_state.nodes, 0u);
  EXPECT_TRUE(table_is_empty());
  // A side in check is searched move by move.
  alpha_beta_black(-1001, -1000, 3, 1, MOVE_QUIET, NOT_PV, IN_CHECK, NULL_ALLOWED);
  EXPECT_GT(thread.search_state.nodes, 0u);
  expect_board_unchanged();
}

TEST_F(AlphaBeta, NearTheHorizonAScoreFarAboveTheWindowIsTheStaticScore) {
  position("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
  EXPECT_EQ(alpha_beta_white(0, 1, 2, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN), stand_pat());
  EXPECT_EQ(alpha_beta_white(0, 1, 4, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN), stand_pat());
  position("3qk3/8/8/8/8/8/8/4K3 b - - 0 1");
  EXPECT_EQ(alpha_beta_black(-1, 0, 3, 1, MOVE_QUIET, NOT_PV, NOT_IN_CHECK, NULL_FORBIDDEN), stand_pat());
  EXPECT_EQ(thread.search_state.nodes, 0u);
  EXPECT_TRUE(table_is_empty());
}

namespace {
class RootSearch : public SearchNode {
 protected:
  std::int32_t search(std::uint8_t depth, std::string& output) {
    generate_all_moves(thread.list_root);
    thread.nodes_root = 0;
    std::int32_t score = 0;
    output = output_of(
        [&] { score = thread.bitboard.colour_move == 1 ? root_search_white(depth) : root_search_black(depth); });
    return score;
  }
};
}  // namespace

TEST_F(RootSearch, ARootWithoutLegalMovesGivesAnEmptyLineAndStoresNothing) {
  struct Case {
    const char* fen;
    std::int32_t score;
  };
  for (const Case c :
       {Case{"7k/8/8/8/8/8/5PPP/r5K1 w - - 0 1", -1000000}, Case{"R5k1/5ppp/8/8/8/8/8/7K b - - 0 1", 1000000},
        Case{"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", 0}, Case{"K7/2q5/1k6/8/8/8/8/8 w - - 0 1", 0}}) {
    position(c.fen);
    clear_hash();
    thread.PV_line.length = 5;
    thread.PV_line.score_move = 12;
    std::string output;
    EXPECT_EQ(search(3, output), c.score) << c.fen;
    EXPECT_EQ(output, "") << c.fen;
    EXPECT_EQ(thread.PV_line.length, 0) << c.fen;
    EXPECT_EQ(thread.PV_line.score_move, c.score) << c.fen;
    EXPECT_TRUE(table_is_empty()) << c.fen;
    expect_board_unchanged();
  }
}

TEST_F(RootSearch, AfterAStopItReturnsZeroAtOnce) {
  position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");
  thread.search_state.stop_search = 1;
  std::string output;
  EXPECT_EQ(search(4, output), 0);
  EXPECT_EQ(output, "");
  expect_no_move_made();
  EXPECT_TRUE(table_is_empty());
}

TEST_F(RootSearch, ReportsEveryLegalMoveOnceAndStoresItsBestMove) {
  // Pinned: the rook on e2 may only move along the e-file.
  position("4r1k1/8/8/8/8/8/4R3/4K3 w - - 0 1");
  std::string output;
  const std::int32_t best = search(1, output);
  // King: d1, f1, d2, f2 (e2 is its own rook); rook: e3 to e8. Numbered 1 to 10.
  std::vector<std::string> currmoves;
  for (std::size_t at = output.find("info currmove "); at != std::string::npos;
       at = output.find("info currmove ", at + 1))
    currmoves.push_back(output.substr(at, output.find('\n', at) - at));
  ASSERT_EQ(currmoves.size(), 10u) << output;
  for (std::size_t i = 0; i < currmoves.size(); ++i)
    EXPECT_EQ(currmoves[i].substr(18), " currmovenumber " + std::to_string(i + 1) + " depth 1");
  EXPECT_EQ(output.find("currmove e2d2"), std::string::npos);
  EXPECT_NE(output.find("currmove e2e8 "), std::string::npos);
  EXPECT_EQ(thread.nodes_root, 10u);
  // The moves that leave the king in check are marked as lost for White.
  int illegal = 0;
  for (int i = 0; i < thread.list_root.move_count; ++i) {
    const bool rook_sideways =
        from_coord(thread.list_root.move[i]) == sq("e2") && to_coord(thread.list_root.move[i]) % 8 != 4;
    if (rook_sideways) {
      EXPECT_EQ(thread.list_root.score[i], -1000000);
      ++illegal;
    }
  }
  EXPECT_EQ(illegal, 7);
  const Move capture = pack_move(MOVE_CAPTURE, ROOK, sq("e2"), sq("e8"), ROOK);
  EXPECT_EQ(thread.PV_line.moves[0], capture);
  EXPECT_EQ(thread.best_from, sq("e2"));
  EXPECT_EQ(thread.best_to, sq("e8"));
  // The root's result goes into the table with flag 3 and the iteration's depth.
  const auto& e = p_hash_moves[static_cast<std::uint32_t>(thread.bitboard.hash_key) & hash_mask];
  EXPECT_EQ(e.stored_move, capture);
  EXPECT_EQ(e.stored_score, best);
  EXPECT_EQ(e.score_flag, BOUND_NOT_RAISED);
  EXPECT_EQ(e.score_depth, 1);
  EXPECT_EQ(e.move_depth, 1);
  expect_board_unchanged();
}

TEST_F(RootSearch, BlackMarksItsIllegalMovesTheOtherWay) {
  position("4k3/4r3/8/8/8/8/8/4R1K1 b - - 0 1");
  std::string output;
  const std::int32_t best = search(2, output);
  int illegal = 0;
  for (int i = 0; i < thread.list_root.move_count; ++i) {
    if (from_coord(thread.list_root.move[i]) == sq("e7") && to_coord(thread.list_root.move[i]) % 8 != 4) {
      EXPECT_EQ(thread.list_root.score[i], 1000000);
      ++illegal;
    }
  }
  EXPECT_EQ(illegal, 7);
  EXPECT_EQ(thread.nodes_root, 10u);
  EXPECT_EQ(thread.PV_line.moves[0], pack_move(MOVE_CAPTURE, ROOK, sq("e7"), sq("e1"), ROOK));
  EXPECT_EQ(p_hash_moves[static_cast<std::uint32_t>(thread.bitboard.hash_key) & hash_mask].stored_score, best);
  EXPECT_EQ(p_hash_moves[static_cast<std::uint32_t>(thread.bitboard.hash_key) & hash_mask].score_flag,
            BOUND_NOT_RAISED);
  expect_board_unchanged();
}

namespace {
class Driver : public SearchNode {};
}  // namespace

TEST_F(Driver, DepthZeroNamesNoMoveWhateverTheLastSearchLeft) {
  position("4k3/8/8/3r4/8/8/8/3QK3 w - - 0 1");
  thread.PV_line.moves[0] = pack_move(MOVE_CAPTURE, QUEEN, sq("d1"), sq("d5"), ROOK);
  thread.PV_line.length = 1;
  const std::uint8_t depth_limit = 0;
  const double budget = -1.0;
  EXPECT_EQ(output_of([&] { iterative_deepening(depth_limit, budget); }), "bestmove 0000\n");
  expect_no_move_made();
  expect_board_unchanged();
}

TEST_F(Driver, EveryGoStartsFromAFreshState) {
  position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  // Leftovers of an earlier search.
  thread.search_state.stop_search = 1;
  thread.search_state.poll_count = 40000;
  for (int p = 0; p <= MAX_PLY; ++p) thread.key_history_search[p] = 0xABCDu;
  thread.bitboard.value_white_material = 1;
  thread.bitboard.value_black_material = 2;
  const std::uint64_t right_key = thread.bitboard.hash_key;
  thread.bitboard.hash_key = 99;
  thread.list_root.move_count = 3;
  const std::uint8_t depth_limit = 0;
  const double budget = 0.25;
  EXPECT_EQ(output_of([&] { iterative_deepening(depth_limit, budget); }), "bestmove 0000\n");
  EXPECT_EQ(thread.search_state.stop_search, 0);
  EXPECT_EQ(thread.search_state.poll_count, 0);
  EXPECT_DOUBLE_EQ(search_control.time_limit, 5.0);
  EXPECT_EQ(thread.bitboard.hash_key, right_key);
  EXPECT_EQ(thread.key_history_search[0], right_key);
  for (int p = 1; p <= MAX_PLY; ++p) EXPECT_EQ(thread.key_history_search[p], static_cast<std::uint64_t>(p)) << p;
  EXPECT_EQ(thread.bitboard.value_white_material, count_white_material());
  EXPECT_EQ(thread.bitboard.value_black_material, count_black_material());
  EXPECT_EQ(thread.list_root.move_count, 20);
}

TEST_F(Driver, KillersAreClearedBeforeEveryIteration) {
  position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  for (int p = 0; p <= MAX_PLY; ++p) thread.killer_1[p] = thread.killer_2[p] = path_move(5);
  const std::uint8_t depth_limit = 1;
  const double budget = -1.0;
  output_of([&] { iterative_deepening(depth_limit, budget); });
  // One ply deep, no node below the root searches moves, so nothing refills them.
  for (int p = 0; p <= MAX_PLY; ++p) {
    EXPECT_EQ(thread.killer_1[p], 0u) << p;
    EXPECT_EQ(thread.killer_2[p], 0u) << p;
  }
  EXPECT_LT(search_control.time_limit, 0.0);
}

TEST_F(Driver, TheIterationCheckNamesWhatChanged) {
  position("4k3/8/8/8/8/8/8/3QK3 w - - 0 1");
  const std::int32_t balance = 1200;
  const std::uint64_t key = thread.bitboard.hash_key;
  EXPECT_EQ(output_of([&] { Test_Deepening(balance, key); }), "");
  EXPECT_EQ(output_of([&] { Test_Deepening(balance + 1, key); }),
            "ERROR test_eval != bitboard->eval(in Iterative_Deepening)\n");
  EXPECT_EQ(output_of([&] { Test_Deepening(balance, key ^ 1); }),
            "\nERROR HESH Test_Deepening(in Iterative_Deepening) \n");
  EXPECT_EQ(output_of([&] { Test_Deepening(0, 0); }),
            "ERROR test_eval != bitboard->eval(in Iterative_Deepening)\n"
            "\nERROR HESH Test_Deepening(in Iterative_Deepening) \n");
}

TEST_F(Driver, AMateInOneEndsTheSearchAfterTheFirstIteration) {
  position("6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1");
  const std::uint8_t depth_limit = 9;
  const double budget = -1.0;
  const std::string output = output_of([&] { iterative_deepening(depth_limit, budget); });
  EXPECT_NE(output.find(" depth 1 seldepth 1 score mate 1 nodes 17 pv a1a8 \nbestmove a1a8\n"), std::string::npos)
      << output;
  EXPECT_EQ(output.find("depth 2"), std::string::npos) << output;
  EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
  EXPECT_EQ(output.find("white test_"), std::string::npos) << output;
  expect_board_unchanged();
}
