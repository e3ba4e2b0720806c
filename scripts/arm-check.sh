#!/bin/sh
# The handheld check: builds the game, its asset generators and the unit tests for
# Debian armel (soft-float ARM) with the undefined-behaviour sanitizer, runs the unit
# tests under qemu user-mode emulation, proves the game's own objects build for the
# handheld's ARMv4T core, and makes and checks the SD-card package.
#
# The armel libraries come from a sysroot made with mmdebstrap from the machine's own
# apt sources; it is kept in a cache folder outside the repository between runs.
set -eu
cd "$(dirname "$0")/.."
jobs="$(nproc)"
[ "$jobs" -gt 2 ] && jobs=2
sysroot="${VANDAL_ARMEL_SYSROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/vandal/armel-sysroot}"
build="build-armel"
suite=bookworm
sysroot_packages="libsdl1.2-compat-dev,libsdl-mixer1.2-dev,libsdl-ttf2.0-dev,libpng-dev,libsndfile1-dev,libgtest-dev,libbenchmark-dev,libstdc++-12-dev,libc6-dev,libudev1"

# The mirror apt already uses for this release, read at run time.
debian_mirror() {
    # shellcheck disable=SC2016 # apt's own field names, not shell variables
    apt-get indextargets --format '$(REPO_URI) $(CODENAME) $(TARGET_OF)' |
        awk -v suite="$suite" '$2 == suite && $3 == "deb" { print $1; exit }'
}

# Debian's -dev packages point some library links at absolute paths, which the cross
# linker would follow into the host's /usr; inside the sysroot they become relative.
relative_links() {
    find "$1/usr/lib" -type l -lname '/*' | while read -r link; do
        target="$(readlink "$link")"
        ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$1$target")" "$link"
    done
}

# Made again only when the package list changes.
make_sysroot() {
    [ "$(cat "$sysroot/.vandal-packages" 2>/dev/null)" = "$sysroot_packages" ] && return 0
    mirror="$(debian_mirror)"
    if [ -z "$mirror" ]; then
        echo "apt has no source for Debian $suite to make the armel sysroot from" >&2
        exit 1
    fi
    echo "== Making the armel sysroot in $sysroot"
    rm -rf "$sysroot.partial"
    mkdir -p "$(dirname "$sysroot")"
    mmdebstrap --quiet --variant=extract --arch=armel \
        --include="$sysroot_packages" \
        "$suite" "$sysroot.partial" "$mirror"
    relative_links "$sysroot.partial"
    echo "$sysroot_packages" >"$sysroot.partial/.vandal-packages"
    rm -rf "$sysroot"
    mv "$sysroot.partial" "$sysroot"
}

make_sysroot

# Our own code is built for the handheld's ARMv4T core, and the tests run that code;
# Debian's armel libraries beside it need ARMv5TE, which qemu provides.
# -Wno-psabi: GCC notes on every std::vector that its ARM calling convention changed
# in GCC 7.1; the whole program is built by one compiler, so nothing is affected.
handheld_cpu="-march=armv4t -mtune=arm920t -marm -Wno-psabi"

echo "== armel build"
cmake -S . -B "$build" --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/armel.cmake \
    -DVANDAL_ARMEL_SYSROOT="$sysroot" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANDAL_HANDHELD=ON -DVANDAL_TESTS=ON -DVANDAL_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=$handheld_cpu -fsanitize=undefined -fno-sanitize-recover=undefined" \
    "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=undefined -Wl,--no-as-needed,-latomic,--as-needed" >/dev/null
cmake --build "$build" -j"$jobs"

echo "== ARMv4T check of the game's objects"
objects="$(find "$build/CMakeFiles/vandal_core.dir" "$build/CMakeFiles/vandal.dir" -name '*.o' | sort)"
# The game's own folders and the handheld's platform: the other platforms are not part
# of this build.
sources="$(find src -name '*.cpp' ! -path 'src/platform/*' | wc -l)"
sources=$((sources + $(find src/platform/handheld -name '*.cpp' | wc -l)))
checked=0
for object in $objects; do
    arch="$(arm-linux-gnueabi-readelf -A "$object" | awk '/Tag_CPU_arch:/ { print $2 }')"
    if [ "$arch" != v4T ]; then
        echo "$object is built for ${arch:-an unknown core}, not v4T" >&2
        exit 1
    fi
    checked=$((checked + 1))
done
if [ "$checked" -ne "$sources" ]; then
    echo "checked $checked objects for $sources sources" >&2
    exit 1
fi
echo "$checked objects, all v4T"

# The end-to-end, install and desktop package checks start the real game in a window,
# too slow under emulation and meant for the desktop's releases; the tests of the
# desktop's own platform (its pad, its window) are built only with it.
# The replay plays one session of each kind here, enough to show that the ARM build
# draws and sounds the same as the desktop's.
echo "== Unit tests under qemu"
(cd "$build" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -E '^(e2e|install|package)$|^replay[.]' &&
    ctest --output-on-failure -j"$jobs" -L replay-sample)

echo "== SD-card package"
cmake --build "$build" --target sdcard
zip="$build/vandal-gp2x.zip"
{
    printf 'vandal/vandal\nvandal/vandal.gpe\nvandal/vandal.png\n'
    sed 's|^|vandal/|' "$build/assets.txt"
} |
    LC_ALL=C sort >"$build/sdcard-expected.txt"
unzip -Z1 "$zip" | LC_ALL=C sort >"$build/sdcard-contents.txt"
missing="$(LC_ALL=C comm -23 "$build/sdcard-expected.txt" "$build/sdcard-contents.txt")"
if [ -n "$missing" ]; then
    echo "$zip lacks:" >&2
    echo "$missing" >&2
    exit 1
fi
# The card's FAT file system refuses these characters in a name.
refused="$(grep '[\\:*?"<>|]' "$build/sdcard-contents.txt" || true)"
if [ -n "$refused" ]; then
    echo "$zip holds names the card's file system cannot:" >&2
    echo "$refused" >&2
    exit 1
fi
echo "$zip holds the launcher, its icon, the game and its $(wc -l <"$build/assets.txt") files"
