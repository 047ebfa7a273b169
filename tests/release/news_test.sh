#!/bin/bash
# The Debian changelog and the AppStream releases made from NEWS (cmake/news.cmake, appstreamcli): the project's
# own NEWS as dpkg reads it, an awkward history kept intact, and the mistakes that must stop a build.
#
# usage: news_test.sh SOURCE_DIR PROJECT_VERSION
set -u
src=${1:?source directory}
version=${2:?project version}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

make_news() { # NEWS_FILE VERSION [RELEASES_FILE]: writes $work/changelog, the log to $work/log
  local releases=()
  [[ -n ${3:-} ]] && releases=(-DRELEASES="$3")
  rm -f "$work/changelog"
  cmake -DNEWS="$1" -DVERSION="$2" -DMAINTAINER="Quintrel developers <dev@quintrel.invalid>" \
    -DCHANGELOG="$work/changelog" "${releases[@]}" -P "$src/cmake/news.cmake" >"$work/log" 2>&1
}

for tool in dpkg-parsechangelog appstreamcli; do
  command -v $tool >/dev/null || { echo "$tool is missing (packages dpkg-dev, appstream)"; exit 77; }
done

# The project's NEWS: a changelog dpkg reads without a warning, one entry per heading, newest first,
# the date of each heading with its own day of the week, no line wider than 80 columns.
if make_news "$src/NEWS" "$version" "$work/releases"; then
  dpkg-parsechangelog -l "$work/changelog" --all >"$work/parsed" 2>"$work/warnings" || fail "dpkg-parsechangelog rejects the changelog"
  [[ -s $work/warnings ]] && fail "dpkg-parsechangelog warns: $(cat "$work/warnings")"
  [[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$version" ]] || fail "the changelog's version is not $version"
  headings=$(grep -cE '^Version [0-9][0-9.]*$' "$src/NEWS")
  entries=$(grep -c '^skellarine (' "$work/changelog")
  [[ $headings == "$entries" ]] || fail "NEWS has $headings entries, the changelog $entries"
  awk '/^Version / { v = $2 } /^Released: / { print v, $2 }' "$src/NEWS" | while read -r v d; do
    want=$(LC_ALL=C date -u -d "$d" '+%a, %d %b %Y 00:00:00 +0000')
    awk -v v="($v)" '$2 == v { on = 1 } on && /^ -- / { print; exit }' "$work/changelog" | grep -qF "  $want" ||
      echo "the entry of $v is not signed on $want"
  done >"$work/dates"
  [[ -s $work/dates ]] && fail "$(cat "$work/dates")"
  awk 'length > 80 { print FILENAME ":" NR ": " length " columns"; bad = 1 } END { exit bad }' "$work/changelog" ||
    fail "changelog lines wider than 80 columns"
  [[ $(grep -c '<release .*version=' "$work/releases") == "$headings" ]] || fail "the metainfo does not list every release"
else
  fail "the project's NEWS does not make a changelog: $(cat "$work/log")"
fi

# A history with characters CMake and XML treat specially, a leap day and two entries.
cat >"$work/NEWS" <<'NEWS'
Version 2.10
~~~~~~~~~~~~
Released: 2028-02-29

Notes:
 * Fixed: a list [a; b] of <two> & more, kept as written; words that read as false to CMake follow.
   OFF
 * A second item.

Version 2.9
~~~~~~~~~~~
Released: 2027-12-31

Notes:
 * One line.
NEWS
if make_news "$work/NEWS" 2.10 "$work/releases"; then
  dpkg-parsechangelog -l "$work/changelog" --all >"$work/parsed" 2>"$work/warnings" || fail "dpkg-parsechangelog rejects the awkward changelog"
  [[ -s $work/warnings ]] && fail "dpkg-parsechangelog warns on the awkward changelog: $(cat "$work/warnings")"
  [[ $(grep '^skellarine (' "$work/changelog" | tr '\n' ' ') == "skellarine (2.10) unstable; urgency=medium skellarine (2.9) unstable; urgency=medium " ]] ||
    fail "the entries are not 2.10 then 2.9: $(grep '^skellarine' "$work/changelog")"
  grep -qF ' -- Quintrel developers <dev@quintrel.invalid>  Tue, 29 Feb 2028 00:00:00 +0000' "$work/changelog" ||
    fail "the leap day is not signed Tue, 29 Feb 2028"
  tr '\n' ' ' <"$work/changelog" | tr -s ' ' | grep -qF '* Fixed: a list [a; b] of <two> & more, kept as written; words that read as false to CMake follow. OFF' ||
    fail "the changelog does not keep the paragraph: $(cat "$work/changelog")"
  grep -qF '<p>Fixed: a list [a; b] of &lt;two&gt; &amp; more, kept as written; words that read as false to CMake follow. OFF</p>' "$work/releases" ||
    fail "the metainfo does not keep the paragraph, escaped: $(cat "$work/releases")"
  grep -qF '  * A second item.' "$work/changelog" || fail "the second item is not an item of its own: $(cat "$work/changelog")"
  [[ $(grep -o 'version="[^"]*" date="[^"]*"' "$work/releases" | tr '\n' ' ') == 'version="2.10" date="2028-02-29T00:00:00Z" version="2.9" date="2027-12-31T00:00:00Z" ' ]] ||
    fail "the metainfo releases are not 2.10 then 2.9 with their dates"
else
  fail "the awkward NEWS does not make a changelog: $(cat "$work/log")"
fi

# Mistakes that must stop the build, each with a message that names it.
refuse() { # WHAT EXPECTED_MESSAGE_PART VERSION NEWS_TEXT
  printf '%s\n' "$4" >"$work/bad"
  if make_news "$work/bad" "$3"; then
    fail "accepted: $1"
  elif ! tr '\n' ' ' <"$work/log" | tr -s ' ' | grep -qF "$2"; then
    fail "refused without saying \"$2\": $1: $(cat "$work/log")"
  fi
}
entry() { printf 'Version %s\n~~~~~~~~~~~\nReleased: %s\n\nNotes:\n * %s\n\n' "$@"; }
refuse "a version the newest entry does not name" "the project's version is 1.1" 1.1 "$(entry 1.0 2026-12-07 Text.)"
refuse "an older entry above a newer one" "the newest entry comes first" 1.0 "$(entry 1.0 2026-12-07 A.)
$(entry 0.9 2026-12-08 B.)"
refuse "a date that is no day" "2027-02-29" 1.0 "$(entry 1.0 2027-02-29 Text.)"
refuse "a heading without its tildes" "Version 1.0" 1.0 $'Version 1.0\nReleased: 2026-12-07\n\nNotes:\n * Text.'
refuse "an entry that says nothing" "says nothing" 1.0 "$(entry 1.0 2026-12-07 Text.)
$(entry 0.9 2026-12-06 '' | sed '/^ \*/d')"
refuse "no entry at all" "Failed to detect section 'Only prose." 1.0 'Only prose.'
refuse "a parenthesis, where appstreamcli would cut the item" "parenthesis" 1.0 "$(entry 1.0 2026-12-07 'A (short) note.')"

if ((failures)); then
  echo "$failures failure(s)"
  exit 1
fi
echo "ok: NEWS makes a changelog dpkg accepts and metainfo releases; seven mistakes refused"
