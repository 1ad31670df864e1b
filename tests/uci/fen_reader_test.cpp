// The position command's FEN reader: a fixed-offset scanner of the first four
// fields, and what it makes of text that is not quite FEN.
#include <gtest/gtest.h>

#include <string>

#include "board/board.h"
#include "support/capture.h"
#include "support/engine_texts.h"
#include "uci/board_view.h"
#include "uci/options.h"
#include "uci/position.h"

using capture::ExactText;

namespace {

// Reads `text` (which starts with "position fen ") from a block of exactly its
// length, on a board that a previous position has filled.
void read(const std::string& text) {
  read_fen("position fen r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq e3 0 1");
  const ExactText exact(text);
  read_fen(exact);
}

// The whole position command, as the dispatcher runs it.
std::string position(const std::string& line) {
  const ExactText exact(line);
  return capture::output_of([&] {
    clear_board();
    position_command(exact);
  });
}

}  // namespace

TEST(FenReader, StartPosition) {
  EXPECT_EQ(position("position startpos"), "");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR");
  EXPECT_EQ(board_view::inconsistency(), "");
  const BoardState& b = thread.bitboard;
  for (int s = 8; s <= 15; ++s) EXPECT_EQ(b.white_name_from_coord[s], PAWN) << s;
  for (int s = 48; s <= 55; ++s) EXPECT_EQ(b.black_name_from_coord[s], PAWN) << s;
  EXPECT_EQ(b.white_name_from_coord[4], KING);
  EXPECT_EQ(b.black_name_from_coord[60], KING);
  EXPECT_EQ(b.white_piece[PAWN], 0x000000000000FF00u);
  EXPECT_EQ(b.black_piece[PAWN], 0x00FF000000000000u);
  EXPECT_EQ(b.all_piece, 0xFFFF00000000FFFFu);
  EXPECT_EQ(b.colour_move, 1);
  EXPECT_EQ(b.castling_K, 1);
  EXPECT_EQ(b.castling_Q, 1);
  EXPECT_EQ(b.castling_k, 1);
  EXPECT_EQ(b.castling_q, 1);
  EXPECT_EQ(b.taking_passage_yes, 0);
}

TEST(FenReader, AnythingButPositionFenIsTheStartPosition) {
  for (const char* line :
       {"position", "position startpos ", "positions startpos", "position fe", "position startpos moves"}) {
    read_fen("position fen 8/8/8/8/8/8/8/8 b - - 0 1");
    EXPECT_EQ(position(line), "") << line;
    EXPECT_EQ(board_view::placement(), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR") << line;
    EXPECT_EQ(board_view::state(), "w KQkq ep 0,0,0") << line;
  }
}

TEST(FenReader, PiecesAndOneCastlingRight) {
  read("position fen 4k3/8/8/8/8/8/8/4K2R w K - 0 1");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(thread.bitboard.white_name_from_coord[4], KING);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[7], ROOK);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[60], KING);
  EXPECT_EQ(board_view::state(), "w K ep 0,0,0");
  EXPECT_EQ(thread.bitboard.castling_K, 1);
}

TEST(FenReader, EveryPieceLetter) {
  read("position fen rnbqkbnr/8/8/8/8/8/8/RNBQKBNR b Qk - 0 1");
  EXPECT_EQ(board_view::placement(), "rnbqkbnr/8/8/8/8/8/8/RNBQKBNR");
  EXPECT_EQ(board_view::inconsistency(), "");
  const std::uint8_t back_rank[8] = {ROOK, KNIGHT, BISHOP, QUEEN, KING, BISHOP, KNIGHT, ROOK};
  for (int file = 0; file < 8; ++file) {
    EXPECT_EQ(thread.bitboard.white_name_from_coord[file], back_rank[file]);
    EXPECT_EQ(thread.bitboard.black_name_from_coord[56 + file], back_rank[file]);
  }
  EXPECT_EQ(board_view::state(), "b Qk ep 0,0,0");
}

