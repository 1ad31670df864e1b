// The four report lines, byte for byte: currmove, the root's line after each root
// move, the iteration's line and bestmove.
#include "search/reports.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "board/board.h"
#include "board/move.h"
#include "support/capture.h"

using capture::output_of;

namespace {

// Squares by name: file letter and rank digit.
constexpr unsigned sq(const char* name) { return static_cast<unsigned>((name[1] - '1') * 8 + (name[0] - 'a')); }

constexpr Move quiet(unsigned piece, const char* from, const char* to) {
  return pack_move(MOVE_QUIET, piece, sq(from), sq(to), NO_PIECE);
}

const Move E2E4 = quiet(PAWN, "e2", "e4");
const Move E7E5 = quiet(PAWN, "e7", "e5");
const Move G1F3 = quiet(KNIGHT, "g1", "f3");
const Move B8C6 = quiet(KNIGHT, "b8", "c6");
const Move F1B5 = quiet(BISHOP, "f1", "b5");
const Move E7E8Q = pack_move(MOVE_PROMOTE_QUEEN, PAWN, sq("e7"), sq("e8"), NO_PIECE);
const Move B7A8R = pack_move(MOVE_CAPTURE_PROMOTE_ROOK, PAWN, sq("b7"), sq("a8"), ROOK);

PvLine line_of(std::initializer_list<Move> moves, std::int32_t score) {
  PvLine line{};
  for (const Move m : moves) line.moves[line.length++] = m;
  line.score_move = score;
  return line;
}

// The five-move line of the examples.
PvLine ruy_lopez(std::int32_t score) { return line_of({E2E4, E7E5, G1F3, B8C6, F1B5}, score); }
const std::string RUY_LOPEZ_TEXT = "e2e4 e7e5 g1f3 b8c6 f1b5 ";

std::string root_info(std::int32_t score, std::uint8_t depth, const PvLine& line, std::uint8_t white_view,
                      std::uint64_t nodes) {
  return output_of([&] { print_root_info(score, depth, line, white_view, nodes); });
}

// The root line's memory of the last score and depth, set as if a line with
// these values had just been written.
void last_written(std::int32_t score, std::uint8_t depth) {
  thread.last_info_score = score;
  thread.last_info_depth = depth;
}

struct Iteration {
  std::string text;
  std::uint8_t mate_reported;
};

Iteration iteration_info(std::uint64_t nodes, std::uint8_t depth, std::int32_t score, double seconds,
                         const PvLine& line, std::uint64_t iteration_nodes, std::uint8_t colour_move = 1) {
  thread.bitboard.colour_move = colour_move;
  Iteration result{"", 77};
  result.text = output_of(
      [&] { print_iteration_info(nodes, depth, score, seconds, result.mate_reported, line, iteration_nodes); });
  return result;
}

}  // namespace

TEST(Currmove, NamesTheMoveItsNumberAndTheDepth) {
  MoveList list{};
  list.move[0] = E2E4;
  list.move[3] = E7E8Q;
  list.move[4] = B7A8R;
  list.move_count = 5;
  EXPECT_EQ(output_of([&] { print_currmove(1, 0, 5, list); }), "info currmove e2e4 currmovenumber 1 depth 5\n");
  // The promotion letter is left out here, and only here.
  EXPECT_EQ(output_of([&] { print_currmove(4, 3, 7, list); }), "info currmove e7e8 currmovenumber 4 depth 7\n");
  EXPECT_EQ(output_of([&] { print_currmove(255, 4, 50, list); }), "info currmove b7a8 currmovenumber 255 depth 50\n");
}

TEST(RootInfo, WritesTheLineWithTwoSpacesAfterInfoAndASpaceAfterTheLastMove) {
  last_written(0, 0);
  EXPECT_EQ(root_info(35, 5, ruy_lopez(35), 1, 20),
            "info  depth 5 seldepth 5 score cp 35 nodes 20 pv " + RUY_LOPEZ_TEXT + "\n");
  EXPECT_EQ(thread.last_info_score, 35);
  EXPECT_EQ(thread.last_info_depth, 5);
}

