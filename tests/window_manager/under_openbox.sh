#!/usr/bin/env bash
# Runs a command (the end-to-end tests) on a virtual display of its own under
# the Openbox window manager, which frames, places and full-screens the
# windows as a desktop does, with VELORANE_WINDOW_MANAGER=openbox telling the
# tests so. A display of its own: a window manager on a display other tests
# share would reparent their windows too.
#
# Openbox runs with its default configuration (/etc/xdg/openbox/rc.xml) but
# one change: windows are moved and resized with Super+drag instead of
# Alt+drag, the change the class guide advises on desktops that take Alt+drag, so
# that Velorane's Alt+drag (moving the picture) reaches the program. With the
# default, Alt+drag moves the window and the picture stays.
#
# Ends with the command's status; 1 when Openbox cannot be started.
# Usage: under_openbox.sh COMMAND [ARGUMENTS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

defaults=/etc/xdg/openbox/rc.xml
command -v openbox >/dev/null && [ -f "$defaults" ] ||
  { echo "openbox is missing (bash scripts/setup.sh installs it)" >&2; exit 1; }

scratch=$(mktemp -d)
start_virtual_display
openbox_pid=""
trap 'if [ -n "$openbox_pid" ]; then kill "$openbox_pid" 2>/dev/null || true; fi
  kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

sed 's/button="A-/button="W-/' "$defaults" >"$scratch/rc.xml"
if grep -q 'button="A-' "$scratch/rc.xml" || ! grep -q 'button="W-Left" action="Drag"' "$scratch/rc.xml"; then
  echo "could not move Openbox's window moves from Alt to Super in $defaults" >&2
  exit 1
fi
openbox --config-file "$scratch/rc.xml" >"$scratch/openbox.log" 2>&1 &
openbox_pid=$!

# Openbox is ready once it names itself on the root window.
for _ in $(seq 1 100); do
  wm=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
  if [ -n "$wm" ] && xprop -id "$wm" _NET_WM_NAME 2>/dev/null | grep -q '"Openbox"'; then
    break
  fi
  if ! kill -0 "$openbox_pid" 2>/dev/null; then
    cat "$scratch/openbox.log" >&2
    echo "Openbox ended on $DISPLAY before it was ready" >&2
    exit 1
  fi
  sleep 0.05
  wm=""
done
[ -n "$wm" ] || { echo "Openbox was not ready on $DISPLAY within 5 s" >&2; exit 1; }

echo "Openbox runs on $DISPLAY"
status=0
VELORANE_WINDOW_MANAGER=openbox "$@" || status=$?
exit "$status"
