#!/usr/bin/env bash
# Shows that the end-to-end tests cannot pass without their input: runs them
# with a stand-in xdotool first on PATH that lets every query and a lone Esc
# through but, for any other key or button event,
#   drop: does nothing and reports success;
#   fail: does nothing and exits with status 1.
# Every test that sends such events must then fail (in the second case with a
# message naming the command); the tests that send none must still pass.
# Usage: input_must_arrive.sh [EMULATOR...] END_TO_END_TEST_PROGRAM
# (a cross build's test program runs under its emulator, e.g. qemu-aarch64 -L /)
set -euo pipefail
if [ $# -lt 1 ] || [ "$1" = -h ]; then
  sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
program=("$@")
real=$(command -v xdotool) || { echo "no xdotool on PATH" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The tests whose bodies send no key or button event.
quiet=" Program.OpensBothWindowsWithTheirTitlesSizesAndPositions
  ValuesWindow.ShowsTheStartingValuesPixelForPixel
  ValuesWindow.StaysAnchoredToTheTopLeftWhenResized
  DiagramWindow.StartPictureShowsEveryPartOfTheDiagram "

status=0
for mode in drop fail; do
  mkdir -p "$work/$mode"
  cat >"$work/$mode/xdotool" <<EOF
#!/usr/bin/env bash
if [[ "\$*" =~ ^windowfocus\ --sync\ [0-9]+\ key\ Escape$ ]]; then exec "$real" "\$@"; fi
for word in "\$@"; do
  case "\$word" in
    key | keydown | keyup | mousedown | mouseup | click)
      if [ $mode = fail ]; then echo "stand-in refuses: \$*" >&2; exit 1; fi
      exit 0 ;;
  esac
done
exec "$real" "\$@"
EOF
  chmod +x "$work/$mode/xdotool"
  # Every test here is meant to fail: a short bound on its waits keeps it quick.
  PATH="$work/$mode:$PATH" VELORANE_WAIT_MS=1000 "${program[@]}" >"$work/$mode.log" 2>&1 || true
  while read -r name; do
    if grep -q "^\[       OK \] $name " "$work/$mode.log"; then result=passed; else result=failed; fi
    case "$quiet" in
      *" $name"[[:space:]]*) expected=passed ;;
      *) expected=failed ;;
    esac
    if [ "$result" != "$expected" ]; then
      echo "$mode: $name $result, expected $expected"
      status=1
    fi
  done < <("${program[@]}" --gtest_list_tests | awk '/^[^ ]/ { suite = $1 } /^  / { print suite $1 }')
  if [ $mode = fail ] && ! grep -q "xdotool .* failed with status 1: stand-in refuses" "$work/$mode.log"; then
    echo "fail: no failure names the refused xdotool command"
    status=1
  fi
done
if [ $status -ne 0 ]; then
  echo "--- output of the last run:"
  cat "$work/fail.log"
fi
exit $status