TEST(RootInfo, AnUnchangedScoreAtTheSameDepthWritesOnlyAnEmptyLine) {
  last_written(0, 0);
  root_info(35, 5, ruy_lopez(35), 1, 20);
  EXPECT_EQ(root_info(35, 5, ruy_lopez(35), 1, 21), "\n");
  EXPECT_EQ(root_info(35, 5, line_of({G1F3}, 35), 1, 22), "\n");
  // A new score is written in full, without the empty line.
  EXPECT_EQ(root_info(40, 5, line_of({G1F3}, 40), 1, 23), "info  depth 5 seldepth 1 score cp 40 nodes 23 pv g1f3 \n");
}

TEST(RootInfo, AnUnchangedScoreAtANewDepthWritesTheEmptyLineAndThenTheLine) {
  last_written(35, 5);
  EXPECT_EQ(root_info(35, 6, ruy_lopez(35), 1, 20),
            "\ninfo  depth 6 seldepth 5 score cp 35 nodes 20 pv " + RUY_LOPEZ_TEXT + "\n");
  EXPECT_EQ(thread.last_info_depth, 6);
  EXPECT_EQ(root_info(35, 6, ruy_lopez(35), 1, 20), "\n");
}

TEST(RootInfo, TheMemoryStartsFromWhateverTheLastSearchLeft) {
  // A first line whose score is the remembered one is only an empty line.
  last_written(0, 1);
  EXPECT_EQ(root_info(0, 1, line_of({E2E4}, 0), 1, 1), "\n");
}

TEST(RootInfo, AScoreOfEitherSignMatchesTheLine) {
  last_written(0, 0);
  EXPECT_EQ(root_info(35, 5, ruy_lopez(-35), 1, 20),
            "info  depth 5 seldepth 5 score cp 35 nodes 20 pv " + RUY_LOPEZ_TEXT + "\n");
}

TEST(RootInfo, ALineWithAnotherScoreIsReplacedByTheDiagnostic) {
  last_written(0, 0);
  EXPECT_EQ(root_info(35, 5, ruy_lopez(40), 1, 20),
            "info  depth 5 seldepth 5 score cp 35 nodes 20\n"
            "ERROR LINE \n"
            " value = 35\n"
            " PV_best_point.score_move = 40\n"
            "**********************\n"
            "  \n"
            "\n");
  last_written(0, 0);
  EXPECT_EQ(root_info(-7, 3, line_of({E2E4}, 0), 0, 9),
            "info  depth 3 seldepth 1 score cp 7 nodes 9\n"
            "ERROR LINE \n"
            " value = -7\n"
            " PV_best_point.score_move = 0\n"
            "**********************\n"
            "  \n"
            "\n");
}

TEST(RootInfo, ScoresAreShownFromTheSideToMove) {
  last_written(0, 0);
  EXPECT_EQ(root_info(-120, 4, line_of({E7E5}, -120), 0, 3),
            "info  depth 4 seldepth 1 score cp 120 nodes 3 pv e7e5 \n");
  EXPECT_EQ(root_info(45, 4, line_of({E7E5}, 45), 0, 3), "info  depth 4 seldepth 1 score cp -45 nodes 3 pv e7e5 \n");
}

TEST(RootInfo, BeyondNineHundredThousandIsAMateCountedInMoves) {
  last_written(0, 0);
  const PvLine three = line_of({E2E4, E7E5, G1F3}, 900000);
  EXPECT_EQ(root_info(900000, 3, three, 1, 1), "info  depth 3 seldepth 3 score cp 900000 nodes 1 pv e2e4 e7e5 g1f3 \n");
  EXPECT_EQ(root_info(900001, 3, line_of({E2E4, E7E5, G1F3}, 900001), 1, 1),
            "info  depth 3 seldepth 3 score mate 50 nodes 1 pv e2e4 e7e5 g1f3 \n");
  EXPECT_EQ(root_info(-900000, 3, line_of({E2E4, E7E5, G1F3}, -900000), 1, 1),
            "info  depth 3 seldepth 3 score cp -900000 nodes 1 pv e2e4 e7e5 g1f3 \n");
  // Mated at ply 2: one move of ours, then the opponent's mate.
  EXPECT_EQ(root_info(-998000, 3, line_of({E2E4, E7E5}, -998000), 1, 1),
            "info  depth 3 seldepth 2 score mate -1 nodes 1 pv e2e4 e7e5 \n");
  // Black to move: White's -999000 is Black mating.
  EXPECT_EQ(root_info(-999000, 3, line_of({E7E5}, -999000), 0, 1),
            "info  depth 3 seldepth 1 score mate 1 nodes 1 pv e7e5 \n");
  EXPECT_EQ(root_info(997000, 3, line_of({E7E5, E2E4, B8C6}, 997000), 0, 1),
            "info  depth 3 seldepth 3 score mate -2 nodes 1 pv e7e5 e2e4 b8c6 \n");
}

