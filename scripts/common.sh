# Shared by the scripts: configure and build, a virtual X display when there
# is no usable one, and -h.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELORANE_BUILD_DIR:-$root/build}"

# Configure the directory $1 with the further cmake arguments; warnings are
# errors under CI.
configure_tree() {
  local dir=$1
  shift
  local werror=OFF
  if [ -n "${CI:-}" ]; then werror=ON; fi
  cmake -S "$root" -B "$dir" -DVELORANE_WERROR="$werror" "$@" >/dev/null
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

# Start Xvfb on a free display number and export DISPLAY; it is stopped when
# the calling script exits. -noreset: without it Xvfb resets whenever its last
# client leaves and refuses connections meanwhile. The numbers tried are 90 to
# 140, or those of VELORANE_DISPLAYS ("FIRST LAST") on a machine shared with
# others. Arguments are further options of Xvfb (e.g. -br, a black root).
start_virtual_display() {
  local n range
  read -r -a range <<<"${VELORANE_DISPLAYS:-90 140}"
  for n in $(seq "${range[0]}" "${range[1]}"); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset "$@" >/dev/null 2>&1 &
      xvfb_pid=$!
      trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
      export DISPLAY=":$n"
      for _ in $(seq 1 100); do
        if xdpyinfo >/dev/null 2>&1; then return 0; fi
        sleep 0.05
      done
      echo "Xvfb did not start on :$n within 5 s" >&2
      return 1
    fi
  done
  echo "no free display number for Xvfb" >&2
  return 1
}
