#!/usr/bin/env bash
# Lines of tests (every file under tests/ and fuzz/, whatever its kind: C++, shell, Python, CMake,
# scenario tables and other test data) against lines of code (every file under src/ and tools/),
# both without blank lines and comment lines. Binary files count as none.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    git ls-files -z --cached --others --exclude-standard "$@" | xargs -0 awk '
        FNR == 1 { binary = 0; cpp = FILENAME ~ /\.(cpp|h)$/; block = 0 }
        /\0/ { binary = 1 }
        binary { next }
        /^[[:space:]]*$/ { next }
        cpp && block { if ($0 ~ /\*\//) block = 0; next }
        cpp && /^[[:space:]]*\/\*/ { block = $0 !~ /\*\//; next }
        cpp && /^[[:space:]]*\/\// { next }
        !cpp && /^[[:space:]]*#/ && !/^#!/ { next }
        { n++ }
        END { print n + 0 }'
}
code=$(count src tools)
tests=$(count tests fuzz)
echo "code $code, tests $tests: $((100 * tests / code)) %"
