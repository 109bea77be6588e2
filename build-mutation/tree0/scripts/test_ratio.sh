#!/usr/bin/env bash
# Lines of tests (C++ and shell, under tests/) against lines of code (src/ and tools/), both
# counted without blank lines and comment lines.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' \) -print0 |
        xargs -0 awk '
            /^[[:space:]]*$/ { next }
            /^[[:space:]]*\/\// { next }
            FILENAME ~ /\.sh$/ && /^[[:space:]]*#/ { next }
            { n++ }
            END { print n + 0 }'
}
code=$(count src tools)
tests=$(count tests)
echo "code $code, tests $tests: $((100 * tests / code)) %"
