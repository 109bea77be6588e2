#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ZEMBRO_PACKAGES+=("${ZEMBRO_TEST_PACKAGES[@]}" "${ZEMBRO_WINDOWS_PACKAGES[@]}")
zembro_install_missing
zembro_build all
# zembro.exe and the unit tests for Windows, which the suite runs under Wine.
scripts/windows_build.sh tests
cd build
ctest -j2 --output-on-failure
