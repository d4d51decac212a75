#!/usr/bin/env bash
# Build Velorane and run its whole test suite through CTest, on a virtual
# display of its own when there is no usable one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$root/scripts/setup.sh"
build_project

if ! display_usable; then
  start_virtual_display
fi

cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
