#!/usr/bin/env bash
# Runs every scenario script under tests/scripts/ with skellarine-script.exe under Wine, from the
# native build folder (its data/ and fixtures/), two at a time; all must pass as on Linux.
#
# usage: scripts.sh WINDOWS_BUILD HOST_BUILD
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
runner=$(cd "${1:?Windows build folder}" && pwd)/skellarine-script.exe
host=$(cd "${2:?native build folder}" && pwd)
[[ -f $runner ]] || { echo "no $runner" >&2; exit 1; }
[[ -d $host/fixtures ]] || { echo "no fixtures in $host: build its tests first" >&2; exit 1; }
# shellcheck source=scripts/wine_env.sh
source "$root/scripts/wine_env.sh"
[[ -n ${WINE_STARTED:-} ]] || wine_start || exit 1
trap wine_stop EXIT

logs=$(mktemp -d)
export runner host logs WINE root
one() {
  local script=$1 name=${1#"$root"/tests/scripts/}
  local log=$logs/${name//\//_}.log
  # The runner's "exedir" and screenshot paths are relative to the native build folder.
  if (cd "$host" && timeout 120 "$WINE" "$runner" "$script") >"$log" 2>&1; then
    echo "ok   $name"
  else
    echo "FAIL $name (status $?)"
    sed 's/^/    /' "$log" | tail -n 40
  fi
}
export -f one
# Not the steps that scripts include.
scripts() { find "$root/tests/scripts" -name '*.script' -not -path '*/steps/*' | sort; }
scripts | xargs -P 2 -I{} bash -c 'one "$@"' _ {} >"$logs/summary"
total=$(scripts | wc -l)
passed=$(grep -c '^ok' "$logs/summary")
grep -v '^ok' "$logs/summary"
echo "scenario scripts under Wine: $passed of $total passed"
rm -rf "$logs"
[[ $passed == "$total" ]]
