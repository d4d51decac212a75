# Shared by the toolchain files of the Linux cross builds from Debian's parts
# (cmake/aarch64-linux-gnu.cmake, cmake/arm-linux-gnueabihf.cmake), which set
#   VELORANE_CROSS_TRIPLET  the GNU triplet of the target (aarch64-linux-gnu)
#   VELORANE_CROSS_QEMU     qemu-user's emulator of its processor (qemu-aarch64)
#   VELORANE_CROSS_DEBIAN_ARCH  Debian's name of the architecture (arm64), which
#                           the Debian packages carry (packaging/Package.cmake)
# before including this file.
#
# The compilers are Debian's cross compilers (crossbuild-essential-<arch>);
# the libraries are the target's multiarch packages (freeglut3-dev:arm64 and
# so on), installed beside the build machine's: the target's in
# /usr/lib/<triplet>, the headers shared under /usr/include. CMake looks in the
# target's library folder only (CMAKE_LIBRARY_ARCHITECTURE), and so does
# pkg-config, which otherwise hands out the build machine's libglut.
#
# Programs built for the target run under qemu-user, with the target's
# dynamic loader and libraries taken from / (-L /): CMake runs them through
# CMAKE_CROSSCOMPILING_EMULATOR (CTest's tests, the test discovery), and the
# test suite starts the program under test with it too.
set(CMAKE_SYSTEM_NAME Linux)

set(CMAKE_C_COMPILER ${VELORANE_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${VELORANE_CROSS_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${VELORANE_CROSS_TRIPLET})

# Only the target's libraries, headers and packages; programs (pkg-config,
# gzip, the shell) are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${VELORANE_CROSS_TRIPLET} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu
  /usr/lib/x86_64-linux-gnu/cmake /usr/include/x86_64-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR}
  /usr/lib/${VELORANE_CROSS_TRIPLET}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

set(CMAKE_CROSSCOMPILING_EMULATOR ${VELORANE_CROSS_QEMU} -L /)
