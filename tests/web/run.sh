#!/usr/bin/env bash
# The web build's tests: every scenario script on the runner built with Emscripten (ctest of the
# web preset, run under Node), seeded games that must play alike on the native and the web runner,
# and the browser tests in Chromium on Node's test runner: the desktop, the published site, and touch
# phones, a tablet and laptops (their screenshots in NATIVE_BUILD/web-shots). Needs a complete native build (data, fixtures, web_player).
#
# Usage: tests/web/run.sh [NATIVE_BUILD]   (default build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
native=$(cd "${1:-build/default}" && pwd)
export NODE_PATH=/usr/share/nodejs

source scripts/setup.sh
install_missing emscripten chromium python3 xvfb imagemagick terser
# npm comes with the machine's Node.js; Debian's own npm only where there is none.
command -v npm >/dev/null || install_missing npm

echo "== web build (Emscripten)"
configure_cross web -DSKELLARINE_HOST_BUILD="$native"
cmake --build --preset web -j2

echo "== scenario scripts on the web runner (Node)"
ctest --preset web -j2

echo "== seeded games alike on the native and the web runner"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Both run in the native build folder, as every script does; each one's screenshots are moved aside.
rm -rf "$native/seeded"
(cd "$native" && "$native/skellarine-script" "$root/tests/web/seeded_games.script" > "$work/native.txt" &&
  mv seeded "$work/native")
(cd "$native" && node "$root/build/web/skellarine-script.js" "$root/tests/web/seeded_games.script" "$native" \
  > "$work/web.txt" && mv seeded "$work/web")
diff -u "$work/native.txt" "$work/web.txt"
shots=0
for shot in "$work/native"/*.png; do
  cmp "$shot" "$work/web/$(basename "$shot")"
  shots=$((shots + 1))
done
[ "$shots" -ge 11 ] || { echo "only $shots screenshots"; exit 1; }
echo "$shots screens and every row alike"

cd tests/web
# The lock file pins playwright-core; it brings no browser, the system's Chromium is used.
if [ ! -d node_modules/playwright-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  npm ci --no-audit --no-fund
fi
export SKELLARINE_SITE="$root/build/web/site" SKELLARINE_NATIVE="$native" SKELLARINE_SHOTS="$native/web-shots"
for suite in desktop site touch; do
  echo "== browser tests: $suite (Chromium)"
  node --test --test-reporter=tap "$suite.test.mjs"
done
