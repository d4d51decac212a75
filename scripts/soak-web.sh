#!/usr/bin/env bash
# The long soak of Velorane's page, by hand: bash scripts/soak-web.sh [events] [seed]
# Builds the page (scripts/build-web.sh), opens it in Debian's headless Chromium
# and sends it `events` random events (5000 unless given) from `seed` (printed,
# so that a failure can be replayed): keys, one- and two-finger touches, clicks
# and modified drags, the right-button menu opened and dismissed, the page's
# enlargement button where it has one, and WebGL contexts lost and given back.
# Prints the WebAssembly heap in use at the start, after the warm-up (the first
# half) and at the end; fails on a console error, on the program ending, on a
# canvas that does not draw again after its context came back, and when the
# heap in use grew after the warm-up. Needs no display.
#
#   bash scripts/soak-web.sh [-h] [events] [seed]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"
web_build="${VELORANE_WEB_BUILD_DIR:-$root/build-web}"

VELORANE_WEB_BUILD_DIR="$web_build" bash "$root/scripts/build-web.sh"
bash "$root/scripts/setup.sh" chromium
(cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
cd "$root/tests/web"
node soak.mjs "$web_build/dist/velorane.html" "${1:-5000}" "${2:-$(date +%s)}"
