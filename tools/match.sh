#!/usr/bin/env bash
# Plays Nerul against a Debian engine in a real interface: xboard in match mode,
# headless under Xvfb, with Nerul attached through polyglot (xboard's -fUCI), and
# judges the games the way a test rig does: a loss on time, an illegal move or a
# crash of Nerul fails the run.
#
#   tools/match.sh [options]          see --help
#   tools/match.sh --smoke            two quick games with a bounded wall time, for CI
#
# Exit status: 0 clean; 1 Nerul lost on time, made an illegal move, crashed or
# disconnected; 2 the match did not complete (games missing or unfinished) but no
# fault of Nerul was seen; 3 usage or set-up error.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/.." && pwd)"
# Debian installs xboard, polyglot and the engines under /usr/games.
export PATH="$PATH:/usr/games"

usage() {
  cat <<EOF
usage: tools/match.sh [options]
  -e, --engine PATH       Nerul binary (default: $repo/build/nerul)
      --wrap 'CMD ...'    command that starts the engine, its path appended, e.g. a
                          fault injector (tests/tools/fault_engine.py); absolute paths
  -p, --opponent NAME     glaurung, toga2, stockfish, ethereal-chess, or the path of
                          any UCI engine, Nerul included (default: glaurung)
      --skill N           Stockfish's Skill Level, 0 to 20 (default: 3)
      --options 'N=V,...' Nerul's UCI options, e.g. 'Threads=2,MultiPV=1'
      --opponent-options 'N=V,...'
                          the opponent's, after its defaults (Threads=1, Stockfish's
                          Skill Level), e.g. 'Threads=1' for Nerul as the opponent
  -n, --games N           games in all (default: 10)
  -t, --tc BASE[+INC]     base as M:SS or whole seconds, increment in seconds,
                          e.g. 0:10+0.1, 10+0.1, 2+0.02, 1:00+0.6 (default: 10+0.1)
      --mps N             repeating controls: the base for every N moves, refilled
                          after each N (xboard's -mps; no increment then), e.g.
                          -t 0:20 --mps 40
      --ponder            both engines ponder (xboard's -ponder; polyglot turns the
                          UCI option Ponder on); the default is no pondering
  -c, --concurrency N     matches played at once, each an xboard of its own; more than
                          the cores to load the machine as test rigs do (default: 1)
  -o, --out DIR           output directory (default: build/matches/<date-time>)
      --openings FILE     PGN of opening lines, each played with both colours
                          (default: tools/match/openings.pgn; 'none' for the start position)
      --hash MB           hash size given to both engines (default: 16)
      --variant NAME      xboard's variant, e.g. fischerandom (Chess960: polyglot turns
                          UCI_Chess960 on, xboard draws each start; openings default to none)
      --timeout S         wall-time bound for each match, in seconds (default: from the
                          time control, room for games of 150 moves)
      --smoke             CI smoke test: 2 games at 2+0.02 against glaurung, one match,
                          bounded wall time (options given after --smoke override it)
  -h, --help
Writes games.pgn and summary.txt in the output directory, one folder per match with
its PGN, xboard's debug file, polyglot's logs and the command line used.
EOF
}

die() { echo "match.sh: $*" >&2; exit 3; }

engine="$repo/build/nerul"
wrap=""
opponent=glaurung
skill=3
games=10
tc="10+0.1"
concurrency=1
out=""
openings="$here/match/openings.pgn"
hash=16
timeout_s=""
variant=""
mps=0
ponder=0
options=""
opp_extra=""

