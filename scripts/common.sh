# Shared by the run and test commands: install what is missing, then build.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libxcb1-dev libxcb-damage0-dev libfontconfig-dev
          libgl-dev fonts-liberation2 xvfb xauth xdotool imagemagick libbenchmark-dev galculator clang-format
          dpkg-dev desktop-file-utils appstream lintian
          dbus at-spi2-core python3-pyatspi)

# install_missing [extra packages...]
install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build DIR TYPE [extra cmake args...]
build() {
  local dir=$1 type=$2
  shift 2
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
