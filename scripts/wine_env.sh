# Sourced by the Windows tests and benchmarks: a private, quiet Wine prefix with one wineserver kept alive for all
# runs. wine_start starts them unless a calling script did; wine_stop ends what wine_start began.
# shellcheck shell=bash

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko: the game needs neither, and wineboot would offer to download them.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
# Wine turns the command line and paths into UTF-16 through the locale.
export LC_ALL=C.UTF-8

wine_start() {
  [[ -x $WINE ]] || { echo "wine64 is missing (apt-get install wine64)" >&2; return 1; }
  if [[ -z ${WINEPREFIX:-} ]]; then
    WINE_TMP=$(mktemp -d)
    export WINEPREFIX=$WINE_TMP/prefix
  fi
  WINE_OWNER=$$
  mkdir -p "$WINEPREFIX"
  # The server first, told to stay: every later run then finds it instead of starting its own.
  # (In a prefix given from outside one may be running already; then that one serves.)
  if ! "$WINESERVER" -p 2>/dev/null && [[ -n ${WINE_TMP:-} ]]; then
    echo "wineserver did not start" >&2
    return 1
  fi
  # -u, not -i: with -i a new prefix got two services.exe here, RpcSs then failed to start and
  # every program that uses COM (SDL's window does) waited about ten seconds for it.
  "$WINE" wineboot -u >/dev/null 2>&1 || { echo "wineboot failed" >&2; return 1; }
  export WINE_STARTED=1
}

# Ends the server only in the script that started it.
wine_stop() {
  [[ ${WINE_OWNER:-} == "$$" ]] || return 0
  "$WINESERVER" -k 2>/dev/null || true
  [[ -n ${WINE_TMP:-} ]] && rm -rf "$WINE_TMP"
  return 0
}
