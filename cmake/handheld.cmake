# The handheld itself: an ARM920T (ARMv4T, no FPU) running Linux, built with its SDK.
#   cmake -S . -B build-handheld -DCMAKE_TOOLCHAIN_FILE=cmake/handheld.cmake \
#         -DVANDAL_HANDHELD_SDK=/path/to/sdk
#   cmake --build build-handheld --target sdcard
# The SDK holds the target's headers and libraries (SDL 1.2 with its framebuffer
# driver, SDL_mixer, SDL_ttf, freetype, a v4T libc, and for the asset generators
# libpng and libsndfile), either under include/ and lib/ or as a sysroot under usr/,
# and its cross-compiler under bin/. The compiler must know C++17: when the SDK's own
# is older, point VANDAL_HANDHELD_CXX at a newer one built for the same target. The
# asset generators are built with the game and run here under qemu-arm-static.
#
# Optional variables:
#   VANDAL_HANDHELD_TRIPLET  the compiler's prefix without the dash, default arm-linux
#   VANDAL_HANDHELD_CXX      the C++ compiler, default SDK/bin/TRIPLET-g++
#   VANDAL_HANDHELD_LIBS     libraries the SDK's static SDL needs beyond what its
#                            pkg-config files say, e.g. "-lfreetype -lz"
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

foreach(variable VANDAL_HANDHELD_SDK VANDAL_HANDHELD_TRIPLET VANDAL_HANDHELD_CXX VANDAL_HANDHELD_LIBS)
  if(NOT ${variable} AND DEFINED ENV{${variable}})
    set(${variable} $ENV{${variable}})
  endif()
  # Checks that CMake compiles on its own read this file again and need them too.
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ${variable})
endforeach()
if(NOT VANDAL_HANDHELD_SDK OR NOT IS_DIRECTORY ${VANDAL_HANDHELD_SDK})
  message(FATAL_ERROR "Set VANDAL_HANDHELD_SDK to the handheld SDK's folder")
endif()
if(NOT VANDAL_HANDHELD_TRIPLET)
  set(VANDAL_HANDHELD_TRIPLET arm-linux)
endif()
if(NOT VANDAL_HANDHELD_CXX)
  set(VANDAL_HANDHELD_CXX ${VANDAL_HANDHELD_SDK}/bin/${VANDAL_HANDHELD_TRIPLET}-g++)
endif()
set(CMAKE_CXX_COMPILER ${VANDAL_HANDHELD_CXX})

set(sdk ${VANDAL_HANDHELD_SDK})
if(IS_DIRECTORY ${sdk}/usr/include)
  set(CMAKE_SYSROOT ${sdk})
  set(ENV{PKG_CONFIG_SYSROOT_DIR} ${sdk})
  set(ENV{PKG_CONFIG_LIBDIR}
      ${sdk}/usr/lib/pkgconfig:${sdk}/usr/lib/${VANDAL_HANDHELD_TRIPLET}/pkgconfig:${sdk}/usr/share/pkgconfig)
else()
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
  set(ENV{PKG_CONFIG_LIBDIR} ${sdk}/lib/pkgconfig:${sdk}/share/pkgconfig)
endif()
set(CMAKE_FIND_ROOT_PATH ${sdk} ${sdk}/${VANDAL_HANDHELD_TRIPLET})
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm-static -L ${sdk})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -Wno-psabi: GCC notes on every std::vector that its ARM calling convention changed
# in GCC 7.1; the whole program is built by one compiler, so nothing is affected.
set(CMAKE_CXX_FLAGS_INIT "-march=armv4t -mtune=arm920t -marm -Wno-psabi")

# The card carries one file that runs on whatever firmware the player has: the C++
# runtime goes in, and every library the SDK has as an archive is taken from it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libstdc++ -static-libgcc")
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/handheld-static.cmake)
execute_process(
  COMMAND pkg-config --static --libs-only-l sdl SDL_mixer SDL_ttf
  OUTPUT_VARIABLE sdk_static_libs OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
set(CMAKE_CXX_STANDARD_LIBRARIES "${sdk_static_libs} ${VANDAL_HANDHELD_LIBS}")

# The handheld's behaviour: its button numbering, its screen as it is, the hand-over
# to its menu at exit. Tests and benchmarks stay on the machines that run them.
set(VANDAL_HANDHELD ON CACHE BOOL "" FORCE)
set(VANDAL_TESTS OFF CACHE BOOL "" FORCE)
set(VANDAL_BENCH OFF CACHE BOOL "" FORCE)
