// The search as an interface sees it: `go` with its limits, the info lines and
// bestmove, `stop`, `quit` and end of input during a search, repetitions, and the
// engine's own self-checks over many positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "process/engine_process.h"
#include "support/engine_texts.h"
#include "uci/bench_positions.h"

using namespace engine_test;
using std::chrono::milliseconds;

namespace {

const std::string QUIT_MESSAGE = "Nerul: quit command. I am terminated.\n";
const std::string NO_TABLE = "Hash::look_hash_move  p_hash_moves == NULL \n";

// Long enough for the slowest (sanitizer) build; only a hang should reach it.
constexpr milliseconds BESTMOVE_TIMEOUT{10000};
constexpr milliseconds LONG_TIMEOUT{240000};

const std::string START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const std::string KIWIPETE_WHITE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1";
const std::string KIWIPETE_BLACK = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1";

std::set<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::set<std::string> all;
  for (std::string w; in >> w;) all.insert(w);
  return all;
}

const std::set<std::string> START_MOVES =
    words("a2a3 a2a4 b1a3 b1c3 b2b3 b2b4 c2c3 c2c4 d2d3 d2d4 e2e3 e2e4 f2f3 f2f4 g1f3 g1h3 g2g3 g2g4 h2h3 h2h4");
const std::set<std::string> KIWIPETE_WHITE_MOVES = words(
    "a1b1 a1c1 a1d1 a2a3 a2a4 b2b3 c3a4 c3b1 c3b5 c3d1 d2c1 d2e3 d2f4 d2g5 d2h6 d5d6 d5e6 e1c1 e1d1 e1f1 e1g1 "
    "e2a6 e2b5 e2c4 e2d1 e2d3 e2f1 e5c4 e5c6 e5d3 e5d7 e5f7 e5g4 e5g6 f3d3 f3e3 f3f4 f3f5 f3f6 f3g3 f3g4 f3h3 "
    "f3h5 g2g3 g2g4 g2h3 h1f1 h1g1");
const std::set<std::string> KIWIPETE_BLACK_MOVES = words(
    "a6b5 a6b7 a6c4 a6c8 a6d3 a6e2 a8b8 a8c8 a8d8 b4b3 b4c3 b6a4 b6c4 b6c8 b6d5 c7c5 c7c6 d7d6 e6d5 e7c5 e7d6 "
    "e7d8 e7f8 e8c8 e8d8 e8f8 e8g8 f6d5 f6e4 f6g4 f6g8 f6h5 f6h7 g6g5 g7f8 g7h6 h3g2 h8f8 h8g8 h8h4 h8h5 h8h6 "
    "h8h7");

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool starts_with(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::vector<std::string> lines_starting(const std::string& text, const std::string& prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines_of(text))
    if (starts_with(line, prefix)) found.push_back(line);
  return found;
}

std::string iteration_prefix() { return "info  nps "; }

// The move named by a bestmove line.
std::string bestmove_in(const std::string& line) { return starts_with(line, "bestmove ") ? line.substr(9) : ""; }

// The moves of an info line's pv, in order.
std::vector<std::string> pv_of(const std::string& line) {
  const std::size_t at = line.find(" pv ");
  std::vector<std::string> moves;
  if (at == std::string::npos) return moves;
  std::istringstream in(line.substr(at + 4));
  for (std::string m; in >> m;) moves.push_back(m);
  return moves;
}

// The number that follows `key ` in an info line.
long field(const std::string& line, const std::string& key) {
  const std::size_t at = line.find(" " + key + " ");
  if (at == std::string::npos) return -999999999;
  return std::stol(line.substr(at + key.size() + 2));
}

std::string score_of(const std::string& line) {
  static const std::regex score(" score (cp|mate) (-?[0-9]+) ");
  std::smatch m;
  return std::regex_search(line, m, score) ? m[1].str() + " " + m[2].str() : "";
}

// Sends `uci` and waits for its answer.
void start(EngineProcess& engine) {
  ASSERT_TRUE(engine.send("uci"));
  ASSERT_TRUE(engine.read_until("uciok").has_value());
}

// Starts an infinite search from the start position and lets it run a moment.
void start_searching(EngineProcess& engine) {
  start(engine);
  ASSERT_TRUE(engine.send("position startpos"));
  ASSERT_TRUE(engine.send("go infinite"));
  engine.read_for(milliseconds(200));
}

// After a search ended by `stop` (or the clock): the last report before bestmove
// is the iteration's line, and bestmove is that line's first move and a legal
// move of the root.
void expect_sound_ending(const std::vector<std::string>& before, const std::string& bestmove_line,
                         const std::set<std::string>& legal) {
  const std::string move = bestmove_in(bestmove_line);
  EXPECT_TRUE(legal.count(move)) << "bestmove " << move << " is no legal move";
  ASSERT_FALSE(before.empty());
  const std::string& last = before.back();
  EXPECT_TRUE(starts_with(last, iteration_prefix())) << last;
  const std::vector<std::string> pv = pv_of(last);
  ASSERT_FALSE(pv.empty()) << last;
  EXPECT_EQ(pv.front(), move) << last;
}

void expect_transcript(const std::string& input, const std::string& output, int status) {
  const EngineRun run = run_engine(input);
  EXPECT_EQ(run.output, output) << "input: " << input;
  EXPECT_EQ(run.status, status) << "input: " << input;
}

}  // namespace

// ---------------------------------------------------------------------------
// Mates and positions without moves

TEST(SearchEnd, AMateInOneIsFoundInTheFirstIterationAndEndsTheSearch) {
  const EngineRun run = run_engine("uci\nposition fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\ngo depth 5\n");
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> iterations = lines_starting(run.output, iteration_prefix());
  ASSERT_EQ(iterations.size(), 1u) << run.output;
  // Seventeen legal root moves and no move made below them: the mated side has none.
  EXPECT_TRUE(
      std::regex_match(iterations[0], std::regex("info  nps [0-9]+ depth 1 seldepth 1 score mate 1 nodes 17 pv a1a8 ")))
      << iterations[0];
  const std::vector<std::string> lines = lines_of(run.output);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "bestmove a1a8");
  // Every legal root move was reported once, numbered 1 to 17.
  const std::vector<std::string> currmoves = lines_starting(run.output, "info currmove ");
  ASSERT_EQ(currmoves.size(), 17u);
  std::set<std::string> reported;
  for (std::size_t i = 0; i < currmoves.size(); ++i) {
    EXPECT_EQ(currmoves[i].substr(18), " currmovenumber " + std::to_string(i + 1) + " depth 1") << currmoves[i];
    reported.insert(currmoves[i].substr(14, 4));
  }
  EXPECT_EQ(reported, words("g1f1 g1h1 g1f2 g1g2 g1h2 a1a2 a1a3 a1a4 a1a5 a1a6 a1a7 a1a8 a1b1 a1c1 a1d1 a1e1 a1f1"));
}

