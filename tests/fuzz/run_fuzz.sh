#!/bin/sh
# `make fuzz SECONDS=N`: the libFuzzer target and the session fuzzer, N seconds each.
# FUZZ_SKIP is passed to the session fuzzer's --skip (for example "known").
set -u
seconds=${1:-60}
skip=${2:-}
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$root/build-fuzz/run"
rm -rf "$work/artifacts"
mkdir -p "$work/corpus" "$work/artifacts"

echo "== libFuzzer over the line handlers ($seconds s)"
# Fork mode goes on past a fault and counts them; stdin is closed for the search's poll.
( cd "$work" && "$root/build-fuzz/nerul-fuzz" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=10 -max_len=4096 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$root/tests/fuzz/corpus" \
    </dev/null >"$work/libfuzzer.log" 2>&1 )
runs=$(grep -o '^#[0-9]*' "$work/libfuzzer.log" | tail -1 | tr -d '#')
lf_faults=$(find "$work/artifacts" -type f | wc -l)
echo "libFuzzer: ${runs:-0} inputs run, $lf_faults faults found (artifacts in $work/artifacts, log $work/libfuzzer.log)"
find "$work/artifacts" -type f | head -20

echo "== session fuzzer on the sanitizer build ($seconds s)"
set -- --seconds "$seconds" --out "$work/sessions"
[ -n "$skip" ] && set -- "$@" --skip "$skip"
node "$root/tests/fuzz/session_fuzz.js" "$@" >"$work/sessions.log" 2>&1
session_status=$?
grep -E '^FAULT|^  replay' "$work/sessions.log" | head -40
tail -1 "$work/sessions.log"
[ "$lf_faults" -eq 0 ] && [ "$session_status" -eq 0 ]
