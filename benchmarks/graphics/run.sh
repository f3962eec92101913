#!/usr/bin/env bash
# Runs the graphics benchmark under Wine and djpeg on the same JPEG, alternately, and prints both.
# Usage: benchmarks/graphics/run.sh BUILD_DIR (a mingw64 build configured with -DPROJECT_BENCHMARKS=ON)
# djpeg comes from Debian's libjpeg-turbo-progs. The project's Windows libjpeg-turbo is built without SIMD, so
# djpeg is timed both as installed and with JSIMD_FORCENONE=1 (the same code paths as ours).
set -euo pipefail
build=${1:?usage: run.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
bench() { xvfb-run -a /usr/lib/wine/wine64 "$build/benchmarks/graphics/graphics_benchmark.exe" "Z:$work" 2>/dev/null; }
best() {  # best wall time in ms of a command, 7 runs
  local best=999999 t0 t1 ms
  for _ in 1 2 3 4 5 6 7; do
    t0=$(date +%s%N); "$@" >/dev/null; t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 )); (( ms < best )) && best=$ms
  done
  echo "$best"
}
for round in 1 2; do
  echo "round $round"
  bench
  # PPM output is written row by row as decoded (the least work besides decoding); BMP needs the whole image.
  for format in ppm bmp; do
    echo "djpeg -$format (SIMD):              $(best djpeg -dct int -$format -outfile /dev/null "$work/bench.jpg") ms"
    echo "djpeg -$format (JSIMD_FORCENONE=1): $(JSIMD_FORCENONE=1 best djpeg -dct int -$format -outfile /dev/null "$work/bench.jpg") ms"
  done
done
