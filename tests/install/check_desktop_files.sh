#!/usr/bin/env bash
# Checks what a desktop and a software centre read of the program:
#   - the desktop entry passes desktop-file-validate without an error, a
#     warning or even a hint, and starts the installed program by the icon's
#     name;
#   - the icon is well-formed SVG;
#   - the AppStream metadata passes appstreamcli validate --no-net without a
#     single remark, launches that desktop entry, and has what a software
#     centre shows: a summary, a description, a screenshot, a content rating,
#     the MIT licence and the project's version as its newest release.
# Prints each problem and ends with status 1 when there is any; status 77
# (skipped) when a validator is missing, except under CI, where
# scripts/setup.sh has installed them and a missing one fails.
# Usage: check_desktop_files.sh DESKTOP_ENTRY ICON METAINFO VERSION
set -uo pipefail
entry="$1" icon="$2" metainfo="$3" version="$4"
problems=0

# problem TEXT: report one problem.
problem() {
  echo "$*" >&2
  problems=$((problems + 1))
}

for tool in desktop-file-validate appstreamcli xmllint; do
  command -v "$tool" >/dev/null ||
    {
      echo "$tool is missing (desktop-file-utils, appstream, libxml2-utils)"
      if [ -n "${CI:-}" ]; then exit 1; fi
      exit 77
    }
done

# Any line the validator prints is a remark: hints included.
report=$(desktop-file-validate "$entry" 2>&1)
status=$?
if [ "$status" -ne 0 ] || [ -n "$report" ]; then
  problem "desktop-file-validate: $report"
fi

# key KEY: the value of KEY in the entry.
key() { sed -n "s/^$1=//p" "$entry"; }
[ "$(key Exec)" = velorane ] || problem "$entry: Exec is '$(key Exec)'"
[ "$(key Icon)" = "$(basename "$icon" .svg)" ] || problem "$entry: Icon is '$(key Icon)'"

if ! xmllint --noout "$icon" 2>/dev/null ||
  ! grep -q '<svg xmlns="http://www.w3.org/2000/svg"' "$icon"; then
  problem "$icon is not an SVG document"
fi

# Infos count too: only a report of nothing but success passes.
report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1)
status=$?
if [ "$status" -ne 0 ] || grep -q '^[EWI]: ' <<<"$report"; then
  problem "appstreamcli validate: $report"
fi

# text XPATH: the text the metadata has there; empty when it is not well-formed.
text() { xmllint --xpath "string($1)" "$metainfo" 2>/dev/null; }
[ "$(text '/component/@type')" = desktop-application ] ||
  problem "$metainfo: not a desktop-application component"
[ "$(text '/component/launchable[@type="desktop-id"]')" = "$(basename "$entry")" ] ||
  problem "$metainfo: the launchable is not $(basename "$entry")"
[ "$(text '/component/project_license')" = MIT ] ||
  problem "$metainfo: the project licence is '$(text '/component/project_license')', not MIT"
[ -n "$(text '/component/description/p[1]')" ] || problem "$metainfo: no description"
[ -n "$(text '/component/screenshots/screenshot[@type="default"]/image')" ] ||
  problem "$metainfo: no default screenshot"
[ "$(text 'count(/component/content_rating)')" = 1 ] || problem "$metainfo: no content rating"
newest=$(text '/component/releases/release[1]/@version')
[ "$newest" = "$version" ] || problem "$metainfo: the newest release is '$newest', not $version"

if [ "$problems" -gt 0 ]; then
  echo "desktop files check failed: $problems problems" >&2
  exit 1
fi
echo "$entry, $icon and $metainfo are valid"
