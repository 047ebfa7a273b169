# shellcheck shell=bash
# Shared by scripts/play, scripts/test and scripts/docs: install what is missing, configure and build a preset.
# Usage (sourced): setup_build PRESET, or install_missing PACKAGE...

# What the game and its data need: compilers and build tools, SDL2, libjpeg, cairo and zlib for the
# data generators, the console font the game's font is derived from, and appstream, which makes the
# metainfo's releases from NEWS.
PLAY_PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libjpeg62-turbo-dev libcairo2-dev zlib1g-dev
  console-setup-linux appstream)
# What the tests, the benchmarks, the fuzzers and the package check use on top of that.
TEST_PACKAGES=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xdotool imagemagick openbox wmctrl
  libx11-dev x11-xkb-utils x11-utils x11-xserver-utils dpkg-dev lintian devscripts)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
}

setup_build() {
  local preset="$1"
  if [ "$preset" = play ]; then
    install_missing "${PLAY_PACKAGES[@]}"
  else
    install_missing "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
}

# The native build whose generators make a cross build's data (they never run on its target):
# build/default when it is configured, else the preset PRESET (play, the light one, or default).
# Builds only the data, the plain-text font and the icons; HOST_BUILD is then its folder.
host_build() { # PRESET
  local preset=$1
  [[ -f build/default/CMakeCache.txt ]] && preset=default
  [[ -f build/$preset/CMakeCache.txt ]] || cmake --preset "$preset" >/dev/null
  echo "== data from the native build in build/$preset"
  cmake --build "build/$preset" -j2 --target game_data font_data icon_sizes
  # shellcheck disable=SC2034  # for the script that sources this
  HOST_BUILD=$PWD/build/$preset
}

# Configures a cross preset (web, windows) with SDL2, libjpeg-turbo and zlib built for its target
# by scripts/thirdparty; further arguments go to cmake. A build folder that found its libraries
# under another third-party prefix (a new version or recipe) starts afresh rather than keep paths
# that are gone.
configure_cross() {
  local preset=$1
  shift
  local thirdparty cache=build/$preset/CMakeCache.txt fresh=()
  thirdparty=$(scripts/thirdparty "$preset")
  if [ -f "$cache" ] && ! grep -qx "SKELLARINE_THIRDPARTY:[A-Z]*=$thirdparty" "$cache"; then
    fresh=(--fresh)
  fi
  cmake --preset "$preset" "${fresh[@]}" -DSKELLARINE_THIRDPARTY="$thirdparty" "$@" >/dev/null
}
