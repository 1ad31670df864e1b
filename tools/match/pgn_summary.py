#!/usr/bin/env python3
"""Summarises the games of an xboard match from one engine's side.

    pgn_summary.py [--name Nerul] [--expected N] [--pgn-out FILE] PATH...

Each PATH is a PGN file or a match folder written by tools/match.sh (games.pgn,
xboard.debug, xboard.rc, nerul/polyglot.log, logs may be gzipped). Counts wins,
draws and losses, and the faults a test rig counts against an engine: losses on
time, illegal moves, crashes and disconnections.

xboard writes the reason a game ended as the comment before the result, e.g.
"{Black wins on time} 0-1", "{polyglot: resign (illegal engine move by white:
a1a1)} 0-1", "{Xboard: Forfeit due to illegal move: ...}". When the engine dies,
xboard only learns it when the dead side's flag falls, so the game is recorded as
a loss on time; the polyglot log and xboard's debug file tell the truth, and the
summary moves such a game from 'time' to 'crash' or 'disconnect'.

Exit status: 0 clean; 1 the named engine lost on time, moved illegally, crashed or
disconnected; 2 no such fault, but games are missing or unfinished.
"""

import argparse
import gzip
import math
import os
import re
import sys

RESULTS = ("1-0", "0-1", "1/2-1/2", "*")

# Order matters: a text naming both a crash and the clock is a crash.
FAULT_PATTERNS = [
    ("crash", re.compile(r"crash|terminated with signal|exited unexpectedly|core dumped|"
                         r"segmentation", re.I)),
    ("disconnect", re.compile(r"disconnect|error (reading from|writing to)|"
                              r"exited with status|exits in draw position|"
                              r"not responding|stalled", re.I)),
    ("illegal", re.compile(r"illegal|invalid move|forfeit due to", re.I)),
    ("time", re.compile(r"on time|flag fell|out of time|time forfeit", re.I)),
]
FAULT_KINDS = ("time", "illegal", "crash", "disconnect")


def read_text(path):
    """The file's text, or its .gz twin's; '' when neither exists."""
    for candidate in (path, path + ".gz"):
        if os.path.exists(candidate):
            opener = gzip.open if candidate.endswith(".gz") else open
            with opener(candidate, "rt", errors="replace") as f:
                return f.read()
    return ""


def parse_pgn(text):
    """Yields (tags, movetext) for every game in a PGN text."""
    tags, moves, in_moves = {}, [], False
    tag_re = re.compile(r'^\[(\w+)\s+"(.*)"\]\s*$')
    for line in text.splitlines():
        m = tag_re.match(line)
        if m:
            if in_moves:
                yield tags, "\n".join(moves)
                tags, moves, in_moves = {}, [], False
            tags[m.group(1)] = m.group(2)
        elif tags:
            in_moves = True
            moves.append(line)
    if tags:
        yield tags, "\n".join(moves)


def ending(movetext, tag_result):
    """The result token and the comment that states why the game ended."""
    m = re.search(r"(?:\{([^{}]*)\}\s*)?(1-0|0-1|1/2-1/2|\*)\s*$", movetext.strip())
    if not m:
        return tag_result or "*", ""
    comment = (m.group(1) or "").strip()
    # Move comments look like "{+0.25/9 0.1}"; only words explain an ending.
    if re.fullmatch(r"[-+0-9./ ]*", comment):
        comment = ""
    return m.group(2), comment


def fault_kind(comment):
    for kind, pattern in FAULT_PATTERNS:
        if pattern.search(comment):
            return kind
    return None


class Game:
    def __init__(self, source, tags, movetext, name):
        self.source = source
        self.round = tags.get("Round", "?")
        self.white, self.black = tags.get("White", "?"), tags.get("Black", "?")
        self.result, self.comment = ending(movetext, tags.get("Result"))
        if self.white == name:
            self.colour = "white"
        elif self.black == name:
            self.colour = "black"
        else:
            self.colour = None
        self.kind = fault_kind(self.comment)
        self.faulty = self.fault_owner()

    def outcome(self):
        """'win', 'draw', 'loss' or 'unfinished', for the named engine."""
        if self.result == "1/2-1/2":
            return "draw"
        if self.result == "*" or self.colour is None:
            return "unfinished"
        won = (self.result == "1-0") == (self.colour == "white")
        return "win" if won else "loss"

    def fault_owner(self):
        """Who the fault in the ending belongs to: 'engine', 'opponent', 'both' or None."""
        if not self.kind:
            return None
        text = self.comment.lower()
        # xboard's own words name the engine by its slot; Nerul is always the first.
        if "first" in text and "second" not in text:
            return "engine"
        if "second" in text and "first" not in text:
            return "opponent"
        outcome = self.outcome()
        if outcome == "loss":
            return "engine"
        if outcome == "win":
            return "opponent"
        if outcome == "draw" and self.kind == "time":
            return "both"
        return None

    def describe(self):
        colour = self.colour or "?"
        comment = " {%s}" % self.comment if self.comment else ""
        return "%s round %s: %s - %s, Nerul %s, %s%s" % (
            self.source, self.round, self.white, self.black, colour, self.result, comment)


