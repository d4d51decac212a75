#!/usr/bin/env bash
# Build the benchmarks (Release) and run them all on a virtual display of
# their own, with Mesa's software renderer: the frame timings (Google
# Benchmark), the measured constraints of a frame, and the start-up time and
# peak memory of the program against the floor, a minimal two-window GLUT
# program; then the browser page (built by scripts/build-web.sh) in Debian's
# headless Chromium: its start against a floor page of two canvases drawing a
# triangle each, a frame of each canvas against the native frame measured
# just before, and a light key's frame with the page's main thread throttled
# 6x (a Chromebook-class processor) against the floor page's key frame, mean
# and 90th percentile (bench/page_bench.mjs; VELORANE_KEY_RUNS openings of
# each, 6 by default). Prints the machine and one table of the
# figures and the ratios to the floor, the page's included. On a shared
# machine the timings are noisy: every time is a median of repetitions
# (VELORANE_STARTUP_RUNS start-ups, 9 by default; VELORANE_PAGE_RUNS openings
# of the page and of its floor, 15 by default).
#
#   bash scripts/bench.sh [-h]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"
build="${VELORANE_BENCH_BUILD_DIR:-$root/build-bench}"
runs="${VELORANE_STARTUP_RUNS:-9}"

bash "$root/scripts/setup.sh"
bash "$root/scripts/setup.sh" chromium
web_build="${VELORANE_WEB_BUILD_DIR:-$root/build-web}"
VELORANE_WEB_BUILD_DIR="$web_build" bash "$root/scripts/build-web.sh" >/dev/null
# puppeteer-core brings no browser of its own: the benchmark drives Debian's.
if [ ! -d "$root/tests/web/node_modules/puppeteer-core" ]; then
  (cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELORANE_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j 2 --target velorane floor_program startup_probe velorane_bench \
  velorane_frame_checks >/dev/null

# A display of our own whose root is black (-br): a window then shows only
# black until its first frame is swapped onto it, which the start-up probe
# relies on.
start_virtual_display -br
out="$(mktemp -d)"
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$out"' EXIT

echo "== frame timings (Google Benchmark)"
"$build/bench/velorane_bench" | tee "$out/bench.txt" | grep -av '^|'
echo "== measured constraints"
checks=0
"$build/bench/velorane_frame_checks" >"$out/checks.txt" || checks=$?
grep '^#' "$out/checks.txt" || true
echo "== start-up and peak memory, $runs runs each"
"$build/bench/startup_probe" "$runs" velorane="$build/app/velorane" \
  floor="$build/bench/floor_program" \
  "floor drawing a triangle=$build/bench/floor_program triangle" | tee "$out/startup.txt" |
  grep -av '^|'
echo "== the page in headless Chromium, against its floor page and the native frames"
# The native frames of the table above, in microseconds.
native_frame() { grep -a "^| $1" "$out/bench.txt" | awk -F'|' '{print $3+0}'; }
node "$root/bench/page_bench.mjs" "$web_build/dist/velorane.html" \
  "$(native_frame 'displayDiagram, 310 x 250')" "$(native_frame 'displayValues')" |
  tee "$out/page.txt" | grep -av '^|'

echo
echo "Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //');" \
  "renderer $(grep -m1 '^# renderer' "$out/bench.txt" | sed 's/# renderer: //');" \
  "virtual display Xvfb 1280x1024x24; $("${VELORANE_CHROMIUM:-/usr/bin/chromium}" --version 2>/dev/null)," \
  "headless, SwiftShader. Command: bash scripts/bench.sh"
echo
echo "| measure | Velorane | floor | ratio to the floor, or verdict |"
echo "|---|---|---|---|"
grep -ah '^|' "$out/bench.txt" "$out/checks.txt" "$out/startup.txt" "$out/page.txt"
exit "$checks"
