# Settings shared by both MinGW-w64 toolchains.
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)

# Static libjpeg-turbo, libpng and libtiff built by scripts/bootstrap (keep the path in step with scripts/lib/common.sh).
set(IMAGING_DEPS_ROOT /opt/imaging-deps/v4 CACHE PATH "Prefix of the cross-built image libraries")
list(APPEND CMAKE_FIND_ROOT_PATH ${IMAGING_DEPS_ROOT}/${MINGW_TRIPLET})

# Test programs run under wine64.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run)
