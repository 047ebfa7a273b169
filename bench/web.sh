#!/usr/bin/env bash
# The web build's figures: the site's and the wasm file's sizes, a turn on the web build under Node
# against the native BM_Turn measured in the same run, navigation to the first help page (median
# of 5, cold cache) and the idle page at the command prompt (Chromium's task durations over 10 s);
# then on Chromium's emulated Fast 4G and Slow 4G (median of 3, cold cache): the first help page, the
# same on a second visit (service worker), the bytes downloaded before it, and in one game on Slow
# 4G the 95th percentile of the time from a command to its turn's picture; a start that resumes a
# 40-turn journal against a fresh one (CPU 4x slower); the screen and touch controls' sizes on
# phones, a tablet and laptops (bench/web/*.mjs); Lighthouse's mobile and desktop runs (bench/lighthouse.sh).
#
# Usage: bench/web.sh [NATIVE_BUILD]   (default build/default, built with its benchmarks; the web
# build in build/web must be there: scripts/web --build or tests/web/run.sh make it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
native=$(cd "${1:-build/default}" && pwd)
export NODE_PATH=/usr/share/nodejs
site=build/web/site

site_bytes=$(find "$site" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
wasm_bytes=$(stat -c %s "$site/skellarine.wasm")
data_bytes=$(stat -c %s "$site/skellarine.data")
first_bytes=$(stat -c %s "$site/skellarine.wasm.gz" "$site/skellarine.js" "$site/skellarine.data.gz" | awk '{ s += $1 } END { print s }')
awk -v s="$site_bytes" -v w="$wasm_bytes" -v d="$data_bytes" -v f="$first_bytes" 'BEGIN {
  printf "site: %d bytes (%.2f MiB) in all; wasm %d bytes (%.2f MiB), target <= 1.5 MB; data package %d bytes; compressed wasm and data with the js %d bytes\n",
    s, s / 1048576, w, w / 1048576, d, f }'

cmake --build build/web -j2 --target web_turn_bench >/dev/null
native_line=$("$native/bench/game_bench" --benchmark_filter=BM_Turn 2>/dev/null | grep '^  turn ')
native_ms=$(echo "$native_line" | awk '{ print $2 }')
native_cpu=$(echo "$native_line" | awk '{ gsub(/[()]/, "", $3); print $3 }')
web_line=$(node build/web/web_turn_bench.js "$native/")
web_ms=$(echo "$web_line" | awk '{ print $4 }')
web_cpu=$(echo "$web_line" | awk '{ gsub(/[()]/, "", $5); print $5 }')
echo "native BM_Turn median: $native_ms ($native_cpu) ms wall (cpu)"
echo "$web_line"
# CPU time is what other load on a shared machine disturbs least.
awk -v w="$web_ms" -v n="$native_ms" -v wc="$web_cpu" -v nc="$native_cpu" \
  'BEGIN { printf "turn ratio web / native: %.2f wall, %.2f cpu, target <= 2.5\n", w / n, wc / nc }'

# The browser's figures, with the browser tests' helpers and their npm project.
(cd tests/web &&
  if [ ! -d node_modules/playwright-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund
  fi)
export SKELLARINE_SITE="$root/$site" SKELLARINE_NATIVE="$native"
node bench/web/page.mjs build/web/browser_bench.json
node bench/web/network.mjs build/web/network_bench.json
node bench/web/screens.mjs build/web/screens_bench.json
# Lighthouse's mobile run, median of 3.
bench/lighthouse.sh "$root/$site"
