#!/usr/bin/env python3
"""A UCI engine that misbehaves on purpose, to prove the match rig notices.

It runs a real engine behind a pipe and passes every line through, until the
N-th `go` of the game: then it commits the chosen fault instead of answering.

    fault_engine.py --fault crash|illegal|slow|hang|exit [--after N] -- ENGINE [ARGS]

crash    kill itself with SIGSEGV, as a segfaulting engine would
exit     close quietly with status 0, like an engine that believes it is done
illegal  answer `bestmove a1a1`
slow     answer the real engine's move, but only after twice the clock it had
hang     never answer this go, yet go on serving the commands that follow
freeze   from then on answer nothing at all, quit included
"""

import argparse
import os
import signal
import subprocess
import sys
import threading
import time


def clock_ms(go_line, white_to_move):
    words = go_line.split()
    key = "wtime" if white_to_move else "btime"
    if key in words:
        i = words.index(key)
        if i + 1 < len(words):
            try:
                return max(0, int(words[i + 1]))
            except ValueError:
                pass
    return 1000


def white_to_move(position_line):
    words = position_line.split()
    moves = words[words.index("moves") + 1:] if "moves" in words else []
    white = True
    if len(words) > 2 and words[1] == "fen" and len(words) > 3:
        white = words[3] == "w"
    return white if len(moves) % 2 == 0 else not white


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--fault", required=True,
                        choices=["crash", "exit", "illegal", "slow", "hang", "freeze"])
    parser.add_argument("--after", type=int, default=3,
                        help="commit the fault at this go of each game (1 = first)")
    parser.add_argument("engine", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    engine_cmd = [a for a in args.engine if a != "--"]
    if not engine_cmd:
        parser.error("no engine command given")

    child = subprocess.Popen(engine_cmd, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                             text=True, bufsize=1)
    out_lock = threading.Lock()
    # The move the real engine chose is held back while a slow answer is due.
    state = {"hold": False, "held": None}

    def emit(line):
        with out_lock:
            sys.stdout.write(line + "\n")
            sys.stdout.flush()

    def pump():
        for line in child.stdout:
            line = line.rstrip("\n")
            if line.startswith("bestmove") and state["hold"]:
                state["held"] = line
                continue
            emit(line)

    threading.Thread(target=pump, daemon=True).start()

    def send(line):
        try:
            child.stdin.write(line + "\n")
            child.stdin.flush()
        except BrokenPipeError:
            pass

    gos = 0
    frozen = False
    position = "position startpos"
    for raw in sys.stdin:
        line = raw.rstrip("\n")
        if frozen:
            continue
        word = line.split()[0] if line.split() else ""
        if word == "ucinewgame":
            gos = 0
        elif word == "position":
            position = line
        elif word == "go":
            gos += 1
            if gos == args.after:
                if args.fault == "crash":
                    child.kill()
                    os.kill(os.getpid(), signal.SIGSEGV)
                if args.fault == "exit":
                    child.kill()
                    os._exit(0)
                if args.fault == "illegal":
                    emit("bestmove a1a1")
                    continue
                if args.fault == "hang":
                    continue
                if args.fault == "freeze":
                    frozen = True
                    continue
                if args.fault == "slow":
                    delay = 2 * clock_ms(line, white_to_move(position)) / 1000.0
                    state["hold"] = True
                    send(line)
                    time.sleep(delay)
                    send("stop")
                    while state["held"] is None and child.poll() is None:
                        time.sleep(0.01)
                    state["hold"] = False
                    if state["held"]:
                        emit(state["held"])
                    state["held"] = None
                    continue
        send(line)
        if word == "quit":
            break
    try:
        child.wait(timeout=2)
    except subprocess.TimeoutExpired:
        child.kill()


if __name__ == "__main__":
    main()
