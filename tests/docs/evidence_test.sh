#!/usr/bin/env bash
# Every test that docs/bad-input.md names as evidence exists: a unit test by its suite and
# name, anything else as a CTest name (a trailing * for a family) or a fuzz target.
# Usage: evidence_test.sh SOURCE_DIR
cd "$1" || exit 1
missing=0
for name in $(grep -o '`[A-Za-z0-9_*]*[a-z][A-Za-z0-9_*]*\(\.[A-Za-z]*\)\?`' docs/bad-input.md | tr -d '`' | sort -u); do
    case $name in
    *.*) grep -rqE "TEST(_F|_P)?\(${name%%.*}, ${name#*.}\)" tests/unit ;;
    *\*) grep -qE "(NAME |zembro_script\()${name%\*}" tests/CMakeLists.txt ;;
    *) grep -qw "$name" tests/CMakeLists.txt fuzz/CMakeLists.txt ||
        grep -qF "(${name%_*}_\${" tests/CMakeLists.txt ;; # one of a foreach's tests
    esac || {
        echo "docs/bad-input.md names $name, which no test is"
        missing=$((missing + 1))
    }
done
[ "$missing" -eq 0 ]
