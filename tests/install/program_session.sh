# Shared by the install tests: start an installed program on the display,
# wait for its windows, end it with Esc and check that it exits with 0.

# fail MESSAGE: report a failed check and stop the test.
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The id of the window titled exactly TITLE, waiting up to 20 s; empty when
# none appears.
find_window() {
  local title="$1" id="" _
  for _ in $(seq 1 200); do
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
}

# launched PROGRAM [ARGUMENTS...]: run a program of the build, under the
# words of VELORANE_LAUNCHER first when it names some (a cross build's
# emulator, e.g. "qemu-aarch64 -L /", which wants the program's path).
launched() {
  local launcher=() program
  read -r -a launcher <<<"${VELORANE_LAUNCHER:-}"
  program=$(command -v "$1") || program=$1
  shift
  "${launcher[@]}" "$program" "$@"
}

# run_session OUTPUT PROGRAM TITLE...: start PROGRAM with its standard
# output in the file OUTPUT, wait for a window of each TITLE, press Esc in the
# first and check that the program ends by itself with status 0.
run_session() {
  local output="$1" program="$2" status=0 first="" id title _
  shift 2
  [ -n "${DISPLAY:-}" ] || fail "no DISPLAY to run $program on"
  launched "$program" >"$output" &
  local pid=$!
  for title in "$@"; do
    id=$(find_window "$title")
    if [ -z "$id" ]; then
      kill "$pid" 2>/dev/null || true
      fail "$program opened no window titled '$title'"
    fi
    [ -n "$first" ] || first="$id"
  done
  # Time for the first frames before the key.
  sleep 0.5
  xdotool windowfocus --sync "$first"
  xdotool key Escape
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    fail "$program did not end on Esc"
  fi
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "$program ended with status $status after Esc"
  echo "$program: windows found, ended with status 0 on Esc"
}
