#!/usr/bin/env bash
# Build and start Velorane. On a machine without a usable display it runs the
# program on a virtual one instead, saves pictures of both windows, ends it
# with Esc and reports its exit status.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$root/scripts/setup.sh"
build_project

if display_usable; then
  exec "$build/app/velorane" "$@"
fi

echo "No display can be opened: running Velorane on a virtual display."
start_virtual_display
"$build/app/velorane" "$@" &
pid=$!

# Both windows, and time for their first frames.
diagram=$(xdotool search --sync --name '^Velorane$' | head -n 1)
values=$(xdotool search --sync --name '^Valeurs$' | head -n 1)
sleep 1

captures="$build/captures"
mkdir -p "$captures"
"$build/tools/capture_window" "$diagram" "$captures/velorane.png"
"$build/tools/capture_window" "$values" "$captures/valeurs.png"
echo "Diagram window: $captures/velorane.png"
echo "Values window:  $captures/valeurs.png"

xdotool windowfocus --sync "$diagram"
xdotool key Escape
status=0
wait "$pid" || status=$?
echo "Velorane ended with exit status $status."
exit "$status"