TEST(SearchEnd, BlackFindsItsMateInOneToo) {
  const EngineRun run = run_engine("uci\nposition fen r5k1/8/8/8/8/8/5PPP/6K1 b - - 0 1\ngo depth 4\n");
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> iterations = lines_starting(run.output, iteration_prefix());
  ASSERT_EQ(iterations.size(), 1u) << run.output;
  EXPECT_EQ(score_of(iterations[0]), "mate 1") << iterations[0];
  EXPECT_EQ(pv_of(iterations[0]), std::vector<std::string>{"a8a1"});
  EXPECT_EQ(lines_of(run.output).back(), "bestmove a8a1");
}

TEST(SearchEnd, AMatedSideToMoveAnswersTheNullMove) {
  const std::string mated = "info  nps 0 depth 1 seldepth 0 score mate 0 nodes 0 pv \nbestmove 0000\n";
  expect_transcript("uci\nposition fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1\ngo depth 5\n", UCI_ANSWER + mated, 0);
  expect_transcript("uci\nposition fen 7K/6q1/6k1/8/8/8/8/8 w - - 0 1\ngo depth 5\n", UCI_ANSWER + mated, 0);
  expect_transcript("uci\nposition fen 7k/6Q1/6K1/8/8/8/8/8 b - - 0 1\ngo infinite\n", UCI_ANSWER + mated, 0);
}

TEST(SearchEnd, AStalemateScoresZeroInEveryIterationAndAnswersTheNullMove) {
  std::string expected = UCI_ANSWER;
  for (int depth = 1; depth <= 5; ++depth)
    expected += "info  nps 0 depth " + std::to_string(depth) + " seldepth 0 score cp 0 nodes 0 pv \n";
  expected += "bestmove 0000\n";
  expect_transcript("uci\nposition fen 7k/5Q2/6K1/8/8/8/8/8 b - - 0 1\ngo depth 5\n", expected, 0);
}

TEST(SearchEnd, TheDepthNeverExceedsFifty) {
  // A stalemate: every iteration is instant.
  const std::string stalemate = "uci\nposition fen 8/8/8/8/8/k7/p7/K7 w - - 0 1\n";
  struct Case {
    const char* go;
    int last;
  };
  const Case cases[] = {
      {"go depth 60", 50}, {"go depth 300", 44}, {"go depth 50", 50}, {"go infinite", 50}, {"go depth 49", 49}};
  for (const auto& [go, last] : cases) {
    const EngineRun run = run_engine(stalemate + go + "\n");
    const std::vector<std::string> iterations = lines_starting(run.output, iteration_prefix());
    ASSERT_EQ(iterations.size(), static_cast<std::size_t>(last)) << go;
    EXPECT_EQ(field(iterations.back(), "depth"), last) << go;
    EXPECT_EQ(lines_of(run.output).back(), "bestmove 0000") << go;
    EXPECT_EQ(run.status, 0) << go;
  }
}

// ---------------------------------------------------------------------------
// go depth 0 and the go lines that end the program

TEST(GoDepthZero, NamesTheNullMove) {
  expect_transcript("uci\nposition startpos\ngo depth 0\n", UCI_ANSWER + "bestmove 0000\n", 0);
  // No iteration runs, so not even the missing table is noticed.
  expect_transcript("go depth 0\n", "bestmove 0000\n", 0);
  // Depths that read as 0.
  for (const char* go : {"go depth", "go depth ", "go depth 256", "go depth x", "go depth 512"})
    expect_transcript(std::string("uci\nposition startpos\n") + go + "\n", UCI_ANSWER + "bestmove 0000\n", 0);
}

TEST(GoDepthZero, DoesNotRepeatTheLastSearchsMove) {
  const EngineRun run = run_engine("uci\nposition startpos\ngo depth 3\ngo depth 0\n");
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> bestmoves = lines_starting(run.output, "bestmove ");
  ASSERT_EQ(bestmoves.size(), 2u);
  EXPECT_TRUE(START_MOVES.count(bestmove_in(bestmoves[0]))) << bestmoves[0];
  EXPECT_EQ(bestmoves[1], "bestmove 0000");
  EXPECT_EQ(lines_of(run.output).back(), "bestmove 0000");
}

TEST(IllegalGo, AGoWithoutALimitEndsTheProgram) {
  for (const char* go : {"go", "go ", "go winc 100", "go binc 100 winc 50", "go movestogo 30", "go depth 255",
                         "go depth 511", "go searchmoves e2e4", "go movestogo 1 searchmoves e2e4"}) {
    expect_transcript(std::string("uci\nposition startpos\n") + go + "\nisready\n", UCI_ANSWER + ILLEGAL_GO, 1);
  }
  // Before any uci too, and nothing after it is read.
  expect_transcript("go winc 100\ngo depth 0\n", ILLEGAL_GO, 1);
}

TEST(IllegalGo, ASearchBeforeUciHasNoTable) {
  expect_transcript("position startpos\ngo depth 3\nisready\n", NO_TABLE, 1);
  expect_transcript("go depth 3\n", NO_TABLE, 1);
  expect_transcript("position fen 6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1\ngo infinite\n", NO_TABLE, 1);
}

// ---------------------------------------------------------------------------
// Time budget: with a budget, iterations 1 to 3 always run and the first one
// from the fourth on that outlasts the budget is the last.

TEST(TimeBudget, ABudgetBelowAnyIterationsTimeEndsTheSearchAfterTheFourthIteration) {
  struct Case {
    const char* position;
    const char* go;
  };
  const Case cases[] = {
      // Only the other side's clock: the own one counts as -1, a negative budget.
      {"position startpos", "go btime 60000"},
      {"position startpos moves e2e4", "go wtime 60000"},
      // A third of a millisecond, less than the 10 that an iteration counts at least.
      {"position startpos", "go movetime 1"},
      {"position startpos moves e2e4", "go wtime 1 btime 1"},
  };
  for (const Case& c : cases) {
    const EngineRun run = run_engine(std::string("uci\n") + c.position + "\n" + c.go + "\n", LONG_TIMEOUT);
    const std::vector<std::string> iterations = lines_starting(run.output, iteration_prefix());
    ASSERT_EQ(iterations.size(), 4u) << c.position << " / " << c.go << "\n" << run.output;
    for (int d = 0; d < 4; ++d) EXPECT_EQ(field(iterations[d], "depth"), d + 1);
    EXPECT_EQ(lines_starting(run.output, "bestmove ").size(), 1u);
    EXPECT_EQ(run.status, 0);
  }
}

