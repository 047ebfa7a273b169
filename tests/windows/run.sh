#!/usr/bin/env bash
# The Windows build under Wine: every scenario script with skellarine-script.exe, the real window in
# Xvfb, and the installer, uninstaller and zip. One Wine prefix and server serve all three.
#
# usage: tests/windows/run.sh [WINDOWS_BUILD] [HOST_BUILD]   (defaults build/windows, build/default)
# SHOTS_DIR keeps the screenshots (default: a temporary folder).
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/windows}
host=${2:-$root/build/default}
shots=${SHOTS_DIR:-$(mktemp -d)}
# shellcheck source=scripts/wine_env.sh
source "$root/scripts/wine_env.sh"
trap wine_stop EXIT
wine_start || exit 1

status=0
"$here/scripts.sh" "$build" "$host" || status=1
"$root/tests/e2e/window_test.sh" "$build/skellarine.exe" "$shots/window" || status=1
"$here/install_test.sh" "$build" "$shots/install" || status=1
[[ $status == 0 ]] && echo "Windows build under Wine: all passed" || echo "Windows build under Wine: FAILED (screenshots in $shots)"
exit $status
