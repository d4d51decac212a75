#!/usr/bin/env bash
# Make a release: everything a person downloads, in dist/, each name carrying
# the version of project(... VERSION ...) in CMakeLists.txt (V below):
#   velorane-V.html                the page, one file (scripts/build-web.sh)
#   velorane_V-1_amd64.deb         the program for Debian and Ubuntu
#   velorane-dev_V-1_amd64.deb     the toolkit: libraries, headers, CMake package
#   velorane-V-win64.zip           the program for Windows, to unpack and run
#   velorane-V-win64-setup.exe     the Windows installer (scripts/build-windows.sh)
#   velorane-V.tar.gz              the source of the commit checked out
#   SHA256SUMS                     for sha256sum -c
# Each tree is brought up to date by its own build command, the same the
# tests use (build/ as scripts/test.sh builds it, build-web/, build-windows/),
# so trees that CI or a person already built cost only the check that nothing
# changed; from a clean tree everything is built. The packages of further
# architectures are taken from their trees when those exist (build-arm64/).
# The release is written aside, checked, and only then moved to dist/: the
# files expected, the version in each name and each package, SHA256SUMS
# through sha256sum -c, and the source archive, unpacked outside any git
# repository, must build the program. The source is that of the commit
# checked out, so a tree with uncommitted changes to tracked files is refused.
#
#   bash scripts/release.sh [-h]          build, check, write dist/
#   bash scripts/release.sh --check [DIR] only check a release (dist/)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
answer_help "$0" "$@"

