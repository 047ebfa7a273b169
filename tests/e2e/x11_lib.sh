# Sourced by the window tests (the game's window on Linux and under Wine, the Windows installer):
# a virtual X server with a window manager, and helpers that judge the game by screenshots.
# Every wait is for what the test checks, up to WINDOW_WAIT seconds: a loaded machine only makes
# a passing test slower, and only a failing one waits that long.
# shellcheck shell=bash
# shellcheck disable=SC2154,SC2034  # shots, wid, scale and helpPages are shared with the tests that source this

xvfbPid=""
wmPid=""
gamePid=""
work=$(mktemp -d)
checks=0
kWait=${WINDOW_WAIT:-60}

stop_pid() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for ((i = 0; i < 20; ++i)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

x11_stop() {
  for pid in $wmPid $xvfbPid; do stop_pid "$pid"; done
  rm -rf "$work"
}

fail() {
  echo "FAIL: $*" >&2
  [[ -f $work/game.log ]] && tail -n 20 "$work/game.log" >&2
  echo "screenshots: $shots" >&2
  exit 1
}

pass() {
  checks=$((checks + 1))
  echo "ok: $*"
}

# poll SECONDS COMMAND...: true once COMMAND is, false when it still is not after SECONDS of wall time.
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

shot() { import -window "$wid" "$shots/$1.png" 2>/dev/null; }
share() {
  convert "$1" -fill black +opaque "$2" -fill white -opaque "$2" -colorspace gray -format '%[fx:mean]' info:
}
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }
mostly_blue() { at_least "$(share "$1" '#0000FF')" 0.5; }
# Shoots into NAME until the picture differs from BEFORE / equals SAME.
shot_compared() { shot "$1" && test "$(differing "$shots/$1.png" "$2")" "$3" 0; }
shot_until_changed() { poll "$kWait" shot_compared "$1" "$2" '!='; }
shot_until_same() { poll "$kWait" shot_compared "$1" "$2" '='; }
# Shoots into NAME until three shots in a row are the same: the game has finished drawing.
settle() {
  local name=$1 same=0
  cp "$shots/$name.png" "$work/settle.png"
  steady() {
    shot "$name" || return 1
    if [[ "$(differing "$shots/$name.png" "$work/settle.png")" == 0 ]]; then
      same=$((same + 1))
    else
      same=0
      cp "$shots/$name.png" "$work/settle.png"
    fi
    ((same >= 2))
  }
  poll "$kWait" steady
}
# Part of a screenshot: crop NAME by GEOMETRY into OUT.
crop() { convert "$shots/$1.png" -crop "$2" +repage "$3"; }

x11_start() {
  for tool in Xvfb xdotool import convert compare identify openbox wmctrl xprop xwininfo; do
    command -v "$tool" >/dev/null || {
      echo "SKIP: $tool is not installed"
      exit 77
    }
  done
  Xvfb -displayfd 3 -screen 0 1920x1600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfbPid=$!
  display_ready() { [[ -s "$work/display" ]]; }
  poll "$kWait" display_ready || fail "Xvfb did not start"
  DISPLAY=":$(head -n 1 "$work/display")"
  export DISPLAY
  openbox >"$work/openbox.log" 2>&1 &
  wmPid=$!
  wm_ready() { wmctrl -m >/dev/null 2>&1; }
  poll "$kWait" wm_ready || fail "openbox did not start"
  # Letters the keyboard map lacks get keys of their own before the game starts: xdotool's
  # temporary mapping may be undone before a loaded game has read the key.
  if command -v xmodmap >/dev/null; then
    xmodmap -e "keycode 248 = ntilde" -e "keycode 249 = oacute" -e "keycode 250 = ssharp" \
      -e "keycode 251 = Cyrillic_zhe" || fail "cannot map the typed letters to keys"
  fi
}

# The game's window.
find_window() {
  wid=$(timeout "$kWait" xdotool search --sync --onlyvisible --name '^Quintrel - Skellarine$' | head -n 1)
  [[ -n $wid ]] || fail "no window titled 'Quintrel - Skellarine'"
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid" 2>/dev/null ||
    fail "cannot focus the window"
}

# Turns the help pages with Enter until the briefing shows over a picture; NAME prefixes the shots.
through_help() {
  local prefix=$1 page=1
  help_shown() { shot "${prefix}help1" && mostly_blue "$shots/${prefix}help1.png"; }
  poll "$kWait" help_shown || fail "the help page is not shown"
  while mostly_blue "$shots/${prefix}help$page.png"; do
    ((page <= 20)) || fail "the help text does not end after 20 pages"
    xdotool key Return
    local next=$((page + 1))
    shot_until_changed "${prefix}help$next" "$shots/${prefix}help$page.png" || fail "Enter did not turn help page $page"
    settle "${prefix}help$next" || fail "the screen does not settle after help page $page"
    page=$next
  done
  mv "$shots/${prefix}help$page.png" "$shots/${prefix}briefing.png"
  helpPages=$((page - 1))
}

# Clicks at game pixel X Y of a window shown at SCALE times the game's size, as quick as a
# touchpad's tap (which the game must not miss).
click_game() { xdotool mousemove --window "$wid" $(($1 * scale)) $(($2 * scale)) mousedown 1 mouseup 1; }

# Waits for the game to end after WHAT; its exit status goes to status.
wait_game() {
  local what=$1
  exited() { ! kill -0 "$gamePid" 2>/dev/null || [[ "$(awk '{ print $3 }' "/proc/$gamePid/stat" 2>/dev/null)" == Z ]]; }
  poll "$kWait" exited || fail "the game is still running $kWait s after $what"
  wait "$gamePid"
  status=$?
  gamePid=""
}
