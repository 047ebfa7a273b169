#!/bin/bash
# shellcheck disable=SC2016  # the expected NSIS lines hold $INSTDIR literally
# The release's build helpers on small made-up folders: the web data listed for Emscripten's
# packager in name order, the loader's package identifier made from the data, and the installer's
# file lists in name order with the staged files dated by SOURCE_DATE_EPOCH.
#
# usage: pieces_test.sh SOURCE_DIR
set -u
src=${1:?source directory}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
command -v python3 >/dev/null || { echo "python3 is missing"; exit 77; }
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A folder whose files are made in reverse name order, one name with a quote and a blank.
make_tree() {
  mkdir -p "$1/b" "$1/a"
  for f in "b/2.jpg" "b/1.jpg" "a/it's here.txt" "z.txt" "a.txt" "pictures.stamp"; do
    echo "$f" >"$1/$f"
  done
}

# --- preload_list.cmake: the data files in name order, the stamp left out, names quoted for shlex.
make_tree "$work/data"
cmake -DDATA="$work/data" -DOUT="$work/preload.rsp" -P "$src/packaging/web/preload_list.cmake" || fail "preload_list failed"
python3 - "$work/preload.rsp" "$work/data" >"$work/preload.txt" <<'PY' || fail "the response file does not split as Emscripten splits it"
import shlex, sys
args = shlex.split(open(sys.argv[1]).read())
assert args[0::2] == ["--preload-file"] * (len(args) // 2), args
for a in args[1::2]:
    print(a.replace(sys.argv[2] + "/", "", 1))
PY
want="a.txt@/data/a.txt
a/it's here.txt@/data/a/it's here.txt
b/1.jpg@/data/b/1.jpg
b/2.jpg@/data/b/2.jpg
z.txt@/data/z.txt"
[[ $(cat "$work/preload.txt") == "$want" ]] || fail "the data files are not listed in name order without the stamp: $(cat "$work/preload.txt")"

# --- package_id.cmake: the identifier comes from the data, whatever the packager drew.
loader='loadPackage({"files":[],"remote_package_size":5,"package_uuid":"4ae58391-1e10-4598-af8e-f4e4fa6881b2"})'
printf '%s' "$loader" >"$work/one.js"
printf '%s' "${loader/4ae58391/0badf00d}" >"$work/two.js"
printf 'data' >"$work/one.data"
cp "$work/one.data" "$work/two.data"
for n in one two; do
  cmake -DLOADER="$work/$n.js" -DDATA="$work/$n.data" -P "$src/packaging/web/package_id.cmake" || fail "package_id failed on $n"
done
cmp -s "$work/one.js" "$work/two.js" || fail "the same data gives two loaders: $(cat "$work/one.js" "$work/two.js")"
id=$(sha256sum "$work/one.data" | sed -E 's/^(.{8})(.{4})(.{4})(.{4})(.{12}).*/\1-\2-\3-\4-\5/')
grep -qF "\"package_uuid\":\"$id\"" "$work/one.js" || fail "the identifier is not the data's hash: $(cat "$work/one.js")"
printf 'other' >"$work/two.data"
printf '%s' "$loader" >"$work/two.js"
cmake -DLOADER="$work/two.js" -DDATA="$work/two.data" -P "$src/packaging/web/package_id.cmake"
cmp -s "$work/one.js" "$work/two.js" && fail "other data gives the same identifier"
printf 'no identifier here' >"$work/three.js"
cmake -DLOADER="$work/three.js" -DDATA="$work/one.data" -P "$src/packaging/web/package_id.cmake" 2>/dev/null &&
  fail "a loader without an identifier passes unnoticed"

# --- staged_files.cmake: install and removal lists in name order, inner folders removed first.
make_tree "$work/top/staged"
rm "$work/top/staged/pictures.stamp"
SOURCE_DATE_EPOCH=1000000000 cmake -DCPACK_TEMPORARY_DIRECTORY="$work/top/staged" -DCPACK_TOPLEVEL_DIRECTORY="$work/top" \
  -P "$src/packaging/windows/staged_files.cmake" || fail "staged_files failed"
nsh=$work/top/staged_files.nsh
sed -n '/^!macro SKELLARINE_INSTALL_FILES/,/^!macroend/p' "$nsh" | sed "s|$work/top/staged/||" >"$work/install"
want='!macro SKELLARINE_INSTALL_FILES
  SetOutPath "$INSTDIR"
  File "a.txt"
  SetOutPath "$INSTDIR\a"
  File "a/it'"'"'s here.txt"
  SetOutPath "$INSTDIR\b"
  File "b/1.jpg"
  File "b/2.jpg"
  SetOutPath "$INSTDIR"
  File "z.txt"
  SetOutPath "$INSTDIR"
!macroend'
[[ $(cat "$work/install") == "$want" ]] || fail "the install list is not in name order: $(cat "$work/install")"
sed -n '/^!macro SKELLARINE_DELETE_FILES/,/^!macroend/p' "$nsh" | grep -E '^  (Delete|RMDir)' >"$work/delete"
want='  Delete "$INSTDIR\a.txt"
  Delete "$INSTDIR\a\it'"'"'s here.txt"
  Delete "$INSTDIR\b\1.jpg"
  Delete "$INSTDIR\b\2.jpg"
  Delete "$INSTDIR\z.txt"
  RMDir "$INSTDIR\b"
  RMDir "$INSTDIR\a"'
[[ $(cat "$work/delete") == "$want" ]] || fail "the removal list is not files then folders: $(cat "$work/delete")"
undated=$(find "$work/top/staged" ! -newermt @999999999 -o -newermt @1000000001 | head -n 3)
[[ -z $undated ]] || fail "staged files not dated by SOURCE_DATE_EPOCH: $undated"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "ok: data listed in name order, identifier from the data, installer lists in name order and dated"