TEST(TimeBudget, AShortMovetimeEndsWithALegalMove) {
  // Times below zero mean "move at once" (they once read as no limit, and the
  // search went on to depth 50).
  for (const char* go : {"go movetime 50", "go wtime 300 btime 300", "go wtime 2000 btime 2000 winc 10 binc 10",
                         "go movetime -3000", "go wtime -5000 btime 1000", "go wtime 0 btime 0"}) {
    EngineProcess engine;
    start(engine);
    ASSERT_TRUE(engine.send("position fen " + KIWIPETE_WHITE));
    ASSERT_TRUE(engine.send(go));
    std::vector<std::string> before;
    const auto bestmove = engine.read_until("bestmove ", milliseconds(30000), &before);
    ASSERT_TRUE(bestmove.has_value()) << go;
    expect_sound_ending(before, *bestmove, KIWIPETE_WHITE_MOVES);
    engine.close_input();
    EXPECT_EQ(engine.wait_exit(), 0);
  }
}

// ---------------------------------------------------------------------------
// stop, quit and other lines during a search

TEST(StopDuringSearch, EndsAnInfiniteSearchWithALegalMove) {
  EngineProcess engine;
  start(engine);
  ASSERT_TRUE(engine.send("position startpos"));
  ASSERT_TRUE(engine.send("go infinite"));
  const std::string searching = engine.read_for(milliseconds(1000));
  EXPECT_EQ(searching.find("bestmove"), std::string::npos);
  ASSERT_TRUE(engine.send("stop"));
  std::vector<std::string> before;
  const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before);
  ASSERT_TRUE(bestmove.has_value());
  expect_sound_ending(before, *bestmove, START_MOVES);
  // The engine listens again.
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok ");
  EXPECT_EQ(engine.read_line(), "");
  ASSERT_TRUE(engine.send("quit"));
  EXPECT_EQ(engine.wait_exit(), 1);
}

TEST(StopDuringSearch, AtAnyMomentTheAnswerIsALegalRootMove) {
  struct Case {
    const std::string& fen;
    const std::set<std::string>& legal;
  };
  for (const Case c : {Case{KIWIPETE_WHITE, KIWIPETE_WHITE_MOVES}, Case{KIWIPETE_BLACK, KIWIPETE_BLACK_MOVES}}) {
    for (const int pause : {30, 150, 400, 900}) {
      EngineProcess engine;
      start(engine);
      ASSERT_TRUE(engine.send("position fen " + c.fen));
      ASSERT_TRUE(engine.send("go infinite"));
      const std::string searching = engine.read_for(milliseconds(pause));
      ASSERT_TRUE(engine.send("stop"));
      std::vector<std::string> before = lines_of(searching);
      const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before);
      ASSERT_TRUE(bestmove.has_value()) << c.fen << " after " << pause;
      SCOPED_TRACE(c.fen + " stopped after " + std::to_string(pause) + " ms");
      expect_sound_ending(before, *bestmove, c.legal);
      // The self-checks, including the one after bestmove that compares its move
      // with the root's best, stay silent: the board, the key and the material came
      // back whole, and a root move cut short is no result to compare.
      engine.close_input();
      const std::vector<std::string> after = lines_of(engine.read_to_end());
      before.insert(before.end(), after.begin(), after.end());
      for (const std::string& line : before) {
        EXPECT_FALSE(starts_with(line, "ERROR")) << line;
        EXPECT_FALSE(starts_with(line, "white test_")) << line;
      }
      EXPECT_EQ(engine.wait_exit(), 0);
    }
  }
}

TEST(StopDuringSearch, TheAnswerIsAMoveThatWasSearched) {
  // Every move but taking the bishop loses material; a root move the stop cut
  // short (once scored 0) must never beat them.
  const std::string fen = "rn1qkbnr/p1pppppp/1p6/8/8/5b2/PPPPPPP1/RNBQKB1R w KQkq - 0 1";
  for (const int pause : {150, 300, 500, 800}) {
    EngineProcess engine;
    start(engine);
    ASSERT_TRUE(engine.send("position fen " + fen));
    ASSERT_TRUE(engine.send("go infinite"));
    std::vector<std::string> before = lines_of(engine.read_for(milliseconds(pause)));
    ASSERT_TRUE(engine.send("stop"));
    const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before);
    ASSERT_TRUE(bestmove.has_value()) << pause;
    const std::string move = bestmove_in(*bestmove);
    EXPECT_TRUE(move == "e2f3" || move == "g2f3") << move << " after " << pause << " ms";
    ASSERT_TRUE(starts_with(before.back(), iteration_prefix())) << before.back();
    EXPECT_EQ(pv_of(before.back()).front(), move);
    engine.close_input();
    EXPECT_EQ(engine.wait_exit(), 0);
  }
}

TEST(StopDuringSearch, ACrowdedBoardStillSeesTheClockAndTheStop) {
  // Sixteen queens: the capture trees below the horizon are vast, yet the search
  // looks at its input and clock on every node's count.
  const std::string fen = "k7/8/qqqqqqqq/8/8/QQQQQQQQ/8/K7 w - - 0 1";
  for (const char* go : {"go movetime 10", "go infinite", "go wtime 100 btime 100"}) {
    EngineProcess engine;
    start(engine);
    ASSERT_TRUE(engine.send("position fen " + fen));
    ASSERT_TRUE(engine.send(go));
    std::string seen = engine.read_for(milliseconds(100));
    ASSERT_TRUE(engine.send("stop"));
    if (seen.find("bestmove ") == std::string::npos) {
      const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT);
      ASSERT_TRUE(bestmove.has_value()) << go;
      seen += *bestmove + "\n";
    }
    const std::vector<std::string> answers = lines_starting(seen, "bestmove ");
    ASSERT_EQ(answers.size(), 1u) << go;
    EXPECT_EQ(bestmove_in(answers[0]).size(), 4u) << answers[0];
    ASSERT_TRUE(engine.send("isready"));
    EXPECT_EQ(engine.read_until("readyok "), "readyok ") << go;
    engine.close_input();
    EXPECT_EQ(engine.wait_exit(), 0);
  }
}

TEST(RefusedPosition, GoNamesTheNullMoveAndTheEngineServesOn) {
  expect_transcript("uci\nposition fen 4k3/8/8/8/8/8/8/4K2p w - - 0 1 moves e1e2\ngo depth 3\nisready\n",
                    UCI_ANSWER + "WARNING ! fen error\nbestmove 0000\nreadyok \n\n", 0);
  // A square off the board once named another: g1i4 played g1h3.
  const EngineRun run = run_engine("uci\nposition fen 4k3/8/8/8/8/8/8/4K1N1 w - - 0 1 moves g1i4\ngo depth 1\n");
  EXPECT_EQ(run.output.substr(UCI_ANSWER.size(), 22), "WARNING ! moves error\n");
  EXPECT_EQ(lines_of(run.output).back().substr(0, 10), "bestmove g");  // the knight is still on g1
}

