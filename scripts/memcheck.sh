#!/usr/bin/env bash
# valgrind memcheck of a scripted session of the real program: keys in both
# windows, special keys under modifiers, modified left drags, resizes of both
# windows down to 1 x 1, full screen and back, then Esc. Prints valgrind's
# leak summary and fails when
#   - the program does not end with status 0, or
#   - a block is definitely or indirectly lost, or a memory error is reported,
#     with a stack through project code (code of the program under test or a
#     source file of this repository).
# The driver's, X's and freeglut's own leaks are suppressed by
# tests/memcheck/valgrind.supp (each entry explained there); what remains
# from the libraries alone is listed but is not the project's fault.
#
#   bash scripts/memcheck.sh [-h] [path/to/velorane]
#
# Without an argument it builds the project first and checks build/app/velorane.
# On a machine without a usable display it uses a virtual one.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"

if [ $# -ge 1 ]; then
  program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
else
  bash "$root/scripts/setup.sh"
  build_project
  program="$build/app/velorane"
fi
if ! command -v valgrind >/dev/null; then
  echo "memcheck: valgrind is not installed (scripts/setup.sh installs it)" >&2
  exit 2
fi
if ! display_usable; then
  start_virtual_display
fi

work="$(mktemp -d)"
log="$work/memcheck.log"
cleanup() {
  if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
  if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# --keep-debuginfo: the driver is unloaded when freeglut closes the display at
# exit, before the leak check; its frames keep their object's name this way.
valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
  --errors-for-leak-kinds=definite,indirect --keep-debuginfo=yes --num-callers=60 \
  --fullpath-after= --suppressions="$root/tests/memcheck/valgrind.supp" \
  --log-file="$log" "$program" &
pid=$!

# CPU time (clock ticks) the program has used so far.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo gone
}

# Wait until the program has handled what it was sent: its CPU time stays put
# for half a second (at most 120 s).
wait_idle() {
  local last now quiet=0
  last=$(cpu_ticks)
  for _ in $(seq 1 1200); do
    sleep 0.1
    now=$(cpu_ticks)
    if [ "$now" = gone ]; then return 0; fi
    if [ "$now" = "$last" ]; then
      quiet=$((quiet + 1))
      if [ "$quiet" -ge 5 ]; then return 0; fi
    else
      quiet=0
    fi
    last=$now
  done
  echo "memcheck: the program stays busy" >&2
}

# The newest window with exactly this title (waits up to 120 s).
find_window() {
  local id
  for _ in $(seq 1 1200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    if ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  echo "memcheck: no window \"$1\"" >&2
  return 1
}

keys_in() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" key --delay 20 "$@"
}

# A left drag in `window` from (x0, y0) by (dx, dy) in four moves, with the
# modifiers (xdotool names, e.g. shift ctrl) held.
drag_in() {
  local window=$1 x0=$2 y0=$3 dx=$4 dy=$5
  shift 5
  xdotool windowfocus --sync "$window" mousemove --window "$window" "$x0" "$y0"
  local m
  for m in "$@"; do xdotool keydown "$m"; done
  xdotool mousedown 1
  local i
  for i in 1 2 3 4; do
    xdotool mousemove --window "$window" $((x0 + dx * i / 4)) $((y0 + dy * i / 4))
    sleep 0.02
  done
  xdotool mouseup 1
  for m in "$@"; do xdotool keyup "$m"; done
}

diagram=$(find_window Velorane)
values=$(find_window Valeurs)
wait_idle

# Keys of the model in both windows, and the view keys of the diagram window.
keys_in "$diagram" 1 2 3 4 5 6 4 4 5 x y z X Y Z a space Return
keys_in "$values" 1 2 3 4 5 6 6 6 2 x q Return
wait_idle
# Special keys alone and under every modifier combination, in both windows.
for window in "$diagram" "$values"; do
  for modifier in "" shift+ ctrl+ alt+ shift+ctrl+ ctrl+alt+ shift+alt+ shift+ctrl+alt+; do
    keys_in "$window" "${modifier}Left" "${modifier}Right" "${modifier}Up" "${modifier}Down" \
      "${modifier}Prior" "${modifier}Next" "${modifier}Home" "${modifier}F1"
  done
done
# The timed spin on and off again.
keys_in "$diagram" shift+Return shift+Return
wait_idle

# Modified left drags: turn, turn about the view axis, zoom, pan, and none.
drag_in "$diagram" 150 120 40 -30 shift
drag_in "$diagram" 150 120 -60 50 shift ctrl
drag_in "$diagram" 150 120 0 80 ctrl
drag_in "$diagram" 150 120 0 -120 ctrl
drag_in "$diagram" 150 120 -70 40 alt
drag_in "$diagram" 150 120 30 30
wait_idle

# Resizes of both windows, down to 1 x 1 and back.
for size in "1 1" "200 40" "640 480" "310 250"; do
  xdotool windowsize "$diagram" $size
  wait_idle
done
for size in "1 1" "100 300" "800 120" "360 110"; do
  xdotool windowsize "$values" $size
  wait_idle
done

# Full screen and back.
keys_in "$diagram" numbersign
wait_idle
keys_in "$diagram" numbersign
wait_idle

# Esc ends the program; valgrind then checks for leaks (up to 180 s).
keys_in "$diagram" Escape
status=0
for _ in $(seq 1 1800); do
  if ! kill -0 "$pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "memcheck: the program did not end after Esc" >&2
  exit 1
fi
wait "$pid" || status=$?
pid=""

# The leak summary, then every error and loss record with a stack through
# project code. A record is the lines of one report up to the next empty one.
sed -n '/LEAK SUMMARY/,/suppressed:/p' "$log"
grep 'ERROR SUMMARY' "$log" || true
project_records=$(awk -v root="$root/" -v program="$program" '
  /^==[0-9]+== *$/ {
    if (record != "" && (kind == "leak" || kind == "error") && project) print record
    record = ""; kind = ""; project = 0; next
  }
  {
    if (record == "") {
      if ($0 ~ /are (definitely|indirectly) lost in loss record/) kind = "leak"
      else if ($0 ~ /Invalid (read|write|free)|uninitialised|Conditional jump|Mismatched free|Syscall param|overlap|fishy|Argument .* of function/) kind = "error"
    }
    record = record $0 "\n"
    if (index($0, "(" root) > 0 || index($0, "(in " program ")") > 0) project = 1
  }
  END { if (record != "" && (kind == "leak" || kind == "error") && project) print record }
' "$log")
others=$(grep -cE 'are (definitely|indirectly) lost in loss record' "$log" || true)

failed=0
if [ -n "$project_records" ]; then
  echo "memcheck: reports with a stack through project code:"
  echo "$project_records"
  failed=1
elif [ "$others" -gt 0 ]; then
  echo "memcheck: $others loss record(s) from the libraries alone (not the project's):"
  grep -A12 -E 'are (definitely|indirectly) lost in loss record' "$log" | head -n 80
fi
if [ "$status" -ne 0 ]; then
  echo "memcheck: the program ended with status $status instead of 0"
  failed=1
fi
if [ "$failed" -ne 0 ]; then
  echo "memcheck: FAILED (valgrind's log: see above)"
  exit 1
fi
echo "memcheck: no block of the project lost; exit status $status"
