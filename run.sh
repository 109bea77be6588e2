#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zembro in its run folder with the default
# pictures and settings.
#   ./run.sh                    play from the build tree
#   ./run.sh install [PREFIX]   install for this user (PREFIX defaults to ~/.local), so that
#                               Zembro appears in the applications menu
#   ./run.sh deb                build the Debian package into build/deb/, check it with lintian
#                               and start it from a temporary root
#   ./run.sh windows            build zembro.exe with mingw-w64 into
#                               build-win/zembro-VERSION-windows.zip, to unzip anywhere
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zembro_install_missing

if [ "${1:-}" = install ]; then
    zembro_build play
    prefix=${2:-$HOME/.local}
    cmake --install build --prefix "$prefix"
    # Let the desktop see the new entry and icon at once, where it keeps caches.
    command -v update-desktop-database >/dev/null && update-desktop-database -q "$prefix/share/applications" || true
    command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$prefix/share/icons/hicolor" || true
    echo "Zembro is installed in $prefix: start it from the applications menu or with $prefix/bin/zembro"
    exit 0
fi

if [ "${1:-}" = deb ]; then
    # The packaging tools, and what the package's start under Xvfb needs.
    ZEMBRO_PACKAGES+=(build-essential debhelper dpkg-dev fakeroot lintian man-db xvfb xauth xdotool imagemagick x11-utils)
    zembro_install_missing
    dpkg-buildpackage -us -uc -b
    # dpkg-buildpackage writes beside the source folder; keep what it made in build/deb/.
    mkdir -p build/deb
    version=$(dpkg-parsechangelog -S Version)
    mv ../zembro_"$version"_* ../zembro-dbgsym_"$version"_* build/deb/ 2>/dev/null || true
    debian/rules clean >/dev/null
    deb=$(ls build/deb/zembro_"$version"_*.deb)
    lintian --fail-on error "$deb"
    bash tests/e2e/package_test.sh "$deb"
    echo "The package is $deb: install it with sudo apt install ./$deb"
    exit 0
fi

if [ "${1:-}" = windows ]; then
    scripts/windows_build.sh
    version=$(sed -n 's/^project(Zembro VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    stage=build-win/zip/Zembro
    rm -rf build-win/zip && mkdir -p "$stage/strumenti"
    cp build-win/zembro.exe build/run/Option.opt "$stage/"
    cp -r build/run/Immagini build/run/Contatori "$stage/"
    # The command-line tool apart, where a double click does not find it by chance.
    cp build-win/zembro-tool.exe "$stage/strumenti/"
    # A word for the player, as Windows' Notepad reads it: UTF-8 with its mark, CR LF.
    { printf '\xef\xbb\xbf'; sed 's/$/\r/' packaging/windows/LEGGIMI.txt; } >"$stage/LEGGIMI.txt"
    zip=zembro-$version-windows.zip
    (cd build-win/zip && cmake -E tar cf "../$zip" --format=zip Zembro)
    echo "The game is build-win/$zip: unzip it anywhere and start Zembro\\zembro.exe"
    exit 0
fi

# Only what playing needs: the game and the pictures and settings of its run folder.
zembro_build play zembro default_pictures
cd build/run
exec ../zembro
