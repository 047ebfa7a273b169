#!/usr/bin/env bash
# Idle CPU of two builds in one run: bench/window_idle.sh on each in turn, ROUNDS times, medians.
#
# Usage: bench/idle_side_by_side.sh BASELINE_BUILD BUILD [ROUNDS] [SECONDS]
#   BASELINE_BUILD, BUILD  build directories holding skellarine and data/
#   ROUNDS   alternating runs of each (default 5); SECONDS  length of each idle sample (default 10)
# Prints each sample, the medians and their ratio.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
baseline=${1:?baseline build directory}
build=${2:?build directory}
rounds=${3:-5}
seconds=${4:-10}

# One idle sample of a build (window_idle.sh exits 1 when a build misses the target: still a sample).
sample() {
  { IDLE_MOVES=0 "$here/window_idle.sh" "$1" "$seconds" 2>/dev/null || true; } |
    awk '/^idle CPU/ { for (i = 1; i <= NF; ++i) if ($(i + 1) == "%") { print $i; exit } }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

old=()
new=()
for ((r = 1; r <= rounds; ++r)); do
  old+=("$(sample "$baseline")")
  new+=("$(sample "$build")")
  echo "round $r: baseline ${old[-1]} %, build ${new[-1]} % of one core"
done
m_old=$(printf '%s\n' "${old[@]}" | median)
m_new=$(printf '%s\n' "${new[@]}" | median)
echo "median idle CPU: baseline $m_old %, build $m_new % of one core (ratio $(awk -v a="$m_new" -v b="$m_old" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }'))"
