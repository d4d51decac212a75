#!/usr/bin/env bash
# Checks the desktop entry with desktop-file-validate (errors and warnings
# fail; hints, such as the two main categories Education and Science, are
# accepted), that it starts the installed program by the icon's name, and
# that the icon is well-formed SVG. Ends with status 77 (skipped) when
# desktop-file-validate (desktop-file-utils) is missing.
# Usage: check_desktop_files.sh DESKTOP_ENTRY ICON
set -euo pipefail
entry="$1" icon="$2"

command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is missing"; exit 77; }
status=0
report=$(desktop-file-validate "$entry" 2>&1) || status=$?
if [ "$status" -ne 0 ] || echo "$report" | grep -q ': \(error\|warning\):'; then
  echo "$report" >&2
  echo "FAILED: desktop-file-validate rejects $entry" >&2
  exit 1
fi

# key KEY: the value of KEY in the entry.
key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(key Exec)" = velorane ] || { echo "FAILED: Exec is '$(key Exec)'" >&2; exit 1; }
[ "$(key Icon)" = "$(basename "$icon" .svg)" ] || { echo "FAILED: Icon is '$(key Icon)'" >&2; exit 1; }
[ "$(key Categories)" = "Education;Science;Physics;" ] ||
  { echo "FAILED: Categories are '$(key Categories)'" >&2; exit 1; }

if command -v xmllint >/dev/null; then
  xmllint --noout "$icon"
  grep -q '<svg xmlns="http://www.w3.org/2000/svg"' "$icon" ||
    { echo "FAILED: $icon is not an SVG document" >&2; exit 1; }
fi
echo "$entry and $icon are valid"
