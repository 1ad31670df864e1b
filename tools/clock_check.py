#!/usr/bin/env python3
"""How long Nerul takes to answer `go` on a running clock, seen from outside.

Plays the engine against itself from the start position as an interface would:
each move sends `position startpos moves ...` and `go wtime W btime B winc I binc I`,
measures from writing `go` to reading `bestmove`, and charges the time to the
mover's clock. Prints, per time control, the answer times and the smallest clock
left; a move that took longer than the clock it was given is a loss on time.
Run it on a busy machine (for instance with --load N extra busy processes) to see
the latency an interface adds.

  tools/clock_check.py [--engine build/nerul] [--games 4] [--load 0] [--tc 2+0.02 10+0.1 0.05+1]
  tools/clock_check.py --latency 500 [--load 3]

--latency N sends N times `go wtime 0 btime 0` (an empty clock: answer at once) in
middle-game positions and prints how long the answers took: the time that process
scheduling, the pipes and the shortest search cost, which the clock margin must cover.
"""
import argparse
import multiprocessing
import os
import subprocess
import sys
import time


def burn():
    while True:
        pass


class Engine:
    def __init__(self, path):
        self.p = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE, bufsize=0)
        self.send("uci")
        self.wait_for("uciok")

    def send(self, line):
        self.p.stdin.write((line + "\n").encode())

    def wait_for(self, prefix):
        lines = []
        while True:
            raw = self.p.stdout.readline()
            if not raw:
                raise RuntimeError("engine ended; last lines: %r" % lines[-5:])
            line = raw.decode(errors="replace").rstrip("\n")
            lines.append(line)
            if line.startswith(prefix):
                return line, lines

    def close(self):
        try:
            self.send("quit")
        except BrokenPipeError:
            pass
        self.p.wait(timeout=10)


def play(path, base_ms, inc_ms, max_moves):
    engine = Engine(path)
    clocks = [base_ms, base_ms]
    moves, answers, lowest, forfeits = [], [], base_ms, 0
    for ply in range(max_moves):
        side = ply % 2
        engine.send("position startpos" + (" moves " + " ".join(moves) if moves else ""))
        start = time.monotonic()
        engine.send("go wtime %d btime %d winc %d binc %d" % (clocks[0], clocks[1], inc_ms, inc_ms))
        line, _ = engine.wait_for("bestmove")
        took = (time.monotonic() - start) * 1000.0
        answers.append((took, clocks[side]))
        if took > clocks[side]:
            forfeits += 1
            print("  loss on time: ply %d took %.1f ms with %d ms left" % (ply, took, clocks[side]))
            break
        clocks[side] = int(clocks[side] - took + inc_ms)
        lowest = min(lowest, clocks[side])
        move = line.split()[1]
        if move == "0000":
            break
        moves.append(move)
    engine.close()
    return answers, lowest, forfeits


def latency(path, count):
    engine = Engine(path)
    fens = ["r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
            "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 8"]
    took = []
    for i in range(count):
        engine.send("position fen " + fens[i % len(fens)])
        start = time.monotonic()
        engine.send("go wtime 0 btime 0")
        engine.wait_for("bestmove")
        took.append((time.monotonic() - start) * 1000.0)
    engine.close()
    took.sort()
    n = len(took)
    print("empty clock, %d answers, ms: median %.1f  p90 %.1f  p99 %.1f  p99.9 %.1f  max %.1f" %
          (n, took[n // 2], took[n * 9 // 10], took[n * 99 // 100], took[min(n - 1, n * 999 // 1000)], took[-1]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--engine", default="build/nerul")
    parser.add_argument("--games", type=int, default=4)
    parser.add_argument("--moves", type=int, default=120, help="plies per game at most")
    parser.add_argument("--load", type=int, default=0, help="busy processes to run alongside")
    parser.add_argument("--latency", type=int, default=0, help="measure N answers on an empty clock instead")
    parser.add_argument("--tc", nargs="+", default=["2+0.02", "10+0.1", "0.05+1"],
                        help="base seconds + increment seconds")
    args = parser.parse_args()
    burners = [multiprocessing.Process(target=burn, daemon=True) for _ in range(args.load)]
    for b in burners:
        b.start()
    failed = False
    try:
        if args.latency:
            latency(args.engine, args.latency)
            return 0
        for tc in args.tc:
            base, inc = (float(x) for x in tc.split("+"))
            all_answers, lowest, forfeits = [], None, 0
            for _ in range(args.games):
                answers, low, lost = play(args.engine, int(base * 1000), int(inc * 1000), args.moves)
                all_answers += answers
                lowest = low if lowest is None else min(lowest, low)
                forfeits += lost
            all_answers.sort()
            n = len(all_answers)
            times = [a for a, _ in all_answers]
            print("tc %-8s moves %4d  answer ms: median %7.1f  p99 %7.1f  max %7.1f (clock %d)  lowest clock %6d ms  "
                  "losses on time %d" % (tc, n, times[n // 2], times[min(n - 1, n * 99 // 100)], times[-1],
                                        all_answers[-1][1], lowest, forfeits))
            failed |= forfeits > 0
    finally:
        for b in burners:
            b.terminate()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
