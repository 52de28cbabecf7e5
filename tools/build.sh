#!/usr/bin/env bash
# Builds every configuration into build/: host (the rules and their unit tests,
# with sanitizers), win32 (the shipped i686 Brellox.exe and its Wine tests) and,
# where this machine runs only 64-bit Windows programs, win64 for the Wine tests.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build/host -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/host -j"$jobs"

configure_windows() {
  cmake -S . -B "build/$1" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DBRELLOX_MINGW_ARCH="$2" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
  cmake --build "build/$1" -j"$jobs"
}
configure_windows win32 i686
if [ "$(tools/wine-arch.sh)" = 64 ]; then configure_windows win64 x86_64; fi
