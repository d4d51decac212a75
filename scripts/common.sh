# Shared by the scripts: configure and build, a virtual X display when there
# is no usable one, and -h.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELORANE_BUILD_DIR:-$root/build}"

# Configure the directory $1 with the further cmake arguments; warnings are
# errors under CI, and the API reference is built there (doxygen's warnings
# errors too).
configure_tree() {
  local dir=$1
  shift
  local ci=()
  if [ -n "${CI:-}" ]; then ci=(-DVELORANE_WERROR=ON -DVELORANE_DOCS=ON); fi
  cmake -S "$root" -B "$dir" -DVELORANE_WERROR=OFF "${ci[@]}" "$@" >/dev/null
}

# Configure and build everything into the directory $1 with the further cmake
# arguments.
build_tree() {
  configure_tree "$@"
  cmake --build "$1" -j "$(nproc)"
}

# Configure and build into $build.
build_project() {
  build_tree "$build" "$@"
}

# Configure $build and build only the targets named (and what they need).
build_targets() {
  configure_tree "$build"
  cmake --build "$build" -j "$(nproc)" --target "$@"
}

# With -h or --help as the first of the arguments after $1, print the opening
# comment of the script $1 (what it does and how to call it) and exit.
answer_help() {
  local script=$1
  shift
  case "${1:-}" in
    -h | --help)
      sed -n '2,/^[^#]/{/^#/s/^# \{0,1\}//p}' "$script"
      exit 0
      ;;
  esac
}

# Whether $DISPLAY names a display that can be opened.
display_usable() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

# Whether process $1 holds the listening abstract socket of display :$2. X
# clients try that socket before /tmp/.X11-unix/X$2, and its name is shared by
# everything in the machine's network namespace, even by a sandbox with a /tmp
# of its own where another Xvfb may hold the same number.
owns_display_socket() {
  local inode
  inode=$(awk -v path="@/tmp/.X11-unix/X$2" '$8 == path && $4 == "00010000" { print $7 }' \
    /proc/net/unix)
  [ -n "$inode" ] && ls -l "/proc/$1/fd" 2>/dev/null | grep -q "socket:\[$inode\]"
}

# Start Xvfb on a free display number and export DISPLAY; it is stopped when
# the calling script exits (xvfb_pid is its process, xvfb_pids every one this
# script started). The number is ours alone: Xvfb takes its lock, -nopn makes
# it give up unless it also holds both of the number's sockets (a server
# elsewhere may hold the abstract one, which our clients would reach first),
# and the display counts as started only once this very server holds that
# socket and answers. -noreset: without it Xvfb resets whenever its last
# client leaves and refuses connections meanwhile. The numbers tried are 90 to
# 140, or those of VELORANE_DISPLAYS ("FIRST LAST"). Arguments are further
# options of Xvfb (e.g. -br, a black root).
start_virtual_display() {
  local n range pid
  read -r -a range <<<"${VELORANE_DISPLAYS:-90 140}"
  for n in $(seq "${range[0]}" "${range[1]}"); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] ||
      grep -q " @/tmp/.X11-unix/X$n\$" /proc/net/unix; then
      continue
    fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -nopn -noreset "$@" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 200); do
      if ! kill -0 "$pid" 2>/dev/null; then break; fi # another server took the number
      if owns_display_socket "$pid" "$n" && DISPLAY=":$n" timeout 10 xdpyinfo >/dev/null 2>&1; then
        xvfb_pid=$pid
        xvfb_pids+=("$pid")
        trap 'kill "${xvfb_pids[@]}" 2>/dev/null || true' EXIT
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.05
    done
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      echo "Xvfb did not start on :$n within 10 s" >&2
      return 1
    fi
  done
  echo "no free display number for Xvfb" >&2
  return 1
}

# Start $1 virtual displays of the suite's own (start_virtual_display) and
# describe them to CTest in the resource file $2, as resources of the type
# "display" with one slot each: every test that opens windows asks for one
# (RESOURCE_GROUPS display:1) and gets it to itself while it runs
# (tests/support/on_test_display.sh), so no test sees another's windows,
# focus or pointer, and none depends on a display it did not start. Give CTest
# the file with --resource-spec-file.
start_test_displays() {
  local count=$1 file=$2 displays=() _
  for _ in $(seq "$count"); do
    start_virtual_display
    displays+=("{\"id\": \"${DISPLAY#:}\", \"slots\": 1}")
  done
  (
    IFS=,
    echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"display\": [${displays[*]}]}]}"
  ) >"$file"
}
