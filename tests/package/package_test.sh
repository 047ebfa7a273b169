#!/bin/bash
# Builds the Debian package with cpack and checks it as a distribution would: the Debian file name,
# no error or warning from lintian, and a metainfo file that appstreamcli accepts.
#
# usage: package_test.sh BUILD_DIR
set -u

build=${1:?build directory}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing (packages cmake, dpkg-dev, lintian, appstream)"
done

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$work/skellarine_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no $(basename "$deb"); cpack made: $(cd "$work" && ls ./*.deb 2>/dev/null)"
echo "ok: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# lintian finds root unwise for unpacking strangers' packages; this one is our own.
lintian --fail-on error,warning -I --pedantic "$deb" 2>&1 | grep -v '^running with root privileges' >"$work/lintian.log"
status=${PIPESTATUS[0]}
if [[ $status != 0 ]] || grep -q '^[EW]:' "$work/lintian.log"; then
  cat "$work/lintian.log" >&2
  fail "lintian reports errors or warnings (status $status)"
fi
echo "ok: lintian: no error, no warning$(grep -c '^[IPX]:' "$work/lintian.log" | sed 's/^/ (other tags: /; s/$/)/')"

dpkg-deb -x "$deb" "$work/root"
metainfo=("$work"/root/usr/share/metainfo/*.metainfo.xml)
[[ -f ${metainfo[0]} ]] || fail "the package has no metainfo file"
appstreamcli validate --no-net "${metainfo[0]}" >"$work/appstream.log" 2>&1 || {
  cat "$work/appstream.log" >&2
  fail "appstreamcli does not accept the metainfo"
}
echo "ok: appstreamcli: $(tail -n 1 "$work/appstream.log")"