while [ $# -gt 0 ]; do
  case "$1" in
    -e|--engine) engine="$2"; shift 2 ;;
    --wrap) wrap="$2"; shift 2 ;;
    -p|--opponent) opponent="$2"; shift 2 ;;
    --skill) skill="$2"; shift 2 ;;
    -n|--games) games="$2"; shift 2 ;;
    -t|--tc) tc="$2"; shift 2 ;;
    -c|--concurrency) concurrency="$2"; shift 2 ;;
    -o|--out) out="$2"; shift 2 ;;
    --openings) openings="$2"; shift 2 ;;
    --hash) hash="$2"; shift 2 ;;
    --timeout) timeout_s="$2"; shift 2 ;;
    --variant) variant="$2"; shift 2; [ "$openings" = "$here/match/openings.pgn" ] && openings=none ;;
    --mps) mps="$2"; shift 2 ;;
    --ponder) ponder=1; shift ;;
    --options) options="$2"; shift 2 ;;
    --opponent-options) opp_extra="$2"; shift 2 ;;
    --smoke) opponent=glaurung; games=2; tc="2+0.02"; concurrency=1; shift ;;
    -h|--help) usage; exit 0 ;;
    *) usage >&2; exit 3 ;;
  esac
done

# whole_number OPTION VALUE MIN MAX
whole_number() {
  if ! [[ "$2" =~ ^[0-9]+$ ]] || [ "$2" -lt "$3" ] || [ "$2" -gt "$4" ]; then
    die "$1 wants a whole number from $3 to $4"
  fi
}
whole_number --games "$games" 1 100000
whole_number --concurrency "$concurrency" 1 64
whole_number --hash "$hash" 1 1024
whole_number --skill "$skill" 0 20
whole_number --mps "$mps" 0 1000
# xboard's options lists: Name=Value pairs, separated by commas.
for list in "$options" "$opp_extra"; do
  [ -z "$list" ] || [[ "$list" =~ ^[^=,]+=[^,]*(,[^=,]+=[^,]*)*$ ]] || die "options '$list' are not Name=Value,..."
done
[ "$concurrency" -le "$games" ] || concurrency="$games"

# Time control. xboard takes the base as minutes[:seconds] (sub-minute bases are
# 0:SS) and a fractional increment in seconds as it is.
base_part="${tc%%+*}"
inc="0"
[ "$base_part" != "$tc" ] && inc="${tc#*+}"
if [[ "$base_part" =~ ^([0-9]+):([0-5]?[0-9])$ ]]; then
  base_s=$(( 10#${BASH_REMATCH[1]} * 60 + 10#${BASH_REMATCH[2]} ))
elif [[ "$base_part" =~ ^[0-9]+$ ]]; then
  base_s=$(( 10#$base_part ))
else
  die "--tc: base '$base_part' is neither M:SS nor whole seconds"
fi
[ "$base_s" -ge 1 ] || die "--tc: the base must be at least one second"
[[ "$inc" =~ ^[0-9]+(\.[0-9]+)?$ ]] || die "--tc: increment '$inc' is not a number of seconds"
xb_tc="$(( base_s / 60 )):$(printf '%02d' $(( base_s % 60 )))"
tc_label="${base_s}+${inc} s"
# xboard plays repeating controls only with no increment: -inc -1 is its classical mode.
tc_args=(-tc "$xb_tc" -inc "$inc")
if [ "$mps" -gt 0 ]; then
  python3 -c "import sys; sys.exit(float('$inc') != 0)" || die "--mps takes no increment"
  tc_args=(-tc "$xb_tc" -mps "$mps" -inc -1)
  tc_label="$mps moves in ${base_s} s"
fi

for tool in xboard polyglot xvfb-run xauth timeout python3; do
  command -v "$tool" >/dev/null || die "$tool not found (apt-get install xboard polyglot xvfb xauth python3)"
done
[ -x "$engine" ] || die "engine '$engine' is not an executable file (build it with 'make build')"
engine="$(cd "$(dirname "$engine")" && pwd)/$(basename "$engine")"

# The opponent: a Debian engine by name, or any UCI engine by path.
opp_options="Threads=1"
case "$opponent" in
  stockfish) opp_name="Stockfish-skill$skill"; opp_options="Threads=1,Skill Level=$skill" ;;
  glaurung) opp_name="Glaurung" ;;
  toga2) opp_name="Toga2" ;;
  ethereal-chess) opp_name="Ethereal" ;;
  *) opp_name="$(basename "$opponent")" ;;
