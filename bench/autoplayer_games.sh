#!/usr/bin/env bash
# Times the autoplayer's 200 games (hyperfine when present, else a plain clock) against the 20 s target.
#
# Usage: bench/autoplayer_games.sh [BUILD_DIR] [GAMES] [RUNS]
#   BUILD_DIR  a build directory holding autoplayer and data/ (default: build/default)
#   GAMES      games per run (default 200); RUNS  timed runs (default 3)
# Prints the median wall time of a run; exits 1 when it is over 20 s, 2 when the autoplayer fails.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
games=${2:-200}
runs=${3:-3}
[[ -x $build/autoplayer ]] || { echo "no $build/autoplayer: build the project first" >&2; exit 2; }
cd "$build"
"$build/autoplayer" "$games" >/dev/null || { echo "the autoplayer failed" >&2; exit 2; }

times=()
if command -v hyperfine >/dev/null; then
  json=$(mktemp)
  trap 'rm -f "$json"' EXIT
  hyperfine --style basic --runs "$runs" --export-json "$json" "$build/autoplayer $games" >&2
  mapfile -t times < <(python3 -c 'import json,sys; [print(t) for t in json.load(open(sys.argv[1]))["results"][0]["times"]]' "$json")
else
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$build/autoplayer" "$games" >/dev/null
    times+=("$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN {print b - a}')")
  done
fi
median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}')
printf 'autoplayer, %s games: median %.2f s of %s runs (target <= 20 s)\n' "$games" "$median" "${#times[@]}"
awk -v m="$median" 'BEGIN {exit !(m <= 20)}' || { echo "target missed" >&2; exit 1; }
