// Turning the board over negates the score, except where the tables and the
// shelter rule are not symmetric: White's bishop table has 10 on h5, h6 and h7
// where Black's has 0 on h4, h3 and h2, and the shelter squares of a king on the
// a- or h-file are square numbers that wrap across the board edge.
#include <gtest/gtest.h>

#include "eval/eval_helpers.h"
#include "eval/evaluate.h"

namespace {

struct MirrorCase {
  const char* fen;
  // evaluate(position) + evaluate(turned over): 0 for a symmetric position.
  std::int32_t asymmetry;
  const char* why;
};

const MirrorCase mirror_cases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0, "start"},
    {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", 0, "1. e4"},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 0, "perft 2"},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 0, "perft 3: a- and h-file kings, but an endgame"},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 0, "perft 4"},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 0, "perft 5"},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 0, "perft 6"},
    {"r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8", 0, "queen's gambit"},
    {"2kr3r/ppp1qppp/2n1bn2/4p3/4P3/2NPBN2/PPPQ1PPP/2KR3R w - - 0 10", 0, "both castled long"},
    {"r4rk1/1pp2ppp/p1n5/4p3/2B1P1b1/2P2N2/P4PPP/R4RK1 b - - 0 15", 0, "both castled short"},
    {"2k5/ppp5/8/3p4/8/8/5PPP/R2Q2K1 w - - 0 1", 0, "White in its endgame, Black not"},
    {"8/5pk1/6p1/3P3p/p6P/1r4P1/5PK1/3R4 w - - 0 40", 0, "rook endgame"},
    {"8/5k2/3p4/1p1Pp2p/pP2Pp1P/P4P1K/8/8 b - - 0 1", 0, "h-file king in a pawn endgame"},
    {"rn1q3K/8/8/8/8/8/8/kBQR4 w - - 0 1", 0, "kings in the far corners look off the board alike"},
    {"4k3/8/8/7B/8/8/8/4K3 w - - 0 1", 10, "White bishop h5"},
    {"4k3/8/8/8/8/7b/8/4K3 w - - 0 1", 10, "Black bishop h3 (White's mirror h6 scores 10)"},
    {"r3k2r/ppp2ppB/8/8/7b/8/PPP2PPP/R3K2R w KQkq - 0 1", 20, "White bishop h7, Black bishop h4"},
    {"r1bqk2r/ppp2pp1/2np1n1B/2b1p2p/2B1P3/2NP1N2/PPP2PPb/R2QK2R w KQkq - 0 1", 20, "White bishop h6, Black bishop h2"},
    // King h2 looks at g3, h3 and a4 (empty, empty, pawn: 40); turned over, the
    // Black king h7 looks at a7, h6 and g6, the images of a2, h3 and g3: 20.
    {"r1bq1rk1/pppp1ppp/2n2n2/2b1p3/2B1P3/2NP1N1P/PPP2PPK/R1BQ1R2 w - - 0 1", 20 - 40, "White king h2"},
    // King a2 looks at h2, a3 and b3 (40); turned over, a7 looks at b6, a6 and
    // h5, the images of b3, a3 and h4: 60.
    {"r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/KPPQ1PPP/R6R w kq - 0 1", 60 - 40, "White king a2"},
    // King h3 looks at g4, h4 and a5 (60); h6 looks at a6, h5 and g5, the images
    // of a3 (a pawn), h4 and g4: 40.
    {"3qr1k1/5ppp/8/8/8/P6K/5PPP/3QR3 w - - 0 1", 40 - 60, "White king h3"},
    // The same seen from Black's side: Black's king a7 looks at b6, a6 and h5.
    {"r6r/kppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R b KQ - 0 1", 20, "Black king a7"},
};

TEST(Mirror, TurningTheBoardOverNegatesTheScore) {
  for (const MirrorCase& c : mirror_cases) {
    const std::string turned = flipped_fen(c.fen);
    const std::int32_t score = evaluate_fen(c.fen);
    const std::int32_t turned_score = evaluate_fen(turned);
    EXPECT_EQ(score + turned_score, c.asymmetry)
        << c.why << "\n  " << c.fen << " -> " << score << "\n  " << turned << " -> " << turned_score;
    // Turning over twice gives the position back.
    EXPECT_EQ(flipped_fen(turned), c.fen);
  }
}

TEST(Mirror, StaticScoreToo) {
  for (const MirrorCase& c : mirror_cases)
    EXPECT_EQ(static_score_fen(c.fen) + static_score_fen(flipped_fen(c.fen)), c.asymmetry) << c.why;
}

TEST(Mirror, FlippedFen) {
  EXPECT_EQ(flipped_fen("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"),
            "rnbqkbnr/pppp1ppp/8/4p3/8/8/PPPPPPPP/RNBQKBNR w KQkq e6 0 1");
  EXPECT_EQ(flipped_fen("r3k2r/8/8/8/8/8/8/4K2R w Kq - 3 9"), "4k2r/8/8/8/8/8/8/R3K2R b Qk - 3 9");
}

}  // namespace
