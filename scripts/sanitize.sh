#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer (g++) in
# build-asan/ and runs it. There are no threads in the program, so ThreadSanitizer has nothing
# to look at. Called by .ci/run after ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ZEMBRO_PACKAGES+=("${ZEMBRO_TEST_PACKAGES[@]}")
zembro_install_missing
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
# Warnings are errors in the normal build; here the optimiser differs and so do its warnings.
# Leaks of the build's own tools (the picture generator runs inside the build) are not checked.
ASAN_OPTIONS=detect_leaks=0 cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DZEMBRO_WERROR=OFF -DZEMBRO_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
ASAN_OPTIONS=detect_leaks=0 cmake --build build-asan -j2
cd build-asan
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Qt, fontconfig and the X libraries keep some caches for the life of the process.
export LSAN_OPTIONS="suppressions=$PWD/../scripts/lsan.supp:print_suppressions=0"
# The Windows programs are built without the sanitizers, and ./test.sh ran them already.
ctest -j2 --output-on-failure -E '_wine$|^windows_'
