#!/bin/sh
# Starts Zembro in the player's own folder, preparing it on the first start: a copy of the
# default settings (never overwritten afterwards) and links to the shared pictures, so that a new
# version's pictures reach the player. A picture folder of the player's own is left alone.
set -eu
prefix=$(cd "$(dirname "$(readlink -f "$0")")/.." && pwd)
shared="$prefix/share/zembro"
game="$prefix/libexec/zembro/zembro"
# A command line (--help, --version or a mistake) is for the game alone: nothing is prepared.
[ $# -eq 0 ] || exec "$game" "$@"
home="${XDG_DATA_HOME:-$HOME/.local/share}/zembro"
mkdir -p "$home"
[ -e "$home/Option.opt" ] || cp "$shared/Option.opt" "$home/Option.opt"
for folder in Immagini Contatori; do
    if [ -L "$home/$folder" ] || [ ! -e "$home/$folder" ]; then
        ln -sfn "$shared/$folder" "$home/$folder"
    fi
done
cd "$home"
exec "$game"
