#!/bin/bash
# Installs the build into a temporary prefix, checks the layout and plays the installed game in a window.
#
# usage: install_test.sh BUILD_DIR WINDOW_TEST CLOSE_REQUEST
set -u

build=${1:?build directory}
windowTest=${2:?window test script}
closer=${3:?close request helper}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for file in bin/skellarine lib/skellarine/skellarine lib/skellarine/data/map_ru.txt \
  lib/skellarine/data/egarus.bmp lib/skellarine/data/PORT/PORT1.jpg "lib/skellarine/data/!win/fly.jpg" \
  share/applications/skellarine.desktop share/icons/hicolor/256x256/apps/skellarine.png; do
  [[ -e "$prefix/$file" ]] || fail "$file is not installed"
done
[[ -x "$prefix/bin/skellarine" ]] || fail "the launcher is not executable"
grep -q '^Exec=skellarine$' "$prefix/share/applications/skellarine.desktop" || fail "the menu entry runs something else"
[[ ! -e "$prefix/lib/skellarine/data/pictures.stamp" ]] || fail "the build's stamp file was installed"
echo "ok: installed layout"

# The game found through the launcher, from another directory, reads the installed data.
cd / && bash "$windowTest" "$prefix/bin/skellarine" "$closer"
