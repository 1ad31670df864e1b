#!/usr/bin/env python3
"""The match summary counts what a test rig counts, from the texts xboard and
polyglot really write (taken from matches played with tools/match.sh)."""

import gzip
import io
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "..", "tools", "match"))
import pgn_summary  # noqa: E402


def game(round_, white, black, result, ending):
    return ('[Event "Computer Chess Game"]\n[Site "vm"]\n[Round "%s"]\n'
            '[White "%s"]\n[Black "%s"]\n[Result "%s"]\n[TimeControl "2+0"]\n\n'
            '1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Bxc6 {+1.46/4} dxc6 {-0.90/7 0.1}\n'
            '%s%s\n\n' % (round_, white, black, result,
                          "{%s} " % ending if ending else "", result))


MATE_LOSS = game(1, "Nerul", "Glaurung", "0-1", "Xboard adjudication: Checkmate")
MATE_WIN = game(2, "Glaurung", "Nerul", "0-1", "Xboard adjudication: Checkmate")
DRAW = game(3, "Nerul", "Glaurung", "1/2-1/2", "Xboard adjudication: 3-fold repetition")
NERUL_FLAG_AS_BLACK = game(4, "Glaurung", "Nerul", "1-0", "White wins on time")
OPPONENT_FLAG = game(5, "Nerul", "Glaurung", "1-0", "White wins on time")
NERUL_ILLEGAL = game(6, "Nerul", "Glaurung", "0-1",
                     "polyglot: resign (illegal engine move by white: a1a1)")
UNFINISHED = game(7, "Nerul", "Glaurung", "*", "")


def summary(paths, expected=0):
    s = pgn_summary.summarise(paths, "Nerul", expected)
    out = io.StringIO()
    status = pgn_summary.report(s, "Nerul", "", out)
    return s, status, out.getvalue()


class Folder:
    """A match folder laid out as tools/match.sh leaves it."""

    def __init__(self, pgn, polyglot_log="", debug="", rc=0, packed=False):
        self.tmp = tempfile.TemporaryDirectory()
        self.path = os.path.join(self.tmp.name, "match-1")
        os.makedirs(os.path.join(self.path, "nerul"))
        self.write("games.pgn", pgn)
        self.write("xboard.rc", "%d\n" % rc)
        self.write("xboard.debug", debug, packed)
        self.write(os.path.join("nerul", "polyglot.log"), polyglot_log, packed)

    def write(self, name, text, packed=False):
        path = os.path.join(self.path, name)
        if packed:
            with gzip.open(path + ".gz", "wt") as f:
                f.write(text)
        else:
            with open(path, "w") as f:
                f.write(text)

    def __enter__(self):
        return self.path

    def __exit__(self, *exc):
        self.tmp.cleanup()


class ResultsTest(unittest.TestCase):
    def pgn_file(self, text):
        f = tempfile.NamedTemporaryFile("w", suffix=".pgn", delete=False)
        f.write(text)
        f.close()
        self.addCleanup(os.unlink, f.name)
        return f.name

    def test_wins_draws_losses_from_the_engine_side(self):
        s, status, text = summary([self.pgn_file(MATE_LOSS + MATE_WIN + DRAW)], 3)
        self.assertEqual(s["tally"], {"win": 1, "draw": 1, "loss": 1, "unfinished": 0})
        self.assertEqual(status, 0)
        self.assertIn("result: PASS", text)

    def test_move_comments_are_not_taken_for_the_reason_of_the_ending(self):
        g = next(pgn_summary.parse_pgn(game(1, "Nerul", "X", "1-0", "")))
        self.assertEqual(pgn_summary.ending(g[1], "1-0"), ("1-0", ""))

    def test_a_loss_on_time_as_black_fails_the_run(self):
        s, status, text = summary([self.pgn_file(MATE_LOSS + NERUL_FLAG_AS_BLACK)], 2)
        self.assertEqual(s["faults"]["engine"]["time"], 1)
        self.assertEqual(status, 1)
        self.assertIn("FAIL (Nerul: 1 time)", text)

    def test_the_opponent_losing_on_time_is_no_fault_of_ours(self):
        s, status, _ = summary([self.pgn_file(OPPONENT_FLAG)], 1)
        self.assertEqual(s["faults"]["opponent"]["time"], 1)
        self.assertEqual(s["faults"]["engine"]["time"], 0)
        self.assertEqual(status, 0)

    def test_an_illegal_move_named_by_polyglot_fails_the_run(self):
        s, status, _ = summary([self.pgn_file(NERUL_ILLEGAL)], 1)
        self.assertEqual(s["faults"]["engine"]["illegal"], 1)
        self.assertEqual(status, 1)

    def test_xboard_forfeits_and_lost_programs_are_classified(self):
        kind = pgn_summary.fault_kind
        self.assertEqual(kind("Xboard: Forfeit due to illegal move: a1a1 (a1a1)"), "illegal")
        self.assertEqual(kind("Error: first chess program (nerul) exited unexpectedly"), "crash")
        self.assertEqual(kind("Error writing to first chess program"), "disconnect")
        self.assertEqual(kind("Black's flag fell"), "time")
        self.assertIsNone(kind("Xboard adjudication: Checkmate"))

    def test_unfinished_and_missing_games_make_the_run_incomplete(self):
        s, status, text = summary([self.pgn_file(MATE_LOSS + UNFINISHED)], 4)
        self.assertEqual(s["tally"]["unfinished"], 1)
        self.assertEqual(s["missing"], 2)
        self.assertEqual(status, 2)
        self.assertIn("INCOMPLETE", text)


