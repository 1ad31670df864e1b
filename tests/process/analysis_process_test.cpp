// Pondering, several lines and threads, driven over pipes as an interface does.
#include <gtest/gtest.h>
#include <sched.h>

#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "process/engine_process.h"
#include "support/engine_texts.h"

using namespace engine_test;

namespace {

constexpr milliseconds QUIET{300};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string word_after(const std::string& line, const std::string& key) {
  std::istringstream in(line);
  for (std::string w; in >> w;)
    if (w == key && in >> w) return w;
  return "";
}

// The legal moves after `moves` from the start, as the engine's own `go perft 1` lists them.
std::set<std::string> legal_after(const std::string& moves) {
  const EngineRun run = run_engine("position startpos moves " + moves + "\ngo perft 1\n");
  std::set<std::string> legal;
  for (const std::string& line : lines_of(run.output))
    if (line.size() > 4 && line.find(": 1") != std::string::npos) legal.insert(line.substr(0, line.find(':')));
  return legal;
}

void start(EngineProcess& engine, const std::vector<std::string>& lines) {
  ASSERT_TRUE(engine.send("uci"));
  ASSERT_TRUE(engine.read_until("uciok").has_value());
  for (const std::string& line : lines) ASSERT_TRUE(engine.send(line));
}

// An engine started while it lives keeps to one core, as on a small test
// machine: a helper then often runs a whole time slice before the main thread
// goes on.
class OneCore {
 public:
  OneCore() {
    saved_ = sched_getaffinity(0, sizeof before_, &before_) == 0;
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
      if (saved_ && CPU_ISSET(cpu, &before_)) {
        CPU_SET(cpu, &one);
        break;
      }
    if (saved_) sched_setaffinity(0, sizeof one, &one);
  }
  ~OneCore() {
    if (saved_) sched_setaffinity(0, sizeof before_, &before_);
  }
  OneCore(const OneCore&) = delete;
  OneCore& operator=(const OneCore&) = delete;

 private:
  cpu_set_t before_{};
  bool saved_ = false;
};

}  // namespace

// A ponder search never answers before `ponderhit` or `stop`, whatever ended it,
// still answers `isready`, and then names a move and a reply that are legal.
TEST(Ponder, AnswersOnlyAfterPonderhitOrStop) {
  struct Case {
    const char* go;
    const char* then;
  };
  for (const Case& c :
       {Case{"go ponder wtime 10000 btime 10000", "ponderhit"}, Case{"go ponder wtime 10000 btime 10000", "stop"},
        Case{"go ponder depth 2", "ponderhit"}, Case{"go ponder depth 2", "stop"}, Case{"go ponder", "ponderhit"},
        Case{"go ponder nodes 3000", "ponderhit"}}) {
    SCOPED_TRACE(std::string(c.go) + " / " + c.then);
    EngineProcess engine;
    start(engine, {"setoption name Ponder value true", "position startpos moves e2e4", c.go, "isready"});
    std::vector<std::string> before;
    ASSERT_TRUE(engine.read_until("readyok", DEFAULT_TIMEOUT, &before).has_value());
    for (const std::string& line : before) EXPECT_NE(line.rfind("bestmove", 0), 0u) << line;
    EXPECT_EQ(engine.read_for(QUIET).find("bestmove"), std::string::npos);
    ASSERT_TRUE(engine.send(c.then));
    const auto answer = engine.read_until("bestmove");
    ASSERT_TRUE(answer.has_value());
    const std::string move = word_after(*answer, "bestmove"), reply = word_after(*answer, "ponder");
    EXPECT_TRUE(legal_after("e2e4").count(move)) << *answer;
    ASSERT_FALSE(reply.empty()) << *answer;
    EXPECT_TRUE(legal_after("e2e4 " + move).count(reply)) << *answer;
  }
}

