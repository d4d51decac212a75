#!/usr/bin/env bash
# Installs the build tree into a scratch prefix, checks where everything
# lands, then builds the example project of the toolkit guide (consumer/)
# against the installed CMake package as another project would, and runs it.
# A cross build's consumer is configured with the build's toolchain file, and
# its programs run under VELORANE_LAUNCHER (program_session.sh).
# Usage: consumer_test.sh BUILD_DIR CONSUMER_SOURCE_DIR CMAKE CXX_COMPILER [TOOLCHAIN_FILE]
set -euo pipefail
build="$1" consumer="$2" cmake="$3" cxx="$4" toolchain="${5:-}"
source "$(dirname "${BASH_SOURCE[0]}")/program_session.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"

"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
  { cat "$scratch/install.log"; fail "cmake --install"; }

# The program and what a desktop and a software centre need, the licence,
# the toolkit and its package files.
for file in bin/velorane share/applications/velorane.desktop \
  share/metainfo/org.velorane.velorane.metainfo.xml \
  share/icons/hicolor/scalable/apps/velorane.svg share/man/man1/velorane.1.gz \
  share/doc/velorane/copyright share/doc/velorane-dev/copyright \
  include/velorane/maths/vector.h include/velorane/text/raster_text.h \
  include/velorane/geometry/arrows.h lib/libvelorane_maths.a \
  lib/cmake/Velorane/VeloraneConfig.cmake lib/cmake/Velorane/VeloraneConfigVersion.cmake; do
  [ -f "$prefix/$file" ] || fail "cmake --install did not install $file"
done
[ -x "$prefix/bin/velorane" ] || fail "the installed velorane is not executable"
# Nothing of the tests or the developer tools is installed.
unexpected=$(cd "$prefix" && find . -type f | grep -Ev \
  '^\./(bin/velorane|share/(applications|metainfo|icons|man|doc/velorane(-dev)?)/.*|include/velorane/[a-z]+/[a-z_]+\.h|lib/libvelorane_[a-z]+\.a|lib/cmake/Velorane/Velorane[A-Za-z-]*\.cmake)$' || true)
[ -z "$unexpected" ] || fail "unexpected installed files: $unexpected"

# The consumer finds the package in the scratch prefix only.
"$cmake" -S "$consumer" -B "$scratch/build" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
  ${toolchain:+-DCMAKE_TOOLCHAIN_FILE="$toolchain"} >"$scratch/configure.log" 2>&1 ||
  { cat "$scratch/configure.log"; fail "configuring the consumer"; }
grep -qx "Velorane_DIR:PATH=$prefix/lib/cmake/Velorane" "$scratch/build/CMakeCache.txt" ||
  fail "the consumer did not take the package from the scratch prefix"
"$cmake" --build "$scratch/build" -j 2 >"$scratch/build.log" 2>&1 ||
  { cat "$scratch/build.log"; fail "building the consumer"; }

# The maths alone (Velorane::maths), then the whole toolkit in a window.
angle=$(launched "$scratch/build/angle")
[ "$angle" = "45.000 degrees about (0.000, 0.000, 0.707)" ] || fail "angle printed '$angle'"
run_session "$scratch/example.out" "$scratch/build/toolkit_example" "Toolkit example"
expected="  0.000000 -1.000000  0.000000  0.000000
  1.000000  0.000000  0.000000  0.000000
  0.000000  0.000000  1.000000  0.000000
  0.000000  0.000000  0.000000  1.000000"
[ "$(cat "$scratch/example.out")" = "$expected" ] ||
  fail "the example printed: $(cat "$scratch/example.out")"
echo "consumer built against the installed package and ran"
