#!/bin/bash
# Builds the Debian package with cpack and checks it as a distribution would: the Debian file name,
# no error or warning from lintian, every hardening measure in the program, and a metainfo file that
# appstreamcli accepts.
#
# usage: package_test.sh BUILD_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (a tool it needs is not installed).
set -u

build=${1:?build directory}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli hardening-check readelf objdump c++; do
  command -v "$tool" >/dev/null || {
    echo "SKIP: $tool is not installed (packages cmake, dpkg-dev, lintian, appstream, devscripts, binutils, g++)"
    exit 77
  }
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
# Every measure hardening-check knows, on the program as packaged. Two of its answers depend on more
# than our flags, and are then checked on our own objects and code instead:
# - control-flow protection marks a program only when every object linked carries the mark, and the
#   C library's start files (Scrt1.o) of Debian 12 carry none;
# - stack clash protection shows only in functions whose frame spans a 4 kB page, and "unknown"
#   means there is none: that is checked in the disassembly.
program=$work/root/usr/lib/games/skellarine/skellarine
options=()
if [[ $(dpkg --print-architecture) != amd64 ]]; then
  options+=(--nocfprotection)
elif ! readelf -n "$(c++ -print-file-name=Scrt1.o)" | grep -q 'x86 feature: IBT, SHSTK'; then
  options+=(--nocfprotection)
  objects=$(find "$build/CMakeFiles/skellarine.dir" "$build/CMakeFiles/skellarine_core.dir" -name '*.o')
  [[ -n $objects ]] || fail "no object files of the program in $build"
  for object in $objects; do
    readelf -n "$object" | grep -q 'x86 feature: IBT, SHSTK' || fail "$object has no control-flow protection"
  done
  echo "ok: control-flow protection in all $(wc -w <<<"$objects") objects (the C library's start files have none)"
fi
hardening-check "${options[@]}" "$program" >"$work/hardening.log" 2>&1
status=$?
if grep -q 'Stack clash protection: unknown' "$work/hardening.log"; then
  # shellcheck disable=SC2016  # sed's \$, not the shell's
  largest=$(objdump -d --no-show-raw-insn "$program" | sed -n 's/.*sub  *\$0x\([0-9a-f]*\),%rsp.*/\1/p' |
    while read -r hex; do echo $((16#$hex)); done | sort -n | tail -n 1)
  if ((${largest:-0} >= 4096)) || objdump -d --no-show-raw-insn "$program" | grep -qE 'sub +%r[a-z0-9]+,%rsp'; then
    status=1
    echo "a stack frame of ${largest:-0} bytes or a variable one, yet no stack clash probes" >>"$work/hardening.log"
  fi
fi
if [[ $status != 0 ]] || grep -v -e ': yes' -e 'Stack clash protection: unknown' -e '(ignored)' "$work/hardening.log" |
  grep -q '^ '; then
  cat "$work/hardening.log" >&2
  fail "hardening-check finds a measure missing (status $status)"
fi
echo "ok: hardening-check:$(sed -n 's/^ \([^:]*\): \([a-z]*\).*/ \1 \2;/p' "$work/hardening.log" | tr -d '\n')"

metainfo=("$work"/root/usr/share/metainfo/*.metainfo.xml)
[[ -f ${metainfo[0]} ]] || fail "the package has no metainfo file"
appstreamcli validate --no-net "${metainfo[0]}" >"$work/appstream.log" 2>&1 || {
  cat "$work/appstream.log" >&2
  fail "appstreamcli does not accept the metainfo"
}
echo "ok: appstreamcli: $(tail -n 1 "$work/appstream.log")"
