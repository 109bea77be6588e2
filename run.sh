#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zembro in its run folder.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zembro_install_missing
zembro_build OFF

# The game window comes with a later step of the project; until then the
# command-line companion is what runs, on the same rules the game will use.
mkdir -p build/run
cd build/run
echo "The game window is not built yet. zembro-tool drives the game's rules:"
echo
../zembro-tool --help
