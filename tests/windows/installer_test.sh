#!/usr/bin/env bash
# The installer as a school's administrator uses it, under Wine on the
# display: a silent install (/S) into the test prefix puts the program under
# Program Files for all users with its Start-menu entries and its entry in
# the list of installed programs; the installed program starts and ends as
# a person ends it (the end-to-end test of the ways to quit, run against it);
# the uninstaller, silent too, takes all of it away again.
#
#   installer_test.sh SETUP.exe END-TO-END-TESTS
set -euo pipefail
setup=$1
tests=$2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine="$here/wine.sh"
prefix="${VELORANE_WINEPREFIX:-$here/../../build-windows/wine-prefix}"
folder="$prefix/drive_c/Program Files/Velorane"
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velorane"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velorane'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Wait up to $1 seconds for the command that follows to succeed.
wait_until() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    if [ "$SECONDS" -ge "$end" ]; then return 1; fi
    sleep 0.2
  done
}

registered() { timeout 60 "$wine" reg query "$key" /v DisplayName >/dev/null 2>&1; }
gone() { [ ! -e "$folder" ] && [ ! -e "$menu" ] && ! registered; }

# A clean start: an earlier run's install is taken away first.
if [ -e "$folder/Uninstall.exe" ]; then
  timeout 120 "$wine" "$folder/Uninstall.exe" /S || true
  wait_until 60 gone || fail "the earlier install could not be removed"
fi
gone || fail "Velorane is installed in the prefix before the test"

echo "--- silent install"
timeout 300 "$wine" "$setup" /S || fail "the installer ended with status $?"
for file in velorane.exe LICENSE.txt README.txt Uninstall.exe; do
  [ -s "$folder/$file" ] || fail "no $file in Program Files\\Velorane"
done
for link in Velorane.lnk Uninstall.lnk; do
  [ -s "$menu/$link" ] || fail "no $link in the all-users Start menu"
done
registered || fail "not in the list of installed programs ($key)"

echo "--- the installed program"
VELORANE_PROGRAM="$folder/velorane.exe" VELORANE_LAUNCHER="$wine" \
  "$tests" --gtest_filter='Program.EachWayToQuitEndsWithStatusZero' ||
  fail "the installed program did not start and end as it should"

echo "--- silent uninstall"
# The uninstaller copies itself aside and goes on from there: wait for the
# removal itself.
timeout 120 "$wine" "$folder/Uninstall.exe" /S || fail "the uninstaller ended with status $?"
wait_until 60 gone || fail "the uninstaller left $(ls -d "$folder" "$menu" 2>/dev/null) $(registered && echo "$key")"
echo "installed, ran and uninstalled"
