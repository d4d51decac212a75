#!/usr/bin/env bash
# Builds the Debian packages with CPack, checks what they hold and declare,
# has lintian find no error and no warning in either, validates the unpacked
# tree as a software centre reads it, lets apt resolve the program's package
# as `apt install ./velorane_*.deb` would (a simulation: nothing changes),
# unpacks it into a scratch root and runs the unpacked program. Only under
# CI=true as root are the packages really installed: each over an older
# version of itself, then removed and purged, with no file of its own left
# behind at any step; the program runs from /usr/bin in between.
# Usage: package_test.sh BUILD_DIR CPACK
set -euo pipefail
build="$1" cpack="$2"
source "$(dirname "${BASH_SOURCE[0]}")/program_session.sh"

scratch=$(mktemp -d)
installed_here=0
cleanup() {
  if [ "$installed_here" -eq 1 ]; then
    dpkg --purge velorane velorane-dev >/dev/null 2>&1 || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/packages" \
  >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack -G DEB"; }
debs=("$scratch"/packages/velorane_*.deb)
devs=("$scratch"/packages/velorane-dev_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single velorane_*.deb"
[ ${#devs[@]} -eq 1 ] && [ -f "${devs[0]}" ] || fail "no single velorane-dev_*.deb"
deb="${debs[0]}" dev="${devs[0]}"

# has_file PACKAGE PATH: the package holds PATH. (grep reads the whole list
# rather than -q: a grep that quits at the first match leaves dpkg-deb writing
# into a closed pipe, and with pipefail the pipeline fails on a long list.)
has_file() {
  dpkg-deb -c "$1" | awk '{print $6}' | grep -x "./$2" >/dev/null ||
    fail "$(basename "$1") lacks /$2"
}
has_file "$deb" usr/bin/velorane
has_file "$deb" usr/share/applications/velorane.desktop
has_file "$deb" usr/share/metainfo/org.velorane.velorane.metainfo.xml
has_file "$deb" usr/share/icons/hicolor/scalable/apps/velorane.svg
has_file "$deb" usr/share/man/man1/velorane.1.gz
has_file "$dev" usr/include/velorane/maths/vector.h
has_file "$dev" usr/lib/cmake/Velorane/VeloraneConfig.cmake
has_file "$dev" usr/share/doc/velorane/html/index.html
for package in "$deb" "$dev"; do
  name=$(dpkg-deb -f "$package" Package)
  has_file "$package" "usr/share/doc/$name/copyright"
  has_file "$package" "usr/share/doc/$name/changelog.Debian.gz"
done
if dpkg-deb -c "$deb" | grep '/include/\|\.a$' >/dev/null; then
  fail "the program's package holds the toolkit"
fi

# The runtime dependencies: freeglut, GLU and GL (through the GL dispatch
# libraries), read from the program itself.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libglut3 libglu1 'libgl1\|libopengl0'; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = velorane ] || fail "package name"
[ "$(dpkg-deb -f "$dev" Depends | grep -c 'libglut-dev\|freeglut3-dev')" -eq 1 ] ||
  fail "velorane-dev does not depend on the GLUT headers"

# lintian: no error and no warning. Informational and pedantic tags may
# stay; the packages override one warning, with the reason, in
# /usr/share/lintian/overrides.
command -v lintian >/dev/null || fail "lintian is missing (bash scripts/setup.sh installs it)"
lintian --display-info --pedantic "$deb" "$dev" >"$scratch/lintian.log" 2>&1 ||
  { cat "$scratch/lintian.log"; fail "lintian could not check the packages"; }
if grep -q '^[EW]: ' "$scratch/lintian.log"; then
  cat "$scratch/lintian.log"
  fail "lintian reports errors or warnings"
fi
grep '^[IPX]: ' "$scratch/lintian.log" || true

# The licence and the changelog: the packaged release is the package's version.
dpkg-deb -x "$deb" "$scratch/root"
doc="$scratch/root/usr/share/doc/velorane"
grep -qx 'License: Expat' "$doc/copyright" || fail "the copyright file does not name the licence"
grep -q 'Permission is hereby granted' "$doc/copyright" || fail "the copyright file lacks the licence text"
logged=$(zcat "$doc/changelog.Debian.gz" | dpkg-parsechangelog -l - -S Version)
[ "$logged" = "$(dpkg-deb -f "$deb" Version)" ] ||
  fail "the changelog's release is '$logged', the package's version $(dpkg-deb -f "$deb" Version)"

# The unpacked tree as a software centre reads it: the metadata, named after
# its id, with the desktop entry it launches and the icon.
appstreamcli validate-tree --no-net --no-color "$scratch/root/usr" >"$scratch/tree.log" 2>&1 ||
  { cat "$scratch/tree.log"; fail "appstreamcli validate-tree rejects the package's files"; }
if grep -q '^ *[EWI]: ' "$scratch/tree.log"; then
  cat "$scratch/tree.log"
  fail "appstreamcli validate-tree finds faults in the package's files"
fi

# apt resolves the package's dependencies on this machine.
(cd "$scratch/packages" && apt-get -s -q install "./$(basename "$deb")") \
  >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt cannot install the package"; }
grep -q '^Inst velorane\|^Conf velorane' "$scratch/apt.log" || grep -q 'velorane is already' \
  "$scratch/apt.log" || { cat "$scratch/apt.log"; fail "apt would not install velorane"; }

# The unpacked program runs.
run_session "$scratch/run.out" "$scratch/root/usr/bin/velorane" Velorane Valeurs

# files PACKAGE: the paths of the files (not the folders) the package holds.
files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' | sort; }

# older DEB VERSION OUT: a copy of DEB with the version VERSION that also holds
# a file the newer package no longer has (an icon where icons used to go).
older() {
  local deb="$1" version="$2" out="$3" tree="$scratch/older/$(basename "$1")"
  dpkg-deb -R "$deb" "$tree"
  sed -i "s/^Version: .*/Version: $version/" "$tree/DEBIAN/control"
  mkdir -p "$tree/usr/share/pixmaps"
  echo "an older icon" >"$tree/usr/share/pixmaps/$(dpkg-deb -f "$deb" Package).xpm"
  dpkg-deb --root-owner-group -b "$tree" "$out" >/dev/null
}

# left_behind NAME PATHS_FILE: the paths of PATHS_FILE still on disk, and
# /usr/share/doc/NAME, which holds nothing but the package's.
left_behind() {
  local path
  while read -r path; do [ ! -e "$path" ] || echo "$path"; done <"$2"
  [ ! -e "/usr/share/doc/$1" ] || echo "/usr/share/doc/$1"
}

# apt_get ARGUMENTS: apt-get without questions, waiting for another apt or
# dpkg to finish.
apt_get() {
  DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@"
}

# upgrade_remove_purge DEB: install an older version of the package, then DEB
# over it, then remove and purge it, checking the files at each step against
# the package's own file list.
upgrade_remove_purge() {
  local deb="$1" name version old
  name=$(dpkg-deb -f "$deb" Package) version=$(dpkg-deb -f "$deb" Version)
  old="$scratch/older/${name}_0.9.0-1.deb"
  mkdir -p "$scratch/older"
  older "$deb" 0.9.0-1 "$old"
  files "$deb" >"$scratch/$name.files"
  files "$old" >"$scratch/$name.old-files"

  apt_get install "$old" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; fail "apt-get install of $name 0.9.0-1"; }
  [ "$(dpkg-query -W -f='${Version}' "$name")" = 0.9.0-1 ] || fail "$name 0.9.0-1 is not installed"
  apt_get install "$deb" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; fail "apt-get install of $name $version over 0.9.0-1"; }
  [ "$(dpkg-query -W -f='${Version}' "$name")" = "$version" ] ||
    fail "$name $version did not replace 0.9.0-1"
  # On disk: every file of the new package, and of the old one's only those.
  local path
  while read -r path; do [ -f "$path" ] || fail "$name $version: $path is missing"; done \
    <"$scratch/$name.files"
  local stale
  stale=$(comm -23 "$scratch/$name.old-files" "$scratch/$name.files" |
    while read -r path; do [ ! -e "$path" ] || echo "$path"; done)
  [ -z "$stale" ] || fail "the upgrade of $name left files of 0.9.0-1: $stale"
  dpkg -L "$name" | while read -r path; do [ -d "$path" ] || echo "$path"; done | sort |
    cmp -s - "$scratch/$name.files" || fail "dpkg's list of $name's files is not the package's"

  if [ "$name" = velorane ]; then
    [ "$(command -v velorane)" = /usr/bin/velorane ] || fail "velorane is not on the PATH"
    man -w velorane >/dev/null || fail "man does not find velorane(1)"
    run_session "$scratch/installed.out" velorane Velorane Valeurs
  fi

  apt_get remove "$name" >/dev/null || fail "apt-get remove $name"
  stale=$(left_behind "$name" "$scratch/$name.files")
  [ -z "$stale" ] || fail "removing $name left: $stale"
  # Without configuration files, removing already forgets the package: dpkg
  # then purges nothing, and says so.
  dpkg --purge "$name" >/dev/null 2>&1 || fail "dpkg --purge $name"
  stale=$(left_behind "$name" "$scratch/$name.files")
  [ -z "$stale" ] || fail "purging $name left: $stale"
  dpkg-query -W -f='${db:Status-Abbrev}' "$name" 2>/dev/null | grep -q '^i' &&
    fail "$name is still installed after the purge"
  echo "$name: installed over 0.9.0-1, removed and purged, no file left behind"
}

# A throwaway CI machine: the real installs.
if [ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ]; then
  for name in velorane velorane-dev; do
    if dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed"; then
      fail "$name is already installed on this machine: the install checks would change it"
    fi
  done
  installed_here=1
  upgrade_remove_purge "$deb"
  upgrade_remove_purge "$dev"
  installed_here=0
fi
echo "Debian packages built, checked, resolved and run"
