#!/usr/bin/env bash
# Build Velorane's page and test it in real browsers: installs what is
# missing (the page's build, Debian's Chromium, Firefox ESR and WebKitGTK with
# its WebDriver, zbar-tools, the test's npm packages, the native build's packages), builds
# the native program into build-web/native as the reference, and runs the
# browser tests through CTest on a virtual display of its own when there is no
# usable one: the page against the native program in each of the three
# engines (WebPage.chromium, WebPage.firefox, WebPage.webkit), and the
# toolkit's package for other projects, both ways (CTest builds the consumer
# project against each). Arguments go to CTest (-R WebPage.firefox: one engine).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
web_build="${VELORANE_WEB_BUILD_DIR:-$root/build-web}"

VELORANE_WEB_BUILD_DIR="$web_build" bash "$root/scripts/build-web.sh"
bash "$root/scripts/setup.sh"
bash "$root/scripts/setup.sh" chromium firefox-esr webkit2gtk-driver
# zbarimg reads the share panel's QR code back.
bash "$root/scripts/setup.sh" zbar-tools
# puppeteer-core brings no browser of its own: the test drives Debian's.
(cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)

build_tree "$web_build/native" -DVELORANE_TESTS=OFF -DVELORANE_WEB_TESTS=ON \
  -DVELORANE_WEB_PAGE="$web_build/dist/velorane.html"

if ! display_usable; then
  start_virtual_display
fi
# WebKit's MiniBrowser is a window: on a display of its own, where it hides
# none of the native program's windows from their captures.
native_display="$DISPLAY"
start_virtual_display
export VELORANE_BROWSER_DISPLAY="$DISPLAY"
export DISPLAY="$native_display"
echo "test-web: the page in Chromium $(chromium --version 2>/dev/null | awk '{print $2}')," \
  "Firefox ESR $(firefox-esr --version 2>/dev/null | awk '{print $3}') and WebKitGTK" \
  "$(dpkg-query -W -f='${Version}' webkit2gtk-driver)"
cd "$web_build/native" && ctest --output-on-failure -L web "$@"
