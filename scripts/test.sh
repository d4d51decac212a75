#!/usr/bin/env bash
# Check the formatting of every C and C++ file (the repository's
# .clang-format), then build Velorane and run its whole test suite through
# CTest twice, on virtual displays of its own (one per parallel job):
#   1. the plain way: the default compiler (gcc), in build/, with the API
#      reference (build/docs/html);
#   2. the sanitizer way: clang with AddressSanitizer and
#      UndefinedBehaviorSanitizer, the libFuzzer targets included, in
#      build-sanitize/, with the run-time settings of tests/sanitizers/env.sh.
# Arguments go to both CTest runs (e.g. -R Vector). Fails when either run
# fails; the output ends with CTest's summary, of the failing run if only one
# failed. With VELORANE_WINDOWS=1, the Windows build and its tests under Wine
# (scripts/test-windows.sh) follow, and count too.
#
#   bash scripts/test.sh [-h] [CTEST OPTIONS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"
sanitize_build="${VELORANE_SANITIZE_BUILD_DIR:-$root/build-sanitize}"

bash "$root/scripts/setup.sh"

# A file that clang-format would change fails the run before anything is built.
echo "=== formatting ==="
(cd "$root" && git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror)
echo "every C and C++ file is formatted"
# The plain build includes the API reference when doxygen is there (always
# under CI); the sanitizer build would only repeat it.
build_project
build_tree "$sanitize_build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVELORANE_SANITIZE=ON -DVELORANE_FUZZ=ON -DVELORANE_DOCS=OFF

logs="$(mktemp -d)"
# One virtual display of the suite's own per parallel job, described to CTest
# as resources (start_test_displays).
jobs=$(nproc)
start_test_displays "$jobs" "$logs/displays.json"
trap 'rm -rf "$logs"; kill "${xvfb_pids[@]}" 2>/dev/null || true' EXIT

# Run CTest in the build directory $1 with a title $2, keeping its output in
# $logs/$2.log as well; its status.
run_suite() {
  local dir=$1 title=$2
  shift 2
  echo "=== $title ==="
  local status=0
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --resource-spec-file "$logs/displays.json" \
    "$@") 2>&1 | tee "$logs/$title.log" ||
    status=$?
  return "$status"
}

plain=0
run_suite "$build" plain "$@" || plain=$?
sanitize=0
(
  source "$root/tests/sanitizers/env.sh"
  run_suite "$sanitize_build" sanitize "$@"
) || sanitize=$?

# The last lines shown are CTest's summary: repeat the plain run's when only
# it failed, since the sanitizer run's summary came last.
if [ "$plain" -ne 0 ] && [ "$sanitize" -eq 0 ]; then
  echo "=== plain (summary repeated: this run failed) ==="
  sed -n '/tests passed, /,$p' "$logs/plain.log"
fi
windows=0
if [ "${VELORANE_WINDOWS:-}" = 1 ]; then
  echo "=== windows ==="
  bash "$root/scripts/test-windows.sh" || windows=$?
fi
if [ "$plain" -ne 0 ] || [ "$sanitize" -ne 0 ] || [ "$windows" -ne 0 ]; then
  exit 1
fi
