#!/usr/bin/env bash
# Check that a Windows build of Velorane is a Windows program, read with the
# cross binutils and icoutils (nothing is run):
#   - a 64-bit GUI-subsystem executable (no console window beside it);
#   - every DLL it imports is one of Windows' own, so nothing needs to be
#     installed beside it;
#   - its icon is the one the build drew from velorane.svg, image for image;
#   - its version information names the program and its version;
#   - with the objects of its build tree: the calls to glutInit,
#     glutCreateWindow and glutCreateMenu reach freeglut's exit-aware entry
#     points (__glutInitWithExit and the others, which take the program's own
#     exit), as GLUT's header arranges on Windows, and none reaches the plain
#     ones.
# Every fault found is printed; the status is 1 when there is any.
#
#   check_executable.sh PROGRAM.exe [BUILD-TREE ICON VERSION]
#
# With the program alone, only the first two checks run (as for a DLL of the
# cross compiler, which the suite checks is rejected).
set -uo pipefail
program=$1
tree=${2:-}
icon=${3:-}
version=${4:-}
faults=0
fault() {
  echo "FAULT: $*"
  faults=$((faults + 1))
}

headers="$(x86_64-w64-mingw32-objdump -p "$program")" || {
  echo "cannot read $program"
  exit 1
}
grep -q '^Magic[[:space:]]*020b' <<<"$headers" || fault "not a 64-bit (PE32+) image"
if [[ "$program" == *.exe ]]; then
  grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" ||
    fault "not a GUI program: $(grep '^Subsystem' <<<"$headers")"
fi

# Windows' own DLLs that a program of this kind may import.
system_dlls="advapi32 comctl32 comdlg32 gdi32 glu32 imm32 kernel32 msvcrt ole32 oleaut32 \
opengl32 shell32 user32 version winmm"
imports="$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")"
[ -n "$imports" ] || fault "no imported DLL found"
for dll in $imports; do
  name="$(tr '[:upper:]' '[:lower:]' <<<"${dll%.*}")"
  if [[ " $system_dlls " != *" $name "* ]]; then
    fault "imports $dll, which is not a Windows system DLL"
  fi
done
echo "imports: $(tr '\n' ' ' <<<"$imports")"

if [ -n "$tree" ]; then
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  # The icon: the images of the group icon in the program against those of
  # the build's velorane.ico.
  mkdir -p "$work/program" "$work/build"
  if wrestool -x --type=14 -o "$work/program/icon.ico" "$program" 2>/dev/null &&
    icotool -x -o "$work/program" "$work/program/icon.ico" && cp "$icon" "$work/build/icon.ico" &&
    icotool -x -o "$work/build" "$work/build/icon.ico"; then
    count=0
    for image in "$work/build"/icon_*.png; do
      count=$((count + 1))
      cmp -s "$image" "$work/program/$(basename "$image")" ||
        fault "icon image $(basename "$image") differs from the build's"
    done
    [ "$count" -ge 4 ] || fault "the build's icon has $count images"
    [ "$(ls "$work/program"/icon_*.png | wc -l)" -eq "$count" ] ||
      fault "the program's icon has another number of images than the build's"
  else
    fault "no icon could be read from $program"
  fi

  # The version information, UTF-16 in the resource.
  info="$(wrestool -x --raw --type=16 "$program" 2>/dev/null | iconv -f UTF-16LE -t UTF-8 2>/dev/null |
    tr -c '[:print:]' ' ')"
  for entry in "ProductName Velorane" "ProductVersion $version" "FileVersion $version" \
    "OriginalFilename velorane.exe"; do
    grep -q "${entry% *}[[:space:]]*${entry#* }" <<<"$info" ||
      fault "version information lacks '$entry'"
  done

  # The entry points the program's objects call.
  objects="$(find "$tree" -name '*.obj' -path '*CMakeFiles*' ! -path '*CompilerId*')"
  [ -n "$objects" ] || fault "no object files in $tree"
  undefined="$(x86_64-w64-mingw32-nm -u $objects 2>/dev/null | awk '{print $NF}' | sort -u)"
  for plain in glutInit glutCreateWindow glutCreateMenu; do
    if grep -qx "$plain" <<<"$undefined"; then fault "an object calls $plain itself"; fi
    grep -qx "__${plain}WithExit" <<<"$undefined" || fault "no object calls __${plain}WithExit"
  done
fi

if [ "$faults" -ne 0 ]; then
  echo "$program: $faults fault(s)"
  exit 1
fi
echo "$program: a self-contained Windows program"
