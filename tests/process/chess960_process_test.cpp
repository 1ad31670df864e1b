// Castling by the Chess960 rules through the engine's own interface: which
// castlings `go perft` lists and how it writes them, and that a castling read
// back from its text leaves the position it should.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "process/engine_process.h"

using namespace engine_test;

namespace {

struct CastlingCase {
  const char* what;
  const char* fen;
  bool chess960;  // the UCI_Chess960 option
  std::vector<const char*> listed, not_listed;
  const char* played;  // a move text, read back; "" for none
  const char* after;   // the position it leaves, or "" when the text is refused
};

const std::vector<CastlingCase> cases = {
    {"king side, king off the e-file",
     "4k3/8/8/8/8/8/8/5K1R w H - 0 1",
     true,
     {"f1h1"},
     {},
     "f1h1",
     "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"queen side", "4k3/8/8/8/8/8/8/RK6 w A - 0 1", true, {"b1a1"}, {}, "b1a1", "4k3/8/8/8/8/8/8/2KR4 b - - 1 1"},
    {"king and rook swap, king side",
     "4k3/8/8/8/8/8/8/5KR1 w G - 0 1",
     true,
     {"f1g1"},
     {},
     "f1g1",
     "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"king and rook swap, queen side",
     "4k3/8/8/8/8/8/8/2RK4 w C - 0 1",
     true,
     {"d1c1"},
     {},
     "d1c1",
     "4k3/8/8/8/8/8/8/2KR4 b - - 1 1"},
    {"king stays put", "4k3/8/8/8/8/8/8/6KR w K - 0 1", true, {"g1h1"}, {}, "g1h1", "4k3/8/8/8/8/8/8/5RK1 b - - 1 1"},
    {"rook beside the king, X-FEN letter for an inner rook",
     "4k3/8/8/8/8/8/8/RR1K4 w B - 0 1",
     true,
     {"d1b1"},
     {"d1a1"},
     "d1b1",
     "4k3/8/8/8/8/8/8/R1KR4 b - - 1 1"},
    {"a king step with the castling's squares",
     "4k3/8/8/8/8/8/8/5K1R w H - 0 1",
     true,
     {"f1g1", "f1h1"},
     {},
     "f1g1",
     "4k3/8/8/8/8/8/8/6KR b - - 1 1"},
    {"the rook hides an attack on c1", "4k3/8/8/8/8/8/8/rR1K4 w B - 0 1", true, {}, {"d1b1"}, "d1b1", ""},
    {"through an attacked square", "k3r3/8/8/8/8/8/8/1K5R w H - 0 1", true, {}, {"b1h1"}, "b1h1", ""},
    {"onto an attacked square", "k5r1/8/8/8/8/8/8/1K5R w H - 0 1", true, {}, {"b1h1"}, "b1h1", ""},
    {"a piece in the rook's path", "4k3/8/8/8/8/8/8/1KB4R w H - 0 1", true, {}, {"b1h1"}, "b1h1", ""},
    {"black, one right of two used",
     "rk5r/8/8/8/8/8/8/4K3 b ha - 0 1",
     true,
     {"b8a8", "b8h8"},
     {},
     "b8a8",
     "2kr3r/8/8/8/8/8/8/4K3 w h - 1 2"},
    {"standard text with the option off",
     "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
     false,
     {"e1g1", "e1c1"},
     {"e1h1", "e1a1"},
     "e1g1",
     "r3k2r/8/8/8/8/8/8/R4RK1 b kq - 1 1"},
    {"standard castling taken as king takes rook",
     "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
     true,
     {"e1h1", "e1a1"},
     {"e1g1", "e1c1"},
     "e1a1",
     "r3k2r/8/8/8/8/8/8/2KR3R b kq - 1 1"},
    {"option on: the king's destination is no castling text",
     "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
     true,
     {},
     {},
     "e1g1",
     ""},
    {"option off: king takes rook is no standard castling text",
     "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
     false,
     {},
     {},
     "e1h1",
     ""},
    {"Shredder-FEN letters",
     "1rk3r1/pppppppp/8/8/8/8/PPPPPPPP/1RK3R1 w GBgb - 0 1",
     true,
     {"c1b1", "c1g1"},
     {},
     "c1b1",
     "1rk3r1/pppppppp/8/8/8/8/PPPPPPPP/2KR2R1 b gb - 1 1"},
    {"X-FEN letters for the same rooks",
     "1rk3r1/pppppppp/8/8/8/8/PPPPPPPP/1RK3R1 w KQkq - 0 1",
     true,
     {"c1b1", "c1g1"},
     {},
     "c1g1",
     "1rk3r1/pppppppp/8/8/8/8/PPPPPPPP/1R3RK1 b gb - 1 1"},
    {"option off: a right with the rook off its corner is dropped",
     "k7/8/8/8/8/8/8/1R2K3 w Q - 0 1",
     false,
     {"e1d1"},
     {"e1b1", "e1c1"},
     "e1c1",
     ""},
    {"option off: a right with the king off the e-file is dropped",
     "4k3/8/8/8/8/8/8/5K1R w H - 0 1",
     false,
     {"f1g1"},
     {"f1h1"},
     "f1h1",
     ""},
};

// The lines of each `go perft` answer, one block per answer.
std::vector<std::string> perft_blocks(const std::string& output) {
  std::vector<std::string> blocks(1);
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("Nodes searched")) {
      blocks.back() += line;
      blocks.emplace_back();
    } else if (line.find(": ") != std::string::npos) {
      blocks.back() += line + '\n';
    }
  }
  return blocks;
}

