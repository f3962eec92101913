# Shared settings of the project's scripts: where things live and how they speak.
project_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
deps_version=v1
deps_root=${IMAGING_DEPS:-/opt/imaging-deps/$deps_version}
deps_src=/opt/imaging-deps/src
deps_build=/opt/imaging-deps/build
mingw_triplets=(x86_64-w64-mingw32 i686-w64-mingw32)
build_root=${BUILD_ROOT:-$project_root/build}

say() { echo "[setup] $*" >&2; }
die() { echo "[setup] error: $*" >&2; exit 1; }

# Debian installs the 64-bit Wine loader outside PATH; only 64-bit programs run on these machines.
wine64_loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINELOADER=$wine64_loader