TEST(RootInfo, NodesAreTheLow32BitsReadAsSigned) {
  last_written(0, 0);
  EXPECT_EQ(root_info(1, 2, line_of({E2E4}, 1), 1, 0x100000014ULL),
            "info  depth 2 seldepth 1 score cp 1 nodes 20 pv e2e4 \n");
  EXPECT_EQ(root_info(2, 2, line_of({E2E4}, 2), 1, 0xFFFFFFFFULL),
            "info  depth 2 seldepth 1 score cp 2 nodes -1 pv e2e4 \n");
  EXPECT_EQ(root_info(3, 2, line_of({E2E4}, 3), 1, 0x80000000ULL),
            "info  depth 2 seldepth 1 score cp 3 nodes -2147483648 pv e2e4 \n");
}

TEST(RootInfo, PromotionsCarryTheirLetter) {
  last_written(0, 0);
  EXPECT_EQ(root_info(500, 2, line_of({B7A8R, E7E5}, 500), 1, 4),
            "info  depth 2 seldepth 2 score cp 500 nodes 4 pv b7a8r e7e5 \n");
}

TEST(IterationInfo, WritesSpeedDepthScoreNodesAndLine) {
  const Iteration it = iteration_info(12345, 5, 35, 0.5, ruy_lopez(35), 9876);
  EXPECT_EQ(it.text, "info  nps 24690 depth 5 seldepth 5 score cp 35 nodes 9876 pv " + RUY_LOPEZ_TEXT + "\n");
  EXPECT_EQ(it.mate_reported, 0);
}

TEST(IterationInfo, SpeedIsTruncatedTowardZero) {
  EXPECT_EQ(iteration_info(1000, 1, 0, 0.3, line_of({E2E4}, 0), 1000).text,
            "info  nps 3333 depth 1 seldepth 1 score cp 0 nodes 1000 pv e2e4 \n");
  EXPECT_EQ(iteration_info(2, 1, 0, 0.75, line_of({E2E4}, 0), 2).text,
            "info  nps 2 depth 1 seldepth 1 score cp 0 nodes 2 pv e2e4 \n");
  // The speed comes from the total given, the node field from the iteration's count.
  EXPECT_EQ(iteration_info(100, 1, 0, 0.01, line_of({E2E4}, 0), 5).text,
            "info  nps 10000 depth 1 seldepth 1 score cp 0 nodes 5 pv e2e4 \n");
}

TEST(IterationInfo, ANegativeIterationCountIsWrittenAsSuch) {
  EXPECT_EQ(iteration_info(100, 4, 0, 0.01, line_of({E2E4}, 0), static_cast<std::uint64_t>(-204)).text,
            "info  nps 10000 depth 4 seldepth 1 score cp 0 nodes -204 pv e2e4 \n");
  EXPECT_EQ(iteration_info(100, 4, 0, 0.01, line_of({E2E4}, 0), 0x200000007ULL).text,
            "info  nps 10000 depth 4 seldepth 1 score cp 0 nodes 7 pv e2e4 \n");
}

TEST(IterationInfo, BlackToMoveSeesTheScoreTurned) {
  const Iteration it = iteration_info(10, 3, -120, 1.0, line_of({E7E5}, -120), 10, 0);
  EXPECT_EQ(it.text, "info  nps 10 depth 3 seldepth 1 score cp 120 nodes 10 pv e7e5 \n");
  EXPECT_EQ(it.mate_reported, 0);
}

