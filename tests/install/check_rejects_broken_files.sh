#!/usr/bin/env bash
# The desktop files check must fail on files that are broken: each case of
# the table below spoils one of the good files with a sed expression, and the
# check must end with status 1 and report the fault named. Ends with status 77
# (skipped) when the check itself is skipped.
# Usage: check_rejects_broken_files.sh DESKTOP_ENTRY ICON METAINFO VERSION
set -uo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
entry="$1" icon="$2" metainfo="$3" version="$4"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# file | sed expression (no "|" in it) | what the check must report
cases=$(
  cat <<'EOF'
entry    | s/^Categories=.*/Categories=Education;Science;Physics;/ | hint: .*more than one main category
entry    | /^Type=/d                                         | error: required key "Type"
entry    | s/^Exec=.*/Exec=velorane-old/                     | Exec is 'velorane-old'
entry    | s/^Icon=.*/Icon=reflection/                       | Icon is 'reflection'
icon     | s/<svg xmlns/<svx xmlns/                          | is not an SVG document
metainfo | s#</component>##                                  | xml-markup-invalid
metainfo | s#<summary>.*</summary>##                         | component-summary-missing
metainfo | s#<metadata_license>MIT#<metadata_license>GPL-3.0-or-later# | metadata-license-invalid
metainfo | s#<content_rating type="oars-1.1"/>##             | content-rating-missing
metainfo | s#<project_license>MIT#<project_license>BSD-3-Clause# | project licence is 'BSD-3-Clause', not MIT
metainfo | s#>velorane.desktop</launchable>#>reflection.desktop</launchable># | the launchable is not
metainfo | /<screenshots>/,/<\/screenshots>/d                | no default screenshot
metainfo | s#<release version="[^"]*"#<release version="0.9.0"# | newest release is '0.9.0'
EOF
)

failed=0 count=0
while IFS='|' read -r which expression expected; do
  which=$(echo "$which" | xargs) expression=$(echo "$expression" | sed 's/^ *//; s/ *$//')
  expected=$(echo "$expected" | sed 's/^ *//; s/ *$//')
  count=$((count + 1))
  files=("$entry" "$icon" "$metainfo")
  case "$which" in
    entry) index=0 ;;
    icon) index=1 ;;
    metainfo) index=2 ;;
  esac
  # The spoilt copy keeps the file's name: the checks compare names.
  mkdir -p "$scratch/$count"
  spoilt="$scratch/$count/$(basename "${files[$index]}")"
  if ! sed "$expression" "${files[$index]}" >"$spoilt"; then
    echo "case $count ($which: $expression): sed failed" >&2
    failed=$((failed + 1))
    continue
  fi
  if cmp -s "$spoilt" "${files[$index]}"; then
    echo "case $count ($which: $expression) changes nothing" >&2
    failed=$((failed + 1))
    continue
  fi
  files[$index]="$spoilt"
  status=0
  report=$(bash "$here/check_desktop_files.sh" "${files[@]}" "$version" 2>&1) || status=$?
  if [ "$status" -eq 77 ]; then echo "$report"; exit 77; fi
  if [ "$status" -ne 1 ] || ! grep -q -- "$expected" <<<"$report"; then
    echo "case $count ($which: $expression): status $status, expected 1 and '$expected':" >&2
    echo "$report" >&2
    failed=$((failed + 1))
  else
    echo "case $count ($which: $expression) rejected: $(echo "$report" | grep -m 1 -- "$expected")"
  fi
done <<<"$cases"

if [ "$failed" -gt 0 ]; then
  echo "FAILED: $failed of $count broken files were not rejected as expected" >&2
  exit 1
fi
echo "all $count broken files rejected"
