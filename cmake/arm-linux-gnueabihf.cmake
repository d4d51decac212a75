# Cross-compiling for 32-bit ARM Linux (Debian's armhf, Raspberry Pi OS for
# the older boards) with Debian's cross toolchain and the armhf multiarch
# libraries:
#
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/arm-linux-gnueabihf.cmake
#
# scripts/test-arm64.sh armhf installs what it needs, builds and tests there.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(VELORANE_CROSS_TRIPLET arm-linux-gnueabihf)
set(VELORANE_CROSS_QEMU qemu-arm)
set(VELORANE_CROSS_DEBIAN_ARCH armhf)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCross.cmake)
