#!/bin/sh
# Compares two builds of nerul-tool on this machine, for changes too small for
# speed_compare.sh to see: alternating runs of `bench DEPTH` on core 0, in
# pairs (A B, then B A, ...). Prints the median of the pairs' speed ratios B/A
# with its quartiles, and the ratio of the total times. Two copies of one
# binary show the noise to judge a difference against: a median near 1, and
# the spread of their quartiles.
#
#   tools/bench_pairs.sh <tool A> <tool B> [pairs] [depth]      defaults: 30, 8
set -eu
a=$1
b=$2
pairs=${3:-30}
depth=${4:-8}
results=$(mktemp)
trap 'rm -f "$results"' EXIT
ms() { taskset -c 0 "$1" bench "$depth" | tail -1 | awk '{ print $3 }'; }
i=1
while [ "$i" -le "$pairs" ]; do
  if [ $((i % 2)) = 1 ]; then ta=$(ms "$a"); tb=$(ms "$b"); else tb=$(ms "$b"); ta=$(ms "$a"); fi
  echo "$ta $tb" >>"$results"
  i=$((i + 1))
done
awk '{ print $1 / $2, $1, $2 }' "$results" | sort -n | awk '
  { r[NR] = $1; ta += $2; tb += $3 }
  END {
    m = (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
    printf "speed B/A: median of %d pairs %.3f, quartiles %.3f %.3f, total %.3f\n", NR, m, r[int(NR / 4) + 1], r[int(3 * NR / 4)], ta / tb
  }'
