#!/usr/bin/env bash
# Mutation testing of src/game, src/store and src/render against the fast suite: a seeded
# sample of 200 mutants, two at a time, each worker with its own sources and build folder in
# build-mutation/. Prints every mutant, the survivors and the kill rate (about 15 minutes on
# two cores). Not part of ./test.sh. Extra arguments go to scripts/mutation.py (--matrix FILE,
# --sites FILE, --count, --seed).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ZEMBRO_PACKAGES+=("${ZEMBRO_TEST_PACKAGES[@]}" python3 rsync)
zembro_install_missing
exec python3 scripts/mutation.py "$@"
