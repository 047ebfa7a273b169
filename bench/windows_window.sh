#!/usr/bin/env bash
# The Windows build under Wine beside the native build, in one run on one virtual X server: the
# sizes of skellarine.exe and the packages, the start-up to the first help page on screen, and the
# CPU used while the game waits at the command prompt. Wine's cost is reported as ratios.
#
# Usage: bench/windows_window.sh [NATIVE_BUILD] [WINDOWS_BUILD] [SECONDS] [RUNS]
#   NATIVE_BUILD   build folder with skellarine and data/ (default build/default)
#   WINDOWS_BUILD  build folder with skellarine.exe, data\ and the packages (default build/windows)
#   SECONDS        length of each idle sample (default 10)
#   RUNS           start-ups timed per build, the median reported (default 5)
# Env: BENCH_DISPLAY (default :96), BENCH_SHOTS (a folder for a screenshot of each idle game). Targets: skellarine.exe and the installer at most 8 MB each.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=$(cd "${1:-$root/build/default}" && pwd)
windows=$(cd "${2:-$root/build/windows}" && pwd)
seconds=${3:-10}
runs=${4:-5}
display=${BENCH_DISPLAY:-:96}
[[ -x $native/skellarine && -f $windows/skellarine.exe ]] || { echo "build both first (scripts/windows)" >&2; exit 2; }
# shellcheck source=scripts/wine_env.sh
source "$root/scripts/wine_env.sh"

xvfb_pid=
wm_pid=
game_pid=
cleanup() {
  if [[ -n $game_pid ]]; then kill "$game_pid" 2>/dev/null; wait "$game_pid" 2>/dev/null; fi
  if [[ -n $wm_pid ]]; then kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  wine_stop
}
trap cleanup EXIT

mb() { awk -v b="$1" 'BEGIN { printf "%.2f MB", b / 1048576 }'; }
size() { stat -c %s "$1"; }
exe=$(size "$windows/skellarine.exe")
installer=$(compgen -G "$windows/skellarine-*-win64.exe" | head -n 1)
zip=$(compgen -G "$windows/skellarine-*-win64.zip" | head -n 1)
status=0
echo "skellarine.exe: $(mb "$exe") (native skellarine: $(mb "$(size "$native/skellarine")"), dynamically linked)"
((exe <= 8 * 1048576)) || { echo "  exe target (<= 8 MB) missed"; status=1; }
if [[ -n $installer ]]; then
  echo "installer $(basename "$installer"): $(mb "$(size "$installer")"); zip: $(mb "$(size "$zip")")"
  (($(size "$installer") <= 8 * 1048576)) || { echo "  installer target (<= 8 MB) missed"; status=1; }
fi

# A screen smaller than twice the game's size keeps both windows at 640 x 480.
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X${display#:} ]] && break
  sleep 0.1
done
export DISPLAY=$display
# A window manager, as on a desktop: without one, Wine takes about ten seconds longer to show a window.
openbox >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 50); do
  wmctrl -m >/dev/null 2>&1 && break
  sleep 0.1
done
wine_start || exit 2

# Starts the game (native or wine) from its folder; game_pid is the game's own process.
launch() {
  if [[ $1 == native ]]; then
    (cd "$native" && exec ./skellarine) >/dev/null 2>&1 &
  else
    (cd "$windows" && exec "$WINE" skellarine.exe) >/dev/null 2>&1 &
  fi
  game_pid=$!
}
stop_game() {
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null
  game_pid=
  # Wine's desktop process lingers a moment after the last window.
  sleep 1
}
# True once the window shows the help page: its top left corner is the page's opaque blue.
help_shown() {
  local wid
  wid=$(xdotool search --onlyvisible --name '^Quintrel - Skellarine$' 2>/dev/null | head -n 1)
  [[ -n $wid ]] || return 1
  import -window "$wid" -crop 1x1+4+470 -depth 8 txt:- 2>/dev/null | grep -q '#0000FF'
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Start-up: launch to the first help page on screen, polled about every 50 ms.
declare -A startup
for ((r = 0; r < runs; ++r)); do
  for kind in native wine; do
    t0=$(now_ms)
    launch "$kind"
    until help_shown; do
      (($(now_ms) - t0 < 30000)) || { echo "$kind: no help page within 30 s" >&2; exit 2; }
    done
    startup[$kind]+="$(($(now_ms) - t0)) "
    stop_game
  done
done
median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
n=$(median "${startup[native]}")
w=$(median "${startup[wine]}")
echo "start-up to the first help page: native $n ms, Wine $w ms (median of $runs; native ${startup[native]}ms, Wine ${startup[wine]}ms) -> Wine/native $(awk -v a="$w" -v b="$n" 'BEGIN { printf "%.1f", a / b }')"

# Idle: ticks of the game, and for Wine also of every other process of its prefix (wineserver,
# the desktop and the services), over SECONDS at the first turn's command prompt.
hz=$(getconf CLK_TCK)
ticks() { awk '{ s += $14 + $15 } END { print s + 0 }' "$@" 2>/dev/null; }
wine_pids() {
  grep -l -a -z -x "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 | grep -v -x "$game_pid"
}
declare -A idle
for kind in native wine; do
  launch "$kind"
  until help_shown; do sleep 0.1; done
  wid=$(xdotool search --onlyvisible --name '^Quintrel - Skellarine$' | head -n 1)
  xdotool windowactivate --sync "$wid" >/dev/null 2>&1
  # Enter through the help pages, however many, then once more past the briefing.
  for _ in $(seq 12); do
    help_shown || break
    xdotool key Return
    sleep 0.5
  done
  xdotool key Return
  sleep 2
  help_shown && { echo "$kind: Enter did not reach the game" >&2; exit 2; }
  [[ -n ${BENCH_SHOTS:-} ]] && import -window "$wid" "$BENCH_SHOTS/idle_$kind.png"
  others=()
  [[ $kind == wine ]] && mapfile -t others < <(wine_pids)
  otherStats=()
  for p in "${others[@]}"; do otherStats+=("/proc/$p/stat"); done
  g0=$(ticks "/proc/$game_pid/stat")
  o0=0
  ((${#otherStats[@]})) && o0=$(ticks "${otherStats[@]}")
  s0=$(date +%s.%N)
  sleep "$seconds"
  g1=$(ticks "/proc/$game_pid/stat")
  o1=0
  ((${#otherStats[@]})) && o1=$(ticks "${otherStats[@]}")
  s1=$(date +%s.%N)
  pct() { awk -v d="$1" -v hz="$hz" -v a="$s0" -v b="$s1" 'BEGIN { printf "%.2f", 100 * d / hz / (b - a) }'; }
  idle[$kind]=$(pct $((g1 - g0)))
  idle[${kind}_all]=$(pct $((g1 - g0 + o1 - o0)))
  idle[${kind}_ticks]="$((g1 - g0)) ticks of the game, $((o1 - o0)) of ${#others[@]} other processes"
  stop_game
done
echo "idle CPU at the command prompt: native ${idle[native]} %, Wine ${idle[wine]} % (the game's process; with wineserver and Wine's other processes ${idle[wine_all]} %) of one core over ${seconds} s"
echo "  native: ${idle[native_ticks]}; Wine: ${idle[wine_ticks]}"
awk -v w="${idle[wine]}" -v a="${idle[wine_all]}" -v n="${idle[native]}" 'BEGIN {
  if (n > 0) printf "  Wine/native: %.1f (game process), %.1f (whole Wine session)\n", w / n, a / n }'
exit $status
