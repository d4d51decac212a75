#!/usr/bin/env bash
# Build Velorane's page for the browser: installs what is missing (Emscripten,
# the JavaScript parser its optimiser needs and terser, which makes the
# page's scripts smaller, from Debian), configures with
# Emscripten's CMake toolchain into build-web/ (which fetches freeglut's
# source for GLUT's fonts, scripts/freeglut-source.sh, and installs the
# page's npm packages of web/package-lock.json with npm ci) and writes
# build-web/dist/velorane.html, one self-contained file (the WebAssembly
# inside) that opens from disk or from any static web host.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELORANE_WEB_BUILD_DIR:-$root/build-web}"
# The page may not grow past this size, in bytes (256 KiB), its words in
# every language included.
max_size=262144

bash "$root/scripts/setup.sh" emscripten node-acorn terser cmake make dpkg-dev

# Emscripten's optimiser and terser run on the machine's Node.js, which may not
# look in Debian's folder of JavaScript modules by itself.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

werror=OFF
if [ -n "${CI:-}" ]; then werror=ON; fi
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELORANE_TESTS=OFF \
  -DVELORANE_WERROR="$werror" >/dev/null
cmake --build "$build" -j 2

page="$build/dist/velorane.html"
size=$(stat -c %s "$page")
if [ "$size" -gt "$max_size" ]; then
  echo "build-web: $page is $size bytes, more than $max_size" >&2
  exit 1
fi
echo "$page ($size bytes)"
