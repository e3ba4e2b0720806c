# Debian armel (ARMv5TE, soft float) against the sysroot that scripts/arm-check.sh
# makes. The asset generators and the tests run under qemu user-mode emulation, so
# the build and ctest work as they do natively.
#   cmake -S . -B build-armel -DCMAKE_TOOLCHAIN_FILE=cmake/armel.cmake
# The sysroot's path comes from VANDAL_ARMEL_SYSROOT (cache or environment).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_CXX_COMPILER arm-linux-gnueabi-g++)

if(NOT VANDAL_ARMEL_SYSROOT)
  if(DEFINED ENV{VANDAL_ARMEL_SYSROOT})
    set(VANDAL_ARMEL_SYSROOT $ENV{VANDAL_ARMEL_SYSROOT})
  elseif(DEFINED ENV{XDG_CACHE_HOME})
    set(VANDAL_ARMEL_SYSROOT $ENV{XDG_CACHE_HOME}/vandal/armel-sysroot)
  else()
    set(VANDAL_ARMEL_SYSROOT $ENV{HOME}/.cache/vandal/armel-sysroot)
  endif()
endif()
if(NOT EXISTS ${VANDAL_ARMEL_SYSROOT}/usr/include/SDL/SDL.h)
  message(FATAL_ERROR "No armel sysroot at ${VANDAL_ARMEL_SYSROOT}: run scripts/arm-check.sh")
endif()
# Checks that CMake compiles on its own read this file again and need the path too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANDAL_ARMEL_SYSROOT)

set(CMAKE_SYSROOT ${VANDAL_ARMEL_SYSROOT})
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm-static -L ${VANDAL_ARMEL_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the sysroot's .pc files and prefixes their paths with it.
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${VANDAL_ARMEL_SYSROOT})
set(ENV{PKG_CONFIG_LIBDIR}
    ${VANDAL_ARMEL_SYSROOT}/usr/lib/arm-linux-gnueabi/pkgconfig:${VANDAL_ARMEL_SYSROOT}/usr/share/pkgconfig)
