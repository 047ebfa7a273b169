#!/usr/bin/env bash
# Lighthouse on the web site served from 127.0.0.1 under a sub-path (as a host would publish it),
# with its mobile emulation (its default: a mid-range phone, simulated slow 4G and 4x CPU slowdown)
# and then its desktop preset, RUNS times each with a cold profile: the median of all four
# categories' scores and of CLS, Total Blocking Time, LCP and FCP, and the audits that kept a
# category below 100. Lighthouse is pinned in bench/lighthouse/package-lock.json and drives
# Debian's Chromium.
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
mkdir -p "$out/root/games"
ln -s "$site" "$out/root/games/skellarine"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$out/root" > "$out/server.txt" 2>/dev/null &
server=$!
trap 'kill $server; rm -rf "$out"' EXIT
port=""
for _ in $(seq 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$out/server.txt" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the server did not start"; exit 1; }

for form in mobile desktop; do
  preset=()
  [ "$form" = desktop ] && preset=(--preset=desktop)
  for i in $(seq "$runs"); do
    CHROME_PATH=/usr/bin/chromium node_modules/.bin/lighthouse "http://127.0.0.1:$port/games/skellarine/" --quiet \
      "${preset[@]}" --output=json --output-path="$out/$form$i.json" \
      --chrome-flags="--headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking"
  done
  node summary.mjs "$out/$form"[0-9]*.json
done
