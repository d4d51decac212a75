#!/usr/bin/env bash
# Checks a section 1 manual page: groff and man format it without a single
# warning, man-db's lexgrog reads its NAME line, and it has the sections a
# reader of section 1 looks for. Prints each problem and ends with status 1
# when there is any.
# Usage: check_manual_page.sh PAGE
set -uo pipefail
page="$1"
problems=0

# problem TEXT: report one problem.
problem() {
  echo "$page: $*" >&2
  problems=$((problems + 1))
}

[ -f "$page" ] || { echo "$page: no such page" >&2; exit 2; }
for tool in groff man lexgrog; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (groff-base, man-db)" >&2; exit 2; }
done

# Every warning groff knows (-ww), formatting for no device (-z).
warnings=$(groff -ww -man -z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || problem "groff -ww: $warnings"
# The same page as man shows it, with man's own preprocessing.
warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || problem "man --warnings: $warnings"
# The NAME line that whatis and apropos index.
lexgrog "$page" >/dev/null 2>&1 || problem "lexgrog cannot read the NAME section"

for section in NAME SYNOPSIS DESCRIPTION '"EXIT STATUS"' ENVIRONMENT '"SEE ALSO"'; do
  grep -qx "\\.SH $section" "$page" || problem "no $section section"
done
grep -q '^\.TH [A-Z]* 1 ' "$page" || problem "the title line does not name section 1"

if [ "$problems" -gt 0 ]; then
  echo "manual page check failed: $problems problems" >&2
  exit 1
fi
echo "$page: formats without warnings"
