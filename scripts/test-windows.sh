#!/usr/bin/env bash
# Build Velorane for Windows (scripts/build-windows.sh) and test that build
# under Wine: the executable's checks, the end-to-end tests of the Linux
# suite run a second time against velorane.exe, the installer, and the build
# script's behaviour on faults. The Linux side of those tests (the test
# program, the driver) is built into build-windows/linux; CTest runs the
# tests labelled wine there, on a virtual display of its own when there is
# no usable one. Arguments go to CTest (e.g. -R Installer).
#
#   bash scripts/test-windows.sh [-h] [CTEST OPTIONS...]
#
# Also run by the test command when VELORANE_WINDOWS=1 (bash scripts/test.sh),
# and by CI.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"
windows_build="${VELORANE_WINDOWS_BUILD_DIR:-$root/build-windows}"

VELORANE_WINDOWS_BUILD_DIR="$windows_build" bash "$root/scripts/build-windows.sh"
bash "$root/scripts/setup.sh"

build="$windows_build/linux"
configure_tree "$build" -DVELORANE_WINDOWS_TESTS=ON -DVELORANE_WINDOWS_BUILD="$windows_build"
cmake --build "$build" -j "$(nproc)" --target end_to_end_tests

if ! display_usable; then
  start_virtual_display
fi
cd "$build" && ctest --output-on-failure -L wine "$@"
