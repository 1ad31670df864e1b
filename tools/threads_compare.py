#!/usr/bin/env python3
"""Compares thread counts of one engine on this machine, side by side, round by round.

    tools/threads_compare.py [--engine build/nerul] [--threads 1,2] [--depth 12]
                             [--nodes 20000000] [--rounds 2]

For each thread count, in alternation:
  time to depth: seconds for `go depth D` summed over the bench positions, each
    after `ucinewgame` (the main thread's last iteration ends the search);
  nodes per second: `go nodes N` on the first six bench positions, whose node
    limit counts every thread's nodes, divided by the seconds it took.
The machine is shared: compare figures of one run, not of runs on different days.
"""
import argparse
import os
import re
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


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--engine", default=os.path.join(HERE, "..", "build", "nerul"))
    ap.add_argument("--threads", default="1,2")
    ap.add_argument("--depth", type=int, default=12)
    ap.add_argument("--nodes", type=int, default=20000000)
    ap.add_argument("--rounds", type=int, default=2)
    args = ap.parse_args()
    counts = [int(t) for t in args.threads.split(",")]
    fens = bench_positions()
    ttd = {t: [] for t in counts}
    nps = {t: [] for t in counts}
    for _ in range(args.rounds):
        for t in counts:
            e = Engine(args.engine, t)
            ttd[t].append(sum(e.timed(f, f"go depth {args.depth}") for f in fens))
            seconds = sum(e.timed(f, f"go nodes {args.nodes}") for f in fens[:6])
            nps[t].append(6 * args.nodes / seconds)
            e.close()
    base = counts[0]
    for t in counts:
        print(f"Threads {t}: depth {args.depth} over {len(fens)} positions in "
              + " ".join(f"{s:.2f}" for s in ttd[t]) + " s; nodes per second "
              + " ".join(f"{n:.0f}" for n in nps[t])
              + f"; against Threads {base}: time {sum(ttd[t]) / sum(ttd[base]):.2f}, speed {sum(nps[t]) / sum(nps[base]):.2f}")


if __name__ == "__main__":
    main()
