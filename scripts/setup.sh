#!/bin/sh
# Installs what building, playing and testing the game needs on Debian 12.
# Safe to run again: it only asks apt for packages that are not installed yet.
set -eu

PACKAGES="build-essential cmake pkg-config git
libsdl1.2-compat-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev
fonts-ebgaramond fonts-dejavu-core
espeak-ng sox imagemagick
libgtest-dev libbenchmark-dev clang-format
xvfb xdotool x11-utils python3"

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
