#!/usr/bin/env bash
# Proves that tools/match.sh fails a run for each fault it should catch: Nerul is
# played through fault_engine.py, which crashes, quits, moves illegally or
# overruns its clock at its third move, and every run must end with status 1 and
# the fault counted under the right heading.
#
#   tests/tools/match_selftest.sh [ENGINE]      (default: build/nerul)
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
engine="${1:-$here/../../build/nerul}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

failures=0
check() {
  local fault="$1" heading="$2" dir="$work/$1" status=0
  "$here/../../tools/match.sh" -e "$engine" -n 2 -t 2+0.02 --openings none --timeout 60 \
    --wrap "python3 $here/fault_engine.py --fault $fault --after 3 --" -o "$dir" \
    > "$work/$fault.txt" 2>&1 || status=$?
  local count
  count=$(awk -v h="$heading" 'index($0, h) == 1 { print $(NF - 1) }' "$work/$fault.txt")
  if [ "$status" = 1 ] && [ "${count:-0}" -ge 1 ]; then
    echo "ok: $fault -> status 1, $heading $count"
  else
    echo "FAILED: $fault -> status $status, '$heading' ${count:-missing}"
    sed 's/^/    /' "$work/$fault.txt"
    failures=$((failures + 1))
  fi
}

check crash "crashes"
check exit "disconnections"
check illegal "illegal moves"
check slow "losses on time"
check hang "losses on time"

if [ "$failures" -ne 0 ]; then
  echo "match rig self-test: $failures of 5 faults went unnoticed"
  exit 1
fi
echo "match rig self-test: all 5 faults caught"
