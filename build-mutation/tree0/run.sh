#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zembro in its run folder with the default
# pictures and settings.
#   ./run.sh                    play from the build tree
#   ./run.sh install [PREFIX]   install for this user (PREFIX defaults to ~/.local), so that
#                               Zembro appears in the applications menu
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zembro_install_missing

if [ "${1:-}" = install ]; then
    zembro_build OFF
    prefix=${2:-$HOME/.local}
    cmake --install build --prefix "$prefix"
    # Let the desktop see the new entry and icon at once, where it keeps caches.
    command -v update-desktop-database >/dev/null && update-desktop-database -q "$prefix/share/applications" || true
    command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$prefix/share/icons/hicolor" || true
    echo "Zembro is installed in $prefix: start it from the applications menu or with $prefix/bin/zembro"
    exit 0
fi

# Only what playing needs: the game, the tool and the pictures of its run folder.
zembro_build OFF zembro zembro-tool default_pictures
cd build/run
exec ../zembro
