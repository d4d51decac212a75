#!/usr/bin/env bash
# Start a Windows program under Wine (Debian's wine64) on the display, in the
# Wine prefix of the Windows tests: no debug output, and no prompt to fetch
# the .NET and HTML engines, which the program does not use. Wine hands on
# the program's exit status.
#
#   tests/windows/wine.sh PROGRAM.exe [ARGUMENTS...]
#
# VELORANE_WINEPREFIX names the prefix (by default build-windows/wine-prefix).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="${VELORANE_WINEPREFIX:-$root/build-windows/wine-prefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
