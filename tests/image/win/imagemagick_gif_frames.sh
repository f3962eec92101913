#!/usr/bin/env bash
# What ImageMagick shows of the first frame of each GIF file in SAMPLES (giflib's sample pictures): DIR/FILE.rgba,
# 8 bits a channel, rows from the top.
# Usage: imagemagick_gif_frames.sh SAMPLES DIR
set -euo pipefail
samples=$1
dir=$2
[ -d "$samples" ] || { echo "no sample GIF files in '$samples': run scripts/bootstrap" >&2; exit 1; }
rm -rf "$dir"
mkdir -p "$dir"
for file in "$samples"/*.gif; do
  "${CONVERT:-convert}" "$file[0]" -depth 8 "rgba:$dir/$(basename "$file").rgba"
done
echo "$(ls "$dir" | wc -l) first frames from $samples in $dir"
