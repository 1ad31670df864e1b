// The search tree is fixed: every bench position searched to depth 5 must print
// the info and bestmove lines recorded in bench_depth5.transcript, the nps
// figures aside. tools/record_transcript.sh writes that file from any engine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "process/engine_process.h"
#include "uci/bench_positions.h"

using namespace engine_test;

namespace {

constexpr std::chrono::milliseconds TRANSCRIPT_TIMEOUT{240000};

// The lines the transcript keeps, in the form it keeps them.
std::vector<std::string> info_and_bestmove(std::istream& in) {
  static const std::regex nps(" nps -?[0-9]+");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (line.starts_with("info") || line.starts_with("bestmove"))
      lines.push_back(std::regex_replace(line, nps, " nps *"));
  return lines;
}

std::vector<std::string> recorded() {
  std::ifstream file(std::filesystem::path(__FILE__).parent_path() / "bench_depth5.transcript");
  return info_and_bestmove(file);
}

}  // namespace

TEST(SameTree, EveryBenchPositionPrintsTheRecordedLinesAtDepthFive) {
  std::string input = "uci\n";
  for (const char* fen : bench_positions) input += std::string("ucinewgame\nposition fen ") + fen + "\ngo depth 5\n";
  const EngineRun run = run_engine(input, TRANSCRIPT_TIMEOUT);
  ASSERT_EQ(run.status, 0);

  std::istringstream out(run.output);
  const std::vector<std::string> actual = info_and_bestmove(out);
  const std::vector<std::string> expected = recorded();
  ASSERT_GT(expected.size(), 1000u) << "transcript missing or short";
  for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i)
    ASSERT_EQ(actual[i], expected[i]) << "first difference at line " << i + 1;
  EXPECT_EQ(actual.size(), expected.size());
}
