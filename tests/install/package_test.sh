#!/usr/bin/env bash
# Builds the Debian packages with CPack, checks what they hold and declare,
# lets apt resolve the program's package as `apt install ./velorane_*.deb`
# would (a simulation: nothing changes), unpacks it into a scratch root and
# runs the unpacked program. Only under CI=true as root is the package really
# installed, run from /usr/bin and purged again.
# Usage: package_test.sh BUILD_DIR CPACK
set -euo pipefail
build="$1" cpack="$2"
source "$(dirname "${BASH_SOURCE[0]}")/program_session.sh"

scratch=$(mktemp -d)
installed_here=0
cleanup() {
  if [ "$installed_here" -eq 1 ]; then dpkg --purge velorane >/dev/null 2>&1 || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/packages" \
  >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack -G DEB"; }
debs=("$scratch"/packages/velorane_*.deb)
devs=("$scratch"/packages/velorane-dev_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single velorane_*.deb"
[ ${#devs[@]} -eq 1 ] && [ -f "${devs[0]}" ] || fail "no single velorane-dev_*.deb"
deb="${debs[0]}" dev="${devs[0]}"

# has_file PACKAGE PATH: the package holds PATH.
has_file() {
  dpkg-deb -c "$1" | awk '{print $6}' | grep -qx "./$2" || fail "$(basename "$1") lacks /$2"
}
has_file "$deb" usr/bin/velorane
has_file "$deb" usr/share/applications/velorane.desktop
has_file "$deb" usr/share/icons/hicolor/scalable/apps/velorane.svg
has_file "$deb" usr/share/man/man1/velorane.1
has_file "$dev" usr/include/velorane/maths/vector.h
has_file "$dev" usr/lib/cmake/Velorane/VeloraneConfig.cmake
if dpkg-deb -c "$deb" | grep -q '/include/\|\.a$'; then fail "the program's package holds the toolkit"; fi

# The runtime dependencies: freeglut, GLU and GL (through the GL dispatch
# libraries), read from the program itself.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libglut3 libglu1 'libgl1\|libopengl0'; do
  echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = velorane ] || fail "package name"
[ "$(dpkg-deb -f "$dev" Depends | grep -c 'libglut-dev\|freeglut3-dev')" -eq 1 ] ||
  fail "velorane-dev does not depend on the GLUT headers"

# apt resolves the package's dependencies on this machine.
(cd "$scratch/packages" && apt-get -s -q install "./$(basename "$deb")") \
  >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt cannot install the package"; }
grep -q '^Inst velorane\|^Conf velorane' "$scratch/apt.log" || grep -q 'velorane is already' \
  "$scratch/apt.log" || { cat "$scratch/apt.log"; fail "apt would not install velorane"; }

# The unpacked program runs.
dpkg-deb -x "$deb" "$scratch/root"
run_session "$scratch/run.out" "$scratch/root/usr/bin/velorane" Velorane Valeurs

# A throwaway CI machine: the real install, the program from the PATH, the
# manual page through man, then the package purged again.
if [ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ] &&
  ! dpkg-query -W -f='${Status}' velorane 2>/dev/null | grep -q "install ok installed"; then
  installed_here=1
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; fail "apt-get install of the package"; }
  [ "$(command -v velorane)" = /usr/bin/velorane ] || fail "velorane is not on the PATH"
  man -w velorane >/dev/null || fail "man does not find velorane(1)"
  run_session "$scratch/installed.out" velorane Velorane Valeurs
  dpkg --purge velorane >/dev/null
  installed_here=0
  [ ! -e /usr/bin/velorane ] || fail "purging the package left /usr/bin/velorane"
fi
echo "Debian package built, resolved and run"
