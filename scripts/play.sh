#!/bin/sh
# Sets up a Debian 12 machine, builds the game and starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDAL_TESTS=OFF -DVANDAL_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target vandal
cd build/game
exec ./vandal
