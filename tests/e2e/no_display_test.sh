#!/bin/bash
# Started with no display at all, the game says so and ends with a non-zero status within a second
# instead of waiting on a screen nobody sees.
#
# usage: no_display_test.sh GAME
set -u
game=${1:?game executable or launcher}
out=$(mktemp)
trap 'rm -f "$out"' EXIT

fail() {
  echo "FAIL: $*" >&2
  cat "$out" >&2
  exit 1
}

start=$(date +%s%N)
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 5 "$game" >"$out" 2>&1 </dev/null
status=$?
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[[ $status != 124 ]] || fail "the game was still running after 5 seconds without a display"
[[ $status != 0 ]] || fail "the game ended with status 0 without a display"
((elapsed_ms <= 1000)) || fail "the game took $elapsed_ms ms to give up"
grep -q "DISPLAY" "$out" || fail "the message does not say what is missing"
echo "ok: no display: status $status after $elapsed_ms ms: $(head -n 1 "$out")"
