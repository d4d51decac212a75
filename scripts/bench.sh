#!/usr/bin/env bash
# Build the benchmarks (Release) and run them all on a virtual display of
# their own, with Mesa's software renderer: the frame timings (Google
# Benchmark), the measured constraints of a frame, and the start-up time and
# peak memory of the program against the floor, a minimal two-window GLUT
# program. Prints the machine and one table of the figures and the ratios to
# the floor. On a shared machine the timings are noisy: every time is a median
# of repetitions (VELORANE_STARTUP_RUNS start-ups, 9 by default).
#
#   bash scripts/bench.sh [-h]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"
build="${VELORANE_BENCH_BUILD_DIR:-$root/build-bench}"
runs="${VELORANE_STARTUP_RUNS:-9}"

bash "$root/scripts/setup.sh"
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

echo
echo "Machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //');" \
  "renderer $(grep -m1 '^# renderer' "$out/bench.txt" | sed 's/# renderer: //');" \
  "virtual display Xvfb 1280x1024x24. Command: bash scripts/bench.sh"
echo
echo "| measure | Velorane | floor | ratio to the floor, or verdict |"
echo "|---|---|---|---|"
grep -ah '^|' "$out/bench.txt" "$out/checks.txt" "$out/startup.txt"
exit "$checks"
