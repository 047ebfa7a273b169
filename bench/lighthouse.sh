#!/usr/bin/env bash
# Lighthouse's accessibility score of the web site, mobile and desktop, with the audits that
# failed: the site served by Python on 127.0.0.1 under a sub-path, the system's Chromium.
# Lighthouse (pinned) is installed on first use into a cache outside the clone.
#
# Usage: bench/lighthouse.sh [SITE]   (default build/web/site)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
site=$(cd "${1:-$root/build/web/site}" && pwd)
version=12.2.3
tools=${XDG_CACHE_HOME:-$HOME/.cache}/skellarine-lighthouse-$version
if [ ! -x "$tools/node_modules/.bin/lighthouse" ]; then
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-audit --no-fund --no-save "lighthouse@$version" >/dev/null
fi

work=$(mktemp -d)
mkdir -p "$work/root/games"
ln -s "$site" "$work/root/games/skellarine"
python3 -m http.server 0 --bind 127.0.0.1 --directory "$work/root" >"$work/server.log" 2>&1 &
server=$!
trap 'kill $server; rm -rf "$work"' EXIT
port=
for _ in $(seq 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$work/server.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the server did not start"; exit 1; }

for form in mobile desktop; do
  preset=()
  [ "$form" = desktop ] && preset=(--preset=desktop)
  "$tools/node_modules/.bin/lighthouse" "http://127.0.0.1:$port/games/skellarine/" --quiet \
    --only-categories=accessibility "${preset[@]}" --chrome-path=/usr/bin/chromium \
    --chrome-flags="--headless --no-sandbox --disable-gpu" --output=json --output-path="$work/$form.json"
  node -e '
    const report = JSON.parse(require("fs").readFileSync(process.argv[1], "utf8"));
    const failed = Object.values(report.audits).filter((a) => a.score !== null && a.score < 1 && a.scoreDisplayMode === "binary");
    console.log(`${process.argv[2]}: accessibility ${Math.round(100 * report.categories.accessibility.score)}`
      + (failed.length ? `; failed: ${failed.map((a) => a.id).join(", ")}` : ""));
  ' "$work/$form.json" "$form"
done
