// The moves list of the position command: move text matched against the
// generated moves, and the game's key history.
#include <gtest/gtest.h>

#include <string>

#include "board/board.h"
#include "movegen/generate.h"
#include "support/capture.h"
#include "support/test_support.h"
#include "uci/board_view.h"
#include "uci/position.h"

namespace {

const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
const std::string MOVES_ERROR = "WARNING ! moves error\n";

// The key of `fen` set up on its own (keys drawn as by the first `uci`).
std::uint64_t key_of(const std::string& fen) {
  set_position(fen);
  return thread.bitboard.hash_key;
}

class MovesList : public ::testing::Test {
 protected:
  void SetUp() override { start_key = key_of(START); }

  // Runs `line` as the dispatcher runs a position command; returns the output.
  static std::string position(const std::string& line) {
    const capture::ExactText exact(line);
    return capture::output_of([&] {
      clear_board();
      position_command(exact);
    });
  }

  static std::string repeated(const std::string& moves, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += moves;
    return all;
  }

  std::uint64_t start_key = 0;
};

}  // namespace

TEST_F(MovesList, HistoryAfterTwoMoves) {
  const std::uint64_t after_e2e4 = key_of("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  const std::uint64_t after_e7e5 = key_of("rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6 0 2");
  EXPECT_NE(after_e2e4, after_e7e5);
  for (const char* line : {"position startpos moves e2e4 e7e5", "position startpos moves e2e4 e7e5 ",
                           "position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1 moves e2e4 e7e5"}) {
    EXPECT_EQ(position(line), "") << line;
    EXPECT_EQ(key_history_game_count, 2) << line;
    EXPECT_EQ(key_history_game[0], start_key) << line;
    EXPECT_EQ(key_history_game[1], after_e2e4) << line;
    EXPECT_EQ(key_history_game[2], after_e7e5) << line;
    EXPECT_EQ(thread.bitboard.hash_key, after_e7e5) << line;
    for (int i = 3; i < 1000; ++i)
      ASSERT_EQ(key_history_game[i], static_cast<std::uint64_t>(i)) << line << " entry " << i;
  }
}

TEST_F(MovesList, NoMovesLeavesTheStartOnly) {
  for (const char* line : {"position startpos", "position startpos moves", "position startpos moves "}) {
    EXPECT_EQ(position(line), "") << line;
    EXPECT_EQ(key_history_game_count, 0) << line;
    EXPECT_EQ(key_history_game[0], start_key) << line;
    EXPECT_EQ(key_history_game[1], 1u) << line;
    EXPECT_EQ(thread.bitboard.hash_key, start_key) << line;
  }
}

TEST_F(MovesList, PromotionLetters) {
  const std::string fen = "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves ";
  const struct {
    const char* move;
    const char* placement;
  } cases[] = {{"e7e8q", "4Q3/8/8/8/8/8/k7/4K3"},
               {"e7e8", "4Q3/8/8/8/8/8/k7/4K3"},
               {"e7e8r", "4R3/8/8/8/8/8/k7/4K3"},
               {"e7e8b", "4B3/8/8/8/8/8/k7/4K3"},
               {"e7e8n", "4N3/8/8/8/8/8/k7/4K3"}};
  for (const auto& c : cases) {
    EXPECT_EQ(position(fen + c.move), "") << c.move;
    EXPECT_EQ(board_view::placement(), c.placement) << c.move;
    EXPECT_EQ(board_view::state(), "b - ep 0,0,0") << c.move;
    EXPECT_EQ(key_history_game_count, 1) << c.move;
    EXPECT_EQ(thread.bitboard.hash_key, key_of(std::string(c.placement) + " b - - 0 1")) << c.move;
  }
}

TEST_F(MovesList, PromotionsWithCaptureAndForBlack) {
  EXPECT_EQ(position("position fen 3r4/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7d8n"), "");
  EXPECT_EQ(board_view::placement(), "3N4/8/8/8/8/8/k7/4K3");
  EXPECT_EQ(position("position fen 3r4/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7d8"), "");
  EXPECT_EQ(board_view::placement(), "3Q4/8/8/8/8/8/k7/4K3");
  EXPECT_EQ(position("position fen 4k3/8/8/8/8/8/4p3/K7 b - - 0 1 moves e2e1b"), "");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/K3b3");
  EXPECT_EQ(position("position fen 4k3/8/8/8/8/8/4p3/K4R2 b - - 0 1 moves e2f1r"), "");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/K4r2");
}

TEST_F(MovesList, UpperCasePromotionLetterIsRefusedButCounted) {
  const std::uint64_t before = key_of("8/4P3/8/8/8/8/k7/4K3 w - - 0 1");
  EXPECT_EQ(position("position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8Q"), MOVES_ERROR);
  EXPECT_EQ(board_view::placement(), "8/4P3/8/8/8/8/k7/4K3");
  EXPECT_EQ(board_view::state(), "w - ep 0,0,0");
  EXPECT_EQ(key_history_game_count, 1);
  EXPECT_EQ(key_history_game[0], before);
  EXPECT_EQ(key_history_game[1], before);
  EXPECT_EQ(key_history_game[2], 2u);
}

TEST_F(MovesList, PromotionLetterAfterAnOrdinaryMoveIsRefused) {
  for (const char* letter : {"r", "b", "n", "x", "1"}) {
    const std::string line = std::string("position startpos moves e2e4") + letter;
    EXPECT_EQ(position(line), MOVES_ERROR) << line;
    EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR") << line;
    EXPECT_EQ(board_view::state(), "w KQkq ep 0,0,0") << line;
    EXPECT_EQ(key_history_game_count, 1) << line;
    EXPECT_EQ(key_history_game[1], start_key) << line;
  }
  // 'q' names the matched move itself.
  EXPECT_EQ(position("position startpos moves e2e4q"), "");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR");
}

// Every letter against a quiet promotion, a capturing one, one for Black and an
// ordinary move; a refused move is still counted in the history.
TEST_F(MovesList, PromotionLetterChoosesTheKind) {
  const std::string push = "position fen 8/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7e8";
  const std::string take = "position fen 3r4/4P3/8/8/8/8/k7/4K3 w - - 0 1 moves e7d8";
  const std::string black = "position fen 4k3/8/8/8/8/8/4p3/K4R2 b - - 0 1 moves e2f1";
  const std::string start = "position startpos moves e2e4";
  const std::string push_board = "8/4P3/8/8/8/8/k7/4K3", take_board = "3r4/4P3/8/8/8/8/k7/4K3",
                    black_board = "4k3/8/8/8/8/8/4p3/K4R2", start_board = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
  const struct {
    std::string line;
    bool refused;
    std::string placement;
  } cases[] = {
      {push + "q", false, "4Q3/8/8/8/8/8/k7/4K3"},
      {push + "r", false, "4R3/8/8/8/8/8/k7/4K3"},
      {push + "b", false, "4B3/8/8/8/8/8/k7/4K3"},
      {push + "n", false, "4N3/8/8/8/8/8/k7/4K3"},
      {push, false, "4Q3/8/8/8/8/8/k7/4K3"},
      {push + "Q", true, push_board},
      {push + "N", true, push_board},
      {push + "x", true, push_board},
      {take + "q", false, "3Q4/8/8/8/8/8/k7/4K3"},
      {take + "r", false, "3R4/8/8/8/8/8/k7/4K3"},
      {take + "b", false, "3B4/8/8/8/8/8/k7/4K3"},
      {take + "n", false, "3N4/8/8/8/8/8/k7/4K3"},
      {take, false, "3Q4/8/8/8/8/8/k7/4K3"},
      {take + "R", true, take_board},
      {black + "q", false, "4k3/8/8/8/8/8/8/K4q2"},
      {black + "n", false, "4k3/8/8/8/8/8/8/K4n2"},
      {black, false, "4k3/8/8/8/8/8/8/K4q2"},
      {black + "Q", true, black_board},
      {start + "q", false, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR"},
      {start + "r", true, start_board},
      {start + "b", true, start_board},
      {start + "n", true, start_board},
      {start + "Q", true, start_board},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(position(c.line), c.refused ? MOVES_ERROR : "") << c.line;
    EXPECT_EQ(board_view::placement(), c.placement) << c.line;
    EXPECT_EQ(key_history_game_count, 1) << c.line;
  }
}

TEST_F(MovesList, PromotionLetterNeverReachesPastTheList) {
  // The last moves of the generated list, none of them a promotion.
  set_position(START);
  MoveList list{};
  generate_all_moves(list);
  ASSERT_GE(list.move_count, 3);
  auto square = [](unsigned s) { return std::string{static_cast<char>('a' + s % 8), static_cast<char>('1' + s / 8)}; };
  for (int back = 1; back <= 3; ++back) {
    const Move m = list.move[list.move_count - back];
    for (const char* letter : {"r", "b", "n"}) {
      const std::string line = "position startpos moves " + square(from_coord(m)) + square(to_coord(m)) + letter;
      EXPECT_EQ(position(line), MOVES_ERROR) << line;
      EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR") << line;
    }
  }
}

TEST_F(MovesList, Castling) {
  const std::string fen = "position fen r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1 moves ";
  EXPECT_EQ(position(fen + "e1g1 e8c8"), "");
  EXPECT_EQ(board_view::placement(), "2kr3r/8/8/8/8/8/8/R4RK1");
  EXPECT_EQ(board_view::state(), "w - ep 0,0,0");
  EXPECT_EQ(thread.bitboard.hash_key, key_of("2kr3r/8/8/8/8/8/8/R4RK1 w - - 2 2"));
  EXPECT_EQ(position(fen + "e1c1 e8g8"), "");
  EXPECT_EQ(board_view::placement(), "r4rk1/8/8/8/8/8/8/2KR3R");
  EXPECT_EQ(board_view::state(), "w - ep 0,0,0");
}

TEST_F(MovesList, EnPassant) {
  EXPECT_EQ(position("position startpos moves e2e4 a7a6 e4e5 d7d5 e5d6"), "");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/1pp1pppp/p2P4/8/8/8/PPPP1PPP/RNBQKBNR");
  // The capture clears the en-passant flag and leaves the old square's coordinates.
  EXPECT_EQ(board_view::state(), "b KQkq ep 0,3,5");
  EXPECT_EQ(thread.bitboard.hash_key, key_of("rnbqkbnr/1pp1pppp/p2P4/8/8/8/PPPP1PPP/RNBQKBNR b KQkq - 0 3"));
  EXPECT_EQ(position("position fen 4k3/8/8/8/4Pp2/8/8/4K3 b - e3 0 1 moves f4e3"), "");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/4p3/8/4K3");
}

TEST_F(MovesList, TwoSpacesPutTheReaderOutOfStep) {
  // After the double space the window reads " e7e" with the promotion letter '5'
  // (no match), then g1f3, which is not Black's move.
  const std::uint64_t after_e2e4 = key_of("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_EQ(position("position startpos moves e2e4  e7e5 g1f3"), MOVES_ERROR + MOVES_ERROR);
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR");
  EXPECT_EQ(key_history_game_count, 3);
  EXPECT_EQ(key_history_game[1], after_e2e4);
  EXPECT_EQ(key_history_game[2], after_e2e4);
  EXPECT_EQ(key_history_game[3], after_e2e4);
  EXPECT_EQ(key_history_game[4], 4u);
}

TEST_F(MovesList, MovesThatMatchNothing) {
  for (const char* move : {"e2e5", "e7e5", "z9z9", "e2e2", "a1a1", "E2E4"}) {
    const std::string line = std::string("position startpos moves ") + move;
    EXPECT_EQ(position(line), MOVES_ERROR) << line;
    EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR") << line;
    EXPECT_EQ(key_history_game_count, 1) << line;
  }
  // The remaining moves are applied to the position as it stands.
  EXPECT_EQ(position("position startpos moves e2e4 e2e4 e7e5 g1f3"), MOVES_ERROR);
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R");
  EXPECT_EQ(key_history_game_count, 4);
}

TEST_F(MovesList, SquaresOffTheBoardAreRefused) {
  for (const char* move : {"i2h2", "h1i4", "h0h2", "h1h9", "`1h2"}) {
    EXPECT_EQ(position(std::string("position fen 4k3/8/8/8/8/8/8/4K2R w K - 0 1 moves ") + move), MOVES_ERROR) << move;
    EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R") << move;
    EXPECT_EQ(key_history_game_count, 1) << move;  // counted like any skipped move
  }
}

TEST_F(MovesList, AMoveThatLeavesTheOwnKingAttackedIsRefused) {
  // The king would walk into the rook's file; the pinned knight may not leave it.
  EXPECT_EQ(position("position fen 4k3/8/8/8/8/8/8/3rK3 w - - 0 1 moves e1d2 e1d1"), MOVES_ERROR);
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/3K4");
  EXPECT_EQ(position("position fen 4r1k1/8/8/8/8/8/4N3/4K3 w - - 0 1 moves e2c3"), MOVES_ERROR);
  EXPECT_EQ(board_view::placement(), "4r1k1/8/8/8/8/8/4N3/4K3");
  // After mate every move is refused, and the position stays the mate.
  EXPECT_EQ(position("position startpos moves f2f3 e7e5 g2g4 d8h4 e1f2 a2a3"), MOVES_ERROR + MOVES_ERROR);
  EXPECT_EQ(board_view::placement(), "rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR");
}

TEST_F(MovesList, TheHistoryWrapsAfter255Moves) {
  const std::string quad = "g1f3 g8f6 f3g1 f6g8 ";
  const std::uint64_t after_g1f3 = key_of("rnbqkbnr/pppppppp/8/8/8/5N2/PPPPPPPP/RNBQKB1R b KQkq - 1 1");
  const std::uint64_t after_g8f6 = key_of("rnbqkb1r/pppppppp/5n2/8/8/5N2/PPPPPPPP/RNBQKB1R w KQkq - 2 2");
  const std::uint64_t after_f3g1 = key_of("rnbqkb1r/pppppppp/5n2/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 3 2");

  EXPECT_EQ(position("position startpos moves " + repeated(quad, 64)), "");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
  EXPECT_EQ(key_history_game_count, 0);
  EXPECT_EQ(key_history_game[0], start_key);
  EXPECT_EQ(key_history_game[1], after_g1f3);
  EXPECT_EQ(key_history_game[2], after_g8f6);
  EXPECT_EQ(key_history_game[3], after_f3g1);
  EXPECT_EQ(key_history_game[4], start_key);
  EXPECT_EQ(key_history_game[255], after_f3g1);
  for (int i = 256; i < 1000; ++i) ASSERT_EQ(key_history_game[i], static_cast<std::uint64_t>(i)) << i;

  EXPECT_EQ(position("position startpos moves " + repeated(quad, 64) + "g1f3"), "");
  EXPECT_EQ(key_history_game_count, 1);
  EXPECT_EQ(key_history_game[0], start_key);
  EXPECT_EQ(key_history_game[1], after_g1f3);
  EXPECT_EQ(thread.bitboard.hash_key, after_g1f3);
}

TEST_F(MovesList, ApplyMoveTextDirectly) {
  set_position(START);
  EXPECT_EQ(capture::output_of([] { apply_move_text({'e', '2', 'e', '4', 0}); }), "");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR");
  EXPECT_EQ(board_view::state(), "b KQkq ep 1,4,2");
  // The key is the caller's to update.
  EXPECT_EQ(thread.bitboard.hash_key, start_key);
  EXPECT_EQ(capture::output_of([] { apply_move_text({'e', '2', 'e', '4', 0}); }), MOVES_ERROR);
  EXPECT_EQ(capture::output_of([] { apply_move_text({'g', '8', 'f', '6', 'Q'}); }), MOVES_ERROR);
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR");
}
