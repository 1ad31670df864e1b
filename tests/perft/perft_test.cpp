// Leaf counts of the legal move tree against the published figures, and the same
// walk with every board invariant checked at every node.
#include "movegen/perft.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "eval/material.h"
#include "support/test_support.h"
#include "tools/perft_verify.h"
#include "uci/options.h"
#include "uci/position.h"

namespace {

struct PerftCase {
  const char* fen;
  std::vector<std::uint64_t> counts;  // depth 1, 2, ...
  int verify_depth;
};

// The community's standard set, plus positions that catch en-passant, castling
// and promotion faults. The deepest counts are run by hand, not here.
const std::vector<PerftCase> cases = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281, 4865609}, 4},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {48, 2039, 97862, 4085603}, 4},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624}, 5},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", {6, 264, 9467, 422333}, 4},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379, 2103487}, 4},
    {"3k4/3p4/8/K1P4r/8/8/8/8 b - - 0 1", {18, 92, 1670, 10138, 185429, 1134888}, 5},
    {"8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 1", {13, 102, 1266, 10276, 135655, 1015133}, 5},
    {"8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1", {15, 126, 1928, 13931, 206379, 1440467}, 5},
    {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", {15, 66, 1198, 6399, 120330, 661072}, 5},
    {"3k4/8/8/8/8/8/8/R3K3 w Q - 0 1", {16, 71, 1286, 7418, 141077, 803711}, 5},
    {"8/P1k5/K7/8/8/8/8/8 w - - 0 1", {6, 27, 273, 1329, 18135, 92683}, 6},
    {"K1k5/8/P7/8/8/8/8/8 w - - 0 1", {2, 6, 13, 63, 382, 2217}, 6},
    {"r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq - 0 1", {26, 1141, 27826, 1274206}, 4},
};

class PerftCount : public ::testing::TestWithParam<PerftCase> {};

// What a divide hands on, added up.
std::uint64_t handed_on = 0;
void add_leaves(Move, std::uint64_t leaves) { handed_on += leaves; }
bool never_interrupted() { return false; }

// A divide of the position set up: its counts add up to its total, which is the
// perft count of the same position once the divide has left it (each root move's
// undo record must outlive the count below that move).
void expect_divide_adds_up(int depth, const std::string& fen) {
  handed_on = 0;
  const std::uint64_t total = perft_divide(depth, add_leaves, never_interrupted);
  EXPECT_EQ(handed_on, total) << fen << " depth " << depth;
  EXPECT_EQ(total, perft(depth)) << fen << " depth " << depth;
}

TEST_P(PerftCount, MatchesPublishedCounts) {
  const PerftCase& c = GetParam();
  for (std::size_t d = 0; d < c.counts.size(); ++d) {
    set_position(c.fen);
    EXPECT_EQ(perft(static_cast<int>(d + 1)), c.counts[d]) << c.fen << " depth " << d + 1;
  }
}

TEST_P(PerftCount, EveryNodeKeepsKeyBoardAndMaterialExact) {
  const PerftCase& c = GetParam();
  set_position(c.fen);
  thread.bitboard.value_white_material = count_white_material();
  thread.bitboard.value_black_material = count_black_material();
  std::uint64_t leaves = 0;
  std::string failure;
  ASSERT_TRUE(perft_verify(c.verify_depth, leaves, failure)) << c.fen << ": " << failure;
  EXPECT_EQ(leaves, c.counts[static_cast<std::size_t>(c.verify_depth) - 1]);
}

TEST_P(PerftCount, DivideAddsUpToPerftToDepth3) {
  const PerftCase& c = GetParam();
  for (int depth = 1; depth <= 3; ++depth) {
    set_position(c.fen);
    expect_divide_adds_up(depth, c.fen);
    EXPECT_EQ(handed_on, c.counts[static_cast<std::size_t>(depth) - 1]) << c.fen << " depth " << depth;
  }
}

TEST(PerftDivide, DepthZeroCountsThePositionAndHandsOnNoMove) {
  set_position("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  handed_on = 0;
  EXPECT_EQ(perft_divide(0, add_leaves, never_interrupted), 1u);
  EXPECT_EQ(handed_on, 0u);
}

INSTANTIATE_TEST_SUITE_P(StandardPositions, PerftCount, ::testing::ValuesIn(cases));

// Chess960: the shared positions, castling rights by the rooks' files, with
// counts from another engine. Depth 4 with every check at every node here;
// depth 5 in the slow label.
struct Chess960Case {
  std::string fen;
  std::vector<std::uint64_t> counts;
};

std::vector<Chess960Case> read_chess960_cases() {
  std::vector<Chess960Case> cases;
  std::ifstream in(NERUL_PERFT_DIR "/chess960_perft.epd");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    Chess960Case c{line.substr(0, line.find(" ;")), {}};
    std::istringstream fields(line.substr(line.find(" ;")));
    for (std::string depth, count; fields >> depth >> count;) c.counts.push_back(std::stoull(count));
    cases.push_back(c);
  }
  return cases;
}

void set_chess960_position(const std::string& fen) {
  set_position("8/8/8/8/8/8/8/8 w - - 0 1");  // draws the keys
  set_up_position("position fen " + fen, true);
  thread.bitboard.value_white_material = count_white_material();
  thread.bitboard.value_black_material = count_black_material();
}

class Chess960Perft : public ::testing::TestWithParam<Chess960Case> {};

TEST(Chess960Perft, AllFiftyPositionsAreRead) { EXPECT_EQ(read_chess960_cases().size(), 50u); }

TEST_P(Chess960Perft, EveryNodeKeepsKeyBoardAndMaterialExactToDepth4) {
  const Chess960Case& c = GetParam();
  ASSERT_GE(c.counts.size(), 4u);
  for (int depth = 1; depth <= 4; ++depth) {
    set_chess960_position(c.fen);
    std::uint64_t leaves = 0;
    std::string failure;
    ASSERT_TRUE(perft_verify(depth, leaves, failure)) << c.fen << ": " << failure;
    EXPECT_EQ(leaves, c.counts[static_cast<std::size_t>(depth) - 1]) << c.fen << " depth " << depth;
  }
}

TEST_P(Chess960Perft, DivideAddsUpToPerftToDepth3) {
  const Chess960Case& c = GetParam();
  engine_options.chess960 = true;
  for (int depth = 1; depth <= 3; ++depth) {
    set_chess960_position(c.fen);
    expect_divide_adds_up(depth, c.fen);
  }
  engine_options.chess960 = false;
}

INSTANTIATE_TEST_SUITE_P(Shared, Chess960Perft, ::testing::ValuesIn(read_chess960_cases()));

class Chess960PerftSlow : public ::testing::TestWithParam<Chess960Case> {};

TEST_P(Chess960PerftSlow, MatchesToDepth5) {
  const Chess960Case& c = GetParam();
  ASSERT_GE(c.counts.size(), 5u);
  set_chess960_position(c.fen);
  EXPECT_EQ(perft(5), c.counts[4]) << c.fen;
}

INSTANTIATE_TEST_SUITE_P(Shared, Chess960PerftSlow, ::testing::ValuesIn(read_chess960_cases()));

}  // namespace
