#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "board/board.h"
#include "eval/evaluate.h"
#include "eval/material.h"
#include "tools/commands.h"
#include "tools/tool_support.h"

namespace {

// Openings, middle games and endings, both kings castled either way or not at all.
constexpr const char* bench_positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP1B1PPP/R2QKB1R w KQ - 0 8",
    "2kr3r/ppp1qppp/2n1bn2/4p3/4P3/2NPBN2/PPPQ1PPP/2KR3R w - - 0 10",
    "r4rk1/1pp2ppp/p1n5/4p3/2B1P1b1/2P2N2/P4PPP/R4RK1 b - - 0 15",
    "8/5pk1/6p1/3P3p/p6P/1r4P1/5PK1/3R4 w - - 0 40",
    "8/8/4k3/3p1p2/3P1P2/4K3/8/8 w - - 0 50",
};
constexpr int bench_position_count = sizeof bench_positions / sizeof bench_positions[0];

int bench(long rounds) {
  static BoardState boards[bench_position_count];
  for (int i = 0; i < bench_position_count; ++i) {
    set_up_fen(bench_positions[i]);
    boards[i] = thread.bitboard;
  }
  std::int64_t checksum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < bench_position_count; ++i) {
    thread.bitboard = boards[i];
    for (long r = 0; r < rounds; ++r) checksum += evaluate();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double evaluations = static_cast<double>(rounds) * bench_position_count;
  std::printf("positions      %d\n", bench_position_count);
  std::printf("evaluations    %.0f\n", evaluations);
  std::printf("checksum       %" PRId64 "\n", checksum);
  std::printf("seconds        %.3f\n", seconds);
  std::printf("evals/s        %.0f\n", seconds > 0 ? evaluations / seconds : 0.0);
  return 0;
}

}  // namespace

// nerul-tool eval "<FEN>"      the terms of the static score; the last line holds
//                              evaluate() and the static score with material
// nerul-tool eval --bench [N]  N evaluations of each bench position (default 2000000)
int eval_command(int argc, char** argv) {
  if (argc < 1) {
    std::printf("usage: nerul-tool eval \"<FEN>\" | nerul-tool eval --bench [rounds]\n");
    return 2;
  }
  if (!std::strcmp(argv[0], "--bench")) {
    const long rounds = argc > 1 ? std::atol(argv[1]) : 2000000;
    return bench(rounds > 0 ? rounds : 1);
  }

  set_up_fen(argv[0]);
  const std::int32_t score = evaluate();
  KingSquares kings;
  const std::int32_t king_score = evaluate_kings(kings);
  const std::int32_t pawn_score =
      evaluate_pawns(kings, thread.bitboard.value_white_material, thread.bitboard.value_black_material);
  const std::int32_t piece_score = evaluate_pieces();
  const std::int32_t balance = static_cast<std::int32_t>(thread.bitboard.value_white_material) -
                               static_cast<std::int32_t>(thread.bitboard.value_black_material);
  std::printf("kings     %d\n", king_score);
  std::printf("pawns     %d\n", pawn_score);
  std::printf("pieces    %d\n", piece_score);
  std::printf("evaluate  %d\n", score);
  std::printf("material  %u - %u = %d\n", static_cast<unsigned>(thread.bitboard.value_white_material),
              static_cast<unsigned>(thread.bitboard.value_black_material), balance);
  std::printf("%d %d\n", score, score + balance);
  return 0;
}
