#!/usr/bin/env bash
# The installer and the portable zip under Wine. The installer runs silently for the current user
# into a folder whose name holds Cyrillic letters and blanks; the game is started through its
# Start-menu entry and played to the finish (exit status 0); the uninstaller then leaves the drive
# as it was. A second silent install for all users goes to Program Files and is removed the same
# way. The zip, unpacked under another such folder, starts from outside its folder.
#
# usage: install_test.sh WINDOWS_BUILD [SHOT_DIR]
set -u

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?Windows build folder}" && pwd)
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
rm -f "$shots"/*.png
# shellcheck source=scripts/wine_env.sh
source "$here/../../scripts/wine_env.sh"
# shellcheck source=tests/e2e/x11_lib.sh
source "$here/../e2e/x11_lib.sh"

cleanup() {
  [[ -n $gamePid ]] && stop_pid "$gamePid"
  x11_stop
  wine_stop
}
trap cleanup EXIT
installer=$(compgen -G "$build/skellarine-*-win64.exe" | head -n 1)
zip=$(compgen -G "$build/skellarine-*-win64.zip" | head -n 1)
[[ -n $installer && -n $zip ]] || fail "no installer and zip in $build (run cpack there)"
x11_start
[[ -n ${WINE_STARTED:-} ]] || wine_start || fail "Wine did not start"
drive=$WINEPREFIX/drive_c
user=$(find "$drive/users" -mindepth 1 -maxdepth 1 ! -name Public -printf '%f\n' | head -n 1)
key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintrel Skellarine'

# Everything on drive C: but Wine's own folder and the temporary files.
listing() {
  (cd "$drive" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | LC_ALL=C sort)
}
registered() { "$WINE" reg query "$1\\$key" /v InstallLocation >/dev/null 2>&1; }
as_before() { diff <(echo "$before") <(listing) >"$work/left.txt"; }

# Runs the uninstaller that the registry names in HIVE, silently, and waits until the folder DIR
# (a Unix path) is gone: NSIS's uninstaller runs from a copy of itself and returns at once.
uninstall() {
  local hive=$1 dir=$2
  # reg query prints in the console's code page; an exported key keeps the names in UTF-16.
  "$WINE" reg export "$hive\\$key" "Z:${work//\//\\}\\key.reg" /y >/dev/null 2>&1 || fail "cannot export $hive\\$key"
  local command
  command=$(iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r' | sed -n 's/^"QuietUninstallString"="\(.*\)"$/\1/p' |
    sed 's/\\\(.\)/\1/g')
  [[ -n $command ]] || fail "no QuietUninstallString in $hive"
  # "C:\...\Uninstall.exe" /Mode /S: the program and its arguments.
  local program=${command#\"}
  local arguments=${program#*\" }
  program=${program%%\"*}
  # shellcheck disable=SC2086  # the arguments are two words
  "$WINE" "$program" $arguments >/dev/null 2>&1 || fail "the uninstaller failed"
  gone() { [[ ! -e $dir ]]; }
  poll "$kWait" gone || fail "the uninstaller left $dir"
  # The uninstall entry goes too.
  unregistered() { ! registered "$hive"; }
  poll "$kWait" unregistered || fail "the uninstaller left the uninstall entry in $hive"
}

before=$(listing)

# Per user, into a folder whose name holds Cyrillic letters and blanks. NSIS takes /D= only
# unquoted and last, so the line goes through cmd as it stands.
target='C:\Квинтрел - Скелларин'
targetUnix="$drive/Квинтрел - Скелларин"
winInstaller=$("$WINE" winepath -w "$installer" 2>/dev/null | tr -d '\r')
[[ $winInstaller != *" "* ]] || fail "the installer's path holds a blank: $winInstaller"
"$WINE" cmd /c "$winInstaller /S /CurrentUser /D=$target" >/dev/null 2>&1 || fail "the silent installer failed"
[[ -f $targetUnix/skellarine.exe && -f $targetUnix/data/map_ru.txt && -f $targetUnix/Uninstall.exe ]] ||
  fail "the installer did not put skellarine.exe, data\\ and the uninstaller into $targetUnix"
[[ $(find "$targetUnix/data" -type f | wc -l) == $(find "$build/data" -type f ! -name pictures.stamp | wc -l) ]] ||
  fail "the installed data\\ differs from the build's"
shortcut=$(find "$drive/users/$user" -name 'Quintrel - Skellarine.lnk' | head -n 1)
[[ -n $shortcut && $shortcut == *"Start Menu/Programs/"* ]] || fail "no Start-menu entry for the user"
registered HKCU || fail "no uninstall entry for the user"
pass "silent per-user install into '$target', Start-menu entry and uninstall entry"

# The entry names the installed program (its UTF-16 path is in the link).
hex() { od -An -tx1 | tr -d ' \n'; }
[[ "$(hex <"$shortcut")" == *"$(printf '%s' "$target\skellarine.exe" | iconv -f UTF-8 -t UTF-16LE | hex)"* ]] ||
  fail "the Start-menu entry does not point to $target\skellarine.exe"

# The installed game, started by its Windows path from another folder (Wine 8's start.exe did
# not launch the link here, so the link is checked above and the program started directly).
(cd / && exec "$WINE" "$target\skellarine.exe") >"$work/game.log" 2>&1 &
gamePid=$!
find_window
scale=1
[[ "$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ { print $2 }')" == 1280x960 ]] && scale=2
through_help installed_
pass "the installed game shows $helpPages help page(s) and the briefing over its picture"
xdotool key Return
shot_until_changed installed_turn "$shots/installed_briefing.png" || fail "Enter did not leave the briefing"
settle installed_turn || fail "the first turn does not settle"
# ФИНИШ, the last of the thirteen entries, then Y and Enter.
click_game 320 240
shot_until_changed installed_list "$shots/installed_turn.png" || fail "a click did not open the list"
settle installed_list || fail "the list does not settle"
click_game 320 $((14 * 16 - 7))
shot_until_changed installed_finish "$shots/installed_list.png" || fail "picking ФИНИШ changed nothing"
settle installed_finish || fail "the question does not settle"
xdotool type Y
typed_y() { shot installed_y && [[ "$(differing "$shots/installed_y.png" "$shots/installed_finish.png")" != 0 ]]; }
poll "$kWait" typed_y || fail "the typed Y does not show"
xdotool key Return
wait_game "ФИНИШ answered Y"
[[ $status == 0 ]] || fail "the installed game ended with status $status after ФИНИШ and Y"
pass "the installed game played to ФИНИШ and Y ends with status 0"

uninstall HKCU "$targetUnix"
[[ ! -e $shortcut ]] || fail "the uninstaller left the Start-menu entry"
poll "$kWait" as_before || fail "the uninstaller left files behind: $(head -c 600 "$work/left.txt")"
pass "the uninstaller removes the folder, the entry and the registry key, leaving drive C: as before"

# For all users (Wine's user may), into Program Files by default.
"$WINE" "$installer" /S /AllUsers >/dev/null 2>&1 || fail "the silent all-users installer failed"
allUnix="$drive/Program Files/Quintrel - Skellarine"
[[ -f $allUnix/skellarine.exe && -f $allUnix/data/egarus.bmp ]] || fail "no all-users install in Program Files"
[[ -f "$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quintrel - Skellarine.lnk" ]] ||
  fail "no Start-menu entry for all users"
registered HKLM || fail "no uninstall entry for all users"
uninstall HKLM "$allUnix"
poll "$kWait" as_before || fail "the all-users uninstaller left files behind: $(head -c 600 "$work/left.txt")"
pass "silent all-users install into Program Files and its removal"

# The zip: unpacked under a folder with Cyrillic letters and blanks, started from elsewhere.
unpacked="$work/Игры с пробелами"
mkdir -p "$unpacked"
(cd "$unpacked" && unzip -q "$zip") || fail "cannot unpack $zip"
exe=$(find "$unpacked" -name skellarine.exe | head -n 1)
[[ -n $exe && -d $(dirname "$exe")/data ]] || fail "the zip holds no skellarine.exe with data\\ beside it"
(cd / && exec "$WINE" "$exe") >"$work/game.log" 2>&1 &
gamePid=$!
find_window
through_help zip_
xdotool key alt+F4
wait_game "Alt+F4"
[[ $status == 0 ]] || fail "the unpacked game ended with status $status"
pass "the unpacked zip runs from '$(basename "$unpacked")' and ends with status 0"

echo "$checks passed, 0 failed"
