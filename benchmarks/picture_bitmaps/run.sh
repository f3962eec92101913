#!/usr/bin/env bash
# Runs the picture bitmaps benchmark under Wine and libjpeg-turbo's djpeg on the same JPEG, alternately, and
# prints both. Usage: benchmarks/picture_bitmaps/run.sh BUILD_DIR (a mingw64 build configured with
# -DPROJECT_BENCHMARKS=ON). djpeg comes from Debian's libjpeg-turbo-progs (scripts/bootstrap installs it); it and
# the project's Windows libjpeg-turbo both use SIMD. djpeg -bmp holds the whole picture in memory, as a bitmap
# does; djpeg -ppm writes each row as it comes and never touches the 18 MB of new memory a whole picture takes.
set -euo pipefail
shopt -s inherit_errexit
build=${1:?usage: run.sh BUILD_DIR}
command -v djpeg >/dev/null || { echo "djpeg is missing: run scripts/bootstrap" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
command=(/usr/lib/wine/wine64 "$build/benchmarks/picture_bitmaps/picture_bitmaps_benchmark.exe" "Z:$work")
bench() { if [ -n "${DISPLAY:-}" ]; then "${command[@]}"; else xvfb-run -a "${command[@]}"; fi 2>/dev/null; }
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
  for format in bmp ppm; do
    echo "djpeg -$format: $(best djpeg -dct int -$format -outfile /dev/null "$work/photo.jpg") ms"
  done
done
