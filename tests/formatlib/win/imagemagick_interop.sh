#!/usr/bin/env bash
# ImageMagick interoperability of the format library, in two steps around the Windows test program:
#   imagemagick_interop.sh references DIR  writes files of many kinds with `convert` into DIR/in, each with the raw
#                                          pixels ImageMagick sees in it (FILE.rgb, FILE.rgba with alpha, or
#                                          FILE.PAGE.rgb for each page of a multi-page file);
#   imagemagick_interop.sh check DIR       has `convert` read every file the test program wrote into DIR/out and
#                                          compares its pixels with the dumps the program wrote beside them.
set -euo pipefail
shopt -s nullglob
mode=$1
dir=$2
convert=${CONVERT:-convert}

# ImageMagick keeps a TGA file's rows in stored order and only notes their orientation; -auto-orient applies it.
# (It writes the rows of a picture top first, and marks them so only with -orient TopLeft: its other TGA files say
# their first row is the bottom one, and show upside down in programs that follow the origin, as in ours.)
dump() {  # dump FILE[PAGE] FORMAT TARGET
  "$convert" "$1" -auto-orient -depth 8 "$2:$3"
}

# Runs a command in the background; join waits for all of them and fails when one failed.
jobs_started=()
background() {
  "$@" &
  jobs_started+=($!)
}
join() {
  for job in "${jobs_started[@]}"; do wait "$job"; done
  jobs_started=()
}

references() {
  local in=$dir/in
  rm -rf "$in"
  mkdir -p "$in"
  cd "$in"
  # 16-bit samples and colour maps are made from 8-bit values: ImageMagick truncates 16-bit values to 8 bits
  # where we round, so only values that both agree on are compared.
  local gray_alpha=(rose: \( +clone -colorspace Gray \) -alpha off -compose CopyOpacity -composite -depth 8)
  background "$convert" rose: -threshold 50% -type Bilevel gray1.png
  background "$convert" rose: -colorspace Gray -define png:color-type=0 -define png:bit-depth=2 gray2.png
  background "$convert" rose: -colorspace Gray gray8.png
  background "$convert" rose: -colorspace Gray -depth 8 -depth 16 gray16.png
  background "$convert" "${gray_alpha[@]}" -colorspace Gray -define png:color-type=4 grayalpha.png
  background "$convert" rose: -colors 16 PNG8:palette.png
  background "$convert" rose: PNG24:rgb.png
  background "$convert" rose: PNG48:rgb16.png
  background "$convert" rose: -interlace PNG PNG24:interlaced.png
  background "$convert" "${gray_alpha[@]}" PNG32:rgba.png
  background "$convert" "${gray_alpha[@]}" PNG64:rgba16.png
  for compression in None RLE LZW Zip; do
    background "$convert" rose: -compress $compression -type TrueColor "rgb-$compression.tif"
    background "$convert" rose: -compress $compression -colors 16 -depth 8 -type Palette "palette-$compression.tif"
    background "$convert" rose: -compress $compression -colorspace Gray -type Grayscale "gray-$compression.tif"
    background "$convert" rose: -compress $compression -threshold 50% -type Bilevel "bilevel-$compression.tif"
  done
  background "$convert" rose: -threshold 50% -type Bilevel -compress Group4 bilevel-Group4.tif
  background "$convert" rose: -depth 16 -compress LZW rgb16.tif
  background "$convert" rose: -alpha set -compress LZW rgba.tif
  background "$convert" rose: -define tiff:tile-geometry=32x32 -compress LZW tiled.tif
  background "$convert" rose: -interlace Plane -compress LZW planar.tif
  background "$convert" rose: -orient BottomLeft bottomleft.tif
  background "$convert" rose: \( rose: -negate \) \( rose: -flop -colors 8 -depth 8 \) -compress LZW pages.tif
  background "$convert" rose: rgb.pcx
  background "$convert" rose: -colors 16 -type Palette palette.pcx
  background "$convert" rose: -threshold 50% -type Bilevel bilevel.pcx
  background "$convert" rose: \( rose: -negate \) \( rose: -flop -colors 8 \) pages.dcx
  # TGA in both origins, raw and run-length: true colour, with alpha, colour-mapped and gray.
  local tga_kinds=(rgb "" rgba "-alpha set -channel A -evaluate set 50% +channel" palette "-colors 16 -type Palette"
    gray "-colorspace Gray")
  for orient in BottomLeft TopLeft; do
    for ((kind = 0; kind < ${#tga_kinds[@]}; kind += 2)); do
      # shellcheck disable=SC2086 # the options are words
      background "$convert" rose: -orient $orient ${tga_kinds[kind + 1]} "${tga_kinds[kind]}-$orient.tga"
      background "$convert" rose: -orient $orient ${tga_kinds[kind + 1]} -compress RLE "${tga_kinds[kind]}-rle-$orient.tga"
    done
  done
  join
  for file in *.*; do
    case $file in
      pages.*) for page in 0 1 2; do background dump "$file[$page]" rgb "$file.$page.rgb"; done ;;
      grayalpha.png | rgba.png | rgba16.png) background dump "$file" rgba "$file.rgba" ;;
      *) background dump "$file" rgb "$file.rgb" ;;
    esac
  done
  join
}

check() {
  local out=$dir/out failures=0 checked=0
  cd "$out"
  for dumpfile in *.rgb *.rgba; do
    local format=${dumpfile##*.} source=${dumpfile%.*} page=''
    if [[ $source =~ ^(.*)\.([0-9]+)$ ]]; then
      source=${BASH_REMATCH[1]}
      page="[${BASH_REMATCH[2]}]"
    fi
    if ! dump "$source$page" "$format" - | cmp -s - "$dumpfile"; then
      echo "ImageMagick sees other pixels in $source$page than we wrote"
      failures=$((failures + 1))
    # Its viewing and converting show TGA rows in stored order, whatever the origin: ours must stand upright there.
    elif [[ $source == *.tga ]] && ! "$convert" "$source" -depth 8 "$format:-" | cmp -s - "$dumpfile"; then
      echo "ImageMagick shows $source upside down"
      failures=$((failures + 1))
    fi
    checked=$((checked + 1))
  done
  echo "$checked files checked with ImageMagick, $failures differ"
  [ "$checked" -gt 0 ] && [ "$failures" -eq 0 ]
}

case $mode in
  references) references ;;
  check) check ;;
  *) echo "usage: $0 references|check DIR" >&2; exit 2 ;;
esac
