#!/usr/bin/env bash
# Runs a test command on the X display that CTest gave the test: the test
# command (scripts/test.sh) starts one virtual display per parallel job and
# describes them to CTest as resources of the type "display", and every test
# that opens windows asks for one (RESOURCE_GROUPS display:1), so no two such
# tests ever share a display. Without a display from CTest (ctest run by
# hand), the command runs on $DISPLAY as it is.
#
#   on_test_display.sh COMMAND [ARGUMENTS...]
allocation=${CTEST_RESOURCE_GROUP_0_DISPLAY:-}
if [ -n "$allocation" ]; then
  id=${allocation#id:}
  export DISPLAY=":${id%%,*}"
fi
exec "$@"
