#!/usr/bin/env bash
# The one list of Debian packages the project needs, and the step that installs
# whichever of them are missing. Sourced by run.sh and test.sh.

# What building the game and playing it need.
ZEMBRO_PACKAGES=(
    cmake
    ninja-build
    g++
    qt6-base-dev
    libpng-dev
    zlib1g-dev
    libacl1-dev
    libxcb1-dev
    fonts-dejavu-core
    qt6-translations-l10n
)

# What the tests and benchmarks need beside it; the end-to-end runs need the second line, the
# file systems the store is tried on (mounted through FUSE) the last.
ZEMBRO_TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils appstream libxdamage-dev
    xvfb xauth xdotool imagemagick x11-utils x11-xserver-utils openbox weston xwayland
    at-spi2-core dbus-daemon orca speech-dispatcher speech-dispatcher-espeak-ng
    fuse3 exfat-fuse exfatprogs dosfstools fusefat sshfs openssh-sftp-server
)

# What the Windows build and its run under Wine need.
ZEMBRO_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine)

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

# Configures build/ and builds it, or only the given targets.
#   zembro_build all [TARGET...]    tests and benchmarks too, warnings as errors (./test.sh)
#   zembro_build play [TARGET...]   what playing and installing need; a tree that ./test.sh
#                                   configured keeps its settings (switching would rebuild it all)
zembro_build() {
    local options=()
    if [ "$1" = all ]; then
        options=(-DZEMBRO_WERROR=ON -DZEMBRO_BUILD_TESTS=ON -DZEMBRO_BUILD_BENCH=ON)
    elif [ ! -f build/CMakeCache.txt ]; then
        options=(-DZEMBRO_WERROR=OFF -DZEMBRO_BUILD_TESTS=OFF -DZEMBRO_BUILD_BENCH=OFF)
    fi
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null &&
        cmake --build build -j2 "${targets[@]}"
}
