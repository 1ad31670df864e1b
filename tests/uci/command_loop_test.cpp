// The dispatcher and the Hash option, seen from inside the process.
#include "uci/command_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "board/board.h"
#include "hash/hash.h"
#include "hash/zobrist.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "search/reports.h"
#include "search/skill.h"
#include "support/capture.h"
#include "support/engine_texts.h"
#include "support/test_support.h"
#include "uci/board_view.h"
#include "uci/options.h"

namespace {

std::string dispatch(const std::string& line) {
  const capture::ExactText exact(line);
  return capture::output_of([&] { dispatch_command(exact); });
}

std::uint16_t hash_option(const std::string& line) {
  const capture::ExactText exact(line);
  return read_hash_option(exact);
}

bool table_is_empty() {
  for (std::uint64_t i = 0; i <= hash_mask; ++i)
    if (Hash::move_key(p_hash_moves[i]) || Hash::score_key(p_hash_moves[i])) return false;
  return true;
}

}  // namespace

TEST(ReadHashOption, Values) {
  EXPECT_EQ(hash_option("setoption name Hash value 64"), 64);
  EXPECT_EQ(hash_option("setoption name Hash value 0"), 0);
  EXPECT_EQ(hash_option("setoption name Hash value 5000"), 5000);
  EXPECT_EQ(hash_option("setoption name Hash value 65537"), 1);
  EXPECT_EQ(hash_option("setoption name Hash value -1"), 65535);
  EXPECT_EQ(hash_option("setoption name Hash value 64 megabytes please"), 64);
  EXPECT_EQ(hash_option("setoption name Hash value    32"), 32);
  EXPECT_EQ(hash_option("setoption name Hash value +12"), 12);
  EXPECT_EQ(hash_option("setoption name Hash value=12"), 12);
  EXPECT_EQ(hash_option("setoption name Hash value x12"), 0);
  EXPECT_EQ(hash_option("Hash value 16"), 16);
}

TEST(ReadHashOption, NothingToReadGivesZero) {
  EXPECT_EQ(hash_option("setoption name Hash value"), 0);
  EXPECT_EQ(hash_option("setoption name Hash value "), 0);
  EXPECT_EQ(hash_option("setoption name Threads value 4"), 0);
  EXPECT_EQ(hash_option("setoption name hash value 4"), 0);
  EXPECT_EQ(hash_option("setoption name Hash  value 4"), 0);
  EXPECT_EQ(hash_option(""), 0);
}

