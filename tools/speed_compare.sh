#!/bin/sh
# Builds an older commit and the working tree the same way, then measures both:
# moves made per second on `nerul-tool bench` (runs alternating between the two,
# median of each), their ratio, and perft 6 from the start position against
# Debian's stockfish (`go perft 6`, one thread).
#
#   tools/speed_compare.sh [commit] [runs]        defaults: 0e1f74f, 5
#
# Environment: NERUL_MARCH (default native) is the -march of both builds;
# BOTH_CXXFLAGS and BOTH_CMAKE_ARGS are further compiler flags and CMake
# arguments for both builds (the newer tree's own build choices given to the
# older tree too tell what the code gained from what the build did);
# NERUL_PGO=1 trains both on `nerul-tool bench $NERUL_PGO_DEPTH` (default 9)
# and rebuilds them with the profile; BENCH_DEPTH sets the bench's depth
# (default: the bench's own); WORK keeps the builds (default: a fresh temporary
# directory, removed at the end).
set -eu
commit=${1:-0e1f74f}
runs=${2:-5}
march=${NERUL_MARCH:-native}
pgo=${NERUL_PGO:-0}
pgo_depth=${NERUL_PGO_DEPTH:-9}
stockfish=${STOCKFISH:-/usr/games/stockfish}
repo=$(cd "$(dirname "$0")/.." && pwd)
work=${WORK:-$(mktemp -d)}
[ -n "${WORK:-}" ] || trap 'rm -rf "$work"' EXIT
start_fen='rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1'

# build <source dir>: configures and builds nerul-tool in <source dir>/build.
# The older tree may not know NERUL_MARCH; the compiler flags then name the target.
build() {
  src=$1
  flags="-march=$march ${BOTH_CXXFLAGS:-}"
  configure() {
    nice cmake -S "$src" -B "$src/build" -DCMAKE_BUILD_TYPE=Release -DNERUL_MARCH="$march" \
      -DNERUL_NATIVE=OFF -DCMAKE_CXX_FLAGS="$flags $1" ${BOTH_CMAKE_ARGS:-} >/dev/null 2>&1
    nice cmake --build "$src/build" -j 2 --target nerul-tool $2 >/dev/null
  }
  if [ "$pgo" = 1 ]; then
    configure "-fprofile-generate=$src/profile -fprofile-update=single" ""
    "$src/build/nerul-tool" bench "$pgo_depth" >/dev/null
    configure "-fprofile-use=$src/profile -fprofile-correction -Wno-missing-profile" --clean-first
  else
    configure "" ""
  fi
}

echo "building $commit and the working tree (-march=$march, PGO $pgo) in $work" >&2
mkdir -p "$work/old" "$work/new"
git -C "$repo" archive "$commit" | tar -x -C "$work/old"
(cd "$repo" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar -c) | tar -x -C "$work/new"
build "$work/old"
build "$work/new"

# bench <tool>: prints moves made per second; stops the script if the tree changed.
bench() {
  out=$("$1" bench ${BENCH_DEPTH:-} | tail -2)
  set -- $(echo "$out" | tail -1)
  if [ -z "${BENCH_DEPTH:-}" ] && [ "$1" != 22585662 ]; then
    echo "signature $1, not 22585662" >&2
    exit 1
  fi
  echo "$out" | head -1 | sed 's/.*: //'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/old.mps"
: >"$work/new.mps"
i=1
while [ "$i" -le "$runs" ]; do
  # Each round swaps who goes first, so a drift in the machine's load hits both alike.
  if [ $((i % 2)) = 1 ]; then order="old new"; else order="new old"; fi
  for which in $order; do
    mps=$(bench "$work/$which/build/nerul-tool")
    echo "$mps" >>"$work/$which.mps"
    echo "run $i $which: $mps moves made per second" >&2
  done
  i=$((i + 1))
done
old=$(median <"$work/old.mps")
new=$(median <"$work/new.mps")
echo "bench, moves made per second (median of $runs): $commit $old, working tree $new, ratio $(echo "$new $old" | awk '{ printf "%.2f", $1 / $2 }')"
# The spread of the rounds tells how far the machine's noise reaches.
echo "ratio round by round: $(paste "$work/old.mps" "$work/new.mps" | awk '{ printf "%s%.2f", (NR > 1 ? " " : ""), $2 / $1 }')"

# Perft 6: Nerul's own timing; stockfish's is its run's wall time less that of a
# run of perft 1, which costs the same start-up.
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b - a) / 1e9 }'; }
stockfish_run() {
  t0=$(date +%s%N)
  printf 'uci\nsetoption name Threads value 1\nposition startpos\ngo perft %s\nquit\n' "$1" | "$stockfish" >/dev/null
  t1=$(date +%s%N)
  seconds "$t0" "$t1"
}
: >"$work/nerul.perft"
: >"$work/stockfish.perft"
for i in 1 2 3; do
  "$work/new/build/nerul-tool" perft 6 "$start_fen" | sed -n 's/^time \([0-9.]*\) s.*/\1/p' >>"$work/nerul.perft"
  echo "$(stockfish_run 6) $(stockfish_run 1)" | awk '{ printf "%.3f\n", $1 - $2 }' >>"$work/stockfish.perft"
done
nerul=$(median <"$work/nerul.perft")
sf=$(median <"$work/stockfish.perft")
echo "perft 6 from the start, seconds (median of 3): working tree $nerul, stockfish $sf, ratio $(echo "$nerul $sf" | awk '{ printf "%.2f", $1 / $2 }')"
