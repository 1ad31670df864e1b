// The one-move question the search asks about killers and hash moves must give
// the quiet generator's answer for every move word, whichever side asks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board/make_move.h"
#include "movegen/generate.h"
#include "support/test_support.h"

namespace {

const char* const positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1",
    "r3k2r/8/8/8/8/5b2/8/R3K2R w KQkq - 0 1",  // f1 attacked: no short castling
    "4k3/1P6/8/3pP3/8/8/6p1/4K3 w - d6 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "QQQQQQQk/QQQQQQQQ/8/8/8/8/qqqqqqqq/Kqqqqqqq w - - 0 1",
};

template <Colour Us>
std::vector<Move> quiet_moves() {
  MoveList list{};
  generate_quiet<Us>(list);
  return {list.move, list.move + list.move_count};
}

template <Colour Us>
void collect(std::vector<Move>& out) {
  MoveList list{};
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  out.insert(out.end(), list.move, list.move + list.move_count);
}

// Every move any listed position offers either side, and each of them one ply on.
std::vector<Move> candidate_moves() {
  std::vector<Move> out;
  for (const char* fen : positions) {
    set_position(fen);
    collect<WHITE>(out);
    collect<BLACK>(out);
  }
  // Castling from a square the king is not on, and a word with stray high bits.
  out.push_back(pack_move(MOVE_CASTLE_KING, KING, 3, 6, 0));
  out.push_back(pack_move(MOVE_QUIET, KNIGHT, 1, 18, 0) | 0x80000000u);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

template <Colour Us>
void expect_same_answers(const std::vector<Move>& candidates, const char* where) {
  const std::vector<Move> listed = quiet_moves<Us>();
  for (Move m : candidates) {
    const bool expected = std::find(listed.begin(), listed.end(), m) != listed.end();
    ASSERT_EQ(generates_quiet<Us>(m), expected) << where << " move " << std::hex << m;
  }
}

template <Colour Us>
void check_one_ply_on(const std::vector<Move>& candidates, const char* fen) {
  set_position(fen);
  MoveList list{};
  generate_captures<Us>(list);
  generate_quiet<Us>(list);
  for (std::uint8_t i = 0; i < list.move_count; ++i) {
    make_move<Us>(1, i, list);
    expect_same_answers<WHITE>(candidates, fen);
    expect_same_answers<BLACK>(candidates, fen);
    unmake_move<Us>(1, i, list);
  }
}

TEST(GeneratesQuiet, AgreesWithTheGeneratorOnEveryCandidate) {
  const std::vector<Move> candidates = candidate_moves();
  for (const char* fen : positions) {
    set_position(fen);
    expect_same_answers<WHITE>(candidates, fen);
    expect_same_answers<BLACK>(candidates, fen);
    check_one_ply_on<WHITE>(candidates, fen);
    check_one_ply_on<BLACK>(candidates, fen);
  }
}

}  // namespace