TEST(IterationInfo, MateScoresAreReportedAndFlagged) {
  Iteration it = iteration_info(10, 1, 999000, 1.0, line_of({E2E4}, 999000), 10);
  EXPECT_EQ(it.text, "info  nps 10 depth 1 seldepth 1 score mate 1 nodes 10 pv e2e4 \n");
  EXPECT_EQ(it.mate_reported, 1);
  it = iteration_info(10, 2, 998000, 1.0, line_of({E7E5, E2E4}, 998000), 10, 0);
  EXPECT_EQ(it.text, "info  nps 10 depth 2 seldepth 2 score mate -1 nodes 10 pv e7e5 e2e4 \n");
  EXPECT_EQ(it.mate_reported, 1);
  it = iteration_info(10, 2, -900001, 1.0, line_of({E2E4}, -900001), 10);
  EXPECT_EQ(it.text, "info  nps 10 depth 2 seldepth 1 score mate -50 nodes 10 pv e2e4 \n");
  EXPECT_EQ(it.mate_reported, 1);
  it = iteration_info(10, 2, 900000, 1.0, line_of({E2E4}, 900000), 10);
  EXPECT_EQ(it.text, "info  nps 10 depth 2 seldepth 1 score cp 900000 nodes 10 pv e2e4 \n");
  EXPECT_EQ(it.mate_reported, 0);
  it = iteration_info(10, 2, 900000, 1.0, line_of({E2E4}, 900000), 10, 0);
  EXPECT_EQ(it.text, "info  nps 10 depth 2 seldepth 1 score cp -900000 nodes 10 pv e2e4 \n");
  EXPECT_EQ(it.mate_reported, 0);
}

TEST(IterationInfo, ARootWithoutMovesShowsAnEmptyLine) {
  // Black checkmated at the root: White's +1000000, an empty line, mate in 0.
  Iteration it = iteration_info(0, 1, 1000000, 0.01, line_of({}, 1000000), 0, 0);
  EXPECT_EQ(it.text, "info  nps 0 depth 1 seldepth 0 score mate 0 nodes 0 pv \n");
  EXPECT_EQ(it.mate_reported, 1);
  it = iteration_info(0, 3, 0, 0.01, line_of({}, 0), 0, 0);
  EXPECT_EQ(it.text, "info  nps 0 depth 3 seldepth 0 score cp 0 nodes 0 pv \n");
  EXPECT_EQ(it.mate_reported, 0);
}

TEST(Bestmove, NamesTheFirstMoveOfTheLine) {
  EXPECT_EQ(output_of([] { print_bestmove(ruy_lopez(35)); }), "bestmove e2e4\n");
  EXPECT_EQ(output_of([] { print_bestmove(line_of({E7E8Q}, 0)); }), "bestmove e7e8q\n");
  EXPECT_EQ(output_of([] { print_bestmove(line_of({B7A8R, E7E5}, 0)); }), "bestmove b7a8r\n");
  const Move knight = pack_move(MOVE_CAPTURE_PROMOTE_KNIGHT, PAWN, sq("g2"), sq("h1"), ROOK);
  const Move bishop = pack_move(MOVE_PROMOTE_BISHOP, PAWN, sq("a2"), sq("a1"), NO_PIECE);
  EXPECT_EQ(output_of([&] { print_bestmove(line_of({knight}, 0)); }), "bestmove g2h1n\n");
  EXPECT_EQ(output_of([&] { print_bestmove(line_of({bishop}, 0)); }), "bestmove a2a1b\n");
  const Move castle = pack_move(MOVE_CASTLE_KING, KING, sq("e1"), sq("g1"), NO_PIECE);
  const Move en_passant = pack_move(MOVE_EN_PASSANT, PAWN, sq("e5"), sq("d6"), PAWN);
  EXPECT_EQ(output_of([&] { print_bestmove(line_of({castle}, 0)); }), "bestmove e1g1\n");
  EXPECT_EQ(output_of([&] { print_bestmove(line_of({en_passant}, 0)); }), "bestmove e5d6\n");
}

TEST(Bestmove, WithoutALineItIsTheNullMove) {
  EXPECT_EQ(output_of([] { print_bestmove(line_of({}, -1000000)); }), "bestmove 0000\n");
  // A line left over from an earlier search does not count.
  EXPECT_EQ(output_of([] { print_bestmove(ruy_lopez(35), false); }), "bestmove 0000\n");
}
