#!/usr/bin/env bash
# Build Velorane for 64-bit ARM Linux (Debian's arm64, which Raspberry Pi OS
# 64-bit and the Linux of ARM laptops and Chromebooks are) on this amd64
# Debian machine, package it, and run its test suite under emulation:
#   packages   the cross compilers, qemu-user and the arm64 libraries of
#              Debian's multiarch (the architecture is added to dpkg's once),
#              through scripts/setup.sh
#   build      the whole project cross-built into build-arm64/ with
#              cmake/aarch64-linux-gnu.cmake; every compilation is checked to
#              keep -ffp-contract=off, the program to be an aarch64 one
#   packages   the Debian packages velorane and velorane-dev for arm64,
#              written into build-arm64/ and checked by lintian
#   suite      CTest in build-arm64/: every test program and the program under
#              test run under qemu-user, the tests that open windows each on
#              one of two virtual displays of the suite's own; the tests that
#              cannot run under emulation are left out, each named below with
#              its reason
#   native     the end-to-end tests of the program's start, values window and
#              ways to quit, built for amd64 (in build-arm64/native), run
#              against the arm64 program under qemu-user: its values are
#              checked against the figures of the build machine
# With armhf as the first argument, the same for 32-bit ARM (Debian's armhf,
# Raspberry Pi OS for older boards; ARMv7 and later) into build-armhf/, with
# cmake/arm-linux-gnueabihf.cmake. Further arguments go to the suite's CTest
# (e.g. -R ValuesWindow).
#
#   bash scripts/test-arm64.sh [-h] [armhf] [CTEST OPTIONS...]
#
# Run by CI for arm64 (armhf, by hand, would take as long again, some 18
# minutes). VELORANE_ARM_BUILD_DIR moves the build folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"

arch=arm64 triplet=aarch64-linux-gnu machine="ARM aarch64" qemu=qemu-aarch64
if [ "${1:-}" = armhf ]; then
  arch=armhf triplet=arm-linux-gnueabihf machine="ARM, EABI5" qemu=qemu-arm
  shift
fi
cross_build="${VELORANE_ARM_BUILD_DIR:-$root/build-$arch}"
toolchain="$root/cmake/$triplet.cmake"

# The tests that cannot run under emulation, each with its reason.
left_out=(
  # valgrind checks programs of the machine it runs on: under qemu it would
  # check the emulator, not the program. scripts/memcheck.sh checks the same
  # sources built for amd64.
  Memcheck.ScriptedSessionLosesNoBlockOfTheProject
  # Death tests in GoogleTest's "threadsafe" style (a fresh process, since a
  # forked one would share the parent's X connection): GoogleTest starts the
  # test program again with execv, and the kernel cannot start an arm64
  # program, which runs under qemu only when named to it. That Esc, the
  # menu's Quit and the window's close end the program with status 0 is
  # checked on arm64 end to end (Program.EachWayToQuitEndsWithStatusZero).
  KeyboardTest.EscExitsWithStatusZeroUnderEveryCombinationAfterTheHookOnce
  QuitMenuTest.QuitterExitsWithStatusZeroAfterTheHookOnce
  ModelTest.EscapeEndsTheProgramWithStatusZero
  # A check of the end-to-end tests themselves (they fail when their input is
  # dropped), which the native suite makes on every run: it runs them all
  # twice with a bound of 1 s on each wait, so that the many that must fail
  # end quickly, and under qemu the program does not even open its windows
  # within the 10 s that the tests that must pass then have.
  EndToEnd.TestsFailWhenTheirInputIsDroppedOrRefused
)

echo "=== packages ==="
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
  # setup.sh updates apt's lists, since the packages below are then missing.
  $sudo dpkg --add-architecture "$arch"
fi
bash "$root/scripts/setup.sh"
bash "$root/scripts/setup.sh" "crossbuild-essential-$arch" qemu-user \
  "freeglut3-dev:$arch" "libglu1-mesa-dev:$arch" "libgl1-mesa-dri:$arch" "libx11-dev:$arch" \
  "libxres-dev:$arch" "libpng-dev:$arch" "zlib1g-dev:$arch" "libgtest-dev:$arch"