TEST(MateScores, CountMovesNotPlies) {
  // White mates in two: Qd8+ Bxd8 Re8#. After Qd8+, Black is mated in one.
  const std::string fen = "r1b2k1r/ppp1bppp/8/1B1Q4/5q2/2P5/PPP2PPP/R3R1K1 w - - 1 1";
  for (const auto& [moves, score] : {std::pair<std::string, std::string>{"", "mate 2"}, {" moves d5d8", "mate -1"}}) {
    const EngineRun run = run_engine("uci\nposition fen " + fen + moves + "\ngo depth 5\n");
    const std::vector<std::string> iterations = lines_starting(run.output, iteration_prefix());
    ASSERT_FALSE(iterations.empty());
    EXPECT_EQ(score_of(iterations.back()), score) << iterations.back();
  }
}

TEST(StopDuringSearch, AfterTheStopTheRemainingRootMovesAreOnlyAnnounced) {
  // Once stopped, the root search still names every remaining root move, all
  // with one move number, and writes no root line after them.
  EngineProcess engine;
  start(engine);
  ASSERT_TRUE(engine.send("position fen " + KIWIPETE_WHITE));
  ASSERT_TRUE(engine.send("go infinite"));
  engine.read_for(milliseconds(500));
  ASSERT_TRUE(engine.send("stop"));
  std::vector<std::string> before;
  const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before);
  ASSERT_TRUE(bestmove.has_value());
  // A stop that lands on the last root move leaves none to announce: then the
  // iteration's line comes alone.
  ASSERT_GE(before.size(), 1u);
  // Walk back from the iteration's line over the trailing currmove lines.
  std::size_t i = before.size() - 1;
  ASSERT_TRUE(starts_with(before[i], iteration_prefix()));
  std::vector<std::string> trailing;
  while (i > 0 && starts_with(before[i - 1], "info currmove ")) trailing.push_back(before[--i]);
  if (trailing.size() > 1) {
    const long number = field(trailing.front(), "currmovenumber");
    for (const std::string& line : trailing) EXPECT_EQ(field(line, "currmovenumber"), number) << line;
  }
  engine.close_input();
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(StopDuringSearch, OnlyTheExactLineCountsAndOtherLinesWaitForBestmove) {
  EngineProcess engine;
  start_searching(engine);
  ASSERT_TRUE(engine.send("stop "));
  ASSERT_TRUE(engine.send("STOP"));
  const std::string still_searching = engine.read_for(milliseconds(1200));
  EXPECT_EQ(still_searching.find("bestmove"), std::string::npos) << "a line other than stop ended the search";
  ASSERT_TRUE(engine.send("stop"));
  std::vector<std::string> before;
  const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before);
  ASSERT_TRUE(bestmove.has_value());
  EXPECT_TRUE(START_MOVES.count(bestmove_in(*bestmove))) << *bestmove;
  for (const std::string& line : before) EXPECT_FALSE(starts_with(line, "WARNING")) << line;
  // The two lines kept meanwhile are handled now, in order, as the command loop would.
  EXPECT_EQ(engine.read_line(), "WARNING ! Unknown command");
  EXPECT_EQ(engine.read_line(), "WARNING ! Unknown command");
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok ");
  engine.close_input();
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(StopDuringSearch, IsreadyMeanwhileIsAnsweredAtOnceAndTheSearchGoesOn) {
  EngineProcess engine;
  start_searching(engine);
  ASSERT_TRUE(engine.send("isready"));
  std::vector<std::string> during;
  ASSERT_TRUE(engine.read_until("readyok ", milliseconds(2000), &during).has_value());
  EXPECT_EQ(engine.read_line(), "");
  for (const std::string& line : during) EXPECT_FALSE(starts_with(line, "bestmove")) << line;
  EXPECT_EQ(engine.read_for(milliseconds(500)).find("bestmove"), std::string::npos);
  ASSERT_TRUE(engine.send("stop"));
  std::vector<std::string> before;
  ASSERT_TRUE(engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before).has_value());
  for (const std::string& line : before) EXPECT_EQ(line.find("readyok"), std::string::npos);
  // Answered once, not kept for later as well: one isready now gets exactly one answer.
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok ");
  EXPECT_EQ(engine.read_line(), "");
  EXPECT_EQ(engine.read_for(milliseconds(300)), "");
  engine.close_input();
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(StopDuringSearch, ALineOfSixtyFourKibibytesDoesNotHideTheStop) {
  EngineProcess engine;
  start_searching(engine);
  ASSERT_TRUE(engine.send(std::string(70000, 'x')));
  ASSERT_TRUE(engine.send("stop"));
  const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT);
  ASSERT_TRUE(bestmove.has_value());
  EXPECT_TRUE(START_MOVES.count(bestmove_in(*bestmove))) << *bestmove;
  // The overlong line was skipped; the engine serves on.
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok ");
  engine.close_input();
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(QuitDuringSearch, EndsTheProgramWithoutBestmove) {
  EngineProcess engine;
  start(engine);
  ASSERT_TRUE(engine.send("position startpos"));
  ASSERT_TRUE(engine.send("go infinite"));
  engine.read_for(milliseconds(300));
  ASSERT_TRUE(engine.send("quit"));
  engine.send("isready");  // may find the engine gone already
  const std::string rest = engine.read_to_end(BESTMOVE_TIMEOUT);
  EXPECT_EQ(engine.wait_exit(), 1);
  EXPECT_EQ(rest.find("bestmove"), std::string::npos);
  EXPECT_EQ(rest.find("readyok"), std::string::npos);
  ASSERT_GE(rest.size(), QUIT_MESSAGE.size());
  EXPECT_EQ(rest.substr(rest.size() - QUIT_MESSAGE.size()), QUIT_MESSAGE);
}

// With the input closed behind the lines, the order of events is fixed: the
// search takes every line up to `stop`, answers isready at once and keeps the
// rest; the command loop handles what was kept, then what the search left unread.
TEST(ClosedInputDuringSearch, LinesAfterGoAreReadByTheSearchUntilTheStop) {
  const EngineRun run = run_engine("uci\nposition startpos\ngo infinite\nstop \nisready\nstop\nisready\n");
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> lines = lines_of(run.output);
  ASSERT_GE(lines.size(), 7u);
  const std::size_t n = lines.size();
  EXPECT_EQ(lines[n - 1], "");
  EXPECT_EQ(lines[n - 2], "readyok ");
  EXPECT_EQ(lines[n - 3], "WARNING ! Unknown command");
  EXPECT_TRUE(START_MOVES.count(bestmove_in(lines[n - 4]))) << lines[n - 4];
  EXPECT_EQ(lines_starting(run.output, "readyok").size(), 2u) << run.output;
  const std::size_t first_ready = run.output.find("readyok");
  EXPECT_LT(first_ready, run.output.find("bestmove"));
}

