#!/usr/bin/env bash
# The real window of skellarine.exe under Wine on a virtual X server, checked by screenshots: the
# help pages, the command list opened and an entry picked with the mouse, typed input, F11 and
# Alt+Enter full screen and back, the close button of the frame and Alt+F4 (exit status 0 each),
# and the program started without its data\ folder.
#
# usage: window_test.sh WINDOWS_BUILD [SHOT_DIR]
set -u

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?Windows build folder}" && pwd)
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
rm -f "$shots"/*.png
# shellcheck source=tests/windows/wine_env.sh
source "$here/wine_env.sh"
# shellcheck source=tests/e2e/x11_lib.sh
source "$here/../e2e/x11_lib.sh"

gamePid=""
cleanup() {
  [[ -n $gamePid ]] && stop_pid "$gamePid"
  x11_stop
  wine_stop
}
trap cleanup EXIT
[[ -f $build/skellarine.exe && -d $build/data ]] || fail "no skellarine.exe with data\\ in $build"
x11_start
[[ -n ${WINE_STARTED:-} ]] || wine_start || fail "Wine did not start"

start_game() {
  (cd "$build" && exec "$WINE" skellarine.exe) >"$work/game.log" 2>&1 &
  gamePid=$!
  find_window
}

# Waits at most SECONDS for the game to end after WHAT; its exit status goes to status.
wait_game() {
  local seconds=$1 what=$2
  exited() { ! kill -0 "$gamePid" 2>/dev/null || [[ "$(awk '{ print $3 }' "/proc/$gamePid/stat" 2>/dev/null)" == Z ]]; }
  poll "$seconds" exited || fail "the game is still running $seconds s after $what"
  wait "$gamePid"
  status=$?
  gamePid=""
}

start_game
pass "window $wid is open"
size=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')
# Wine reports its own desktop size to the game (1024 x 768 on Xvfb): the window stays single size.
case $size in
  640x480) scale=1 ;;
  1280x960) scale=2 ;;
  *) fail "the window is $size, not 640x480 or 1280x960" ;;
esac

through_help ""
pass "help shown; Enter turned $helpPages page(s) until the briefing over a picture"

# F11 fills the screen and returns to the window.
xdotool key F11
fs_ready() { [[ "$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')" == 1920x1600 ]]; }
poll 8 fs_ready || fail "F11 did not make the window fill the screen"
xdotool key F11
back() { [[ "$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')" == "$size" ]]; }
poll 8 back || fail "F11 did not bring the window back to $size"
shot_until_same() {
  local name=$1 same=$2 seconds=$3
  equal() { shot "$name" && [[ "$(differing "$shots/$name.png" "$same")" == 0 ]]; }
  poll "$seconds" equal
}
shot_until_same briefing_again "$shots/briefing.png" 5 || fail "the briefing changed after full screen"
pass "F11 toggles full screen and back"
xdotool key alt+Return
poll 8 fs_ready || fail "Alt+Enter did not make the window fill the screen"
xdotool key alt+Return
poll 8 back || fail "Alt+Enter did not bring the window back to $size"
shot_until_same briefing_again "$shots/briefing.png" 5 || fail "the briefing changed after Alt+Enter"
pass "Alt+Enter toggles full screen and back"

# Enter leaves the briefing for the first turn; a click opens the list of command words.
xdotool key Return
shot_until_changed turn "$shots/briefing.png" 8 || fail "Enter did not leave the briefing"
settle turn || fail "the first turn does not settle"
click_game 320 240
shot_until_changed list "$shots/turn.png" 5 || fail "a click did not open the command list"
settle list || fail "the list does not settle"
# The list covers the picture from row 4 down: thirteen entries of one text row (14 pixels) each.
crop list 640x200+0+42 "$work/list_rows.png"
crop turn 640x200+0+42 "$work/turn_rows.png"
[[ "$(differing "$work/list_rows.png" "$work/turn_rows.png")" -gt 1000 ]] || fail "no list drawn over the picture"
pass "a click opens the command list"

# ЖДАТЬ, the seventh entry, asks for minutes: typed, shown, and Enter moves the clock.
click_game 320 $((14 * 10 - 7))
shot_until_changed wait_question "$shots/list.png" 5 || fail "picking ЖДАТЬ changed nothing"
settle wait_question || fail "the question does not settle"
xdotool type --delay 120 30
shot_until_changed typed "$shots/wait_question.png" 5 || fail "typed digits do not show"
settle typed || fail "the typed answer does not settle"
xdotool key Return
shot_until_changed next_turn "$shots/typed.png" 5 || fail "Enter did not end the answer"
settle next_turn || fail "the next turn does not settle"
# The clock in the top right corner is all that tells a waited turn from the first one.
crop turn 120x40+520+0 "$work/clock_before.png"
crop next_turn 120x40+520+0 "$work/clock_after.png"
[[ "$(differing "$work/clock_before.png" "$work/clock_after.png")" != 0 ]] || fail "the clock did not move after waiting"
pass "ЖДАТЬ picked with the mouse, 30 typed, the clock moved"

# The close button of the window manager's frame: top right corner of the title bar.
read -r _ right top _ < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r x y < <(xwininfo -id "$wid" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
width=${size%x*}
xdotool mousemove $((x + width + right - 9)) $((y - top / 2)) click 1
wait_game 5 "a click on the close button"
[[ $status == 0 ]] || fail "the game ended with status $status after the close button"
pass "the close button ends the game with status 0"

# Alt+F4 at the help page ends it too.
start_game
help_again() { shot althelp && mostly_blue "$shots/althelp.png"; }
poll 30 help_again || fail "the help page is not shown on the second start"
xdotool key alt+F4
wait_game 5 "Alt+F4"
[[ $status == 0 ]] || fail "the game ended with status $status after Alt+F4"
pass "Alt+F4 ends the game with status 0"

# Without data\ the game says what it cannot find in its own window, waits for a key and ends
# with status 0: no message box of Windows' own.
mkdir -p "$work/no data"
cp "$build/skellarine.exe" "$work/no data/"
(cd / && exec "$WINE" "$work/no data/skellarine.exe") >"$work/game.log" 2>&1 &
gamePid=$!
find_window
sleep 2
shot nodata
others=$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -v -x "$wid" | while read -r w; do
  xdotool getwindowname "$w" 2>/dev/null; done | grep -v '^$' || true)
[[ -z $others ]] || fail "other windows beside the game's: $others"
kill -0 "$gamePid" 2>/dev/null || fail "the game did not wait for a key without its data"
xdotool key Return
wait_game 5 "a key after the missing data"
[[ $status == 0 ]] || fail "the game without data\\ ended with status $status"
pass "without data\\ the game reports in its window, waits for a key and ends with status 0"

echo "$checks passed, 0 failed"
