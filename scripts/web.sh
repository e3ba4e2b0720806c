#!/bin/sh
# Builds the browser version into build-web/: vandal.html, .js, .wasm and .data, with
# the page's manifest, icons and service worker.
#   sh scripts/web.sh
# VANDAL_NATIVE_BUILD and VANDAL_WEB_BUILD name other build folders (the test suite
# uses its own).
# The asset generators are host programs, so the asset tree comes from a native
# build (build/game and build/web-assets, made here when missing); emscripten then
# compiles the same sources and packages that tree. Serve the folder and open
# vandal.html:
#   cd build-web && python3 -m http.server 8000
set -eu
cd "$(dirname "$0")/.."
for tool in emcmake emcc cmake oggenc; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is missing: run scripts/setup.sh test" >&2; exit 1; }
done
# Debian's node finds emscripten's JavaScript modules only through NODE_PATH.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
jobs="${JOBS:-$(nproc)}"

native="${VANDAL_NATIVE_BUILD:-build}"
if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$native" -j"$jobs" --target assets web_assets

web="${VANDAL_WEB_BUILD:-build-web}"
emcmake cmake -S . -B "$web" -DCMAKE_BUILD_TYPE=Release \
    -DVANDAL_ASSET_DIR="$(cd "$native/game" && pwd)" \
    -DVANDAL_WEB_ASSET_DIR="$(cd "$native/web-assets" && pwd)" >/dev/null
cmake --build "$web" -j"$jobs"
echo "Built $web/vandal.html"
