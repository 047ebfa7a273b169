#!/usr/bin/env bash
# Runs the web tests (tests/web/run.sh: the scenario scripts on the web runner, the seeded games
# and the browser tests) under Debian 12's own Node.js 18, whatever Node.js the machine has.
# The packages are unpacked into a private folder; inside a private mount namespace their node
# stands in for /usr/bin/node, and their /usr/share/nodejs (Debian's libnode loads parts of itself
# from there) for the machine's. Nothing is installed. Needs root or unprivileged user namespaces.
#
# Usage: tests/web/debian_node.sh [NATIVE_BUILD]   (default build/default)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(cd "${1:-build/default}" && pwd)

# nodejs and libnode108 come from one source package; a machine with another nodejs installed
# has Debian's version only in libnode108's candidate.
version=$(apt-cache policy libnode108 | awk '/Candidate:/ { print $2 }')
case "$version" in
  18.*) ;;
  *) echo "no Node.js 18 libnode in the apt sources (libnode108: '$version')"; exit 1 ;;
esac
[ -d /usr/share/nodejs ] || { echo "/usr/share/nodejs is missing (run tests/web/run.sh once first)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
mkdir "$work/debs"
chmod 777 "$work/debs"
(cd "$work/debs" && apt-get download -q "nodejs=$version" "libnode108=$version" \
  node-cjs-module-lexer node-undici node-acorn)
for deb in "$work"/debs/*.deb; do dpkg -x "$deb" "$work/node"; done

# The browser tests' module comes from the machine's npm, which may need a newer Node than 18.
(cd "$root/tests/web" &&
  if [ ! -d node_modules/playwright-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund
  fi)

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(--map-root-user)
export DEBIAN_NODE="$work/node" ROOT="$root" NATIVE="$native"
# shellcheck disable=SC2016  # the inner shell expands its variables
unshare --mount --propagation private "${as_root[@]}" bash -euo pipefail -c '
  mount --bind "$DEBIAN_NODE/usr/share/nodejs" /usr/share/nodejs
  # The web build runs its scripts with nodejs, the tests with node: one file or two.
  for real in $(readlink -f "$(command -v node)" "$(command -v nodejs)" | sort -u); do
    mount --bind "$DEBIAN_NODE/usr/bin/node" "$real"
  done
  export LD_LIBRARY_PATH="$DEBIAN_NODE/usr/lib/x86_64-linux-gnu${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
  for name in node nodejs; do
    echo "== $name is Debian 12 Node.js $($name --version)"
    $name -e "if (!process.version.startsWith(\"v18.\")) process.exit(1)"
  done
  "$ROOT/tests/web/run.sh" "$NATIVE"
'