echo "=== build ($arch, $cross_build) ==="
configure_tree "$cross_build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
# Every figure is fixed to the bit only if no compilation may fuse a multiply
# and an add (cmake/Warnings.cmake): the cross compiler would on ARM.
# (One "command" line per compilation in CMake's list of them.)
commands=$(grep -c '^  "command": ' "$cross_build/compile_commands.json")
unfused=$(grep '^  "command": ' "$cross_build/compile_commands.json" | grep -v -e ' -ffp-contract=off ' ||
  true)
if [ "$commands" -eq 0 ] || [ -n "$unfused" ]; then
  echo "compilations without -ffp-contract=off (of $commands): $unfused" >&2
  exit 1
fi
echo "all $commands compilations with -ffp-contract=off"
cmake --build "$cross_build" -j "$(nproc)"
program="$cross_build/app/velorane"
description=$(file -b "$program")
echo "$program: $description"
case "$description" in
  "ELF "*"$machine"*) ;;
  *)
    echo "$program is not a program for $arch" >&2
    exit 1
    ;;
esac

echo "=== Debian packages ($arch) ==="
rm -f "$cross_build"/velorane*_"$arch".deb
(cd "$cross_build" && cpack -G DEB -B "$cross_build" >"$cross_build/cpack.log") ||
  { cat "$cross_build/cpack.log"; exit 1; }
debs=("$cross_build/velorane_"*"_$arch.deb" "$cross_build/velorane-dev_"*"_$arch.deb")
for deb in "${debs[@]}"; do
  [ -f "$deb" ] || { echo "CPack wrote no $(basename "$deb")" >&2; exit 1; }
  [ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] ||
    { echo "$deb is not for $arch" >&2; exit 1; }
done
lintian --fail-on error,warning --display-info --pedantic "${debs[@]}"
ls -l "${debs[@]}"

echo "=== suite under qemu-user ($arch) ==="
logs="$(mktemp -d)"
# Two displays, two jobs: the in-process tests run two at a time, the
# end-to-end tests alone.
jobs=2
start_test_displays "$jobs" "$logs/displays.json"
trap 'rm -rf "$logs"; kill "${xvfb_pids[@]}" 2>/dev/null || true' EXIT
excluded=$(
  IFS='|'
  echo "^(${left_out[*]})\$"
)
echo "left out under emulation: ${left_out[*]}"
# The program under test starts and draws more slowly under qemu than on the
# machine itself (seconds, not a fraction of one): the end-to-end tests'
# bound of a wait is longer, as for the Windows build under Wine.
export VELORANE_WAIT_MS=20000
if [ "$arch" = armhf ]; then
  # Mesa's llvmpipe, whose code for 32-bit ARM runs under qemu-arm too, draws
  # the lit plate of the diagram nearly black there (5 of 255, not the grey
  # of amd64 and arm64); Mesa's softpipe, which compiles nothing at run time,
  # draws it as on amd64.
  export GALLIUM_DRIVER=softpipe
fi
suite=0
(cd "$cross_build" && ctest --output-on-failure -j "$jobs" --resource-spec-file "$logs/displays.json" \
  -E "$excluded" "$@") || suite=$?

# The arm64 program against the amd64 build's end-to-end tests, as the
# Windows build is tested: the values they expect are computed by the build
# machine's own C library and compiler, so the arm64 program's values window
# is checked pixel for pixel against the native figures, at the start and
# after the light keys, and Esc and the other ways to quit end it with 0.
echo "=== the $arch program against the native end-to-end tests ==="
native="$cross_build/native"
configure_tree "$native"
cmake --build "$native" -j "$(nproc)" --target end_to_end_tests >"$logs/native-build.log" ||
  { cat "$logs/native-build.log"; exit 1; }
native_tests=0
(cd "$native" && VELORANE_PROGRAM="$program" VELORANE_LAUNCHER="$qemu -L /" \
  ctest --output-on-failure -j "$jobs" --resource-spec-file "$logs/displays.json" \
  -R '^(Program|ValuesWindow)\.') || native_tests=$?
if [ "$suite" -ne 0 ] || [ "$native_tests" -ne 0 ]; then
  exit 1
fi
