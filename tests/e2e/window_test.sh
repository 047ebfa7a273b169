#!/bin/bash
# Drives the real game window on a virtual X server and checks it by screenshots.
#
# usage: window_test.sh GAME CLOSE_REQUEST [SHOT_DIR]
#   GAME           the game executable
#   CLOSE_REQUEST  the helper that sends WM_DELETE_WINDOW to a window id
#   SHOT_DIR       where the screenshots are kept (when omitted, a temporary folder that is removed
#                  at the end unless the test failed)
# Exit status: 0 passed, 1 failed, 77 skipped (no virtual X server or another tool missing).

set -u

game=${1:?game executable}
closer=${2:?close request helper}
shots=${3:-}
ownShots=0
# shellcheck disable=SC2034  # read by the EXIT trap
[[ -n $shots ]] || { shots=$(mktemp -d); ownShots=1; }
mkdir -p "$shots"
rm -f "$shots"/*.png

gamePid=""

# shellcheck source=tests/e2e/x11_lib.sh
source "$(dirname "$0")/x11_lib.sh"
trap 'status=$?; stop_pid "$gamePid"; x11_stop; if ((ownShots && status != 1)); then rm -rf "$shots"; fi' EXIT
[[ -x "$game" ]] || fail "no game executable at $game"
[[ -x "$closer" ]] || fail "no close request helper at $closer"
x11_start
export SDL_VIDEODRIVER=x11
unset WAYLAND_DISPLAY

"$game" >"$work/game.log" 2>&1 &
gamePid=$!
wid=$(timeout 15 xdotool search --sync --name '^Quintrel - Skellarine$' | head -n 1)
[[ -n "$wid" ]] || fail "no window titled 'Quintrel - Skellarine'"
pass "window $wid is open"
# Task bars take the window's icon from _NET_WM_ICON; the game sets it just after the window is
# named, so a busy machine may show the window first.
has_icon() { xprop -id "$wid" _NET_WM_ICON 2>/dev/null | grep -q 'Icon (64 x 64)'; }
poll 5 has_icon || fail "the window has no 64 x 64 icon"
pass "the window has its icon"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid" 2>/dev/null ||
  fail "cannot focus the window"

# The help text: an opaque blue page with white letters, at twice the size with whole pixels.
help_shown() { shot help1 && mostly_blue "$shots/help1.png"; }
poll 15 help_shown || fail "the help page is not shown (blue share $(share "$shots/help1.png" '#0000FF'))"
size=$(identify -format '%wx%h' "$shots/help1.png")
[[ "$size" == 1280x960 ]] || fail "window is $size, expected 1280x960 on a 1920x1600 desktop"
at_least "$(share "$shots/help1.png" '#FFFFFF')" 0.001 || fail "the help page has no white text"
convert "$shots/help1.png" -sample 50% -sample 200% "$work/blocks.png"
[[ "$(differing "$shots/help1.png" "$work/blocks.png")" == 0 ]] ||
  fail "the doubled page is not made of whole 2 x 2 pixels (not nearest-neighbour)"
pass "help page shown: blue with white text, 1280x960, sharp 2x scaling"

# Enter turns the help pages until the briefing appears over a picture.
page=1
while mostly_blue "$shots/help$page.png"; do
  ((page <= 20)) || fail "the help text does not end after 20 pages"
  xdotool key Return
  next=$((page + 1))
  shot_until_changed "help$next" "$shots/help$page.png" 5 || fail "Enter did not turn help page $page"
  settle "help$next" || fail "the screen does not settle after help page $page"
  page=$next
done
mv "$shots/help$page.png" "$shots/briefing.png"
pass "Enter turned $((page - 1)) help page(s); the briefing shows over a picture"

# Holding the right button shows the picture alone; releasing it brings the text back unchanged.
xdotool mousemove --window "$wid" 640 480
sleep 0.3
shot before_peek
xdotool mousedown 3
shot_until_changed peek "$shots/before_peek.png" 3 || { xdotool mouseup 3; fail "holding the right button changed nothing"; }
xdotool mouseup 3
shot_until_same after_peek "$shots/before_peek.png" 3 || fail "releasing the right button did not restore the screen"
pass "right button shows the bare picture while held and restores the text on release"

# F11 goes to full screen, where the picture is tripled between black bars, and back.
geometry() { xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }'; }
xdotool key F11
fs_ready() { [[ "$(geometry)" == 1920x1600 ]]; }
poll 5 fs_ready || fail "F11 did not make the window fill the 1920x1600 screen (it is $(geometry))"
sleep 0.3
shot fullscreen
for bar in 1920x80+0+0 1920x80+0+1520; do
  convert "$shots/fullscreen.png" -crop "$bar" +repage "$work/bar.png"
  [[ "$(share "$work/bar.png" '#000000')" == 1 ]] || fail "the letterbox bar $bar is not black"
done
convert "$shots/fullscreen.png" -crop 1920x1440+0+80 +repage "$work/tripled.png"
convert "$work/tripled.png" -sample 640x480 "$work/full_small.png"
convert "$work/full_small.png" -sample 1920x1440 "$work/full_blocks.png"
[[ "$(differing "$work/tripled.png" "$work/full_blocks.png")" == 0 ]] ||
  fail "the tripled picture is not made of whole 3 x 3 pixels (not nearest-neighbour)"
convert "$shots/before_peek.png" -sample 640x480 "$work/window_small.png"
[[ "$(differing "$work/full_small.png" "$work/window_small.png")" == 0 ]] ||
  fail "the full-screen picture differs from the windowed one"
xdotool key F11
windowed() { [[ "$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')" == 1280x960 ]]; }
poll 5 windowed || fail "F11 did not bring the window back to 1280x960"
shot_until_same windowed_again "$shots/before_peek.png" 3 || fail "the picture changed after leaving full screen"
pass "F11 toggles letterboxed full screen and back"

# Enter leaves the briefing; a click as quick as a touchpad tap opens the command list.
xdotool key Return
shot_until_changed turn "$shots/windowed_again.png" 5 || fail "Enter did not leave the briefing"
settle turn || fail "the screen does not settle after the briefing"
xdotool mousemove --window "$wid" 640 480 mousedown 1 mouseup 1
shot_until_changed list "$shots/turn.png" 3 || fail "a quick click did not open the command list"
settle list || fail "the screen does not settle after opening the list"
pass "a quick click reaches the game"

# Typed characters reach the game in code page 437 and are drawn through the font's code-page
# table: ñ, ó and ß (A4, A2, E1) show as ¤, ў and б; a Cyrillic letter, which code page 437 lacks,
# as "?". ЖДАТЬ (the seventh word) asks for minutes on row 33 (window pixels 896 to 923).
xdotool mousemove --window "$wid" 640 266 mousedown 1 mouseup 1
shot_until_changed wait_prompt "$shots/list.png" 3 || fail "picking the seventh word changed nothing"
settle wait_prompt || fail "the screen does not settle after picking the seventh word"
row33() { convert "$shots/$1.png" -crop 1280x28+0+896 +repage "$work/row_$1.png"; }
row33 wait_prompt
# Types TEXT and shoots NAME once row 33 changed; Backspace then clears the typed character again.
typed() {
  local text=$1 name=$2
  xdotool type --delay 50 "$text"
  changed_row() { shot "$name" && row33 "$name" && [[ "$(differing "$work/row_$name.png" "$work/row_wait_prompt.png")" != 0 ]]; }
  poll 3 changed_row || fail "typing $text did not change the input row"
  settle "$name" && row33 "$name"
  xdotool key BackSpace
  cleared() { shot "after_$name" && row33 "after_$name" && [[ "$(differing "$work/row_after_$name.png" "$work/row_wait_prompt.png")" == 0 ]]; }
  poll 3 cleared || fail "Backspace did not take the typed $text away"
}
typed '?' question
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

# A real close request (as from the close button) ends the game with status 0 within a second.
"$closer" "$wid" || fail "the close request could not be sent"
exited() { ! kill -0 "$gamePid" 2>/dev/null || [[ "$(awk '{ print $3 }' "/proc/$gamePid/stat" 2>/dev/null)" == Z ]]; }
poll 1 exited || fail "the game is still running a second after the close request"
wait "$gamePid"
status=$?
gamePid=""
[[ $status == 0 ]] || fail "the game ended with status $status after the close request"
pass "close request ends the game with status 0"

echo "$checks passed, 0 failed"