TEST(ClosedInputDuringSearch, QuitReadByTheSearchEndsTheProgram) {
  const EngineRun run = run_engine("uci\nposition startpos\ngo infinite\nquit\nisready\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output.find("bestmove"), std::string::npos);
  EXPECT_EQ(run.output.find("readyok"), std::string::npos);
  ASSERT_GE(run.output.size(), QUIT_MESSAGE.size());
  EXPECT_EQ(run.output.substr(run.output.size() - QUIT_MESSAGE.size()), QUIT_MESSAGE);
}

TEST(ClosedInputDuringSearch, EndOfInputStopsAnInfiniteSearch) {
  for (const char* tail : {"", "isready\n", "go depth 2\n"}) {
    const EngineRun run = run_engine(std::string("uci\nposition startpos\ngo infinite\n") + tail, LONG_TIMEOUT);
    EXPECT_EQ(run.status, 0) << tail;
    const std::vector<std::string> bestmoves = lines_starting(run.output, "bestmove ");
    // A `go` read during the search runs after it.
    ASSERT_EQ(bestmoves.size(), std::string(tail) == "go depth 2\n" ? 2u : 1u) << tail;
    for (const std::string& b : bestmoves) EXPECT_TRUE(START_MOVES.count(bestmove_in(b))) << b;
    EXPECT_EQ(lines_of(run.output).back(), bestmoves.back());
    EXPECT_EQ(lines_starting(run.output, "readyok").size(), std::string(tail) == "isready\n" ? 1u : 0u);
  }
}

TEST(ClosedInputDuringSearch, EndOfInputWhileTheEngineWaitsForStop) {
  EngineProcess engine;
  start(engine);
  ASSERT_TRUE(engine.send("position fen " + KIWIPETE_BLACK));
  ASSERT_TRUE(engine.send("go infinite"));
  engine.read_for(milliseconds(300));
  engine.close_input();
  std::vector<std::string> before;
  const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before);
  ASSERT_TRUE(bestmove.has_value());
  expect_sound_ending(before, *bestmove, KIWIPETE_BLACK_MOVES);
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(ClosedInputDuringSearch, ASearchWithADepthStillRunsToItsEnd) {
  // Depth 10 polls the input several times on the way and finds it closed.
  for (const int depth : {6, 10}) {
    const EngineRun run = run_engine("uci\nposition startpos\ngo depth " + std::to_string(depth) + "\n", LONG_TIMEOUT);
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> iterations = lines_starting(run.output, iteration_prefix());
    ASSERT_EQ(iterations.size(), static_cast<std::size_t>(depth)) << run.output;
    for (int d = 0; d < depth; ++d) EXPECT_EQ(field(iterations[d], "depth"), d + 1);
    const std::vector<std::string> lines = lines_of(run.output);
    EXPECT_EQ(lines[lines.size() - 2], iterations.back());
    EXPECT_EQ(bestmove_in(lines.back()), pv_of(iterations.back()).front());
  }
}

// ---------------------------------------------------------------------------
// go nodes, go mate, searchmoves and go perft

TEST(GoNodes, TheSameLimitGivesTheSameSearchOnEveryRun) {
  // Only the speed figures may differ between two runs.
  const auto without_nps = [](const std::string& text) {
    return std::regex_replace(text, std::regex("nps [0-9]+"), "nps *");
  };
  for (const auto& [fen, legal] :
       {std::pair{START_FEN, &START_MOVES}, std::pair{KIWIPETE_BLACK, &KIWIPETE_BLACK_MOVES}}) {
    for (const char* nodes : {"1", "5000", "20000"}) {
      const std::string input = "uci\nposition fen " + fen + "\ngo nodes " + nodes + "\n";
      const EngineRun first = run_engine(input), second = run_engine(input);
      EXPECT_EQ(first.status, 0) << nodes;
      EXPECT_EQ(without_nps(first.output), without_nps(second.output)) << fen << " nodes " << nodes;
      EXPECT_TRUE(legal->count(bestmove_in(lines_of(first.output).back()))) << first.output;
    }
  }
}

TEST(GoMate, EndsByItselfOnlyOnAMateOfTheMoverWithinTheMovesAsked) {
  const std::string mate_in_2 = "r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq - 1 1";
  const std::string mate_in_3 = "r1b1kb1r/pppp1ppp/5q2/4n3/3KP3/2N3PN/PPP4P/R1BQ1B1R b kq - 0 1";
  struct Case {
    std::string position, go, score, first;  // no first move: the search waits for stop
  };
  const Case cases[] = {{mate_in_2, "go mate 2", "mate 2", "d5f6"},
                        {mate_in_3, "go mate 3", "mate 3", "f8c5"},
                        {mate_in_3, "go mate 9", "mate 3", "f8c5"},
                        {mate_in_3, "go mate 2", "mate 3", ""},
                        {mate_in_3 + " moves f8c5", "go mate 5", "mate -2", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position + " " + c.go);
    EngineProcess engine;  // its input stays open
    start(engine);
    ASSERT_TRUE(engine.send("position fen " + c.position));
    ASSERT_TRUE(engine.send(c.go));
    std::vector<std::string> before;
    if (c.first.empty()) {
      before = lines_of(engine.read_for(milliseconds(1500)));
      for (const std::string& line : before) ASSERT_FALSE(starts_with(line, "bestmove")) << line;
      ASSERT_TRUE(engine.send("stop"));
    }
    const auto bestmove = engine.read_until("bestmove ", BESTMOVE_TIMEOUT, &before);
    ASSERT_TRUE(bestmove.has_value());
    ASSERT_TRUE(starts_with(before.back(), iteration_prefix())) << before.back();
    EXPECT_EQ(score_of(before.back()), c.score) << before.back();
    if (!c.first.empty()) {
      EXPECT_LE((pv_of(before.back()).size() + 1) / 2, std::stoul(c.go.substr(8))) << before.back();
      EXPECT_EQ(pv_of(before.back()).front(), c.first);
      EXPECT_EQ(bestmove_in(*bestmove), c.first);
    }
    engine.close_input();
    EXPECT_EQ(engine.wait_exit(), 0);
  }
}

TEST(SearchMoves, OnlyTheNamedLegalMovesAreSearchedAndNoneNamedMeansAll) {
  for (const auto& [go, allowed] : {std::pair{"go depth 3 searchmoves a2a3 h2h4", words("a2a3 h2h4")},
                                    std::pair{"go depth 3 searchmoves g1f3 e2e5 g1f3", words("g1f3")},
                                    std::pair{"go depth 2 searchmoves e2e5 zz", START_MOVES}}) {
    const EngineRun run = run_engine(std::string("uci\nposition startpos\n") + go + "\n");
    EXPECT_EQ(run.status, 0) << go;
    EXPECT_TRUE(allowed.count(bestmove_in(lines_of(run.output).back()))) << run.output;
    std::set<std::string> searched;
    for (const std::string& line : lines_starting(run.output, "info currmove ")) searched.insert(line.substr(14, 4));
    EXPECT_EQ(searched, allowed) << go;
  }
}

TEST(GoPerft, CountsEachRootMoveAndTheTotalWithoutBestmove) {
  struct Case {
    std::string fen;
    int depth;
    std::uint64_t total;
    const std::set<std::string>& legal;
    std::string divide_line;
  };
  const Case cases[] = {{START_FEN, 1, 20, START_MOVES, "e2e4: 1"},
                        {START_FEN, 2, 400, START_MOVES, "g1f3: 20"},
                        {START_FEN, 3, 8902, START_MOVES, "e2e4: 600"},
                        {START_FEN, 4, 197281, START_MOVES, "e2e4: 13160"},
                        {KIWIPETE_WHITE, 2, 2039, KIWIPETE_WHITE_MOVES, "e1c1: 43"}};
  for (const Case& c : cases) {
    const std::string go = "go perft " + std::to_string(c.depth);
    const EngineRun run = run_engine("uci\nposition fen " + c.fen + "\n" + go + "\n", LONG_TIMEOUT);
    std::vector<std::string> lines = lines_of(run.output.substr(UCI_ANSWER.size()));
    const std::vector<std::string> end = {"", "Nodes searched: " + std::to_string(c.total), ""};
    ASSERT_GE(lines.size(), end.size()) << go;
    EXPECT_EQ(std::vector(lines.end() - 3, lines.end()), end) << c.fen << " " << go;
    lines.resize(lines.size() - 3);
    std::set<std::string> moves;
    for (const std::string& line : lines) moves.insert(line.substr(0, line.find(':')));
    EXPECT_EQ(moves, c.legal) << go;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), c.divide_line), 1) << go;
  }
}

