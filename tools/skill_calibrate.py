#!/usr/bin/env python3
"""Calibrates the playing levels against an outside scale: Stockfish's own UCI_Elo.

    tools/skill_calibrate.py check  [--elos 1500,1625,1750] [--games 100] [--tc 5+0.05]
    tools/skill_calibrate.py levels [--levels 4,7,8,9,10,11,12,14] [--against 1250,...] [--games 100]
    tools/skill_calibrate.py full   [--elos 1800,2000] [--games 100]

check:  Nerul at UCI_LimitStrength true, UCI_Elo E against Stockfish at the same E;
        a calibrated table scores between 35 % and 65 % at each E.
levels: Nerul at each Skill Level against Stockfish at a UCI_Elo near it (--against,
        one value per level, defaults to the table's own); the measured Elo of each
        level, and the rows of ELO_TABLE (src/search/skill.cpp) they make. A refit
        plays --games games for each level listed: 800 with the defaults.
full:   Nerul at its defaults against Stockfish at UCI_Elo values that bracket it;
        the interpolated full strength is the top of UCI_Elo.

Every game goes through the match rig (tools/match.sh: xboard, polyglot), one at
a time unless --concurrency says otherwise; a value of 100 games at 5+0.05 takes
about 20 minutes. Both engines' limits are passed as xboard's 1 and 0 (the match
rig does this for true and false), or polyglot would drop them. Each
line gives games, Nerul's score, and the Elo difference with its 95 % interval.
"""
import argparse
import math
import os
import re
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def elo(score):
    score = min(max(score, 1e-6), 1 - 1e-6)
    return -400 * math.log10(1 / score - 1)


def match(args, options, elo_value, out):
    cmd = [os.path.join(HERE, "match.sh"), "-p", "stockfish", "-n", str(args.games), "-t", args.tc,
           "--options", options, "--opponent-options", f"UCI_LimitStrength=true,UCI_Elo={elo_value}", "-o", out]
    if args.engine:
        cmd += ["-e", args.engine]
    if args.concurrency > 1:
        cmd += ["-c", str(args.concurrency)]
    text = subprocess.run(cmd, capture_output=True, text=True).stdout
    m = re.search(r"Nerul\s+\+(\d+) =(\d+) -(\d+)", text)
    if not m:
        sys.exit(f"no result from: {' '.join(cmd)}\n{text}")
    return tuple(int(x) for x in m.groups())


def summary(wins, draws, losses):
    n = wins + draws + losses
    s = (wins + 0.5 * draws) / n
    var = (wins * (1 - s) ** 2 + draws * (0.5 - s) ** 2 + losses * s ** 2) / n
    half = 1.96 * math.sqrt(var / n)
    return n, s, elo(s), elo(s - half), elo(s + half)


def line(label, result):
    n, s, d, lo, hi = result
    return f"{label:<28} {n:>5} games  score {100 * s:5.1f} %  Elo {d:+6.0f}  [{lo:+.0f}, {hi:+.0f}]"


def table_rows():
    """ELO_TABLE's rows (Elo, depth, pull); depth 0 is no cap of the level's own."""
    text = open(os.path.join(HERE, "..", "src", "search", "skill.cpp")).read()
    rows = re.findall(r"\{(\d+), (\d+), (\d+)\}", text.split("ELO_TABLE[] = {")[1].split("};")[0])
    return [tuple(int(x) for x in row) for row in rows]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("mode", choices=["check", "levels", "full"])
    ap.add_argument("--engine", help="Nerul binary (default: the match rig's)")
    ap.add_argument("--games", type=int, default=100)
    ap.add_argument("--concurrency", type=int, default=1, help="matches at once (the match rig's -c)")
    ap.add_argument("--tc", default="5+0.05")
    ap.add_argument("--elos", help="default: 1500,1625,1750 (check), 1800,2000 (full)")
    ap.add_argument("--levels", default="4,7,8,9,10,11,12,14")
    ap.add_argument("--against", help="Stockfish's UCI_Elo for each level, comma-separated")
    ap.add_argument("--out", default=os.path.join(HERE, "..", "build", "calibration"))
    args = ap.parse_args()
    # The match rig writes into a directory of its own: each run gets a fresh one.
    args.out = os.path.join(args.out, time.strftime("%Y%m%d-%H%M%S"))
    os.makedirs(args.out, exist_ok=True)

    if args.mode in ("check", "full"):
        elos = args.elos or ("1500,1625,1750" if args.mode == "check" else "1800,2000")
        for e in (int(x) for x in elos.split(",")):
            options = f"UCI_LimitStrength=true,UCI_Elo={e}" if args.mode == "check" else "Threads=1"
            result = summary(*match(args, options, e, os.path.join(args.out, f"{args.mode}-{e}")))
            label = f"UCI_Elo {e} against {e}" if args.mode == "check" else f"defaults against {e}"
            print(line(label, result) + (f"  strength {e + result[2]:.0f}" if args.mode == "full" else ""), flush=True)
        return

    # Skill Level L searches 1 + L iterations with a pull of a pawn: a row of that depth.
    levels = [int(x) for x in args.levels.split(",")]
    rows = table_rows()
    # Stockfish's scale starts at 1350.
    guess = {level: max(1350, next((e for e, d, _ in rows if d == 0 or d >= 1 + level), rows[-1][0])) for level in levels}
    against = [int(x) for x in args.against.split(",")] if args.against else [guess[lv] for lv in levels]
    measured = []
    for level, e in zip(levels, against):
        result = summary(*match(args, f"Skill Level={level}", e, os.path.join(args.out, f"level-{level}")))
        measured.append((round(e + result[2]), 1 + level))
        print(line(f"Skill Level {level} against {e}", result) + f"  level plays at {e + result[2]:.0f}", flush=True)
    # The refit: each measured level at its Elo (an Elo plays at the nearest row),
    # the full engine at the top; a level measured out of order is left out.
    fitted = []
    for e, depth in sorted(measured, key=lambda m: m[1]):
        if not fitted or e > fitted[-1][0]:
            fitted.append((e, depth, 100))
    fitted.append(rows[-1])
    print("ELO_TABLE rows: " + ", ".join(f"{{{e}, {d}, {p}}}" for e, d, p in fitted))


if __name__ == "__main__":
    main()