TEST(FenReader, EnPassantField) {
  read("position fen rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
  EXPECT_EQ(board_view::state(), "b KQkq ep 1,4,2");
  read("position fen rnbqkbnr/ppp1pppp/8/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 2");
  EXPECT_EQ(board_view::state(), "w KQkq ep 1,3,5");
  read("position fen rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  EXPECT_EQ(board_view::state(), "w KQkq ep 0,0,0");
  // Unrecognised letters are kept as 255.
  read("position fen 4k3/8/8/8/8/8/8/4K3 w - z9 0 1");
  EXPECT_EQ(board_view::state(), "w - ep 1,255,255");
  read("position fen 4k3/8/8/8/8/8/8/4K3 w - h0 0 1");
  EXPECT_EQ(board_view::state(), "w - ep 1,7,255");
}

TEST(FenReader, CountersAreNotNeeded) {
  read("position fen 4k3/8/8/8/4P3/8/8/4K2R b Kq e3");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/4P3/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "b Kq ep 1,4,2");
  read("position fen 4k3/8/8/8/8/8/8/4K2R w K -");
  EXPECT_EQ(board_view::state(), "w K ep 0,0,0");
}

TEST(FenReader, CastlingLettersInAnyOrderAndRepeated) {
  read("position fen r3k2r/8/8/8/8/8/8/R3K2R w qkQKK - 0 1");
  EXPECT_EQ(board_view::state(), "w KQkq ep 0,0,0");
  read("position fen r3k2r/8/8/8/8/8/8/R3K2R w Xk - 0 1");
  EXPECT_EQ(board_view::state(), "w k ep 0,0,0");
}

TEST(FenReader, UnknownSideLetterLeavesBlackToMove) {
  read("position fen 4k3/8/8/8/8/8/8/4K3 W - - 0 1");
  EXPECT_EQ(board_view::state(), "b - ep 0,0,0");
}

TEST(FenReader, TwoSpacesAfterTheSideLetterLoseTheCastlingRights) {
  // After the side letter exactly one character is skipped: the castling field
  // starts on a space and is empty, and the castling letters become the
  // en-passant square.
  read("position fen 4k3/8/8/8/8/8/8/4K2R b  K - 0 1");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "b - ep 1,255,255");
  read("position fen r3k2r/8/8/8/8/8/8/R3K2R w  KQkq - 0 1");
  EXPECT_EQ(board_view::state(), "w - ep 1,255,255");
}

TEST(FenReader, TwoSpacesAfterFenGiveAnEmptyBoard) {
  // Index 13 is a space: the placement is empty, and the rest of the FEN is read
  // from one character further on, field by field.
  read("position fen  4k3/8/8/8/8/8/8/4K2R w K - 0 1");
  EXPECT_EQ(thread.bitboard.all_piece, 0u);
  EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/8");
  EXPECT_EQ(board_view::inconsistency(), "");
  // Side letter '4'; castling read over "3/8/8/8/8/8/8/4K2R"; en passant 'w', ' '.
  EXPECT_EQ(board_view::state(), "b K ep 1,255,255");
}

TEST(FenReader, AnUnknownPlacementCharacterIsOneEmptySquare) {
  for (const char* fen : {"4k3/8/8/8/8/8/8/x3K2R", "4k3/8/8/8/8/8/8/xxxxKxxR", "4k3/8/8/8/8/8/8/1111K11R",
                          "4k3/8/8/8/8/8/8/09.-K#!R", "xxxxkxxx/8/8/8/8/8/8/4K2R"}) {
    read(std::string("position fen ") + fen + " w K - 0 1");
    EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R") << fen;
    EXPECT_EQ(board_view::state(), "w K ep 0,0,0") << fen;
  }
}

TEST(FenReader, TruncatedTextKeepsWhatWasRead) {
  read("position fen 4k3/8/8/8/8/8/8/4K2R w");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "w - ep 0,0,0");

  read("position fen 4k3/8/8/8/8/8/8/4K2R w ");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "w - ep 0,0,0");

  read("position fen 4k3/8/8/8/8/8/8/4K2R b KQ");
  EXPECT_EQ(board_view::state(), "b KQ ep 0,0,0");

  read("position fen 4k3/8/8/8/8/8/8/4K2R b KQ ");
  EXPECT_EQ(board_view::state(), "b KQ ep 0,0,0");

  read("position fen 4k3/8/8/8/8/8/8/4K2R b K e");
  EXPECT_EQ(thread.bitboard.taking_passage_yes, 1);
  EXPECT_EQ(thread.bitboard.taking_passage_x, 4);

  read("position fen 4k3/8/8/8/8/8/8/4K2R ");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "b - ep 0,0,0");

  read("position fen 4k3/8/8");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/8");
  EXPECT_EQ(board_view::state(), "b - ep 0,0,0");
  EXPECT_EQ(board_view::inconsistency(), "");

  read("position fen 4k3/8/8/8/8/8/8/4K");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K3");

  read("position fen ");
  EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/8");
  EXPECT_EQ(board_view::state(), "b - ep 0,0,0");
}

TEST(FenReader, PositionFenWithNothingAfterIt) {
  // "position fen" passes the prefix test but has no index 13 at all.
  // An empty board has no kings: refused.
  EXPECT_EQ(position("position fen"), FEN_ERROR);
  EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/8");
  EXPECT_EQ(board_view::state(), "b - ep 0,0,0");
  EXPECT_EQ(position("position fen "), FEN_ERROR);
  EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/8");
}

