#!/bin/sh
# Sets up a Debian 12 machine, builds the game and runs the whole test suite: once in
# the normal build (the everyday suite, then the release check of the Debian package),
# once under AddressSanitizer and UndefinedBehaviorSanitizer, once cross-built for ARM
# under qemu (scripts/arm-check.sh), and a formatting check of the sources.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh test
jobs="$(nproc)"

echo "== Formatting"
files=$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' 'bench/*.cpp')
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files

echo "== Normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDAL_TESTS=ON -DVANDAL_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs" -LE release)

echo "== Release checks: the Debian package and the browser page"
(cd build && ctest --output-on-failure -L release)

echo "== Sanitizer build"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDAL_SANITIZE=ON -DVANDAL_TESTS=ON \
    -DVANDAL_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs")

echo "== Handheld build"
sh scripts/arm-check.sh
