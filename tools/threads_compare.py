#!/usr/bin/env python3
"""Compares thread counts of one engine on this machine, side by side, round by round.

    tools/threads_compare.py [--engine build/nerul] [--against OTHER] [--threads 1,2]
                             [--depth 12] [--nodes 20000000] [--rounds 2] [--nps-only]
    tools/threads_compare.py --settings [--engine build/nerul] [--peers stockfish,glaurung]
                             [--nodes 20000000] [--rounds 5]

For each thread count (and, with --against, each of the two engines), in alternation:
  time to depth: seconds for `go depth D` summed over the bench positions, each
    after `ucinewgame` (the main thread's last iteration ends the search);
  nodes per second: `go nodes N` on the first six bench positions, whose node
    limit counts every thread's nodes, divided by the seconds it took.
The machine is shared: compare figures of one run, not of runs on different days.
With --settings, each engine (Nerul and the peers found on the PATH or in
/usr/games) is measured at the settings users choose, a fresh process for each:
the table-size ratio (nodes per second at Hash 1024 over Hash 1, or the engine's
smallest table), the thread ratio (Threads 2 over Threads 1, at Hash 64), each
on `go nodes N` over three positions after `ucinewgame`, and the time to
`readyok` after `setoption name Hash value 1024`; medians over interleaved rounds.
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
    def __init__(self, path, threads, hash_mb=64):
        self.p = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
        self.send("uci")
        self.smallest_hash = 1
        for line in self.p.stdout:
            m = re.match(r"option name Hash type spin default \d+ min (\d+)", line)
            if m:
                self.smallest_hash = int(m.group(1))
            if line.startswith("uciok"):
                break
        self.send(f"setoption name Threads value {threads}")
        self.send(f"setoption name Hash value {max(hash_mb, self.smallest_hash)}")
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


# The positions of the settings' measure: the start, Kiwipete and a queen's gambit.
SETTINGS_FENS = [
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 8",
]


def setting_nps(path, threads, hash_mb, nodes):
    e = Engine(path, threads, hash_mb)
    seconds = sum(e.timed(f, f"go nodes {nodes}") for f in SETTINGS_FENS)
    e.close()
    return len(SETTINGS_FENS) * nodes / seconds


def readyok_after_hash(path):
    e = Engine(path, 1, 1)
    start = time.monotonic()
    e.send("setoption name Hash value 1024")
    e.ready()
    seconds = time.monotonic() - start
    e.close()
    return seconds


def find_peer(name):
    for d in os.environ.get("PATH", "").split(os.pathsep) + ["/usr/games"]:
        path = os.path.join(d, name)
        if os.access(path, os.X_OK):
            return path
    return None


def settings(args):
    engines = [args.engine] + [p for p in (find_peer(n) for n in args.peers.split(",") if n) if p]
    figures = {e: {"table": [], "threads": [], "readyok": []} for e in engines}
    for _ in range(args.rounds):
        for e in engines:
            f = figures[e]
            f["table"].append(setting_nps(e, 1, 1024, args.nodes) / setting_nps(e, 1, 1, args.nodes))
            f["threads"].append(setting_nps(e, 2, 64, args.nodes) / setting_nps(e, 1, 64, args.nodes))
            f["readyok"].append(readyok_after_hash(e))
    print(f"{'engine':<24} {'Hash 1024 / Hash 1':>20} {'Threads 2 / 1':>15} {'readyok after Hash 1024':>25}")
    for e in engines:
        f = figures[e]
        print(f"{os.path.basename(e):<24} {statistics.median(f['table']):>20.2f} {statistics.median(f['threads']):>15.2f}"
              f" {statistics.median(f['readyok']) * 1000:>22.0f} ms")
        print(f"{'  each round':<24} " + "  ".join(
            f"{a:.2f}/{b:.2f}/{c * 1000:.0f}" for a, b, c in zip(f["table"], f["threads"], f["readyok"])))


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
    ap.add_argument("--settings", action="store_true", help="the table-size and thread ratios, and readyok, beside peers")
    ap.add_argument("--peers", default="stockfish,glaurung")
    args = ap.parse_args()
    if args.settings:
        return settings(args)
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
