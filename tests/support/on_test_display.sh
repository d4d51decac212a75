#!/usr/bin/env bash
# Runs a test command on an X display of its own, so that no other test's or
# program's window covers its windows (GLUT draws visible windows only) or
# takes its focus and pointer:
#   - on the display CTest gave the test: scripts/test.sh starts one virtual
#     display per parallel job and describes them to CTest as resources of
#     the type "display", and every test that opens windows asks for one
#     (RESOURCE_GROUPS display:1), so no two such tests share a display;
#   - given none (ctest run by hand, with a DISPLAY or without), on a virtual
#     display started here for the command alone (scripts/common.sh's
#     start_virtual_display) and stopped when the command ends or this script
#     is stopped.
# With VELORANE_KEEP_DISPLAY=1 and no display from CTest, the command runs on
# $DISPLAY as it is: the Wine tests, which keep to the one display that
# everything Wine starts in their run is on (the prefix's set-up and the
# installer's test too). So does GoogleTest's listing of a program's cases,
# which opens no window. The command may itself be a launcher (an emulator) in
# front of the test program. Ends with the command's status.
#
#   on_test_display.sh COMMAND [ARGUMENTS...]
allocation=${CTEST_RESOURCE_GROUP_0_DISPLAY:-}
if [ -n "$allocation" ]; then
  id=${allocation#id:}
  export DISPLAY=":${id%%,*}"
  exec "$@"
fi
if [ "${VELORANE_KEEP_DISPLAY:-}" = 1 ]; then exec "$@"; fi
# GoogleTest's listing of the cases (CTest's discovery of them, bounded to a
# few seconds) opens no window: it needs no display.
for argument in "$@"; do
  if [ "$argument" = --gtest_list_tests ]; then exec "$@"; fi
done

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"
start_virtual_display || exit 1
# The command runs as a child, so that a signal stopping this script stops
# the command too, and the display with them (start_virtual_display's exit
# trap).
child=""
for signal in TERM INT HUP; do
  trap 'if [ -n "$child" ]; then kill -TERM "$child" 2>/dev/null; fi; exit 143' "$signal"
done
"$@" &
child=$!
wait "$child"