TEST(FenReader, MoreThanEightRowsNeverLeaveTheBoard) {
  read("position fen 4k3/8/8/8/8/8/8/4K2R/RRRRRRRR/qqqqqqqq w K - 0 1");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "w K ep 0,0,0");

  std::string many_rows = "position fen 4k3/8/8/8/8/8/8/4K2R";
  for (int i = 0; i < 20; ++i) many_rows += "/PpPpPpPp";
  read(many_rows + " b - e3 0 1");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "b - ep 1,4,2");
}

TEST(FenReader, MoreThanEightSquaresInARowNeverLeaveTheBoard) {
  // Past the eighth file of the first row lie squares 64 and up.
  read("position fen 4k3QQQQ/8/8/8/8/8/8/4K2R w K - 0 1");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(board_view::placement(), "4k3/8/8/8/8/8/8/4K2R");
  EXPECT_EQ(board_view::state(), "w K ep 0,0,0");

  read("position fen 88qqqqqqqqqqqqqqqq/8/8/8/8/8/8/4K2R w K - 0 1");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(thread.bitboard.white_name_from_coord[4], KING);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[7], ROOK);
  EXPECT_EQ(board_view::state(), "w K ep 0,0,0");

  // Past the eighth file of the last row would be the next row up: where such a
  // piece goes is the reader's business, as long as it stays on the board.
  read("position fen 4k3/8/8/8/8/8/8/4K2RNNNNNNNNNNNN w K - 0 1");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(thread.bitboard.white_name_from_coord[4], KING);
  EXPECT_EQ(thread.bitboard.white_name_from_coord[7], ROOK);
  EXPECT_EQ(thread.bitboard.black_name_from_coord[60], KING);
  EXPECT_EQ(board_view::state(), "w K ep 0,0,0");
}

TEST(FenReader, OverlongTextStaysWithinTheReadersReach) {
  read("position fen " + std::string(400, 'x'));
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(thread.bitboard.all_piece, 0u);
  read("position fen " + std::string(300, '/') + " w KQkq e3 0 1");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(thread.bitboard.all_piece, 0u);
}

TEST(FenReader, NothingSurvivesFromThePreviousPosition) {
  read("position fen 8/8/8/8/8/8/8/k6K b - - 0 1");
  EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/k6K");
  EXPECT_EQ(board_view::state(), "b - ep 0,0,0");
  EXPECT_EQ(board_view::inconsistency(), "");
  EXPECT_EQ(thread.bitboard.hash_key, 0u);
  EXPECT_EQ(thread.bitboard.value_white_material, 0u);
}

// What a position the rules could never reach gets: one warning, an empty board,
// and rights that the placement contradicts dropped from a position that is kept.
TEST(PositionCheck, ImpossiblePlacementsAreRefused) {
  for (const char* fen : {
           "qqqqqqqq/QQQQQQQQ/8/8/8/8/8/8 w - - 0 1",  // no kings
           "4k3/8/8/8/8/8/8/8 w - - 0 1",              // no White king
           "4k3/8/8/8/8/8/8/3KK3 w - - 0 1",           // two White kings
           "4k3/4k3/8/8/8/8/8/4K3 b - - 0 1",          // two Black kings
           "4k3/8/8/8/8/8/8/P3K3 w - - 0 1",           // a pawn on the first rank
           "3pk3/8/8/8/8/8/8/4K3 b - - 0 1",           // a pawn on the last rank
           "4k3/8/8/8/8/8/8/4K2p w - - 0 1",
           "4k3/8/8/8/8/8/8/4R1K1 w - - 0 1",  // Black, not to move, in check
           "4k3/8/8/8/1b6/8/8/4K3 b - - 0 1",  // White, not to move, in check
       }) {
    EXPECT_EQ(position(std::string("position fen ") + fen + " moves e1e2"), FEN_ERROR) << fen;
    EXPECT_EQ(board_view::placement(), "8/8/8/8/8/8/8/8") << fen;
    EXPECT_TRUE(position_refused) << fen;
  }
  // The side to move may be in check, of course; and the next position is judged afresh.
  EXPECT_EQ(position("position fen 4k3/8/8/8/8/8/8/4R1K1 b - - 0 1"), "");
  EXPECT_FALSE(position_refused);
}

