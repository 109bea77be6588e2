#!/usr/bin/env bash
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer, libFuzzer)
# and runs them side by side for SECONDS. Seeds: the public BMP suite beside the checkout and the
# default run folder. Findings land in build-fuzz/findings.
# With --build, only builds every target (as CI does) and runs none.
# Usage: fuzz/run.sh SECONDS [TARGET...] | fuzz/run.sh --build
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...] | fuzz/run.sh --build}
shift
targets=("${@:-fuzz_bmp fuzz_startup}")
read -ra targets <<<"${targets[*]}"

source scripts/deps.sh
ZEMBRO_PACKAGES+=(clang libclang-rt-14-dev)
zembro_install_missing
# The default pictures come from the normal build.
zembro_build play default_pictures >/dev/null
cmake -S . -B build-fuzz -G Ninja -DZEMBRO_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" \
    -DZEMBRO_DEFAULT_RUN_DIR="$PWD/build/run" >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]}"
[ "$seconds" = --build ] && exit 0

corpus=build-fuzz/corpus
mkdir -p build-fuzz/findings "$corpus/fuzz_bmp" "$corpus/fuzz_startup"
cp -n ../shared/bmpsuite/*/*.bmp build/run/*/*.bmp "$corpus/fuzz_bmp/" 2>/dev/null || true
for f in build/run/Contatori/Numeri.bmp build/run/Immagini/Pedone2.bmp build/run/Option.opt build/run/Immagini/Pedine.pos; do
    for k in 0 7 19 33; do printf "\\x$(printf %02x $k)" | cat - "$f" >"$corpus/fuzz_startup/$k-$(basename "$f")"; done
done

run_one() {
    local target=$1
    ./build-fuzz/fuzz/"$target" -max_total_time="$seconds" -max_len=1100000 -timeout=2 -rss_limit_mb=2048 \
        -artifact_prefix=build-fuzz/findings/"$target"- -print_final_stats=1 \
        "$corpus/$target" >build-fuzz/"$target".log 2>&1
    echo "$target: $(grep -E 'stat::number_of_executed_units|cov:' build-fuzz/"$target".log | tail -n 2 | tr '\n' ' ')"
}
status=0
for target in "${targets[@]}"; do run_one "$target" & done
for job in $(jobs -p); do wait "$job" || status=1; done
ls build-fuzz/findings
exit $status
