#!/usr/bin/env bash
# The long soak of Velorane, by hand: bash scripts/soak.sh [events] [seed] [seconds]
# Builds the program and the soak driver, starts the program (on a virtual display of
# its own when there is no usable one) and sends it every byte as a key in both windows
# and then `events` random events (20000 unless given) from `seed` (printed, so that a
# failure can be replayed), for at most `seconds` (3600 unless given). Prints the events
# sent, the resident memory at start, after the warm-up and at the end, and the exit
# status after Esc; exits 0 when all went well. It moves the pointer and the focus.
#
#   bash scripts/soak.sh [-h] [events] [seed] [seconds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"

bash "$root/scripts/setup.sh"
werror=OFF
if [ -n "${CI:-}" ]; then werror=ON; fi
cmake -S "$root" -B "$build" -DVELORANE_WERROR="$werror" >/dev/null
cmake --build "$build" -j "$(nproc)" --target velorane velorane_soak

if ! display_usable; then
  start_virtual_display
fi

"$build/tests/soak/velorane_soak" "${1:-20000}" "${2:-$(date +%s)}" "${3:-3600}"
