#!/usr/bin/env bash
# Make the Wine prefix of the Windows tests ready (the set-up of the Wine
# pass): created or brought up to date, with the setting a display without
# a window manager needs, and its exit statuses checked.
#
# Wine's X driver waits by default for a window manager to offer the focus
# (UseTakeFocus); on a bare X server nobody does, so the prefix lets the X
# focus, set by the tests as a person's click would, make a window active.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine="$here/wine.sh"

# Bounded: a Wine that waits for a dialog nobody answers must not hang.
timeout 300 "$wine" wineboot --init
timeout 60 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f >/dev/null
setting="$(timeout 60 "$wine" reg query 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus)"
if ! grep -q 'UseTakeFocus.*REG_SZ.*N' <<<"$setting"; then
  echo "the prefix does not hold UseTakeFocus=N: $setting" >&2
  exit 1
fi

# The tests judge the program by its exit status: Wine must hand it on.
status=0
timeout 60 "$wine" cmd /c exit 7 || status=$?
if [ "$status" -ne 7 ]; then
  echo "a Windows program's exit status 7 came back as $status" >&2
  exit 1
fi
echo "Wine prefix ready: ${VELORANE_WINEPREFIX:-build-windows/wine-prefix}"