// At depth 0 the count is the position itself, 1, with no root move listed; a
// depth that is no number reads as 0. A refused position leaves an empty board.
TEST(GoPerft, DepthZeroCountsThePositionItself) {
  struct Case {
    std::string position, go, answer;
  };
  const std::string refused = "position fen 8/8/8/8/8/8/8/8 w - - 0 1";
  const Case cases[] = {{"position startpos", "go perft 0", "\nNodes searched: 1\n\n"},
                        {"position startpos", "go perft", "\nNodes searched: 1\n\n"},
                        {"position startpos", "go perft x", "\nNodes searched: 1\n\n"},
                        {"position startpos", "go perft -3", "\nNodes searched: 1\n\n"},
                        {refused, "go perft 0", FEN_ERROR + "\nNodes searched: 1\n\n"},
                        {refused, "go perft 2", FEN_ERROR + "\nNodes searched: 0\n\n"}};
  for (const Case& c : cases) expect_transcript("uci\n" + c.position + "\n" + c.go + "\n", UCI_ANSWER + c.answer, 0);
}

TEST(GoPerft, QuitIsReadDuringALongCount) {
  // The count's own end would lie far beyond the timeout.
  const EngineRun run = run_engine("uci\nposition startpos\ngo perft 9\nquit\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output.find("Nodes searched: "), std::string::npos) << run.output;
}

// After `stop` the root moves counted in full stay listed, and no total follows:
// the count of the moves not reached would be missing from it.
TEST(GoPerft, StopEndsALongCountWithoutATotal) {
  // The only capture, generated first, mates: its line comes at once, and the
  // count of the next move would outlast the timeout by far.
  EngineProcess engine;
  ASSERT_TRUE(engine.send("uci"));
  ASSERT_TRUE(engine.read_until("uciok").has_value());
  ASSERT_TRUE(engine.send("position fen 4r2k/6pp/8/8/8/8/5PPP/4R1K1 w - - 0 1"));
  ASSERT_TRUE(engine.send("go perft 9"));
  ASSERT_EQ(engine.read_until("e1e8: "), "e1e8: 0");
  ASSERT_TRUE(engine.send("stop"));
  ASSERT_TRUE(engine.send("isready"));
  std::vector<std::string> before;
  ASSERT_TRUE(engine.read_until("readyok ", DEFAULT_TIMEOUT, &before).has_value());
  const std::regex divide_line("[a-h][1-8][a-h][1-8]: [0-9]+");
  for (const std::string& line : before) EXPECT_TRUE(std::regex_match(line, divide_line)) << line;
  engine.close_input();
  EXPECT_EQ(engine.wait_exit(), 0);
}

// ---------------------------------------------------------------------------
// The exact shape of every line a search writes

namespace {

const std::string MOVE = "[a-h][1-8][a-h][1-8][nbrq]?";
const std::regex CURRMOVE_LINE("info currmove [a-h][1-8][a-h][1-8] currmovenumber ([0-9]+) depth ([0-9]+)");
const std::regex ROOT_LINE("info  depth ([0-9]+) seldepth ([0-9]+) score (cp|mate) -?[0-9]+ nodes -?[0-9]+ pv (" +
                           MOVE + " )*");
const std::regex ITERATION_LINE(
    "info  nps [0-9]+ depth ([0-9]+) seldepth ([0-9]+) score (cp|mate) -?[0-9]+ nodes "
    "-?[0-9]+ pv (" +
    MOVE + " )*");

// Checks every line of one search's output (from `go` to bestmove) against the
// report formats and their order; `legal` are the root's legal moves.
void expect_well_formed_search(const std::vector<std::string>& lines, const std::set<std::string>& legal,
                               int expected_iterations) {
  int depth = 1;
  int next_number = 1;
  std::set<std::string> announced;
  int iterations = 0;
  std::size_t i = 0;
  for (; i < lines.size() && !starts_with(lines[i], "bestmove "); ++i) {
    const std::string& line = lines[i];
    std::smatch m;
    if (std::regex_match(line, m, CURRMOVE_LINE)) {
      EXPECT_EQ(std::stoi(m[1]), next_number) << line;
      EXPECT_EQ(std::stoi(m[2]), depth) << line;
      const std::string move = line.substr(14, 4);
      EXPECT_TRUE(legal.count(move)) << line;
      EXPECT_TRUE(announced.insert(move).second) << "announced twice: " << line;
      ++next_number;
      // One root report follows: an empty line, a line, or both.
      ASSERT_LT(i + 1, lines.size());
      std::size_t j = i + 1;
      if (lines[j].empty()) ++j;
      if (j < lines.size() && starts_with(lines[j], "info  depth ")) {
        ASSERT_TRUE(std::regex_match(lines[j], m, ROOT_LINE)) << lines[j];
        EXPECT_EQ(std::stoi(m[1]), depth) << lines[j];
        EXPECT_EQ(std::stoul(m[2]), pv_of(lines[j]).size()) << lines[j];
        ++j;
      } else {
        EXPECT_TRUE(lines[i + 1].empty()) << "no root report after " << line << ": " << lines[i + 1];
      }
      i = j - 1;
    } else if (std::regex_match(line, m, ITERATION_LINE)) {
      EXPECT_EQ(std::stoi(m[1]), depth) << line;
      EXPECT_EQ(std::stoul(m[2]), pv_of(line).size()) << line;
      EXPECT_EQ(announced, legal) << "iteration " << depth << " did not announce every legal move";
      ++iterations;
      ++depth;
      next_number = 1;
      announced.clear();
    } else {
      ADD_FAILURE() << "unexpected line: [" << line << "]";
    }
  }
  EXPECT_EQ(iterations, expected_iterations);
  ASSERT_LT(i, lines.size());
  EXPECT_TRUE(legal.count(bestmove_in(lines[i]))) << lines[i];
}

}  // namespace

TEST(SearchReports, EveryLineOfASearchHasItsExactShape) {
  struct Case {
    std::string fen;
    const std::set<std::string>& legal;
  };
  for (const Case& c : {Case{START_FEN, START_MOVES}, Case{KIWIPETE_WHITE, KIWIPETE_WHITE_MOVES},
                        Case{KIWIPETE_BLACK, KIWIPETE_BLACK_MOVES}}) {
    const EngineRun run = run_engine("uci\nposition fen " + c.fen + "\ngo depth 5\n", LONG_TIMEOUT);
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> lines = lines_of(run.output);
    const std::size_t uci_lines = lines_of(UCI_ANSWER).size();
    ASSERT_GE(lines.size(), uci_lines);
    lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(uci_lines));
    SCOPED_TRACE(c.fen);
    expect_well_formed_search(lines, c.legal, 5);
    EXPECT_EQ(bestmove_in(lines.back()), pv_of(lines[lines.size() - 2]).front());
  }
}

