#!/bin/bash
# The real game window on a virtual X server, checked by screenshots: the Linux program, or the
# Windows program under Wine, through one sequence. Help pages, the picture peek, F11 and Alt+Enter
# full screen and back, the command list, typed characters in code page 437, a waited turn, the
# close button of the window's frame and Alt+F4 (status 0 each); on Linux the window's icon and the
# letterboxed full screen, under Wine the program started without its data\ folder.
#
# usage: window_test.sh GAME [SHOT_DIR]
#   GAME      the game (a .exe runs under Wine)
#   SHOT_DIR  where the screenshots are kept (when omitted, a temporary folder that is removed at
#             the end unless the test failed)
# Exit status: 0 passed, 1 failed, 77 skipped (no virtual X server or another tool missing).
set -u

here=$(cd "$(dirname "$0")" && pwd)
game=$(realpath "${1:?game executable}")  # the game starts from /
shots=${2:-}
ownShots=0
# shellcheck disable=SC2034  # read by the EXIT trap
[[ -n $shots ]] || { shots=$(mktemp -d); ownShots=1; }
mkdir -p "$shots"
rm -f "$shots"/*.png
wine=0
[[ $game == *.exe ]] && wine=1

# shellcheck source=tests/e2e/x11_lib.sh
source "$here/x11_lib.sh"
# shellcheck source=scripts/wine_env.sh
((wine)) && source "$here/../../scripts/wine_env.sh"
trap 'code=$?; stop_pid "$gamePid"; x11_stop; ((wine)) && wine_stop; if ((ownShots && code != 1)); then rm -rf "$shots"; fi' EXIT
[[ -f "$game" ]] || fail "no game at $game"
x11_start
# The Windows program's SDL has no x11 driver of that name: Wine is its window system.
((wine)) || export SDL_VIDEODRIVER=x11
unset WAYLAND_DISPLAY
if ((wine)); then
  [[ -n ${WINE_STARTED:-} ]] || wine_start || fail "Wine did not start"
fi

# From another folder: the game finds its data beside itself.
start_game() {
  local program=$1
  if ((wine)); then
    (cd / && exec "$WINE" "$program") >"$work/game.log" 2>&1 &
  else
    (cd / && exec "$program") >"$work/game.log" 2>&1 &
  fi
  gamePid=$!
  find_window
}
geometry() { xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }'; }
# changed_after NAME BEFORE WHAT: NAME differs from the shot BEFORE after the input WHAT, then holds still.
changed_after() { shot_until_changed "$1" "$shots/$2.png" || fail "$3 changed nothing"; settle "$1" || fail "no settling after $3"; }
# The game ends with status 0 after WHAT.
ends_after() { wait_game "$1"; [[ $status == 0 ]] || fail "the game ended with status $status after $1"; }

start_game "$game"
pass "window $wid is open"
if ((!wine)); then
  # Task bars take the window's icon from _NET_WM_ICON, set just after the window is named.
  has_icon() { xprop -id "$wid" _NET_WM_ICON 2>/dev/null | grep -q 'Icon (64 x 64)'; }
  poll "$kWait" has_icon || fail "the window has no 64 x 64 icon"
  pass "the window has its icon"
fi

# The help text: an opaque blue page with white letters, at twice the size with whole pixels.
# Wine reports its own desktop size (1024 x 768 on Xvfb) to the game, which may then keep 640 x 480.
blue_page() { shot "$1" && mostly_blue "$shots/$1.png"; }
poll "$kWait" blue_page help1 || fail "the help page is not shown (blue share $(share "$shots/help1.png" '#0000FF'))"
size=$(geometry)
case $size in
  1280x960) scale=2 ;;
  640x480) ((wine)) || fail "the window is 640x480, expected 1280x960 on a 1920x1600 desktop"; scale=1 ;;
  *) fail "the window is $size, not 1280x960" ;;
esac
at_least "$(share "$shots/help1.png" '#FFFFFF')" 0.001 || fail "the help page has no white text"
convert "$shots/help1.png" -sample 50% -sample 200% "$work/blocks.png"
((scale == 1)) || [[ "$(differing "$shots/help1.png" "$work/blocks.png")" == 0 ]] ||
  fail "the doubled page is not made of whole 2 x 2 pixels (not nearest-neighbour)"
pass "help page shown: blue with white text, $size"
through_help ""
pass "Enter turned $helpPages help page(s); the briefing shows over a picture"

# Holding the right button shows the picture alone; releasing it brings the text back unchanged.
xdotool mousemove --window "$wid" $((320 * scale)) $((240 * scale))
shot before_peek || fail "no screenshot of the briefing"
settle before_peek || fail "the briefing does not settle"
xdotool mousedown 3
shot_until_changed peek "$shots/before_peek.png" || { xdotool mouseup 3; fail "holding the right button changed nothing"; }
xdotool mouseup 3
shot_until_same after_peek "$shots/before_peek.png" || fail "releasing the right button did not restore the screen"
pass "right button shows the bare picture while held and restores the text on release"

# F11 and Alt+Enter fill the screen and return; on Linux the picture is tripled between black bars.
letterboxed() {
  shot fullscreen || return 1
  for bar in 1920x80+0+0 1920x80+0+1520; do
    crop fullscreen "$bar" "$work/bar.png"
    [[ "$(share "$work/bar.png" '#000000')" == 1 ]] || { why="the letterbox bar $bar is not black"; return 1; }
  done
  crop fullscreen 1920x1440+0+80 "$work/tripled.png"
  convert "$work/tripled.png" -sample 640x480 "$work/full_small.png"
  convert "$work/full_small.png" -sample 1920x1440 "$work/full_blocks.png"
  [[ "$(differing "$work/tripled.png" "$work/full_blocks.png")" == 0 ]] ||
    { why="the tripled picture is not made of whole 3 x 3 pixels (not nearest-neighbour)"; return 1; }
  convert "$shots/before_peek.png" -sample 640x480 "$work/window_small.png"
  [[ "$(differing "$work/full_small.png" "$work/window_small.png")" == 0 ]] ||
    { why="the full-screen picture differs from the windowed one"; return 1; }
}
full() { [[ "$(geometry)" == 1920x1600 ]]; }
windowed() { [[ "$(geometry)" == "$size" ]]; }
for toggle in F11 alt+Return; do
  xdotool key "$toggle"
  poll "$kWait" full || fail "$toggle did not make the window fill the 1920x1600 screen (it is $(geometry))"
  why=""
  ((wine)) || poll "$kWait" letterboxed || fail "$why"
  xdotool key "$toggle"
  poll "$kWait" windowed || fail "$toggle did not bring the window back to $size"
  shot_until_same windowed_again "$shots/before_peek.png" || fail "the picture changed after leaving full screen"
  pass "$toggle toggles full screen and back"
done

# Enter leaves the briefing; a click as quick as a touchpad tap opens the command list over the
# picture from row 4 down.
xdotool key Return
changed_after turn windowed_again "Enter at the briefing"
click_game 320 240
changed_after list turn "a quick click at the turn"
rows="$((640 * scale))x$((200 * scale))+0+$((42 * scale))"
crop list "$rows" "$work/list_rows.png"
crop turn "$rows" "$work/turn_rows.png"
[[ "$(differing "$work/list_rows.png" "$work/turn_rows.png")" -gt 1000 ]] || fail "no list drawn over the picture"
pass "a quick click opens the command list"

# Typed characters reach the game in code page 437 and are drawn through the font's code-page
# table: ñ, ó and ß (A4, A2, E1) show as ¤, ў and б; a Cyrillic letter, which code page 437 lacks,
# as "?". ЖДАТЬ (the seventh word) asks for minutes on row 33.
click_game 320 133
changed_after wait_prompt list "picking the seventh word"
row33() { crop "$1" "$((640 * scale))x$((14 * scale))+0+$((448 * scale))" "$work/row_$1.png"; }
row33 wait_prompt
# Types TEXT and shoots NAME once row 33 changed and settled.
type_row() {
  local text=$1 name=$2
  xdotool type --delay 50 "$text"
  changed_row() { shot "$name" && row33 "$name" && [[ "$(differing "$work/row_$name.png" "$work/row_wait_prompt.png")" != 0 ]]; }
  poll "$kWait" changed_row || fail "typing $text did not change the input row"
  settle "$name" || fail "the input row does not settle after $text"
  row33 "$name"
}
# The same, and Backspace clears the typed character again.
typed() {
  local text=$1 name=$2
  type_row "$text" "$name"
  xdotool key BackSpace
  cleared() { shot "after_$name" && row33 "after_$name" && [[ "$(differing "$work/row_after_$name.png" "$work/row_wait_prompt.png")" == 0 ]]; }
  poll "$kWait" cleared || fail "Backspace did not take the typed $text away"
}
typed '?' question
# Letters that the test maps to spare key codes do not reach a program under Wine: there only the
# plain keys are typed.
if ((!wine)); then
  typed 'ñ' n_tilde
  typed 'ó' o_acute
  typed 'ß' sharp_s
  typed 'ж' zhe
  [[ "$(differing "$work/row_zhe.png" "$work/row_question.png")" == 0 ]] || fail "a typed Cyrillic letter does not show as ?"
  for name in n_tilde o_acute sharp_s; do
    [[ "$(differing "$work/row_$name.png" "$work/row_question.png")" != 0 ]] || fail "a typed $name shows as ?"
  done
  [[ "$(differing "$work/row_n_tilde.png" "$work/row_o_acute.png")" != 0 &&
    "$(differing "$work/row_o_acute.png" "$work/row_sharp_s.png")" != 0 ]] || fail "typed ñ, ó and ß do not all differ"
  pass "typed ñ, ó and ß arrive as their code-page-437 codes, a Cyrillic letter as ?"
fi

# 30 minutes waited: the clock block in the top right corner moves.
type_row 30 typed
xdotool key Return
changed_after next_turn typed "Enter after the answer"
clock="$((90 * scale))x$((24 * scale))+$((545 * scale))+$((2 * scale))"
crop turn "$clock" "$work/clock_before.png"
crop next_turn "$clock" "$work/clock_after.png"
[[ "$(differing "$work/clock_before.png" "$work/clock_after.png")" != 0 ]] || fail "the clock did not move after waiting"
pass "ЖДАТЬ picked with the mouse, 30 typed, the clock moved"

# The close button of the window manager's frame, in the top right corner of the title bar.
read -r _ right top _ < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r x y < <(xwininfo -id "$wid" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
xdotool mousemove $((x + ${size%x*} + right - 9)) $((y - top / 2)) click 1
ends_after "a click on the close button"
pass "the close button ends the game with status 0"

# Alt+F4 at the help page ends it too.
start_game "$game"
poll "$kWait" blue_page althelp || fail "the help page is not shown on the second start"
xdotool key alt+F4
ends_after "Alt+F4"
pass "Alt+F4 ends the game with status 0"

if ((wine)); then
  # Without data\ the game says what it cannot find in its own window, waits for a key and ends
  # with status 0: no message box of Windows' own.
  mkdir -p "$work/no data"
  cp "$game" "$work/no data/"
  start_game "$work/no data/$(basename "$game")"
  said() { shot nodata && [[ "$(identify -format '%k' "$shots/nodata.png")" -gt 1 ]]; }
  poll "$kWait" said || fail "the game shows nothing without its data"
  others=$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -v -x "$wid" | while read -r w; do
    xdotool getwindowname "$w" 2>/dev/null; done | grep -v '^$' || true)
  [[ -z $others ]] || fail "other windows beside the game's: $others"
  kill -0 "$gamePid" 2>/dev/null || fail "the game did not wait for a key without its data"
  xdotool key Return
  ends_after "a key without data\\"
  pass "without data\\ the game reports in its window, waits for a key and ends with status 0"
fi

echo "$checks passed, 0 failed"
