# Shared settings of the project's scripts: where things live and how they speak.
project_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# The cross-built image libraries; a new version (new sources or options) builds beside the old one.
deps_root=${IMAGING_DEPS_ROOT:-/opt/imaging-deps/v4}
deps_src=$deps_root/src
deps_build=$deps_root/build
mingw_triplets=(x86_64-w64-mingw32 i686-w64-mingw32)
build_root=${BUILD_ROOT:-$project_root/build}
# Parallel build and test jobs; a shared machine sets JOBS lower.
jobs=${JOBS:-$(nproc)}

say() { echo "[setup] $*" >&2; }
die() { echo "[setup] error: $*" >&2; exit 1; }

# Debian installs the 64-bit Wine loader outside PATH; only 64-bit programs run on these machines.
wine64_loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINELOADER=$wine64_loader
