#!/usr/bin/env bash
# Runs the graphics benchmark under Wine and djpeg on the same JPEG, alternately, and prints both.
# Usage: benchmarks/graphics/run.sh BUILD_DIR (a mingw64 build configured with -DPROJECT_BENCHMARKS=ON)
# djpeg comes from Debian's libjpeg-turbo-progs (scripts/bootstrap installs it). Both it and the project's Windows
# libjpeg-turbo use SIMD; djpeg is also timed with JSIMD_FORCENONE=1 to show what SIMD is worth here.
# Any command that fails stops the script.
set -euo pipefail
shopt -s inherit_errexit
build=${1:?usage: run.sh BUILD_DIR}
command -v djpeg >/dev/null || { echo "djpeg is missing: run scripts/bootstrap" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
bench() { xvfb-run -a /usr/lib/wine/wine64 "$build/benchmarks/graphics/graphics_benchmark.exe" "Z:$work" 2>/dev/null; }
best() {  # best wall time in ms of a command, 7 runs
  local best=999999 t0 t1 ms
  for _ in 1 2 3 4 5 6 7; do
    t0=$(date +%s%N)
    "$@" >/dev/null
    t1=$(date +%s%N)
    ms=$(((t1 - t0) / 1000000))
    ((ms < best)) && best=$ms
  done
  echo "$best"
}
for round in 1 2; do
  echo "round $round"
  bench
  # PPM output is written row by row as decoded (the least work besides decoding); BMP needs the whole image.
  for format in ppm bmp; do
    simd=$(best djpeg -dct int -$format -outfile /dev/null "$work/bench.jpg")
    plain=$(JSIMD_FORCENONE=1 best djpeg -dct int -$format -outfile /dev/null "$work/bench.jpg")
    echo "djpeg -$format (SIMD):              $simd ms"
    echo "djpeg -$format (JSIMD_FORCENONE=1): $plain ms"
  done
done