CRASH_LOG = """\
1796653012.733 Adapter->Engine: go wtime 2030 btime 1900
1796653012.736 Engine->Adapter: EOF
1796653012.736 POLYGLOT *** Mainloop has ended ***
1796653012.836 POLYGLOT pipex_exit(): /x/build/nerul: child terminated with signal 11.
"""
EXIT_LOG = """\
1796653012.733 Adapter->Engine: go wtime 2030 btime 1900
1796653012.736 Engine->Adapter: EOF
1796653012.836 POLYGLOT pipex_exit(): /x/build/nerul: child exited with status 0.
"""
CLEAN_LOG = """\
1796652970.486 Adapter->Engine: quit
1796652970.686 Engine->Adapter: EOF
1796652970.686 POLYGLOT Child exited with status 1.
"""
KILLED_LOG = """\
1796653199.819 POLYGLOT Waiting for child process to exit.
1796653200.020 POLYGLOT Child wouldn't exit by itself. Terminating it.
1796653200.028 POLYGLOT pipex_exit(): /x/build/nerul: child terminated with signal 9.
"""


class EngineExitTest(unittest.TestCase):
    def test_a_crash_recorded_as_a_loss_on_time_is_counted_as_a_crash(self):
        with Folder(MATE_WIN + NERUL_FLAG_AS_BLACK, CRASH_LOG, rc=1) as path:
            s, status, text = summary([path], 4)
        self.assertEqual(s["faults"]["engine"]["crash"], 1)
        self.assertEqual(s["faults"]["engine"]["time"], 0)
        self.assertEqual(status, 1)
        self.assertIn("signal 11", text)

    def test_an_engine_that_leaves_unasked_is_a_disconnection(self):
        with Folder(NERUL_FLAG_AS_BLACK, EXIT_LOG, packed=True) as path:
            s, status, _ = summary([path], 1)
        self.assertEqual(s["faults"]["engine"]["disconnect"], 1)
        self.assertEqual(status, 1)

    def test_a_crash_without_a_game_to_carry_it_still_counts(self):
        with Folder(MATE_WIN, CRASH_LOG) as path:
            s, status, text = summary([path], 2)
        self.assertEqual(s["faults"]["engine"]["crash"], 1)
        self.assertIn("no game recorded", text)
        self.assertEqual(status, 1)

    def test_quitting_when_asked_is_clean(self):
        with Folder(MATE_WIN, CLEAN_LOG) as path:
            _, status, _ = summary([path], 1)
        self.assertEqual(status, 0)

    def test_killed_for_not_quitting_is_noted_not_called_a_crash(self):
        with Folder(MATE_WIN, KILLED_LOG) as path:
            s, status, text = summary([path], 1)
        self.assertEqual(s["faults"]["engine"]["crash"], 0)
        self.assertIn("having not quit", text)
        self.assertEqual(status, 0)

    def test_the_kill_at_the_wall_time_bound_is_no_crash(self):
        log = CRASH_LOG.replace("signal 11", "signal 15")
        with Folder(NERUL_FLAG_AS_BLACK, log, rc=124) as path:
            s, status, text = summary([path], 3)
        self.assertEqual(s["faults"]["engine"]["crash"], 0)
        self.assertEqual(s["faults"]["engine"]["time"], 1)
        self.assertIn("wall-time bound", text)
        self.assertEqual(status, 1)


DEBUG = """\
461 >first : time 1000
461 >first : otim 1000
461 >first : go
681 <first : move b5c6
862 >first : time 988
862 >first : otim 991
862 >first : usermove 862 >first : d7c6
1036 <first : move e1g1
1100 >first : usermove 1100 >first : e2e4
1200 <second: move e7e5
"""


class ClockTest(unittest.TestCase):
    def test_each_move_is_timed_against_the_clock_it_had(self):
        self.assertEqual(pgn_summary.clock_margins(DEBUG), [(220, 10000), (174, 9880)])

    def test_the_closest_call_is_reported(self):
        with Folder(MATE_WIN, CLEAN_LOG, DEBUG) as path:
            _, _, text = summary([path], 1)
        self.assertIn("closest call 174 ms used of 9880 ms left", text)


if __name__ == "__main__":
    unittest.main()