def engine_exit(match_dir, timed_out=False):
    """How the named engine's process ended in a match folder, if not on request.

    Returns (kind, evidence) with kind 'crash', 'disconnect' or 'no-quit' (it
    ignored quit and polyglot killed it), or (None, None)."""
    log = read_text(os.path.join(match_dir, "nerul", "polyglot.log"))
    killed = False
    for line in log.splitlines():
        if "wouldn't exit by itself" in line:
            killed = True
        m = re.search(r"terminated with signal (\d+)", line, re.I)
        if m:
            evidence = line.split("POLYGLOT", 1)[-1].strip()
            # The wall-time bound ends a stalled match with SIGTERM, then SIGKILL.
            if killed or (timed_out and m.group(1) in ("9", "15")):
                return "no-quit", evidence
            return "crash", evidence
    for line in log.splitlines():
        if "pipex_exit()" in line and "exited with status" in line:
            return "disconnect", line.split("POLYGLOT", 1)[-1].strip()
    eof = log.find("Engine->Adapter: EOF")
    quit_sent = log.find("Adapter->Engine: quit")
    if eof >= 0 and (quit_sent < 0 or eof < quit_sent):
        return "disconnect", "Nerul closed its output before it was asked to quit"
    debug = read_text(os.path.join(match_dir, "xboard.debug"))
    m = re.search(r".*(first chess program.*exited unexpectedly|"
                  r"Error (reading from|writing to) first chess program).*", debug)
    if m:
        return "disconnect", m.group(0).strip()
    return None, None


def clock_margins(debug_text):
    """(ms used, ms on the clock) for each move the first engine thought about.

    xboard's debug file stamps every line with milliseconds; before each move it
    sends "time" (centiseconds left), then "go" or "usermove", and the engine
    answers "move"."""
    moves, clock, start = [], None, None
    stamp = re.compile(r"^(\d+) ([<>])first : (\w+)(?: (\S+))?")
    for line in debug_text.splitlines():
        m = stamp.match(line)
        if not m:
            continue
        t, way, word, arg = int(m.group(1)), m.group(2), m.group(3), m.group(4)
        if way == ">" and word == "time" and arg and arg.lstrip("-").isdigit():
            clock, start = int(arg) * 10, None
        elif way == ">" and word in ("go", "usermove") and clock is not None:
            start = t
        elif way == "<" and word == "move" and start is not None:
            moves.append((t - start, clock))
            clock, start = None, None
    return moves


def match_status(match_dir):
    """xboard's exit status for the match, or None when the folder has none."""
    text = read_text(os.path.join(match_dir, "xboard.rc")).strip()
    return int(text) if text.lstrip("-").isdigit() else None


