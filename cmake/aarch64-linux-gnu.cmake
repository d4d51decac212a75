# Cross-compiling for 64-bit ARM Linux (Debian's arm64, Raspberry Pi OS 64-bit)
# with Debian's cross toolchain and the arm64 multiarch libraries:
#
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
#
# scripts/test-arm64.sh installs what it needs, builds and tests there.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(VELORANE_CROSS_TRIPLET aarch64-linux-gnu)
set(VELORANE_CROSS_QEMU qemu-aarch64)
set(VELORANE_CROSS_DEBIAN_ARCH arm64)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
