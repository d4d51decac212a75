# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX
# threads flavour, g++-mingw-w64-x86-64-posix):
#
#   cmake -S . -B build-windows/velorane \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake \
#     -DVELORANE_WINDOWS_PREFIX=<where the Windows libraries are installed>
#
# Libraries, headers and pkg-config files are looked up only in the target's
# own trees (the compiler's and VELORANE_WINDOWS_PREFIX), never in the build
# machine's; programs, such as the icon tools, on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELORANE_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELORANE_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELORANE_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${VELORANE_MINGW_HOST}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELORANE_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The prefix holding the libraries built for Windows (freeglut), passed on to
# CMake's test compilations too.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELORANE_WINDOWS_PREFIX)
if(VELORANE_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VELORANE_WINDOWS_PREFIX})
  set(ENV{PKG_CONFIG_LIBDIR} ${VELORANE_WINDOWS_PREFIX}/lib/pkgconfig)
else()
  set(ENV{PKG_CONFIG_LIBDIR} /nonexistent)
endif()
set(ENV{PKG_CONFIG_PATH} "")
