#!/usr/bin/env python3
"""Compares thread counts of one engine on this machine, side by side, round by round.

    tools/threads_compare.py [--engine build/nerul] [--against OTHER] [--threads 1,2]
                             [--depth 12] [--nodes 20000000] [--rounds 2] [--nps-only]

For each thread count (and, with --against, each of the two engines), in alternation:
  time to depth: seconds for `go depth D` summed over the bench positions, each
    after `ucinewgame` (the main thread's last iteration ends the search);
  nodes per second: `go nodes N` on the first six bench positions, whose node
    limit counts every thread's nodes, divided by the seconds it took.
The machine is shared: compare figures of one run, not of runs on different days.
With --against, each figure is also given as the median over the rounds, with
the ratio of the engine to the other one (above 1: the engine is faster).
"""
import argparse
import os
import re
import statistics
import subprocess
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def bench_positions():
    text = open(os.path.join(HERE, "..", "src", "uci", "bench_positions.h")).read()
    return re.findall(r'"([^"]+ [wb] [^"]+)"', text)


class Engine:
    def __init__(self, path, threads):
        self.p = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
        self.send("uci")
        self.send(f"setoption name Threads value {threads}")
        self.send("setoption name Hash value 64")
        self.ready()

    def send(self, line):
        self.p.stdin.write(line + "\n")
        self.p.stdin.flush()

    def ready(self):
        self.send("isready")
        while not self.p.stdout.readline().startswith("readyok"):
            pass

    def timed(self, fen, go):
        self.send("ucinewgame")
        self.send("position fen " + fen)
        self.ready()
        start = time.monotonic()
        self.send(go)
        for line in self.p.stdout:
            if line.startswith("bestmove"):
                return time.monotonic() - start
        raise RuntimeError("the engine ended without bestmove")

    def close(self):
        self.send("quit")
        self.p.wait()


def measure(path, threads, args, fens):
    e = Engine(path, threads)
    ttd = None if args.nps_only else sum(e.timed(f, f"go depth {args.depth}") for f in fens)
    seconds = sum(e.timed(f, f"go nodes {args.nodes}") for f in fens[:6])
    e.close()
    return ttd, 6 * args.nodes / seconds


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--engine", default=os.path.join(HERE, "..", "build", "nerul"))
    ap.add_argument("--against", help="a second engine, measured in turn with the first")
    ap.add_argument("--threads", default="1,2")
    ap.add_argument("--depth", type=int, default=12)
    ap.add_argument("--nodes", type=int, default=20000000)
    ap.add_argument("--rounds", type=int, default=2)
    ap.add_argument("--nps-only", action="store_true", help="leave out the time to depth")
    args = ap.parse_args()
    counts = [int(t) for t in args.threads.split(",")]
    fens = bench_positions()
    engines = [args.engine] + ([args.against] if args.against else [])
    ttd = {(e, t): [] for e in engines for t in counts}
    nps = {(e, t): [] for e in engines for t in counts}
    for r in range(args.rounds):
        for t in counts:
            # The engines take turns going first, so that neither always meets the warmer machine.
            for e in (engines if r % 2 == 0 else engines[::-1]):
                d, n = measure(e, t, args, fens)
                ttd[(e, t)].append(d)
                nps[(e, t)].append(n)
    base = counts[0]
    for e in engines:
        for t in counts:
            line = f"{os.path.basename(os.path.dirname(e)) or e}/{os.path.basename(e)} Threads {t}: nodes per second " + " ".join(
                f"{n:.0f}" for n in nps[(e, t)]) + f", median {statistics.median(nps[(e, t)]):.0f}"
            line += f"; against Threads {base}: speed {statistics.median(nps[(e, t)]) / statistics.median(nps[(e, base)]):.2f}"
            if not args.nps_only:
                line += f"; depth {args.depth} in " + " ".join(f"{s:.2f}" for s in ttd[(e, t)]) + " s"
                line += f", time {statistics.median(ttd[(e, t)]) / statistics.median(ttd[(e, base)]):.2f}"
            print(line)
    if args.against:
        for t in counts:
            ratios = [a / b for a, b in zip(nps[(engines[0], t)], nps[(engines[1], t)])]
            print(f"Threads {t}: nodes per second, engine / against: median of {len(ratios)} rounds "
                  f"{statistics.median(ratios):.3f} (" + " ".join(f"{x:.3f}" for x in ratios) + ")")


if __name__ == "__main__":
    main()