esac
# Nerul against itself: the summary tells the two apart by name.
case "$opp_name" in [Nn]erul*) opp_name="Nerul-opponent" ;; esac
[ -z "$opp_extra" ] || opp_options="$opp_options,$opp_extra"
opp_cmd="$(command -v "$opponent" || true)"
[ -n "$opp_cmd" ] || die "opponent '$opponent' not found (apt-get install $opponent?)"
case "$opp_cmd" in /*) ;; *) opp_cmd="$(pwd)/$opp_cmd" ;; esac

if [ "$openings" != none ]; then
  [ -r "$openings" ] || die "openings file '$openings' not readable"
  openings="$(cd "$(dirname "$openings")" && pwd)/$(basename "$openings")"
fi

[ -n "$out" ] || out="$repo/build/matches/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
[ "${MATCH_SH_INNER:-}" = 1 ] || [ -z "$(ls -A "$out")" ] || die "output directory '$out' is not empty"

# Each match must fit in its wall time even when the machine is loaded: a game of
# 150 moves a side uses at most 2 x (base + 150 x increment) on the clocks, or
# with repeating controls 2 x base for each of its controls.
if [ -z "$timeout_s" ]; then
  if [ "$mps" -gt 0 ]; then
    per_game=$(( 2 * base_s * ((150 + mps - 1) / mps) + 10 ))
  else
    per_game=$(python3 -c "print(int(2 * ($base_s + 150 * $inc)) + 10)")
  fi
  per_match=$(( (games + concurrency - 1) / concurrency ))
  timeout_s=$(( per_match * per_game + 30 ))
fi
whole_number --timeout "$timeout_s" 1 1000000

# An engine's options as xboard passes them. Polyglot keeps Threads and Hash from
# xboard's option list and sets them from the `cores` and `memory` commands, which
# xboard sends before every game with one value for both engines; the engine's own
# init string, sent after them, carries its own. A check option's value is 1 or
# 0 to xboard: polyglot takes "true" for the default it already holds and never
# sends it, so true and false are written as 1 and 0. Sets xb_options and xb_init.
split_options() {
  local item name value
  xb_options="" xb_init='new\nrandom\n'
  local IFS=,
  for item in $1; do
    name="${item%%=*}" value="${item#*=}"
    case "${value,,}" in
      true) value=1 ;;
      false) value=0 ;;
    esac
    case "${name,,}" in
      threads) xb_init+="cores $value\\n" ;;
      hash) xb_init+="memory $value\\n" ;;
      *) xb_options+="${xb_options:+,}$name=$value" ;;
    esac
  done
}

# Plays match number $2 of $concurrency in folder $1, with $3 games.
play_match() {
  local dir="$1" index="$2" n="$3"
  mkdir -p "$dir/home" "$dir/nerul" "$dir/opponent"
  local book_args=() ponder_arg=-xponder
  [ "$ponder" = 1 ] && ponder_arg=-ponder
  if [ "$openings" != none ]; then
    # xboard walks the file from the top; a rotated copy gives each concurrent
    # match different openings. Every line is played twice, colours reversed.
    python3 - "$openings" "$index" "$concurrency" > "$dir/openings.pgn" <<'EOF'
import re, sys
text = open(sys.argv[1]).read()
games = [g.strip() + "\n" for g in re.split(r"\n(?=\[Event )", text) if g.strip()]
k = (int(sys.argv[2]) - 1) * len(games) // int(sys.argv[3])
sys.stdout.write("\n".join(games[k:] + games[:k]))
EOF
    local count
    count=$(grep -c '^\[Event ' "$dir/openings.pgn")
    book_args=(-lgf "$dir/openings.pgn" -lgi -2 -rewindIndex "$count")
  fi
  local xb_options xb_init
  split_options "$opp_options"
  local second=(-secondOptions "$xb_options" -secondInitString "$xb_init")
  split_options "$options"
  local first=(-firstInitString "$xb_init")
  [ -n "$xb_options" ] && first+=(-firstOptions "$xb_options")
  local args=(
    -fcp "${wrap:+$wrap }$engine" -fUCI -fd "$dir/nerul" -fn Nerul "${first[@]}"
    -scp "$opp_cmd" -sUCI -sd "$dir/opponent" -sn "$opp_name" "${second[@]}"
    -adapterCommand 'polyglot -noini -ec "%fcp" -ed "%fd" -log true -lf "%fd/polyglot.log"'
    -mg "$n" "${tc_args[@]}" -defaultHashSize "$hash" -defaultCacheSizeEGTB 0
    "$ponder_arg" -autoCallFlag true -matchPause 500 "${book_args[@]}"
    -sgf "$dir/games.pgn" -pgnExtendedInfo true
    -noGUI -xexit -saveSettingsOnExit false -soundProgram true
    -debug -nameOfDebugFile "$dir/xboard.debug"
  )
  [ -n "$variant" ] && args+=(-variant "$variant")
  printf '%q ' xboard "${args[@]}" > "$dir/command.txt"; echo >> "$dir/command.txt"
  local rc=0
  # timeout signals its whole process group, so polyglot and both engines go too.
  HOME="$dir/home" timeout -k 10 "$timeout_s" xboard "${args[@]}" > "$dir/xboard.out" 2>&1 &
  echo $! > "$dir/timeout.pid"
  wait $! || rc=$?
  echo "$rc" > "$dir/xboard.rc"
}

# Inside the virtual display: start the matches side by side and wait for all.
if [ "${MATCH_SH_INNER:-}" = 1 ]; then
  pids=()
  base=$(( games / concurrency )); extra=$(( games % concurrency ))
  for i in $(seq 1 "$concurrency"); do
    n=$base; [ "$i" -le "$extra" ] && n=$((n + 1))
    play_match "$out/match-$i" "$i" "$n" &
    pids+=($!)
    sleep 0.3
  done
  # An interrupted run takes its matches down with it: timeout passes the signal
  # on to its process group.
  # shellcheck disable=SC2317  # called from the trap
  stop_matches() {
    local f
    for f in "$out"/match-*/timeout.pid; do kill "$(cat "$f")" 2>/dev/null || true; done
  }
  trap stop_matches INT TERM
  wait "${pids[@]}" || true
  rm -f "$out"/match-*/timeout.pid
  exit 0