web_build="${VELORANE_WEB_BUILD_DIR:-$root/build-web}"
windows_build="${VELORANE_WINDOWS_BUILD_DIR:-$root/build-windows}"
dist="$root/dist"
version=$(sed -n -E 's/^project\([A-Za-z]+ VERSION ([0-9][0-9.]*)[ )].*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "release: no project(... VERSION ...) in CMakeLists.txt" >&2; exit 1; }

fail() {
  echo "release: $*" >&2
  exit 1
}

# The Debian packages, as they are named, of the architecture $1.
deb_names() {
  echo "velorane_$version-1_$1.deb velorane-dev_$version-1_$1.deb"
}

# Check the release in the folder $1: exactly the files expected (the Debian
# packages of every architecture present, amd64 at least), each package's
# name and version as its file name says, SHA256SUMS over all of them, and a
# source archive that builds the program with no git repository around it.
check_release() {
  local dir=$1 f arch
  local expected=("velorane-$version.html" "velorane-$version-win64.zip"
    "velorane-$version-win64-setup.exe" "velorane-$version.tar.gz")
  local arches=(amd64)
  for f in "$dir"/velorane_"$version"-1_*.deb; do
    arch=${f##*_}
    arch=${arch%.deb}
    if [ -f "$f" ] && [ "$arch" != amd64 ]; then arches+=("$arch"); fi
  done
  for arch in "${arches[@]}"; do
    # shellcheck disable=SC2207
    expected+=($(deb_names "$arch"))
  done
  for f in "${expected[@]}"; do
    [ -s "$dir/$f" ] || fail "$dir lacks $f"
  done
  local present listed
  present=$(for f in "$dir"/*; do
    if [ "${f##*/}" != SHA256SUMS ]; then echo "${f##*/}"; fi
  done | sort)
  [ "$present" = "$(printf '%s\n' "${expected[@]}" | sort)" ] ||
    fail "$dir holds other files than those expected: $(tr "\n" " " <<<"$present")"
  [ -f "$dir/SHA256SUMS" ] || fail "$dir lacks SHA256SUMS"
  listed=$(awk '{ sub(/^\*/, "", $2); print $2 }' "$dir/SHA256SUMS" | sort)
  [ "$listed" = "$present" ] || fail "SHA256SUMS does not list exactly the files of $dir"
  (cd "$dir" && sha256sum --strict -c SHA256SUMS) || fail "sha256sum -c SHA256SUMS failed"

  for arch in "${arches[@]}"; do
    for f in $(deb_names "$arch"); do
      local name=${f%%_*}
      [ "$(dpkg-deb -f "$dir/$f" Package)" = "$name" ] || fail "$f is not the package $name"
      [ "$(dpkg-deb -f "$dir/$f" Version)" = "$version-1" ] || fail "$f is not version $version-1"
      [ "$(dpkg-deb -f "$dir/$f" Architecture)" = "$arch" ] || fail "$f is not for $arch"
    done
  done

  # The source, unpacked where no git repository is, configured as a person
  # would and the program built from it.
  local scratch
  scratch=$(mktemp -d /tmp/velorane-source.XXXXXX)
  tar -xzf "$dir/velorane-$version.tar.gz" -C "$scratch"
  local tree="$scratch/velorane-$version"
  if [ ! -f "$tree/CMakeLists.txt" ]; then
    rm -rf "$scratch"
    fail "velorane-$version.tar.gz does not hold velorane-$version/CMakeLists.txt"
  fi
  if git -C "$tree" rev-parse --git-dir >/dev/null 2>&1; then
    rm -rf "$scratch"
    fail "$scratch is inside a git repository: the source archive's check would not show anything"
  fi
  echo "=== the source archive builds the program (in $scratch) ==="
  if ! { cmake -S "$tree" -B "$scratch/build" >"$scratch/build.log" 2>&1 &&
    cmake --build "$scratch/build" -j 2 --target velorane >>"$scratch/build.log" 2>&1 &&
    [ -x "$scratch/build/app/velorane" ]; }; then
    tail -n 25 "$scratch/build.log" >&2
    rm -rf "$scratch"
    fail "velorane-$version.tar.gz does not build the program"
  fi
  rm -rf "$scratch"
  echo "release $version checked: $dir"
}

if [ "${1:-}" = --check ]; then
  check_release "$(cd "${2:-$dist}" && pwd)"
  exit 0
fi

# The source archive is the commit's: refuse changes that it would leave out.
changed=$(git -C "$root" status --porcelain --untracked-files=no)
[ -z "$changed" ] || fail "uncommitted changes to tracked files; commit them first:
$changed"

echo "=== native (build/) ==="
build_project
echo "=== page (build-web/) ==="
VELORANE_WEB_BUILD_DIR="$web_build" bash "$root/scripts/build-web.sh"
echo "=== Windows (build-windows/) ==="
VELORANE_WINDOWS_BUILD_DIR="$windows_build" bash "$root/scripts/build-windows.sh"

staging="$root/dist.partial"
rm -rf "$staging"
mkdir -p "$staging"
trap 'rm -rf "$staging"' EXIT

# The Debian packages of the native tree $1, built by CPack (which first
# brings the tree up to date).
collect_debs() {
  local tree=$1 f
  echo "=== Debian packages ($tree) ==="
  (cd "$tree" && cpack -G DEB -B "$staging/cpack" >"$staging/cpack.log" 2>&1) ||
    { cat "$staging/cpack.log" >&2; fail "cpack -G DEB in $tree"; }
  # (A cross-built tree must name its own architecture, not this machine's.)
  for f in "$staging"/cpack/*.deb; do
    [ ! -e "$staging/${f##*/}" ] || fail "$tree makes ${f##*/} again, which another tree made"
    mv "$f" "$staging/"
  done
  rm -rf "$staging/cpack" "$staging/cpack.log"
}
collect_debs "$build"
# The packages of further architectures, from their trees when those are built.
if [ -f "$root/build-arm64/CPackConfig.cmake" ]; then collect_debs "$root/build-arm64"; fi

cp "$web_build/dist/velorane.html" "$staging/velorane-$version.html"
cp "$windows_build/dist/velorane-$version-win64.zip" \
  "$windows_build/dist/velorane-$version-win64-setup.exe" "$staging/"
git -C "$root" archive --format=tar.gz --prefix="velorane-$version/" \
  -o "$staging/velorane-$version.tar.gz" HEAD
sums=$(cd "$staging" && sha256sum -- *)
echo "$sums" >"$staging/SHA256SUMS"

check_release "$staging"
rm -rf "$dist"
mv "$staging" "$dist"
trap - EXIT
echo "release $version written: $dist"
ls -l "$dist"
