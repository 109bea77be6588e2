#!/usr/bin/env bash
# The one list of Debian packages the project needs, and the step that installs
# whichever of them are missing. Sourced by run.sh and test.sh.

ZEMBRO_PACKAGES=(
    cmake
    ninja-build
    g++
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    qt6-base-dev
    libpng-dev
    zlib1g-dev
    fonts-dejavu-core
    xvfb
    xauth
    xdotool
    imagemagick
    desktop-file-utils
    appstream
    openbox
    x11-utils
    qt6-translations-l10n
    libxdamage-dev
)

zembro_install_missing() {
    local missing=()
    local pkg
    for pkg in "${ZEMBRO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q &&
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures (when needed) and builds the tree in build/.
# $1: ON to treat warnings as errors; further arguments: only these targets.
zembro_build() {
    local werror=${1:-OFF}
    shift || true
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBRO_WERROR="$werror" \
        -DZEMBRO_BUILD_TESTS=ON -DZEMBRO_BUILD_BENCH=ON >/dev/null &&
        cmake --build build -j2 "${targets[@]}"
}
