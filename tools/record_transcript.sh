#!/bin/sh
# Prints what an engine says about every bench position searched to a fixed
# depth: its info and bestmove lines, the time-dependent nps figures blanked.
# The search tree is fixed, so any build of the same tree prints the same text;
# tests/process/ keeps one such transcript to compare the current engine with.
#
#   tools/record_transcript.sh <engine binary> [depth] > tests/process/bench_depth5.transcript
set -eu
engine=${1:?usage: record_transcript.sh <engine binary> [depth]}
depth=${2:-5}
here=$(dirname "$0")

{
  echo uci
  sed -n 's/^ *"\(.*\)",$/\1/p' "$here/../src/uci/bench_positions.h" | while IFS= read -r fen; do
    echo ucinewgame
    echo "position fen $fen"
    echo "go depth $depth"
  done
} | "$engine" | grep -E '^(info|bestmove)' | sed -E 's/ nps -?[0-9]+/ nps */'