fi

extras="${options:+, Nerul with $options}${opp_extra:+, $opp_name with $opp_extra}"
[ "$ponder" = 1 ] && extras="$extras, pondering"
echo "Nerul ($engine) vs $opp_name: $games games at $tc_label, $concurrency at once$extras; wall-time bound ${timeout_s}s a match; output $out"
ponder_flag=()
[ "$ponder" = 1 ] && ponder_flag=(--ponder)
export MATCH_SH_INNER=1
xvfb-run -a -s "-screen 0 800x600x24" "$0" -e "$engine" --wrap "$wrap" -p "$opponent" --skill "$skill" \
  -n "$games" -t "$tc" -c "$concurrency" -o "$out" --openings "$openings" --hash "$hash" \
  --timeout "$timeout_s" ${variant:+--variant "$variant"} --mps "$mps" --options "$options" \
  --opponent-options "$opp_extra" "${ponder_flag[@]}" > "$out/xvfb-run.log" 2>&1 || true
unset MATCH_SH_INNER

status=0
python3 "$here/match/pgn_summary.py" --name Nerul --expected "$games" \
  --title "Nerul vs $opp_name, $games games at $tc_label, $concurrency at once$extras" \
  --pgn-out "$out/games.pgn" "$out"/match-* | tee "$out/summary.txt" || status=$?
# The logs stay for diagnosis, packed: Nerul's polyglot log runs to megabytes a game.
gzip -f "$out"/match-*/nerul/polyglot.log "$out"/match-*/opponent/polyglot.log "$out"/match-*/xboard.debug 2>/dev/null || true
exit "$status"
