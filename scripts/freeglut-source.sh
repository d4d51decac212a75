#!/usr/bin/env bash
# Fetch freeglut's source from Debian's source packages and unpack it, with
# Debian's patches, into SOURCE. The sources list (deb-src lines for the
# Debian archives this machine already installs from) and the package lists
# are kept in APT, a folder of their own: the machine's apt configuration is
# left alone. A SOURCE that is already unpacked is kept as it is. Used by the
# Windows build (freeglut itself) and by the browser build (GLUT's fonts).
#
#   bash scripts/freeglut-source.sh [-h] APT SOURCE [PACKAGE]
#
# PACKAGE names another source package (the Windows build's tests name one
# the archives do not have). VELORANE_FREEGLUT_UNREACHABLE=1 points the
# sources list at an archive that cannot be reached, for the same tests.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"

if [ $# -lt 2 ]; then
  echo "usage: freeglut-source.sh APT SOURCE [PACKAGE]" >&2
  exit 2
fi
package="${3:-freeglut}"
mkdir -p "$1" "$(dirname "$2")"
apt="$(cd "$1" && pwd)"
source="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"

if [ -f "$source/CMakeLists.txt" ]; then
  echo "cached: $source"
  exit 0
fi
mkdir -p "$apt/lists/partial" "$apt/parts" "$apt/cache/archives/partial"
# The archives of Debian this machine installs from, as deb-src lines (read
# from its package lists, fetched first if it has none yet).
debian_archives() {
  apt-get indextargets --format 'deb-src $(REPO_URI) $(RELEASE) $(COMPONENT)' \
    'Created-By: Packages' 'Origin: Debian' | sort -u
}
debian_archives >"$apt/sources.list"
if [ ! -s "$apt/sources.list" ]; then
  apt-get -o DPkg::Lock::Timeout=900 update -q
  debian_archives >"$apt/sources.list"
fi
if [ -n "${VELORANE_FREEGLUT_UNREACHABLE:-}" ]; then
  echo "deb-src file:$apt/unreachable bookworm main" >"$apt/sources.list"
fi
if [ ! -s "$apt/sources.list" ]; then
  echo "no Debian archive among this machine's apt sources" >&2
  exit 1
fi
cat "$apt/sources.list"
options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
  -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
apt-get "${options[@]}" update -q
# apt-get update only warns about an index it could not fetch.
if ! ls "$apt/lists/"*_Sources* >/dev/null 2>&1; then
  echo "no source index could be downloaded" >&2
  exit 1
fi
download="$source.download"
rm -rf "$download" "$source.partial"
mkdir -p "$download"
(cd "$download" && apt-get "${options[@]}" source -q --download-only "$package")
dpkg-source --no-check -x "$download"/*.dsc "$source.partial"
mv "$source.partial" "$source"