def summarise(paths, name, expected):
    games, notes, pgn_texts = [], [], []
    extra_faults = []          # engine faults with no recorded game to carry them
    margins = []               # (ms used, ms on the clock) per move of the engine
    for path in paths:
        if os.path.isdir(path):
            label = os.path.basename(os.path.normpath(path))
            text = read_text(os.path.join(path, "games.pgn"))
        else:
            label = os.path.basename(path)
            text = read_text(path)
        pgn_texts.append(text)
        these = [Game(label, tags, moves, name) for tags, moves in parse_pgn(text)]
        games.extend(these)
        if not os.path.isdir(path):
            continue
        margins.extend(clock_margins(read_text(os.path.join(path, "xboard.debug"))))
        rc = match_status(path)
        timed_out = rc in (124, 137)
        kind, evidence = engine_exit(path, timed_out)
        if kind == "no-quit":
            notes.append("%s: %s was killed, having not quit: %s" % (label, name, evidence))
        elif kind:
            # xboard notices a dead engine only when its flag falls.
            last = these[-1] if these else None
            if last and last.faulty == "engine" and last.kind == "time":
                last.kind = kind
                last.comment += " (recorded by xboard; %s: %s)" % (kind, evidence)
            elif not (last and last.faulty == "engine" and last.kind in ("crash", "disconnect")):
                extra_faults.append((kind, "%s: %s" % (label, evidence)))
        if timed_out:
            notes.append("%s: stopped at its wall-time bound (xboard or an engine hung)" % label)
        elif rc not in (None, 0):
            notes.append("%s: xboard exited with status %d" % (label, rc))

    tally = {"win": 0, "draw": 0, "loss": 0, "unfinished": 0}
    faults = {side: {k: 0 for k in FAULT_KINDS} for side in ("engine", "opponent")}
    fault_games = []
    for g in games:
        tally[g.outcome()] += 1
        if g.faulty in ("engine", "both"):
            faults["engine"][g.kind] += 1
            fault_games.append(g.describe())
        if g.faulty in ("opponent", "both"):
            faults["opponent"][g.kind] += 1
    for kind, evidence in extra_faults:
        faults["engine"][kind] += 1
        fault_games.append("%s (no game recorded)" % evidence)

    finished = tally["win"] + tally["draw"] + tally["loss"]
    missing = max(0, expected - len(games)) if expected else 0
    return {
        "games": games, "tally": tally, "faults": faults, "fault_games": fault_games,
        "finished": finished, "missing": missing, "notes": notes, "pgn": pgn_texts,
        "margins": margins,
    }


def report(s, name, title, out):
    t, f = s["tally"], s["faults"]
    w = out.write
    if title:
        w(title + "\n")
    expected = len(s["games"]) + s["missing"]
    w("games      %d finished of %d%s\n" % (
        s["finished"], expected,
        "" if not (t["unfinished"] or s["missing"]) else
        " (%d unfinished, %d missing)" % (t["unfinished"], s["missing"])))
    line = "%-10s +%d =%d -%d" % (name, t["win"], t["draw"], t["loss"])
    if s["finished"]:
        score = (t["win"] + 0.5 * t["draw"]) / s["finished"]
        line += "  score %.1f%%" % (100 * score)
        if 0 < score < 1:
            line += "  (%+.0f Elo)" % (-400 * math.log10(1 / score - 1))
    w(line + "\n")
    w("%-22s %6s %9s\n" % ("", name, "opponent"))
    for kind, label in (("time", "losses on time"), ("illegal", "illegal moves"),
                        ("crash", "crashes"), ("disconnect", "disconnections")):
        w("%-22s %6d %9d\n" % (label, f["engine"][kind], f["opponent"][kind]))
    if s["margins"]:
        used, clock = min(s["margins"], key=lambda m: m[1] - m[0])
        w("%s's clock: %d moves timed, longest %d ms; closest call %d ms used of %d ms left\n"
          % (name, len(s["margins"]), max(m[0] for m in s["margins"]), used, clock))
    for g in s["fault_games"]:
        w("  %s fault: %s\n" % (name, g))
    for n in s["notes"]:
        w("  note: %s\n" % n)
    engine_faults = sum(f["engine"].values())
    if engine_faults:
        parts = ["%d %s" % (f["engine"][k], k) for k in FAULT_KINDS if f["engine"][k]]
        w("result: FAIL (%s: %s)\n" % (name, ", ".join(parts)))
        return 1
    if t["unfinished"] or s["missing"]:
        w("result: INCOMPLETE (no fault of %s seen, but not every game finished)\n" % name)
        return 2
    w("result: PASS\n")
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("paths", nargs="+", help="PGN files or match folders")
    parser.add_argument("--name", default="Nerul", help="the engine's name in the PGN tags")
    parser.add_argument("--expected", type=int, default=0, help="games the match should have")
    parser.add_argument("--title", default="", help="first line of the summary")
    parser.add_argument("--pgn-out", help="write all games into this one PGN file")
    args = parser.parse_args(argv)
    s = summarise(args.paths, args.name, args.expected)
    if args.pgn_out:
        with open(args.pgn_out, "w") as f:
            f.write("\n".join(t.strip() + "\n" for t in s["pgn"] if t.strip()))
    return report(s, args.name, args.title, sys.stdout)


if __name__ == "__main__":
    sys.exit(main())
