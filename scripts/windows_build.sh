#!/usr/bin/env bash
# Builds zembro.exe (and the Windows tests with "tests") in build-win/ with mingw-w64, from the
# pictures and program resources the Linux build in build/ drew; installs what is missing.
# Usage: scripts/windows_build.sh [tests]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ZEMBRO_PACKAGES+=("${ZEMBRO_WINDOWS_PACKAGES[@]}")
zembro_install_missing
[ -f build/CMakeCache.txt ] || zembro_build play default_pictures
cmake --build build -j2 --target default_pictures zembro_resources >/dev/null
tests=OFF
[ "${1:-}" = tests ] && tests=ON
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DZEMBRO_NATIVE_BUILD="$PWD/build" \
    -DZEMBRO_WERROR=ON -DZEMBRO_BUILD_TESTS=$tests >/dev/null
cmake --build build-win -j2
