#!/bin/bash
# The README's screenshots and city map as scripts/docs makes them now (docs/screenshots.script on
# the scripted runner, the city map by the picture generator) against the committed ones, pixel for
# pixel; and every picture the README shows is one of them.
#
# usage: pictures_test.sh SOURCE_DIR SKELLARINE_SCRIPT GEN_PICTURES DATA_DIR
set -u
src=${1:?source directory}
runner=${2:?skellarine-script}
generator=${3:?gen_pictures}
data=${4:?data directory}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

(cd "$work" && "$runner" "$src/docs/screenshots.script" >"$work/log" 2>&1) || { cat "$work/log"; fail "docs/screenshots.script failed"; }
"$generator" --city-map "$work/docs/city_map.png" "$data" >>"$work/log" 2>&1 || fail "the city map was not drawn"

# The same pixels: the same bytes, or else ImageMagick's count of differing pixels is 0.
same() {
  cmp -s "$1" "$2" && return 0
  command -v compare >/dev/null && [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]
}
for committed in "$src"/docs/*.png; do
  name=docs/$(basename "$committed")
  if [[ ! -f $work/$name ]]; then
    fail "$name is committed but scripts/docs does not make it"
  elif ! same "$committed" "$work/$name"; then
    fail "$name is not what scripts/docs draws now: run scripts/docs and commit it"
  fi
done
for shown in $(grep -oE '\(docs/[^)]*\.png\)' "$src/README.md" | tr -d '()' | sort -u); do
  [[ -f $work/$shown ]] || fail "the README shows $shown, which scripts/docs does not make"
done

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "ok: $(find "$work/docs" -name '*.png' | wc -l) pictures as committed"