// A refused position has no move to name, yet its ponder search waits all the same.
TEST(Ponder, ARefusedPositionIsAnsweredOnlyAfterPonderhitOrStop) {
  for (const char* then : {"ponderhit", "stop"}) {
    SCOPED_TRACE(then);
    EngineProcess engine;
    start(engine,
          {"setoption name Ponder value true", "position fen 8/8/8/8/8/8/8/8 w - - 0 1", "go ponder", "isready"});
    std::vector<std::string> before;
    ASSERT_TRUE(engine.read_until("readyok", DEFAULT_TIMEOUT, &before).has_value());
    EXPECT_EQ(before, std::vector<std::string>{"WARNING ! fen error"});
    EXPECT_EQ(engine.read_for(QUIET).find("bestmove"), std::string::npos);
    ASSERT_TRUE(engine.send(then));
    EXPECT_EQ(engine.read_until("bestmove"), "bestmove 0000");
    engine.close_input();
    EXPECT_EQ(engine.wait_exit(), 0);
  }
}

TEST(Ponder, WithoutTheOptionOrASearchNothingChanges) {
  // No reply is named with the option off, and a stray `ponderhit` is ignored.
  const EngineRun run = run_engine("uci\nponderhit\nposition startpos\ngo depth 3\nponderhit\nisready\n");
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> lines = lines_of(run.output);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3].rfind("bestmove ", 0), 0u);
  EXPECT_EQ(lines[lines.size() - 3].find("ponder"), std::string::npos);
  EXPECT_EQ(lines[lines.size() - 2], "readyok ");
}

