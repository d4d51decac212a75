#!/usr/bin/env bash
# Build and start Velorane. On a machine without a usable display it runs the
# program on a virtual one instead, saves pictures of both windows, ends it
# with Esc and reports its exit status. Only the program is built (and the
# capture tool where there is no display), not the tests: the first start is
# quick, and the test command builds the rest.
set -euo pipefail

usage() {
  cat <<'EOF'
Usage: bash scripts/run.sh [-h] [GLUT OPTIONS...]

Installs the Debian packages Velorane needs when any is missing, builds the
program and starts it; the arguments go to the program (GLUT takes options
such as -display NAME and -geometry WxH+X+Y).

Without a usable display, runs Velorane on a virtual display (Xvfb), saves
pictures of both windows in the build directory's captures/ folder, prints
their paths, ends the program with Esc and ends with its exit status.

Environment: VELORANE_BUILD_DIR, the build directory (default: build/);
VELORANE_DISPLAYS="FIRST LAST", the virtual display numbers to try.

  -h, --help   show this help and do nothing else
EOF
}
case "${1:-}" in
  -h | --help)
    usage
    exit 0
    ;;
esac

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$root/scripts/setup.sh"

if display_usable; then
  build_targets velorane
  exec "$build/app/velorane" "$@"
fi

build_targets velorane capture_window
echo "No display can be opened: running Velorane on a virtual display."
start_virtual_display
"$build/app/velorane" "$@" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT

# Set $window to the id of the program's window titled exactly $1 once it is
# shown, waiting up to 20 s; the display is the program's own, so the title
# names it. Stops the script, naming the window, when the program ends first
# or the time is up.
shown_window() {
  local title=$1 _ status=0
  for _ in $(seq 1 200); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$window" ]; then return 0; fi
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" || status=$?
      echo "Velorane ended with exit status $status before its window '$title' appeared." >&2
      exit 1
    fi
    sleep 0.1
  done
  echo "Velorane's window '$title' did not appear within 20 s." >&2
  exit 1
}
shown_window Velorane
diagram=$window
shown_window Valeurs
values=$window
# Both windows are shown; time for their first frames.
sleep 0.5

captures="$build/captures"
mkdir -p "$captures"
"$build/tools/capture_window" "$diagram" "$captures/velorane.png"
"$build/tools/capture_window" "$values" "$captures/valeurs.png"
echo "Diagram window: $captures/velorane.png"
echo "Values window:  $captures/valeurs.png"

xdotool windowfocus --sync "$diagram"
xdotool key Escape
status=0
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Velorane did not end within 10 s of Esc." >&2
  exit 1
fi
wait "$pid" || status=$?
echo "Velorane ended with exit status $status."
exit "$status"
