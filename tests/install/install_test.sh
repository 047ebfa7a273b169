#!/bin/bash
# Installs the build into a temporary prefix, checks the layout a distribution expects of a game,
# the launcher's --help, --version and the no-display case, and plays the installed game in a window.
#
# usage: install_test.sh BUILD_DIR WINDOW_TEST NO_DISPLAY_TEST SHOT_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (a tool it needs is not installed). It leaves nothing
# behind but the window test's screenshots in SHOT_DIR.
set -u

build=${1:?build directory}
windowTest=${2:?window test script}
noDisplayTest=${3:?no-display test script}
shots=${4:?screenshot folder}
for tool in identify zcat readlink; do
  command -v "$tool" >/dev/null || {
    echo "SKIP: $tool is not installed"
    exit 77
  }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
data=share/games/skellarine
for file in games/skellarine lib/games/skellarine/skellarine $data/map_ru.txt $data/egarus.bmp \
  $data/PORT/PORT1.jpg "$data/!win/fly.jpg" $data/FONT-LICENSE.txt share/applications/skellarine.desktop \
  share/metainfo/invalid.quintrel.skellarine.metainfo.xml share/man/man6/skellarine.6.gz \
  share/doc/skellarine/copyright share/doc/skellarine/changelog.gz; do
  [[ -e "$prefix/$file" ]] || fail "$file is not installed"
done
[[ -x "$prefix/games/skellarine" ]] || fail "the launcher is not executable"
link=$(readlink "$prefix/lib/games/skellarine/data") || fail "lib/games/skellarine/data is not a symbolic link"
[[ $link != /* ]] || fail "the data link is absolute: $link"
[[ "$(readlink -f "$prefix/lib/games/skellarine/data")" == "$(readlink -f "$prefix/$data")" ]] ||
  fail "the data link leads to $link, not to $data"
for size in 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/skellarine.png
  [[ -e $icon ]] || fail "no $size x $size icon"
  [[ "$(identify -format '%wx%h' "$icon")" == "${size}x$size" ]] || fail "the ${size}x$size icon has another size"
done
grep -q '^Exec=skellarine$' "$prefix/share/applications/skellarine.desktop" || fail "the menu entry runs something else"
grep -q '^Keywords=' "$prefix/share/applications/skellarine.desktop" || fail "the menu entry has no keywords"
zcat "$prefix/share/man/man6/skellarine.6.gz" | grep -q '^\.SH FILES' || fail "the man page has no FILES section"
grep -q '^License: GPL-3+' "$prefix/share/doc/skellarine/copyright" || fail "the copyright file names no GPL"
grep -q '^License: OFL-1.1' "$prefix/share/doc/skellarine/copyright" || fail "the copyright file names no OFL"
[[ ! -e "$prefix/$data/pictures.stamp" ]] || fail "the build's stamp file was installed"
echo "ok: installed layout"

# The launcher answers --help and --version at once, without a display and without the game.
for option in --help --version; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 2 "$prefix/games/skellarine" $option) ||
    fail "the launcher's $option ended with status $?"
  [[ -n $out ]] || fail "the launcher's $option printed nothing"
done
env -u DISPLAY timeout 2 "$prefix/games/skellarine" --version | grep -qx 'Quintrel - Skellarine [0-9.]*' ||
  fail "--version does not print the name and a version"
env -u DISPLAY timeout 2 "$prefix/games/skellarine" --help | grep -qF "$(readlink -f "$prefix/$data")" ||
  fail "--help does not name the data directory"
echo "ok: the launcher answers --help and --version"
bash "$noDisplayTest" "$prefix/games/skellarine" || fail "the installed game mishandles a missing display"

# The game found through the launcher, from another directory, reads the installed data.
cd / && bash "$windowTest" "$prefix/games/skellarine" "$shots"
