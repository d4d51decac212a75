#!/usr/bin/env bash
# scripts/build-windows.sh on faults, in a build folder of its own: each
# fault (VELORANE_WINDOWS_FAULT) stops the script with a message naming the
# step that failed and leaves no zip or installer in dist/; the runs go on
# from what the earlier ones cached, and the last, without a fault, writes
# both packages.
#
#   build_faults_test.sh VERSION
set -uo pipefail
version=$1
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
script="$here/../../scripts/build-windows.sh"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
failures=0

# One run: the fault, the step its failure must name ("" for none), and a
# log that must say the step took its result from the cache ("" for none).
# In this order, each run starts from what the ones before it left.
cases=(
  "missing-source  freeglut-source  -"
  "failed-download freeglut-source  -"
  "failed-build    freeglut-build   -"
  "failed-installer packaging       freeglut-source"
  "-               -                freeglut-build"
)
for entry in "${cases[@]}"; do
  read -r fault failing cached <<<"$entry"
  [ "$fault" = - ] && fault=""
  echo "--- fault: ${fault:-none}"
  status=0
  output="$(VELORANE_WINDOWS_BUILD_DIR="$out" VELORANE_WINDOWS_FAULT="$fault" bash "$script" 2>&1)" ||
    status=$?
  packages="$(ls "$out/dist" 2>/dev/null | grep '^velorane-.*-win64' | tr '\n' ' ')"
  if [ "$failing" != - ]; then
    if [ "$status" -eq 0 ]; then
      echo "FAIL: the script succeeded despite the fault"
      failures=$((failures + 1))
    fi
    if ! grep -q "step '$failing' failed" <<<"$output"; then
      echo "FAIL: no message naming the step $failing; the output ends:"
      tail -n 5 <<<"$output"
      failures=$((failures + 1))
    fi
    if [ -n "$packages" ]; then
      echo "FAIL: dist/ holds $packages after a failed run"
      failures=$((failures + 1))
    fi
  else
    if [ "$status" -ne 0 ]; then
      echo "FAIL: the run without a fault failed:"
      tail -n 10 <<<"$output"
      failures=$((failures + 1))
    fi
    for f in "velorane-$version-win64.zip" "velorane-$version-win64-setup.exe"; do
      if [ ! -s "$out/dist/$f" ]; then
        echo "FAIL: no $f in dist/ ($packages)"
        failures=$((failures + 1))
      fi
    done
  fi
  if [ "$cached" != - ] && ! grep -q '^cached:' "$out/logs/$cached.log"; then
    echo "FAIL: the step $cached did not go on from the cache"
    failures=$((failures + 1))
  fi
done
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
