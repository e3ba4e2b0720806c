#!/bin/sh
# Lays out vandal/ as the handheld's menu expects it and zips it:
#   make-sdcard.sh GAME_DIR ASSET_LIST EXECUTABLE LAUNCHER OUT_DIR ZIP [ICON]
# GAME_DIR holds the built asset tree; ASSET_LIST names every file the game loads;
# ZIP is an absolute path.
set -eu
game_dir=$1 asset_list=$2 executable=$3 launcher=$4 out_dir=$5 zip=$6 icon=${7:-}

rm -rf "$out_dir" "$zip"
folder="$out_dir/vandal"
mkdir -p "$folder"
cp "$executable" "$folder/vandal"
cp "$launcher" "$folder/vandal.gpe"
chmod 755 "$folder/vandal" "$folder/vandal.gpe"
[ -n "$icon" ] && cp "$icon" "$folder/vandal.png"
while IFS= read -r path; do
    mkdir -p "$folder/$(dirname "$path")"
    cp "$game_dir/$path" "$folder/$path"
done <"$asset_list"
# Sorted names and no extra attributes, so the same build gives the same zip.
(cd "$out_dir" && find vandal -type f | LC_ALL=C sort | zip -qX -@ "$zip")
