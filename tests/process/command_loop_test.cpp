// The command loop as an interface sees it: exact transcripts, byte for byte, and
// the exit status.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "process/engine_process.h"
#include "support/engine_texts.h"

using namespace engine_test;

namespace {

const std::string READYOK = "readyok \n\n";
const std::string UNKNOWN = "WARNING ! Unknown command\n";
// "освобождать нечего " in Windows-1251, and the newline.
const std::string NOTHING_TO_FREE = "\xEE\xF1\xE2\xEE\xE1\xEE\xE6\xE4\xE0\xF2\xFC\x20\xED\xE5\xF7\xE5\xE3\xEE\x20\n";
// "памяти нет " in Windows-1251, and the newline.
const std::string NO_MEMORY = "\xEF\xE0\xEC\xFF\xF2\xE8 \xED\xE5\xF2 \n";

std::string repeat(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// Runs the engine on `input` and checks the whole transcript and the status.
void expect_transcript(const std::string& input, const std::string& output, int status) {
  const EngineRun run = run_engine(input);
  EXPECT_EQ(run.output, output) << "input: " << input;
  EXPECT_EQ(run.status, status) << "input: " << input;
  EXPECT_EQ(run.errors, "") << "input: " << input;
}

}  // namespace

TEST(UciAnswer, IsExactlyTheseLines) { expect_transcript("uci\n", UCI_ANSWER, 0); }

TEST(UciAnswer, IsGivenAgainForEveryUci) { expect_transcript("uci\nuci\n", UCI_ANSWER + UCI_ANSWER, 0); }

TEST(UciAnswer, ArrivesBeforeTheNextLineIsSent) {
  // An interface waits for each answer before it writes on: the output must not
  // sit in a buffer.
  EngineProcess engine;
  ASSERT_TRUE(engine.send("uci"));
  EXPECT_EQ(engine.read_line(), "id name Nerul");
  EXPECT_EQ(engine.read_line(), "id author Dorvesk Milvan");
  EXPECT_EQ(engine.read_line(), "option name Hash type spin default 1 min 1 max 1024");
  EXPECT_EQ(engine.read_line(), "option name Threads type spin default 1 min 1 max 64");
  EXPECT_EQ(engine.read_line(), "option name Ponder type check default false");
  EXPECT_EQ(engine.read_line(), "option name MultiPV type spin default 1 min 1 max 64");
  EXPECT_EQ(engine.read_line(), "option name Move Overhead type spin default 50 min 0 max 5000");
  EXPECT_EQ(engine.read_line(), "option name Clear Hash type button");
  EXPECT_EQ(engine.read_line(), "option name UCI_Chess960 type check default false");
  EXPECT_EQ(engine.read_line(), "option name Skill Level type spin default 20 min 0 max 20");
  EXPECT_EQ(engine.read_line(), "option name UCI_LimitStrength type check default false");
  EXPECT_EQ(engine.read_line(), "option name UCI_Elo type spin default 1350 min 1350 max 1900");
  EXPECT_EQ(engine.read_line(), "uciok ");
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok ");
  EXPECT_EQ(engine.read_line(), "");
  ASSERT_TRUE(engine.send("ucinewgame"));
  EXPECT_EQ(engine.read_for(std::chrono::milliseconds(100)), "");
  ASSERT_TRUE(engine.send("position startpos moves e2e4"));
  ASSERT_TRUE(engine.send("isready"));
  std::vector<std::string> skipped;
  EXPECT_EQ(engine.read_until("readyok", DEFAULT_TIMEOUT, &skipped), "readyok ");
  EXPECT_TRUE(skipped.empty());
  engine.close_input();
  EXPECT_EQ(engine.read_to_end(), "\n");
  EXPECT_EQ(engine.wait_exit(), 0);
}

TEST(Isready, AnswersReadyokAndAnEmptyLine) {
  expect_transcript("isready\n", READYOK, 0);
  expect_transcript("uci\nisready\n", UCI_ANSWER + READYOK, 0);
  expect_transcript("isready now\n", READYOK, 0);
}

TEST(Ucinewgame, WritesNothing) {
  expect_transcript("ucinewgame\n", "", 0);
  expect_transcript("ucinewgamefoo\n", "", 0);
  expect_transcript("uci\nucinewgame\nisready\n", UCI_ANSWER + READYOK, 0);
}

TEST(Dispatch, KeywordIsAPrefixOfTheLine) {
  // Only "ucinewgame" in full is the new-game command; anything else that starts
  // with "uci" is uci.
  expect_transcript("ucinewgam\n", UCI_ANSWER, 0);
  expect_transcript("uciok\n", UCI_ANSWER, 0);
  expect_transcript("positions startpos\n", "", 0);
  expect_transcript("positions startpos moves e2e5\n", "WARNING ! moves error\n", 0);
  expect_transcript("quitting\nisready\n", "", 1);
}

TEST(Dispatch, GoxIsGo) {
  // A go line without a limit ends the program before any search starts.
  expect_transcript("gox\nisready\n", ILLEGAL_GO, 1);
}

TEST(Dispatch, UnrecognisedLinesAreWarned) {
  const char* lines[] = {"", " uci", "stop", "UCI", "Quit", "\tisready", "setoptio", "xuci", "q"};
  std::string input;
  for (const char* line : lines) input += std::string(line) + "\n";
  expect_transcript(input + "isready\n", repeat(UNKNOWN, std::size(lines)) + READYOK, 0);
}

TEST(Quit, EndsWithStatusOneAndWritesNothing) {
  expect_transcript("quit\n", "", 1);
  expect_transcript("quit\nuci\nisready\n", "", 1);
  expect_transcript("uci\nquit\nisready\n", UCI_ANSWER, 1);
  expect_transcript("quit", "", 1);
}

TEST(EndOfInput, EndsWithStatusZero) {
  expect_transcript("", "", 0);
  expect_transcript("uci\n", UCI_ANSWER, 0);
  expect_transcript("\n", UNKNOWN, 0);
}

TEST(EndOfInput, ALastLineWithoutNewlineIsStillRead) {
  expect_transcript("isready", READYOK, 0);
  expect_transcript("uci\nisready", UCI_ANSWER + READYOK, 0);
  expect_transcript(std::string(65533, 'x'), UNKNOWN, 0);
  expect_transcript(std::string(65534, 'x'), "", 0);
}

TEST(EndOfInput, TheLineEndsAtANulCharacter) {
  expect_transcript(std::string("isready\0junk\n", 13) + "\n", READYOK + UNKNOWN, 0);
  expect_transcript(std::string("\0isready\n", 9), UNKNOWN, 0);
}

TEST(EndOfInput, ClosingInputAfterAPauseEnds) {
  EngineProcess engine;
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok ");
  EXPECT_EQ(engine.read_line(), "");
  engine.close_input();
  EXPECT_EQ(engine.wait_exit(), 0);
  EXPECT_EQ(engine.read_to_end(), "");
}

TEST(LongLines, SixtyFiveThousandFiveHundredThirtyThreeCharactersAreALine) {
  expect_transcript(std::string(65533, 'x') + "\nisready\n", UNKNOWN + READYOK, 0);
  // The whole line reaches the dispatcher.
  expect_transcript("isready" + std::string(65533 - 7, ' ') + "\nisready\n", READYOK + READYOK, 0);
}

TEST(LongLines, SixtyFiveThousandFiveHundredThirtyFourCharactersEndTheProgram) {
  expect_transcript(std::string(65534, 'x') + "\nisready\n", "", 0);
  expect_transcript("isready" + std::string(65534 - 7, ' ') + "\nisready\n", "", 0);
  expect_transcript("isready\n" + std::string(100000, 'x') + "\nisready\n", READYOK, 0);
}

TEST(LineEnds, CarriageReturnBeforeNewlineIsDropped) {
  expect_transcript("uci\r\nisready\r\nquit\r\n", UCI_ANSWER + READYOK, 1);
  // It would otherwise become the promotion letter of the last move.
  expect_transcript("position startpos moves e2e4 e7e5\r\nisready\r\n", READYOK, 0);
}

TEST(Setoption, HashBeforeUciHasNothingToFree) {
  expect_transcript("setoption name Hash value 8\n", NOTHING_TO_FREE, 1);
  expect_transcript("setoption name Hash value 8\nisready\n", NOTHING_TO_FREE, 1);
}

TEST(Setoption, HashZeroLeavesTheTableAloneEvenBeforeUci) {
  expect_transcript("setoption name Hash value 0\nisready\n", READYOK, 0);
  expect_transcript("setoption name Hash value\nisready\n", READYOK, 0);
}

TEST(Setoption, OtherOptionsWriteNothing) {
  expect_transcript("setoption name Threads value 4\n", "", 0);
  expect_transcript("setoption\nsetoption name Ponder value true\nisready\n", READYOK, 0);
}

TEST(Setoption, HashAfterUciWritesNothing) {
  expect_transcript(
      "uci\nsetoption name Hash value 8\nsetoption name Hash value 65537\nsetoption name Hash value 1\nisready\n",
      UCI_ANSWER + READYOK, 0);
}

TEST(Position, BadMovesAreWarnedAndTheRestApplied) {
  const std::string MOVES_ERROR = "WARNING ! moves error\n";
  expect_transcript("position startpos moves e2e5\n", MOVES_ERROR, 0);
  expect_transcript("position startpos moves e7e5\n", MOVES_ERROR, 0);
  expect_transcript("position startpos moves e2e4 e2e4\n", MOVES_ERROR, 0);
  // A skipped move leaves the side to move as it was: e7e5 is still Black's.
  expect_transcript("position startpos moves e2e4 z9z9 e7e5\n", MOVES_ERROR, 0);
  expect_transcript("position startpos moves e2e4 z9z9 g1f3\n", MOVES_ERROR + MOVES_ERROR, 0);
  expect_transcript("position startpos moves e2e4r\n", MOVES_ERROR, 0);
  expect_transcript("position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8Q\n", MOVES_ERROR, 0);
}

TEST(Position, GoodMovesWriteNothing) {
  expect_transcript(
      "position startpos moves e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 b5c6 d7c6 e1g1\n"
      "position startpos moves e2e4 a7a6 e4e5 d7d5 e5d6\n"
      "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8n\n"
      "position fen r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1 moves e8c8 e1g1 \n"
      "uci\nposition startpos\nisready\n",
      UCI_ANSWER + READYOK, 0);
}

// A table the process cannot have is refused at once with the memory message,
// not handed out by a system that promises more than it has and then ends the
// process when the pages are touched. The sanitizers reserve far more address
// space than this limit leaves, so only the plain build runs it.
TEST(HashOption, ATableBeyondTheProcessesMemoryGetsTheMemoryMessage) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
#else
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
  rlimit low = before;
  low.rlim_cur = rlim_t{512} << 20;
  if (before.rlim_max != RLIM_INFINITY && before.rlim_max < low.rlim_cur) low.rlim_cur = before.rlim_max;
  ASSERT_EQ(setrlimit(RLIMIT_AS, &low), 0);
  EngineProcess engine;  // the child starts under the limit
  setrlimit(RLIMIT_AS, &before);
  ASSERT_TRUE(engine.send("uci"));
  ASSERT_TRUE(engine.read_until("uciok"));
  ASSERT_TRUE(engine.send("setoption name Hash value 64"));  // within the limit
  ASSERT_TRUE(engine.send("isready"));
  EXPECT_EQ(engine.read_line(), "readyok ");
  EXPECT_EQ(engine.read_line(), "");
  ASSERT_TRUE(engine.send("setoption name Hash value 1024"));
  EXPECT_EQ(engine.read_to_end(), NO_MEMORY);
  EXPECT_EQ(engine.wait_exit(), 1);
#endif
}
