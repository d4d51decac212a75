#!/usr/bin/env bash
# Install the Debian packages Velorane needs to build, run and test, when any
# is missing. Runs apt-get as root, or through sudo otherwise. Package names
# given as arguments are installed instead of the project's own list: the
# Windows and browser builds name theirs that way.
#
#   bash scripts/setup.sh [-h] [PACKAGE...]
set -euo pipefail
case "${1:-}" in -h | --help) sed -n '2,7s/^# \{0,1\}//p' "$0"; exit 0 ;; esac

packages=("$@")
[ ${#packages[@]} -gt 0 ] || packages=(
  build-essential cmake pkg-config
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libxres-dev libpng-dev
  xvfb xauth x11-utils xdotool
  googletest libgtest-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev valgrind
  dpkg-dev fakeroot file man-db groff-base desktop-file-utils libxml2-utils
  lintian appstream openbox doxygen
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -q --no-install-recommends "${missing[@]}"
fi