TEST(SearchReports, TheIterationLineIsFollowedByBestmoveWithThePromotionLetter) {
  // The only sensible move promotes: the pawn takes the rook and becomes a queen.
  const EngineRun run = run_engine("uci\nposition fen 1r5k/P7/8/8/8/8/8/K7 w - - 0 1\ngo depth 3\n");
  const std::vector<std::string> lines = lines_of(run.output);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_TRUE(starts_with(lines[lines.size() - 2], iteration_prefix()));
  EXPECT_EQ(lines.back(), "bestmove a7b8q");
  EXPECT_EQ(pv_of(lines[lines.size() - 2]).front(), "a7b8q");
  // currmove names it without the letter.
  EXPECT_NE(run.output.find("info currmove a7b8 currmovenumber"), std::string::npos);
  EXPECT_EQ(run.output.find("info currmove a7b8q"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Repetition: a side far behind in material that can only give perpetual check.
// White's queen checks from e8 and h5 while the black king shuttles between g8
// and h7; Black's queen, rook and bishop are walled in on the queen side.

namespace {

const std::string PERPETUAL_WHITE = "qrb3k1/pppp2p1/8/7Q/8/8/8/7K w - - 0 1";
const std::string PERPETUAL_WHITE_CYCLE = " moves h5e8 g8h7 e8h5 h7g8";
// The same with colours exchanged.
const std::string PERPETUAL_BLACK = "7k/8/8/8/7q/8/PPPP2P1/QRB3K1 b - - 0 1";
const std::string PERPETUAL_BLACK_CYCLE = " moves h4e1 g1h2 e1h4 h2g1";

std::vector<std::string> iterations_of(const std::string& position, const std::string& go) {
  const EngineRun run = run_engine("uci\n" + position + "\n" + go + "\n", LONG_TIMEOUT);
  EXPECT_EQ(run.status, 0);
  return lines_starting(run.output, iteration_prefix());
}

}  // namespace

TEST(RepetitionDraw, ThePerpetualIsSeenInsideTheSearch) {
  for (const auto& [fen, check] :
       {std::pair{PERPETUAL_WHITE, std::string("h5e8")}, std::pair{PERPETUAL_BLACK, std::string("h4e1")}}) {
    const std::vector<std::string> iterations = iterations_of("position fen " + fen, "go depth 6");
    ASSERT_EQ(iterations.size(), 6u);
    // The first iteration cannot see the cycle and counts the material.
    EXPECT_TRUE(starts_with(score_of(iterations.front()), "cp -")) << iterations.front();
    EXPECT_LT(field(iterations.front(), "cp"), -1000) << iterations.front();
    EXPECT_EQ(score_of(iterations.back()), "cp 0") << iterations.back();
    ASSERT_FALSE(pv_of(iterations.back()).empty());
    EXPECT_EQ(pv_of(iterations.back()).front(), check) << iterations.back();
  }
}

TEST(RepetitionDraw, ThePerpetualIsSeenThroughTheGamesHistory) {
  for (const auto& [fen, cycle, check] : {std::tuple{PERPETUAL_WHITE, PERPETUAL_WHITE_CYCLE, std::string("h5e8")},
                                          std::tuple{PERPETUAL_BLACK, PERPETUAL_BLACK_CYCLE, std::string("h4e1")}}) {
    // One iteration: the checking move's reply is already a position of the game.
    std::vector<std::string> iterations = iterations_of("position fen " + fen + cycle, "go depth 1");
    ASSERT_EQ(iterations.size(), 1u);
    EXPECT_EQ(score_of(iterations[0]), "cp 0") << iterations[0];
    EXPECT_EQ(pv_of(iterations[0]), std::vector<std::string>{check}) << iterations[0];
    // Without the history the same iteration only counts the material.
    iterations = iterations_of("position fen " + fen, "go depth 1");
    ASSERT_EQ(iterations.size(), 1u);
    EXPECT_LT(field(iterations[0], "cp"), -1000) << iterations[0];
    // And deeper searches keep the draw.
    iterations = iterations_of("position fen " + fen + cycle, "go depth 5");
    ASSERT_EQ(iterations.size(), 5u);
    for (const std::string& line : iterations) EXPECT_EQ(score_of(line), "cp 0") << line;
  }
}

TEST(RepetitionDraw, AnEarlierOccurrenceFarBackInTheGameCounts) {
  // Two full cycles and then the first check again: the position after Black's
  // reply has occurred twice before.
  const std::vector<std::string> iterations =
      iterations_of("position fen " + PERPETUAL_WHITE + PERPETUAL_WHITE_CYCLE + " h5e8 g8h7 e8h5 h7g8", "go depth 1");
  ASSERT_EQ(iterations.size(), 1u);
  EXPECT_EQ(score_of(iterations[0]), "cp 0") << iterations[0];
}

// ---------------------------------------------------------------------------
// The self-checks of the board, the key and the material stay silent.

namespace {

// Besides the bench positions.
const char* const SWEEP_POSITIONS[] = {
    // The usual move-generator test positions.
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1",
    "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - - 0 1",
    "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N w - - 0 1",
    // Openings and middlegames.
    // En passant, castling and promotions at the root.
    "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6 0 3",
    "rnbqkbnr/pppp1ppp/8/8/3Pp3/8/PPP1PPPP/RNBQKBNR b KQkq d3 0 3",
    "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1",
    "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
    "8/2P5/8/8/8/8/5p2/K1k5 w - - 0 1",
    "8/2P5/8/8/8/8/5p2/K1k5 b - - 0 1",
    "1r5k/P7/8/8/8/8/8/K7 w - - 0 1",
    // Endgames.
    "8/8/8/4k3/8/8/8/4KQ2 w - - 0 1",
    "8/8/8/4k3/8/8/8/4KR2 b - - 0 1",
    "8/5k2/8/8/8/8/2B5/4K1N1 w - - 0 1",
    "8/8/8/8/4k3/8/p7/K7 b - - 0 1",
    "3k4/3P4/3K4/8/8/8/8/8 w - - 0 1",
    "8/8/1p6/kP6/P7/8/8/K7 w - - 0 1",
    // Mates and no moves.
    "6k1/5ppp/8/8/8/8/8/R5K1 w - - 0 1",
    "7k/6Q1/6K1/8/8/8/8/8 b - - 0 1",
    "7k/5Q2/6K1/8/8/8/8/8 b - - 0 1",
    "qrb3k1/pppp2p1/8/7Q/8/8/8/7K w - - 0 1",
};

// Games given as moves, so that the game's history takes part.
const char* const SWEEP_GAMES[] = {
    "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5a4 g8f6 e1g1",
    "position startpos moves g1f3 g8f6 f3g1 f6g8 g1f3 g8f6 f3g1",
    "position startpos moves d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 c1g5 f8e7 e2e3 e8g8 g1f3 b8d7",
    "position fen 8/8/8/4k3/8/8/4P3/4K3 w - - 0 1 moves e2e4 e5e6 e1e2 e6e5 e2e1 e5e6 e1e2",
};

}  // namespace

TEST(SelfChecks, StaySilentOverManyPositions) {
  std::string input = "uci\n";
  int searches = 0;
  for (const char* fen : bench_positions) {
    input += std::string("position fen ") + fen + "\ngo depth 6\n";
    ++searches;
  }
  for (const char* fen : SWEEP_POSITIONS) {
    input += std::string("position fen ") + fen + "\ngo depth 6\n";
    ++searches;
  }
  for (const char* game : SWEEP_GAMES) {
    input += std::string(game) + "\ngo depth 6\n";
    ++searches;
  }
  ASSERT_GE(searches, 50);
  const EngineRun run = run_engine(input, LONG_TIMEOUT);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  std::vector<std::string> iterations_since_go;
  int bestmoves = 0;
  for (const std::string& line : lines_of(run.output)) {
    EXPECT_FALSE(starts_with(line, "ERROR")) << "search " << bestmoves + 1 << ": " << line;
    EXPECT_FALSE(starts_with(line, "white test_")) << "search " << bestmoves + 1 << ": " << line;
    EXPECT_FALSE(starts_with(line, "WARNING")) << "search " << bestmoves + 1 << ": " << line;
    if (starts_with(line, iteration_prefix())) iterations_since_go.push_back(line);
    if (!starts_with(line, "bestmove ")) continue;
    ++bestmoves;
    // Six iterations unless a mate ended the search early; bestmove is the
    // first move of the last line, or the null move when there is none.
    ASSERT_FALSE(iterations_since_go.empty()) << "search " << bestmoves;
    const std::string& last = iterations_since_go.back();
    const bool mate = starts_with(score_of(last), "mate");
    if (!mate) {
      EXPECT_EQ(iterations_since_go.size(), 6u) << "search " << bestmoves;
    }
    const std::vector<std::string> pv = pv_of(last);
    EXPECT_EQ(bestmove_in(line), pv.empty() ? "0000" : pv.front()) << "search " << bestmoves << ": " << last;
    iterations_since_go.clear();
  }
  EXPECT_EQ(bestmoves, searches);
}

// ---------------------------------------------------------------------------
// The bench repeats itself exactly.

namespace {

struct BenchResult {
  std::vector<std::string> positions;  // one line per position: nodes and moves made
  std::string signature;
  std::string moves_made;
};

BenchResult bench(const std::string& depth) {
  const EngineRun run = run_tool({"bench", depth}, LONG_TIMEOUT);
  EXPECT_EQ(run.status, 0);
  BenchResult result;
  result.positions = lines_starting(run.output, "position ");
  const std::vector<std::string> lines = lines_of(run.output);
  if (lines.empty()) return result;
  std::istringstream last(lines.back());
  last >> result.signature >> result.moves_made;
  return result;
}

}  // namespace

TEST(BenchRuns, TwoRunsGiveTheSameSignatureAndWork) {
  const BenchResult first = bench("4");
  const BenchResult second = bench("4");
  ASSERT_FALSE(first.signature.empty());
  EXPECT_NE(first.signature, "0");
  EXPECT_EQ(first.signature, second.signature);
  EXPECT_EQ(first.moves_made, second.moves_made);
  EXPECT_EQ(first.positions, second.positions);
  EXPECT_GE(first.positions.size(), 30u);
}

TEST(BenchRuns, TheEngineRunsItForTestingFrameworks) {
  const EngineRun run = run_engine("", LONG_TIMEOUT, NERUL_BINARY, {"bench", "4"});
  EXPECT_EQ(run.status, 0);
  const std::vector<std::string> lines = lines_of(run.output);
  ASSERT_FALSE(lines.empty());
  std::smatch m;
  ASSERT_TRUE(std::regex_match(lines.back(), m, std::regex("([0-9]+) nodes ([0-9]+) nps"))) << lines.back();
  const BenchResult tool = bench("4");
  EXPECT_EQ(m[1].str(), tool.signature);
  EXPECT_EQ(lines_starting(run.output, "position "), tool.positions);
}