// Several lines: per depth, lines 1 to k (fewer with fewer legal moves), distinct
// first moves, scores in order for the side to move, bestmove from line 1.
TEST(MultiPv, ReportsTheBestLinesInOrder) {
  struct Case {
    const char* fen;
    int lines;
    int expected;
  };
  const std::regex line_re(
      "info  nps -?[0-9]+ depth ([0-9]+) multipv ([0-9]+) seldepth [0-9]+ score cp (-?[0-9]+) .* pv (\\S+).*");
  for (const Case& c : {Case{"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 3, 3},
                        Case{"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1", 5, 5},
                        Case{"7k/8/8/8/8/8/8/K7 w - - 0 1", 5, 3}}) {
    SCOPED_TRACE(c.fen);
    const EngineRun run = run_engine("uci\nsetoption name MultiPV value " + std::to_string(c.lines) +
                                     "\nposition fen " + c.fen + "\ngo depth 6\n");
    struct Line {
      int rank, score;
      std::string first;
    };
    std::vector<Line> at_depth[7];
    for (const std::string& line : lines_of(run.output)) {
      std::smatch m;
      if (std::regex_match(line, m, line_re))
        at_depth[std::stoi(m[1])].push_back({std::stoi(m[2]), std::stoi(m[3]), m[4]});
      if (line.rfind("bestmove ", 0) == 0) {
        ASSERT_FALSE(at_depth[6].empty());
        EXPECT_EQ(word_after(line, "bestmove"), at_depth[6][0].first);
      }
    }
    for (int d = 1; d <= 6; ++d) {
      ASSERT_EQ(static_cast<int>(at_depth[d].size()), c.expected) << "depth " << d;
      std::set<std::string> firsts;
      for (int i = 0; i < c.expected; ++i) {
        const Line& l = at_depth[d][i];
        EXPECT_EQ(l.rank, i + 1);
        firsts.insert(l.first);
        EXPECT_TRUE(i == 0 || l.score <= at_depth[d][i - 1].score) << "depth " << d;
      }
      EXPECT_EQ(static_cast<int>(firsts.size()), c.expected) << "depth " << d;
    }
  }
}

TEST(MultiPv, TheFirstLineIsTheSingleLineAnswerWhereOneMoveWins) {
  const std::string fen = "position fen 4k3/8/8/3q4/8/8/8/3RK3 w - - 0 1\n";
  const EngineRun one = run_engine("uci\n" + fen + "go depth 5\n");
  const EngineRun three = run_engine("uci\nsetoption name MultiPV value 3\n" + fen + "go depth 5\n");
  EXPECT_EQ(lines_of(one.output).back(), "bestmove d1d5");
  EXPECT_EQ(lines_of(three.output).back(), "bestmove d1d5");
}

TEST(MultiPv, AStopLeavesOnlyFinishedLines) {
  EngineProcess engine;
  start(engine, {"setoption name MultiPV value 4", "position startpos", "go infinite"});
  engine.read_for(milliseconds(500));
  ASSERT_TRUE(engine.send("stop"));
  std::vector<std::string> lines;
  const auto answer = engine.read_until("bestmove", DEFAULT_TIMEOUT, &lines);
  ASSERT_TRUE(answer.has_value());
  // The last report: its lines numbered from 1 without a gap, ending right before bestmove.
  int count = 0;
  for (auto it = lines.rbegin(); it != lines.rend() && it->find(" multipv ") != std::string::npos; ++it) ++count;
  ASSERT_GE(count, 1);
  for (int i = 0; i < count; ++i)
    EXPECT_EQ(word_after(lines[lines.size() - count + i], "multipv"), std::to_string(i + 1));
}

// One thread is the engine of the rules, line for line, the `nps` figures aside.
TEST(Threads, OneThreadChangesNoLine) {
  const std::regex nps(" nps [0-9]+");
  const std::string search = "position startpos moves e2e4 e7e5\ngo depth 6\n";
  const EngineRun plain = run_engine("uci\n" + search);
  const EngineRun one = run_engine("uci\nsetoption name Threads value 2\nsetoption name Threads value 1\n" + search);
  EXPECT_EQ(std::regex_replace(one.output, nps, ""), std::regex_replace(plain.output, nps, ""));
}

// Two threads, sharing one core, answer a legal move under every limit,
// pondering among them, and obey `stop` and `ponderhit`; `quit` and the end of
// input mid-search end the program with helpers running.
TEST(Threads, TwoThreadsAnswerUnderEveryLimit) {
  const std::set<std::string> start_moves = legal_after("");
  for (const char* go : {"go depth 7", "go nodes 700", "go movetime 200", "go wtime 2000 btime 2000", "go mate 2",
                         "go infinite", "go ponder wtime 2000 btime 2000"}) {
    SCOPED_TRACE(go);
    std::optional<EngineProcess> started;
    {
      const OneCore one_core;
      started.emplace();
    }
    EngineProcess& engine = *started;
    // Searches before: the helpers' counts must not carry over into this one's
    // limits. A small node limit is the one a helper most often spends before
    // the main thread has a move.
    start(engine, {"setoption name Threads value 2", "position startpos", "go nodes 700", "go nodes 700", go});
    for (int i = 0; i < 2; ++i) {
      const auto before = engine.read_until("bestmove");
      ASSERT_TRUE(before.has_value());
      EXPECT_TRUE(start_moves.count(word_after(*before, "bestmove"))) << *before;
    }
    if (std::string(go) == "go infinite" || std::string(go) == "go mate 2") {
      engine.read_for(QUIET);
      ASSERT_TRUE(engine.send("stop"));
    }
    if (std::string(go).starts_with("go ponder")) {
      engine.read_for(QUIET);
      ASSERT_TRUE(engine.send("ponderhit"));
    }
    const auto answer = engine.read_until("bestmove");
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE(start_moves.count(word_after(*answer, "bestmove"))) << *answer;
    ASSERT_TRUE(engine.send("quit"));
    EXPECT_EQ(engine.wait_exit(), 1);
  }
  for (const char* end : {"quit", ""}) {
    EngineProcess engine;
    // Threads added after a search wait for the next: the table is resized
    // under none of them.
    start(engine, {"setoption name Threads value 2", "position startpos", "go depth 4",
                   "setoption name Threads value 4", "setoption name Hash value 2", "go infinite"});
    engine.read_for(QUIET);
    if (*end) ASSERT_TRUE(engine.send(end));
    else engine.close_input();
    EXPECT_EQ(engine.wait_exit(), *end ? 1 : 0) << '"' << end << '"';
    EXPECT_EQ(engine.error_output(), "");
  }
}
