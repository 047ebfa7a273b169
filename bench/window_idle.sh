#!/usr/bin/env bash
# The real window under Xvfb: CPU use while the game waits for a click, and peak memory of a played game.
#
# Usage: bench/window_idle.sh [BUILD_DIR] [SECONDS]
#   BUILD_DIR  a build directory holding skellarine and data/ (default: build/default)
#   SECONDS    length of the idle sample (default 10)
# Env: IDLE_DISPLAY (default :95), IDLE_MOVES (turns of travel for the played game, default 30),
#      IDLE_SCREENSHOT (a PNG of the screen after the played game; needs ImageMagick's import).
# SDL's own variables pass through, e.g. SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0.
# Prints the idle CPU as a percentage of one core (target <= 0.5 %) and VmHWM after the played game
# (target <= 64 MB); exits 1 when either target is missed, 2 when the window could not be driven.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
seconds=${2:-10}
display=${IDLE_DISPLAY:-:95}
moves=${IDLE_MOVES:-30}
game=$build/skellarine
[[ -x $game ]] || { echo "no $game: build the project first" >&2; exit 2; }
for tool in Xvfb xdotool; do
  command -v $tool >/dev/null || { echo "$tool is missing (apt-get install xvfb xdotool)" >&2; exit 2; }
done

xvfb_pid=
game_pid=
# shellcheck disable=SC2317  # called through the trap
cleanup() {
  if [[ -n $game_pid ]]; then kill "$game_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}
trap cleanup EXIT

# A screen smaller than twice the game's size keeps the window at 640 x 480, one pixel per pixel.
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  [[ -e /tmp/.X11-unix/X${display#:} ]] && break
  sleep 0.1
done
export DISPLAY=$display

(cd "$build" && exec "$game") >/dev/null 2>&1 &
game_pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'Skellarine' | head -1) || true
[[ -n $wid ]] || { echo "the game window did not appear" >&2; exit 2; }
sleep 1

# CPU time of all the game's threads in nanoseconds (schedstat: finer than the 10 ms of stat's ticks).
cpu_ns() { cat /proc/"$game_pid"/task/*/schedstat | awk '{ s += $1 } END { printf "%d", s }'; }
hwm_kb() { awk '/^VmHWM:/ {print $2}' "/proc/$game_pid/status"; }
key() {
  xdotool key --window "$wid" "$1"
  sleep 0.5
}
# A click as a player makes it: the press held a moment so that a 50 ms poll sees it.
click() {
  xdotool mousemove --window "$wid" "$1" "$2"
  sleep 0.15
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  sleep 0.35
}

# Five help pages and the briefing lead to the first turn.
for _ in 1 2 3 4 5 6; do key Return; done
sleep 2
t0=$(cpu_ns)
s0=$(date +%s.%N)
sleep "$seconds"
t1=$(cpu_ns)
s1=$(date +%s.%N)
idle=$(awk -v d=$((t1 - t0)) -v a="$s0" -v b="$s1" 'BEGIN {printf "%.2f", 100 * d / 1e9 / (b - a)}')
echo "idle CPU while waiting for a click: $idle % of one core over $(awk -v a="$s0" -v b="$s1" 'BEGIN {printf "%.1f", b - a}') s ($(((t1 - t0) / 1000000)) ms of CPU)"

# A played game: travel from place to place (ДВИГАТЬСЯ, then a location), a new picture each turn.
for i in $(seq "$moves"); do
  kill -0 "$game_pid" 2>/dev/null || { echo "the game ended early" >&2; exit 2; }
  click 320 469                      # the prompt on row 34 opens the command list
  click 320 49                       # its first entry, the move command
  click 320 455                      # the prompt on row 33 opens the location list
  click 320 $((14 * (4 + (i * 7) % 20) - 7))   # a location (entry 1 + 7i mod 20), spread over all twenty
done
hwm=$(hwm_kb)
if [[ -n ${IDLE_SCREENSHOT:-} ]]; then
  import -window root "$IDLE_SCREENSHOT"
fi
echo "peak resident memory after $moves turns of travel: $((hwm / 1024)) MB (VmHWM $hwm kB)"

status=0
awk -v v="$idle" 'BEGIN {exit !(v <= 0.5)}' || { echo "idle CPU target (<= 0.5 %) missed" >&2; status=1; }
[[ $hwm -le $((64 * 1024)) ]] || { echo "memory target (<= 64 MB) missed" >&2; status=1; }
exit $status