// With Chess960, K and Q name the outermost rook on that side of the king,
// wherever the king stands on its first rank, and a file letter the rook on that
// file. Without it, only a king and a rook on their standard squares keep a
// right, whatever the letter.
TEST(PositionCheck, CastlingRightsNeedKingAndRookOnTheirWing) {
  struct Case {
    bool chess960;
    const char* fen;
    const char* state;
  };
  const Case cases[] = {
      {false, "4k3/8/8/8/8/8/8/R6K w KQ - 0 1", "w - ep 0,0,0"},    // the king off e1
      {true, "4k3/8/8/8/8/8/8/R6K w KQ - 0 1", "w Q ep 0,0,0"},     // ... and on h1 it has no king side
      {false, "4k3/8/8/8/8/8/R7/4K2R w KQ - 0 1", "w K ep 0,0,0"},  // a rook off the first rank
      {true, "4k3/8/8/8/8/8/R7/4K2R w KQ - 0 1", "w K ep 0,0,0"},
      {false, "r3k3/8/8/8/8/8/8/4K2R w KQkq - 0 1", "w Kq ep 0,0,0"},
      {true, "r3k3/8/8/8/8/8/8/4K2R w KQkq - 0 1", "w Kq ep 0,0,0"},
      {false, "r3k2r/8/8/8/8/8/8/R2K3R w KQkq - 0 1", "w kq ep 0,0,0"},  // the White king on d1
      {true, "r3k2r/8/8/8/8/8/8/R2K3R w KQkq - 0 1", "w KQkq ep 0,0,0"},
      {false, "r3k2r/8/8/8/8/8/4K3/R6R w KQkq - 0 1", "w kq ep 0,0,0"},  // the king off its first rank
      {true, "r3k2r/8/8/8/8/8/4K3/R6R w KQkq - 0 1", "w kq ep 0,0,0"},
      {false, "r3k2r/8/8/8/8/8/8/R3K2B w KQkq - 0 1", "w Qkq ep 0,0,0"},  // a bishop is no rook
      {true, "r3k2r/8/8/8/8/8/8/R3K2B w KQkq - 0 1", "w Qkq ep 0,0,0"},
      {false, "k7/8/8/8/8/8/8/1R2K3 w Q - 0 1", "w - ep 0,0,0"},  // the outermost rook on b1
      {true, "k7/8/8/8/8/8/8/1R2K3 w Q - 0 1", "w Q ep 0,0,0"},
      {false, "4k3/8/8/8/8/8/8/4K1R1 w K - 0 1", "w - ep 0,0,0"},
      {true, "4k3/8/8/8/8/8/8/4K1R1 w K - 0 1", "w K ep 0,0,0"},
      {false, "4k3/8/8/8/8/8/8/4K1RR w K - 0 1", "w K ep 0,0,0"},  // the outermost rook is the corner's
      {false, "4k3/8/8/8/8/8/8/4K2R w H - 0 1", "w K ep 0,0,0"},   // a file letter for the corner
      {false, "1rk3r1/8/8/8/8/8/8/1RK3R1 w GBgb - 0 1", "w - ep 0,0,0"},
      {true, "1rk3r1/8/8/8/8/8/8/1RK3R1 w GBgb - 0 1", "w KQkq ep 0,0,0"},
  };
  for (const Case& c : cases) {
    engine_options.chess960 = c.chess960;
    EXPECT_EQ(position(std::string("position fen ") + c.fen), "") << c.fen;
    EXPECT_EQ(board_view::state(), c.state) << c.fen << (c.chess960 ? ", Chess960" : "");
  }
  engine_options.chess960 = false;
}

TEST(PositionCheck, AnEnPassantSquareNeedsThePawnThatJustPassedIt) {
  // Kept: Black has just played e7e5, or White d2d4.
  EXPECT_EQ(position("position fen 4k3/8/8/4p3/8/8/8/4K3 w - e6 0 1"), "");
  EXPECT_EQ(board_view::state(), "w - ep 1,4,5");
  EXPECT_EQ(position("position fen 4k3/8/8/8/3P4/8/8/4K3 b - d3 0 1"), "");
  EXPECT_EQ(board_view::state(), "b - ep 1,3,2");
  for (const char* fen : {
           "4k3/8/4N3/3P4/8/8/8/4K3 w - e6 0 1",  // the square is occupied, no pawn passed it
           "4k3/8/8/8/8/8/8/4K3 w - e6 0 1",      // no pawn at all
           "4k3/8/8/4P3/8/8/8/4K3 w - e6 0 1",    // the pawn there is the mover's own
           "4k3/4n3/8/4p3/8/8/8/4K3 w - e6 0 1",  // its start square is taken
           "4k3/8/8/8/4p3/8/8/4K3 w - e3 0 1",    // the wrong rank for the side to move
           "4k3/8/8/4p3/8/8/8/4K3 w - z6 0 1",    // no such square
           "4k3/8/8/4p3/8/8/8/4K3 w - e 0 1",
       }) {
    EXPECT_EQ(position(std::string("position fen ") + fen), "") << fen;
    EXPECT_EQ(board_view::state().substr(board_view::state().find("ep")), "ep 0,0,0") << fen;
  }
}
