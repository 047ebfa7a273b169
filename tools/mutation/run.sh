#!/usr/bin/env bash
# Mutation check for maintainers: plants each fault of tools/mutation/faults/ in a scratch clone
# and expects the suite to fail. A fault the suite lets through is a hole in the tests.
#
# Usage: tools/mutation/run.sh [--ref REF] [--scratch DIR] [--out FILE] [FAULT ...]
#   REF      the commit to check (default HEAD of this checkout)
#   DIR      holds the scratch clone (DIR/tree, kept between runs with its builds) and the logs
#            (default $TMPDIR/skellarine-mutation)
#   FILE     the results, one line a fault (default DIR/results-COMMIT.txt)
#   FAULT    names of patches without .patch (default all)
#
# The suite for a fault in the game's C++: the default preset built and its ctest without the
# e2e and package labels (the window, install and Debian package tests, which drive the same game
# code the scripts do). For a fault in the page: the web build and the browser tests of the site
# (tests/web desktop.test.mjs and site.test.mjs). The unpatched tree must pass both first.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
ref=HEAD
scratch=${TMPDIR:-/tmp}/skellarine-mutation
out=
faults=()
while [ $# -gt 0 ]; do
  case $1 in
    --ref) ref=$2; shift 2 ;;
    --scratch) scratch=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) faults+=("$1"); shift ;;
  esac
done
if [ ${#faults[@]} -eq 0 ]; then
  for p in "$here"/faults/*.patch; do faults+=("$(basename "$p" .patch)"); done
fi
commit=$(git -C "$root" rev-parse --verify "$ref^{commit}") || exit 2
out=${out:-$scratch/results-${commit:0:10}.txt}
log=$scratch/logs
tree=$scratch/tree
# Committed work only: the scratch clone takes the commit from this repository's objects.
[ -d "$tree/.git" ] || git clone -q --no-checkout "$root" "$tree" || exit 2
git -C "$tree" fetch -q "$root" "$commit" || exit 2
mkdir -p "$log"

reset_tree() {
  git -C "$tree" checkout -qf --detach "$commit" && git -C "$tree" clean -fdq
}

# Runs a suite in the scratch clone; its output goes to the log file named.
native_suite() {
  (cd "$tree" &&
    { [ -f build/default/CMakeCache.txt ] || cmake --preset default >/dev/null; } &&
    nice -n 10 cmake --build --preset default -j2 &&
    nice -n 10 ctest --preset default -j2 -LE 'e2e|package' --timeout 600)
}

# Chained with &&: errexit does not hold inside a tested command.
web_suite() {
  # shellcheck disable=SC1091 # the scratch clone's own helpers
  (cd "$tree" && export NODE_PATH=/usr/share/nodejs && source scripts/setup.sh &&
    nice -n 10 cmake --build --preset default -j2 &&
    configure_cross web -DSKELLARINE_HOST_BUILD="$tree/build/default" &&
    nice -n 10 cmake --build --preset web -j2 &&
    cd tests/web &&
    { [ -d node_modules/pngjs ] || npm ci --no-audit --no-fund; } &&
    export SKELLARINE_SITE="$tree/build/web/site" SKELLARINE_NATIVE="$tree/build/default" SKELLARINE_SHOTS="$scratch/web-shots" &&
    nice -n 10 node --test --test-reporter=tap desktop.test.mjs site.test.mjs)
}

suite_of() {
  if grep -q '^+++ b/src/screen/backends/web/page/' "$here/faults/$1.patch"; then echo web; else echo native; fi
}

# The failing tests named in a log: ctest's list, or the browser tests' own lines.
failures() {
  { sed -n '/The following tests FAILED/,$p' "$1" | sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\).*/\1/p'
    grep -E '^ *(FAIL|not ok|✖)' "$1" | sed 's/^ *//' | sort -u | cut -c1-60; } | head -8 | tr '\n' ' '
}

echo "# mutation check of ${commit:0:10} ($(date -u '+%Y-%m-%d %H:%M UTC'))" | tee "$out"
# The unpatched tree must pass a suite before any fault is planted for it.
base() {
  local suite=$1
  [ -f "$log/base-$suite.ok-$commit" ] && return 0
  reset_tree || exit 2
  echo "== the unpatched tree, $suite suite"
  if ! "${suite}_suite" > "$log/base-$suite.log" 2>&1; then
    echo "the unpatched tree fails its $suite suite (see $log/base-$suite.log): nothing to measure"
    exit 2
  fi
  touch "$log/base-$suite.ok-$commit"
}

# The native faults first: the web suite builds the page and needs the native build as well.
ordered=()
for suite in native web; do
  for f in "${faults[@]}"; do [ "$(suite_of "$f")" = "$suite" ] && ordered+=("$f"); done
done

caught=0
missed=0
broken=0
for fault in "${ordered[@]}"; do
  patch=$here/faults/$fault.patch
  suite=$(suite_of "$fault")
  base "$suite"
  reset_tree || exit 2
  start=$SECONDS
  if ! git -C "$tree" apply "$patch" 2> "$log/$fault.log"; then
    result="STALE (does not apply)"
    broken=$((broken + 1))
  elif [ "$suite" = native ] && ! (cd "$tree" && nice -n 10 cmake --build --preset default -j2) >> "$log/$fault.log" 2>&1; then
    result="STALE (does not build)"
    broken=$((broken + 1))
  elif "${suite}_suite" >> "$log/$fault.log" 2>&1; then
    result="MISSED"
    missed=$((missed + 1))
  else
    result="caught  by: $(failures "$log/$fault.log")"
    caught=$((caught + 1))
  fi
  printf '%-22s %-6s %4ds  %s\n' "$fault" "$suite" $((SECONDS - start)) "$result" | tee -a "$out"
done
reset_tree
echo "# caught $caught, missed $missed, stale $broken of ${#faults[@]}" | tee -a "$out"
[ "$missed" -eq 0 ] && [ "$broken" -eq 0 ]
