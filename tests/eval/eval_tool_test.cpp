// `nerul-tool eval`: its last line holds evaluate() and the static score.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string run(const std::string& arguments) {
  const std::string command = std::string(NERUL_TOOL_BINARY) + " eval " + arguments;
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  pclose(pipe);
  return output;
}

std::string last_line(const std::string& output) {
  std::string text = output;
  while (!text.empty() && text.back() == '\n') text.pop_back();
  const std::size_t start = text.rfind('\n');
  return start == std::string::npos ? text : text.substr(start + 1);
}

TEST(EvalTool, LastLineHoldsEvaluateAndStaticScore) {
  EXPECT_EQ(last_line(run("\"4k3/8/8/8/4P3/8/8/4K3 w - - 0 1\"")), "75 175");
  EXPECT_EQ(last_line(run("\"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"")), "0 0");
  EXPECT_EQ(last_line(run("\"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1\"")), "57 157");
  EXPECT_EQ(last_line(run("\"2k5/ppp5/8/3p4/8/8/5PPP/R2Q2K1 w - - 0 1\"")), "-80 1620");
}

TEST(EvalTool, BreakdownAddsUp) {
  const std::string output = run("\"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1\"");
  EXPECT_NE(output.find("kings     -20\n"), std::string::npos) << output;
  EXPECT_NE(output.find("pawns     1\n"), std::string::npos) << output;
  EXPECT_NE(output.find("pieces    8\n"), std::string::npos) << output;
  EXPECT_EQ(last_line(output), "-11 -11");
}

TEST(EvalTool, Bench) {
  const std::string output = run("--bench 1000");
  EXPECT_NE(output.find("evals/s"), std::string::npos) << output;
}

}  // namespace
