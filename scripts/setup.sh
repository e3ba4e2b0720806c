#!/bin/sh
# Installs what the game needs on Debian 12.
#   sh scripts/setup.sh        what building and playing need, nothing more
#   sh scripts/setup.sh test   that, plus everything the test suite and the release
#                              builds use (tests, benchmarks, packaging checks,
#                              the ARM cross-build and the web page)
# Safe to run again: it only asks apt for packages that are not installed yet.
set -eu

PLAY_PACKAGES="build-essential cmake pkg-config
libsdl1.2-compat-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libpng-dev libsndfile1-dev
fonts-linuxlibertine fonts-dejavu-core espeak-ng"

TEST_PACKAGES="git libgtest-dev libbenchmark-dev clang-format valgrind
xvfb xdotool x11-utils imagemagick python3
lintian desktop-file-utils appstream zip unzip
g++-arm-linux-gnueabi binutils-arm-linux-gnueabi qemu-user-static mmdebstrap
emscripten chromium vorbis-tools"

PACKAGES="$PLAY_PACKAGES"
[ "${1:-}" = "test" ] && PACKAGES="$PLAY_PACKAGES $TEST_PACKAGES"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "These packages are missing and there is no sudo to install them:$missing" >&2
    exit 1
fi

echo "Installing:$missing"
$SUDO apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
