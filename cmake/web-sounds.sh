#!/bin/sh
# web-sounds.sh GAME_DIR OUT_DIR: encodes each of the game's WAVs as Ogg Vorbis for the
# page, where src/platform/web/SoundPaths.cpp looks for it: the same name with ".ogg",
# and the four named with backslashes under "backslashed/" with folders for the
# backslashes. A file already encoded from the same WAV is kept. (A shell script, as
# CMake reads backslashes in file names as separators.)
set -eu
game="$1"
out="$2"
cd "$game"
find . -name '*.wav' | while IFS= read -r wav; do
    name="${wav#./}"
    ogg="${name%.wav}.ogg"
    case "$ogg" in
    *\\*) ogg="backslashed/$(printf '%s' "$ogg" | tr '\\' '/')" ;;
    esac
    if [ ! -f "$out/$ogg" ] || [ "$name" -nt "$out/$ogg" ]; then
        mkdir -p "$(dirname "$out/$ogg")"
        oggenc --quiet --quality 2 -o "$out/$ogg" "$name"
    fi
done
