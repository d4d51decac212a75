#!/usr/bin/env bash
# Build Velorane for 64-bit Windows on this Debian machine and write its
# release into build-windows/dist/:
#   velorane-<version>-win64.zip        velorane.exe, LICENSE.txt, README.txt
#   velorane-<version>-win64-setup.exe  the installer (NSIS, through CPack)
# Steps, each named when it fails (its log is in build-windows/logs/):
#   packages          install what is missing (MinGW-w64, NSIS, the icon tools,
#                     Wine for the tests)
#   freeglut-source   freeglut's source from Debian's source packages, through
#                     a private sources list (deb-src lines for the archives
#                     this machine already uses) and lists folder of its own;
#                     the machine's apt configuration is left alone
#   freeglut-build    freeglut cross-built once into a static library
#   velorane-build    the program, with cmake/MinGW-w64.cmake
#   packaging         the zip and the installer, written aside and moved into
#                     dist/ only when both are complete
# What a step made is kept in build-windows/ (the source, freeglut, the
# program's tree), so a rerun after a failure goes on from there.
#
#   bash scripts/build-windows.sh [-h]
#
# VELORANE_WINDOWS_BUILD_DIR moves the build folder. VELORANE_WINDOWS_FAULT
# makes one step fail as it would for real, for the tests: missing-source (a
# source package the archives do not have), failed-download (an archive that
# cannot be reached), failed-build (freeglut does not compile), or
# failed-installer (makensis rejects the script).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"

out="${VELORANE_WINDOWS_BUILD_DIR:-$root/build-windows}"
fault="${VELORANE_WINDOWS_FAULT:-}"
mkdir -p "$out/logs" "$out/dist"
out="$(cd "$out" && pwd)"
freeglut="$out/freeglut"
source_package=freeglut
if [ "$fault" = missing-source ]; then source_package=freeglut-velorane-missing; fi

# Run the step named $1: the command that follows, its output kept in the
# step's log; on failure the script stops, naming the step.
step() {
  local name=$1
  shift
  echo "=== $name ==="
  # In a subshell of its own, not in a condition, so that set -e holds inside.
  local status=0
  set +e
  (
    set -e
    "$@"
  ) >"$out/logs/$name.log" 2>&1
  status=$?
  set -e
  if [ "$status" -ne 0 ]; then
    tail -n 25 "$out/logs/$name.log" >&2
    echo "build-windows: step '$name' failed; the whole log: $out/logs/$name.log" >&2
    exit 1
  fi
}

install_packages() {
  local packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis
    librsvg2-bin icoutils dpkg-dev zip wine64)
  bash "$root/scripts/setup.sh" "${packages[@]}"
}

# freeglut's source, unpacked with Debian's patches into $freeglut/source
# (scripts/freeglut-source.sh, shared with the browser build).
fetch_source() {
  local unreachable=""
  if [ "$fault" = failed-download ]; then unreachable=1; fi
  VELORANE_FREEGLUT_UNREACHABLE="$unreachable" \
    bash "$root/scripts/freeglut-source.sh" "$out/apt" "$freeglut/source" "$source_package"
}

# freeglut for Windows, static, installed into $freeglut/prefix.
build_freeglut() {
  if [ -f "$freeglut/prefix/lib/libglut.a" ]; then
    echo "cached: $freeglut/prefix"
    return 0
  fi
  # (The flags are always given, so that a fault's flags do not stay in the cache.)
  local flags=""
  if [ "$fault" = failed-build ]; then flags="-include $freeglut/no-such-header.h"; fi
  rm -rf "$freeglut/prefix.partial"
  cmake -S "$freeglut/source" -B "$freeglut/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=ON -DFREEGLUT_PRINT_WARNINGS=OFF \
    -DCMAKE_INSTALL_PREFIX="$freeglut/prefix.partial" -DCMAKE_C_FLAGS="$flags"
  cmake --build "$freeglut/build" -j "$(nproc)"
  cmake --install "$freeglut/build"
  mv "$freeglut/prefix.partial" "$freeglut/prefix"
}

build_velorane() {
  local werror=OFF
  if [ -n "${CI:-}" ]; then werror=ON; fi
  cmake -S "$root" -B "$out/velorane" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64.cmake" \
    -DVELORANE_WINDOWS_PREFIX="$freeglut/prefix" -DCMAKE_BUILD_TYPE=Release \
    -DVELORANE_TESTS=OFF -DVELORANE_WERROR="$werror"
  cmake --build "$out/velorane" -j "$(nproc)"
}

# Both packages into a folder aside, then moved into dist/ (a rename on the
# same file system, so dist/ never holds a part of a file).
package() {
  local version staging="$out/staging"
  version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/velorane/CMakeCache.txt")"
  local zip="velorane-$version-win64.zip" setup="velorane-$version-win64-setup.exe"
  local nsis_arguments=()
  if [ "$fault" = failed-installer ]; then
    nsis_arguments=(-D "CPACK_NSIS_DEFINES=Target no-such-processor")
  fi
  rm -rf "$staging" "$out/dist/$zip" "$out/dist/$setup"
  mkdir -p "$staging"
  (cd "$out/velorane" && cpack -G ZIP -B "$staging")
  (cd "$out/velorane" && cpack -G NSIS -B "$staging" "${nsis_arguments[@]}")
  for f in "$zip" "$setup"; do
    if [ ! -s "$staging/$f" ]; then
      echo "CPack did not write $f"
      return 1
    fi
  done
  mv "$staging/$zip" "$staging/$setup" "$out/dist/"
  rm -rf "$staging"
  echo "written: $out/dist/$zip $out/dist/$setup"
}

step packages install_packages
step freeglut-source fetch_source
step freeglut-build build_freeglut
step velorane-build build_velorane
step packaging package
ls -l "$out/dist"/velorane-*-win64*
