# Shared by scripts/play and scripts/test: install what is missing, configure and build a preset.
# Usage (sourced): setup_build PRESET

PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libjpeg62-turbo-dev libcairo2-dev zlib1g-dev
  libgtest-dev libbenchmark-dev console-setup-linux xvfb xdotool imagemagick openbox wmctrl
  libx11-dev x11-xkb-utils)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
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
  install_missing
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
}
