#!/usr/bin/env bash
# The toolkit's package both ways, as another project uses it: installs the
# browser build (emcmake) and this native build each into a prefix of its
# own, checks what the browser's package holds, then builds the consumer
# project of tests/install/consumer against each package, natively into
# OUT/native and with emcmake into OUT/web (its pages in OUT/web/dist), for
# toolkit.test.mjs to compare.
#
#   toolkit_package.sh WEB_BUILD NATIVE_BUILD CONSUMER OUT
set -euo pipefail
web_build="$1" native_build="$2" consumer="$3" out="$4"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
rm -rf "$out"
mkdir -p "$out"
# Emscripten's optimiser runs on the machine's Node.js (as in build-web.sh).
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

cmake --install "$web_build" --prefix "$out/web-prefix" >"$out/install.log" ||
  { cat "$out/install.log"; fail "cmake --install of the browser build"; }
# The toolkit, the layer's headers, library and page files, and the page.
for file in include/velorane/web/GL/gl.h include/velorane/web/GL/glut.h \
  include/velorane/text/stroke_text.h lib/libvelorane_web.a lib/libvelorane_text.a \
  lib/cmake/Velorane/VeloraneConfig.cmake share/velorane/web/VeloranePage.cmake \
  share/velorane/web/shell.html share/velorane/web/canvas.js share/velorane/web/page.js \
  share/velorane/velorane.html; do
  [ -f "$out/web-prefix/$file" ] || fail "the browser's package has no $file"
done
unexpected=$(cd "$out/web-prefix" && find . -type f | grep -Ev \
  '^\./(include/velorane/([a-z]+/[a-z_]+\.h|web/GL/[a-z]+\.h)|lib/libvelorane_[a-z]+\.a|lib/cmake/Velorane/Velorane[A-Za-z-]*\.cmake|share/velorane/(velorane\.html|web/(shell\.html|[a-z_]+\.js|VeloranePage\.cmake)))$' || true)
[ -z "$unexpected" ] || fail "unexpected files in the browser's package: $unexpected"

cmake --install "$native_build" --prefix "$out/native-prefix" >"$out/install.log" ||
  { cat "$out/install.log"; fail "cmake --install of the native build"; }

# The same consumer sources both ways; each finds its package in its prefix
# only (Emscripten's toolchain searches packages under CMAKE_FIND_ROOT_PATH).
build_consumer() {
  local name=$1
  shift
  "$@" -S "$consumer" -B "$out/$name" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF \
    >"$out/$name.log" 2>&1 &&
    cmake --build "$out/$name" -j 2 --target toolkit_table toolkit_example \
      >>"$out/$name.log" 2>&1 ||
    { cat "$out/$name.log"; fail "building the consumer ($name)"; }
}
build_consumer native cmake -DCMAKE_PREFIX_PATH="$out/native-prefix"
build_consumer web emcmake cmake -DCMAKE_FIND_ROOT_PATH="$out/web-prefix"
grep -qx "Velorane_DIR:PATH=$out/web-prefix/lib/cmake/Velorane" "$out/web/CMakeCache.txt" ||
  fail "the browser's consumer did not take the package from its prefix"
for page in toolkit_table toolkit_example; do
  [ -s "$out/web/dist/$page.html" ] || fail "no page $page.html"
done
echo "the consumer built against both packages"