TEST(Dispatch, UciDrawsKeysAndMakesAnEmptyDefaultTable) {
  set_position("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
  const std::uint64_t first = zobrist[0][1][0];
  hash_age = 17;
  EXPECT_EQ(dispatch("uci"), UCI_ANSWER);
  ASSERT_NE(p_hash_moves, nullptr);
  EXPECT_EQ(hash_mask, 32767u);
  EXPECT_EQ(hash_age, 0);
  EXPECT_TRUE(table_is_empty());
  EXPECT_NE(zobrist[0][1][0], first);
  // Every uci draws anew.
  const std::uint64_t second = zobrist[0][1][0];
  p_hash_moves[5].move_check = 9;
  EXPECT_EQ(dispatch("ucinewgam"), UCI_ANSWER);
  EXPECT_NE(zobrist[0][1][0], second);
  EXPECT_TRUE(table_is_empty());
}

TEST(Dispatch, SetoptionResizesTheTable) {
  EXPECT_EQ(dispatch("uci"), UCI_ANSWER);
  EXPECT_EQ(dispatch("setoption name Hash value 3"), "");
  EXPECT_EQ(hash_mask, 131071u);
  EXPECT_TRUE(table_is_empty());
  p_hash_moves[7].score_check = 3;
  EXPECT_EQ(dispatch("setoption name Hash value 0"), "");
  EXPECT_EQ(hash_mask, 131071u);
  EXPECT_EQ(Hash::score_key(p_hash_moves[7]), 3u);
  EXPECT_EQ(dispatch("setoption name Style value 4"), "");
  EXPECT_EQ(hash_mask, 131071u);
  EXPECT_EQ(Hash::score_key(p_hash_moves[7]), 3u);
  EXPECT_EQ(dispatch("setoption name Hash value 65537"), "");
  EXPECT_EQ(hash_mask, 32767u);
  EXPECT_TRUE(table_is_empty());
  EXPECT_EQ(dispatch("setoption name Hash value 2"), "");
  EXPECT_EQ(hash_mask, 65535u);
}

TEST(Dispatch, UcinewgameEmptiesTheTableAndKeepsTheBoard) {
  EXPECT_EQ(dispatch("uci"), UCI_ANSWER);
  set_position("r3k2r/8/8/8/4Pp2/8/8/R3K2R b KQkq e3 0 1");
  const BoardState before = thread.bitboard;
  for (const char* line : {"ucinewgame", "ucinewgamefoo", "setoption name Clear Hash", "setoption name clear HASH"}) {
    const MoveList list{};
    Hash::save_hash_move(0, 1, list, 0, 0);
    Hash::save_hash_score(32767, 2, 77, BOUND_EXACT, 0);
    hash_age = 9;
    EXPECT_EQ(dispatch(line), "") << line;
    EXPECT_EQ(hash_age, 0) << line;
    EXPECT_TRUE(table_is_empty()) << line;
    EXPECT_TRUE(boards_equal(thread.bitboard, before)) << line;
  }
}

TEST(Dispatch, IsreadyAndUnknownLines) {
  EXPECT_EQ(dispatch("isready"), "readyok \n\n");
  for (const char* line : {"", " uci", "stop", "Isready"})
    EXPECT_EQ(dispatch(line), "WARNING ! Unknown command\n") << '"' << line << '"';
  for (const char* line : {"debug on", "debug off", "register later", "register name x code y", "ponderhit"})
    EXPECT_EQ(dispatch(line), "") << '"' << line << '"';
}

TEST(Dispatch, PositionsIsPosition) {
  set_position("8/8/8/8/8/8/8/k6K b - - 0 1");
  EXPECT_EQ(dispatch("positions startpos"), "");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
  EXPECT_EQ(dispatch("position fen 8/8/8/8/8/8/8/k6K b - - 0 1 moves a1b1"), "");
  EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/1k5K");
}

TEST(Dispatch, QuitEndsWithStatusOne) {
  EXPECT_EXIT_WITH_OUTPUT(dispatch_command("quit"), 1, "");
  EXPECT_EXIT_WITH_OUTPUT(dispatch_command("quitting"), 1, "");
}

TEST(Dispatch, GoxIsGo) {
  EXPECT_EXIT_WITH_OUTPUT(dispatch_command("gox"), 1, "Nerul: illegal go command. I am terminated.\n");
}

namespace {

// The move `bestmove` names, if the output has one.
std::string bestmove_of(const std::string& output) {
  const std::size_t at = output.rfind("bestmove ");
  if (at == std::string::npos) return "";
  const std::size_t start = at + 9;
  return output.substr(start, output.find_first_of(" \n", start) - start);
}

// Every legal move of the position on the board, as the engine writes it.
std::vector<std::string> legal_moves() {
  MoveList list;
  generate_all_moves(list);
  std::vector<std::string> moves;
  for (std::uint8_t i = 0; i < list.move_count; ++i)
    if (thread.bitboard.colour_move == 1 ? is_legal<WHITE>(0, i, list) : is_legal<BLACK>(0, i, list))
      moves.push_back(move_text(list.move[i]));
  return moves;
}

}  // namespace

// The levels, on a fixed seed: every answer legal, a single legal move and a
// mate in one played at every level, and the weakest level away from the full
// engine's choice on most quiet positions.
TEST(PlayingStrength, EveryLevelPlaysLegallyAndNeverMissesAMateInOne) {
  struct Case {
    const char* fen;
    const char* forced;  // the move every level plays, if any
  };
  const Case cases[] = {
      {"6k1/5ppp/8/8/8/8/5PPP/R5K1 w - - 0 1", "a1a8"},  // mate in one
      {"7k/8/8/8/8/8/8/6RK b - - 0 1", "h8h7"},          // one legal move
      {"4k3/8/8/3q4/8/8/3R4/3RK3 w - - 0 1", nullptr},   // the queen hangs
      {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1", nullptr},
      {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", nullptr},
      {"r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 8", nullptr},
      {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", nullptr},
      {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", nullptr},
  };
  dispatch("uci");
  int differing = 0, quiet = 0;
  for (const Case& c : cases) {
    std::string full_strength;
    for (int level = 0; level <= 20; level += 5) {
      seed_skill_choice(12345);
      dispatch("setoption name Skill Level value " + std::to_string(level));
      dispatch("ucinewgame");
      dispatch(std::string("position fen ") + c.fen);
      const std::vector<std::string> legal = legal_moves();
      const std::string move = bestmove_of(dispatch("go depth 6"));
      EXPECT_NE(std::find(legal.begin(), legal.end(), move), legal.end()) << c.fen << " level " << level << " " << move;
      if (c.forced) {
        EXPECT_EQ(move, c.forced) << c.fen << " level " << level;
      }
      if (level == 0 && !c.forced) full_strength = move;
      if (level == 20 && !c.forced) {
        ++quiet;
        differing += move != full_strength;
      }
    }
  }
  dispatch("setoption name Skill Level value 20");
  EXPECT_GT(2 * differing, quiet);
}

// Along the Elo scale a level never gets weaker: no shallower cap, and at one
// cap no harder pull; the top is the full engine.
TEST(PlayingStrength, TheLevelsStrengthenAlongTheEloScale) {
  const auto depth = [](const Skill& s) { return s.full || s.depth == 0 ? 1000 : s.depth; };
  Skill before = skill_for_elo(SKILL_ELO_MIN);
  for (int elo = SKILL_ELO_MIN + 1; elo <= skill_elo_max(); ++elo) {
    const Skill now = skill_for_elo(elo);
    EXPECT_GE(depth(now), depth(before)) << elo;
    if (depth(now) == depth(before) && !now.full) {
      EXPECT_LE(now.pull, before.pull) << elo;
    }
    before = now;
  }
  EXPECT_TRUE(before.full);
  EXPECT_FALSE(skill_for_elo(SKILL_ELO_MIN).full);
}

// The options clamp as the others do, and the top of the Elo scale is the full
// engine, line for line.
TEST(PlayingStrength, OptionsClampAndTheTopEloIsTheFullEngine) {
  dispatch("uci");
  // Line for line, but for the speed, which the clock decides.
  const auto run = [&] {
    dispatch("ucinewgame");
    dispatch("position startpos moves e2e4 e7e5");
    return std::regex_replace(dispatch("go depth 5"), std::regex("nps [0-9]+ "), "nps ");
  };
  const std::string full = run();
  dispatch("setoption name UCI_LimitStrength value true");
  dispatch("setoption name UCI_Elo value 99999");
  EXPECT_EQ(engine_options.elo, skill_elo_max());
  EXPECT_EQ(run(), full);
  dispatch("setoption name UCI_Elo value -7");
  EXPECT_EQ(engine_options.elo, SKILL_ELO_MIN);
  const Skill weakest = playing_skill();
  EXPECT_FALSE(weakest.full);
  dispatch("setoption name Skill Level value 20");  // ignored while the Elo decides
  EXPECT_EQ(playing_skill().depth, weakest.depth);
  dispatch("setoption name UCI_LimitStrength value false");
  dispatch("setoption name Skill Level value 99");
  EXPECT_TRUE(playing_skill().full);
  dispatch("setoption name skill level value -3");
  EXPECT_EQ(playing_skill().depth, 1);
  dispatch("setoption name Skill Level value 20");
  EXPECT_EQ(run(), full);
}
