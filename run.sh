#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zembro in its run folder with the default
# pictures and settings.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zembro_install_missing
zembro_build OFF
cd build/run
exec ../zembro
