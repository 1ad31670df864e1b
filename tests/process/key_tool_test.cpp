// `nerul-tool key`: the key the engine gives a position after its first `uci`;
// and `nerul-tool divide`, the leaves below each root move.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "process/engine_process.h"

using namespace engine_test;

namespace {

const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// The last line the tool prints, which must be 16 lower-case hex digits.
std::string key_of(const std::string& fen) {
  const EngineRun run = run_tool({"key", fen});
  EXPECT_EQ(run.status, 0) << fen;
  std::string output = run.output;
  if (!output.empty() && output.back() == '\n') output.pop_back();
  const std::string last = output.substr(output.rfind('\n') == std::string::npos ? 0 : output.rfind('\n') + 1);
  EXPECT_EQ(last.size(), 16u) << fen << " gives " << run.output;
  EXPECT_EQ(last.find_first_not_of("0123456789abcdef"), std::string::npos) << fen << " gives " << run.output;
  return last;
}

}  // namespace

TEST(KeyTool, FixedKeysAndTheFirstDrawnKey) {
  // Positions whose keys are made of the fixed keys alone, or of one piece key.
  EXPECT_EQ(key_of("8/8/8/8/8/8/8/8 b - - 0 1"), "0000000000000000");
  EXPECT_EQ(key_of("8/8/8/8/8/8/8/8 w - - 0 1"), "7c0228dd624ec390");
  EXPECT_EQ(key_of("8/8/8/8/8/8/8/8 b K - 0 1"), "b3598055ce64a656");
  EXPECT_EQ(key_of("8/8/8/8/8/8/8/8 b Qkq - 0 1"), "de96442bbec23826");  // Q ^ k ^ q
  // The en-passant key carries file XOR rank of the target square: e3 is 4 ^ 2.
  EXPECT_EQ(key_of("8/8/8/8/8/8/8/8 b - e3 0 1"), "6be8c34538f83f17");
  // The first key drawn belongs to a Black pawn on a1.
  EXPECT_EQ(key_of("8/8/8/8/8/8/8/p7 b - - 0 1"), "6c118c5f33c24ae1");
}

TEST(KeyTool, MovesReachTheKeyOfTheSamePositionByFen) {
  EXPECT_EQ(key_of(START + " moves e2e4 e7e5 g1f3"),
            key_of("rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq - 1 2"));
  // A double step leaves its en-passant square in the key.
  EXPECT_EQ(key_of(START + " moves e2e4"), key_of("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
  EXPECT_NE(key_of(START + " moves e2e4"), key_of("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1"));
  // King moves lose both rights of their side.
  EXPECT_EQ(key_of(START + " moves e2e4 e7e5 e1e2 e8e7"),
            key_of("rnbq1bnr/ppppkppp/8/4p3/4P3/8/PPPPKPPP/RNBQ1BNR w - - 2 3"));
  // Castling, a capture and en passant.
  EXPECT_EQ(key_of(START + " moves e2e4 d7d5 e4d5 c7c5 d5c6 g8f6 g1f3 e7e6 f1e2 f8e7 e1g1"),
            key_of("rnbqk2r/pp2bppp/2P1pn2/8/8/5N2/PPPPBPPP/RNBQ1RK1 b kq - 1 6"));
}

TEST(KeyTool, TranspositionsShareTheirKey) {
  EXPECT_EQ(key_of(START + " moves g1f3 g8f6 b1c3 b8c6"), key_of(START + " moves b1c3 b8c6 g1f3 g8f6"));
  EXPECT_EQ(key_of(START + " moves g1f3 g8f6 f3g1 f6g8"), key_of(START));
  EXPECT_NE(key_of(START + " moves g1f3 g8f6 f3g1"), key_of(START));
}

TEST(DivideTool, TheRootMovesCountsAddUpToThePerftCount) {
  struct Case {
    std::vector<std::string> arguments;
    std::uint64_t total;
    std::size_t root_moves;
  };
  const Case cases[] = {
      {{"divide", "3", START}, 8902, 20},
      {{"divide", "3", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1"}, 97862, 48},
      {{"divide", "--chess960", "3", "1r1qn1kr/ppp1p2p/8/8/8/8/1PPP1P1P/1R2NBKR b HBhb - 0 1"}, 17731, 26},
  };
  for (const Case& c : cases) {
    const EngineRun run = run_tool(c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments.back();
    std::istringstream lines(run.output);
    std::uint64_t sum = 0, last = 0;
    std::size_t moves = 0;
    for (std::string line; std::getline(lines, line);) {
      const std::size_t colon = line.find(": ");
      if (colon == std::string::npos) {
        last = std::stoull(line);
        continue;
      }
      sum += std::stoull(line.substr(colon + 2));
      ++moves;
    }
    EXPECT_EQ(moves, c.root_moves) << c.arguments.back();
    EXPECT_EQ(sum, c.total) << c.arguments.back();
    EXPECT_EQ(last, c.total) << c.arguments.back();
  }
}
