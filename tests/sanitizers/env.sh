# Run-time settings of the sanitizer build (VELORANE_SANITIZE=ON). Source this
# file before running its tests by hand:
#   source tests/sanitizers/env.sh && cd build-sanitize && ctest
# scripts/test.sh does this for the sanitizer run of the test command.

sanitizers_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# AddressSanitizer: leaks are checked at exit (LeakSanitizer), and a few
# checks that are off by default are on.
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
# LeakSanitizer: only the GL driver's own leaks are suppressed (see the file).
export LSAN_OPTIONS="suppressions=$sanitizers_dir/lsan.supp:print_suppressions=0"
# UndefinedBehaviorSanitizer: the build makes every report fatal; the stack
# says where. Only project code is instrumented, so nothing is suppressed.
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Mesa unloads its driver when freeglut closes the display at exit, before
# LeakSanitizer looks for leaks; the driver's blocks would then be reported
# from an unknown module that no suppression can name. Loading the driver
# with the program keeps it mapped to the end, so its frames carry its name.
# The driver is the machine's own: a machine that also holds another
# architecture's Mesa (for a cross build) has a second swrast_dri.so, which
# the loader would refuse.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -dumpmachine)
driver="/usr/lib/$multiarch/dri/swrast_dri.so"
if [ -e "$driver" ]; then
  export LD_PRELOAD="$driver${LD_PRELOAD:+:$LD_PRELOAD}"
fi
unset driver multiarch sanitizers_dir
