#!/usr/bin/env bash
# Lighthouse's mobile run (its default: an emulated mid-range phone, simulated slow 4G and 4x CPU
# slowdown) on the web site served from 127.0.0.1, three times with a cold profile each: the median
# of each category's score and of CLS, Total Blocking Time and LCP. Lighthouse is pinned in
# bench/lighthouse/package-lock.json and drives Debian's Chromium.
#
# Usage: bench/lighthouse.sh [SITE] [RUNS]   (default build/web/site, 3; the web build must be there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site=$(cd "${1:-$root/build/web/site}" && pwd)
runs=${2:-3}
cd "$root"
source scripts/setup.sh
install_missing chromium python3
command -v npm >/dev/null || install_missing npm
cd bench/lighthouse
if [ ! -d node_modules/lighthouse ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  npm ci --no-audit --no-fund
fi

out=$(mktemp -d)
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$site" > "$out/server.txt" 2>/dev/null &
server=$!
trap 'kill $server; rm -rf "$out"' EXIT
port=""
for _ in $(seq 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$out/server.txt")
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the server did not start"; exit 1; }

for i in $(seq "$runs"); do
  CHROME_PATH=/usr/bin/chromium node_modules/.bin/lighthouse "http://127.0.0.1:$port/" --quiet \
    --output=json --output-path="$out/run$i.json" \
    --chrome-flags="--headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking"
done
node summary.mjs "$out"/run*.json