class Chess960Castling : public ::testing::TestWithParam<CastlingCase> {};

TEST_P(Chess960Castling, ListsWritesAndReadsCastling) {
  const CastlingCase& c = GetParam();
  const std::string option = std::string("setoption name UCI_Chess960 value ") + (c.chess960 ? "true" : "false");
  std::string input = "uci\n" + option + "\nposition fen " + c.fen + "\ngo perft 1\n";
  input += std::string("position fen ") + c.fen + " moves " + c.played + "\ngo perft 2\n";
  if (*c.after) input += std::string("position fen ") + c.after + "\ngo perft 2\n";
  const EngineRun run = run_engine(input + "quit\n");
  const std::vector<std::string> blocks = perft_blocks(run.output);
  ASSERT_GE(blocks.size(), *c.after ? 3u : 2u) << run.output;
  for (const char* text : c.listed)
    EXPECT_NE(blocks[0].find(std::string(text) + ": "), std::string::npos) << c.what << ": " << text;
  for (const char* text : c.not_listed)
    EXPECT_EQ(blocks[0].find(std::string(text) + ": "), std::string::npos) << c.what << ": " << text;
  const bool refused = run.output.find("WARNING ! moves error") != std::string::npos;
  EXPECT_EQ(refused, !*c.after) << c.what;
  // Every move two plies deep the same, counts included: the same position.
  if (*c.after) {
    EXPECT_EQ(blocks[1], blocks[2]) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Chess960Castling, ::testing::ValuesIn(cases));

TEST(Chess960Option, FollowsClearHashInTheUciAnswerAndChangesNoStandardText) {
  const EngineRun run = run_engine(
      "uci\nsetoption name UCI_Chess960 value true\nsetoption name UCI_Chess960 value false\n"
      "position startpos moves e2e4 e7e5 g1f3 b8c6 f1c4 g8f6\ngo perft 1\nquit\n");
  EXPECT_NE(run.output.find("option name Clear Hash type button\noption name UCI_Chess960 type check default "
                            "false\noption name Skill Level"),
            std::string::npos);
  EXPECT_NE(run.output.find("e1g1: 1"), std::string::npos);
}

TEST(Chess960Keys, WhichRookMayCastleIsInTheKey) {
  // The same pieces; the right names the a-file rook in one, the b-file rook in the other.
  const EngineRun a = run_tool({"key", "--chess960", "4k3/8/8/8/8/8/8/RR1K4 w A - 0 1"});
  const EngineRun b = run_tool({"key", "--chess960", "4k3/8/8/8/8/8/8/RR1K4 w B - 0 1"});
  EXPECT_EQ(a.status, 0);
  EXPECT_NE(a.output, b.output);
}

}  // namespace
