#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "board/board.h"
#include "search/Iterative_Deepening.h"
#include "tools/commands.h"
#include "uci/command_loop.h"
#include "uci/output.h"

namespace {

// Openings, middlegames and endgames. Each is searched after `ucinewgame`, so its
// result does not depend on its place in the list.
const char* const bench_positions[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
    "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
    "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
    "rnbqkb1r/pp1p1ppp/4pn2/2p5/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 0 4",
    "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3",
    "rnbqkbnr/pp1ppppp/8/2p5/4P3/8/PPPP1PPP/RNBQKBNR w KQkq c6 0 2",
    "r1bqk2r/pppp1ppp/2n2n2/2b1p3/2B1P3/3P1N2/PPP2PPP/RNBQK2R w KQkq - 1 5",
    "rnbqkb1r/ppp2ppp/4pn2/3p4/2PP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4",
    "r2q1rk1/ppp2ppp/2np1n2/2b1p1B1/2B1P1b1/2NP1N2/PPP2PPP/R2Q1RK1 w - - 6 8",
    "r1b1kb1r/pp2pppp/2n2n2/q1pp4/3P4/2P1PN2/PP1N1PPP/R1BQKB1R w KQkq - 1 6",
    "2rq1rk1/pp1bppbp/2np1np1/8/3NP3/1BN1BP2/PPPQ2PP/2KR3R b - - 8 11",
    "r1bq1rk1/pp2ppbp/2np1np1/8/3NP3/2N1BP2/PPPQ2PP/R3KB1R w KQ - 3 9",
    "3r1rk1/p4ppp/1qp1b3/2p1P3/2P1n3/1PN2N2/P3QPPP/R4RK1 w - - 0 17",
    "r4rk1/pp3ppp/2n1b3/q1pp2B1/8/P1Q2NP1/1PP1PP1P/2KR3R w - - 0 15",
    "1r2r1k1/p4ppp/2pb4/3p4/3P1Bn1/2N3P1/PP3P1P/R3R1K1 w - - 2 18",
    "r2qr1k1/1p1n1pbp/p2p2p1/2pP4/P3PB2/2N2Q1P/1P3PP1/R3R1K1 w - - 1 17",
    "4rrk1/pp1n3p/3q2pQ/2p1pb2/2PP4/2P3N1/P2B2PP/4RRK1 b - - 7 19",
    "r3r1k1/2p2ppp/p1p1bn2/8/1q2P3/2NPQN2/PPP3PP/R4RK1 b - - 2 15",
    "r1bbk1nr/pp3p1p/2n5/1N4p1/2Np1B2/8/PPP2PPP/2KR1B1R w kq - 0 13",
    "r1bq1rk1/ppp1nppp/4n3/3p3Q/3P4/1BP1B3/PP1N2PP/R4RK1 w - - 1 16",
    "4r1k1/r1q2ppp/ppp2n2/4P3/5Rb1/1N1BQ3/PPP3PP/R5K1 w - - 1 17",
    "2rqkb1r/ppp2p2/2npb1p1/1N1Nn2p/2P1PP2/8/PP2B1PP/R1BQK2R b KQ - 0 11",
    "8/8/4k3/8/2p5/8/B2P2K1/8 w - - 0 1",
    "8/8/1k6/2b5/2pP4/8/5K2/8 b - d3 0 1",
    "5k2/8/8/8/8/8/8/4K2R w K - 0 1",
    "8/P1k5/K7/8/8/8/8/8 w - - 0 1",
    "6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
    "8/5pk1/6p1/8/3K4/8/5PP1/8 w - - 0 1",
    "8/8/8/3k4/8/3K4/3P4/8 w - - 0 1",
    "6k1/6p1/6K1/8/8/8/8/8 w - - 0 1",
    "8/3k4/8/8/3PK3/8/8/8 w - - 0 1",
    "2k5/8/1P6/8/8/8/8/2K5 w - - 0 1",
    "r3k3/8/8/8/8/8/8/4K2R w Kq - 0 1",
};

}  // namespace

// nerul-tool bench [depth]: a fixed, repeatable search workload.
int bench_command(int argc, char** argv) {
  const int depth = argc > 0 ? std::atoi(argv[0]) : 11;
  const std::string go = "go depth " + std::to_string(depth);
  output::muted = true;
  dispatch_command("uci");
  output::muted = false;

  const std::uint64_t nodes_before = nodes_all_iterations;
  std::uint64_t moves_total = 0;
  const auto start = std::chrono::steady_clock::now();
  int number = 0;
  for (const char* fen : bench_positions) {
    const std::uint64_t nodes_start = nodes_all_iterations;
    dispatch_command("ucinewgame");
    dispatch_command(std::string("position fen ") + fen);
    const std::uint64_t moves_start = moves_made;
    output::muted = true;
    dispatch_command(go);
    output::muted = false;
    moves_total += moves_made - moves_start;
    std::printf("position %2d: nodes %llu, moves made %llu  %s\n", ++number,
                static_cast<unsigned long long>(nodes_all_iterations - nodes_start),
                static_cast<unsigned long long>(moves_made - moves_start), fen);
    std::fflush(stdout);
  }
  const auto elapsed_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start).count();
  const double seconds = elapsed_ms > 0 ? elapsed_ms / 1000.0 : 0.001;
  std::printf("moves made per second: %.0f\n", static_cast<double>(moves_total) / seconds);
  std::printf("%llu %llu %lld\n", static_cast<unsigned long long>(nodes_all_iterations - nodes_before),
              static_cast<unsigned long long>(moves_total), static_cast<long long>(elapsed_ms));
  return 0;
}
