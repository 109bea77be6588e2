#!/usr/bin/env bash
# The command lines of both programs: --help and --version print and end with status 0 without
# a display (so without a window), anything else ends with status 2 and says what was refused.
# Usage: command_line_test.sh PATH_TO_ZEMBRO PATH_TO_ZEMBRO_TOOL VERSION
set -u
failures=0
# check NAME EXIT STDOUT_PATTERN STDERR_PATTERN -- COMMAND...
check() {
    local name=$1 want_exit=$2 out_pattern=$3 err_pattern=$4 out err status
    shift 5
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@" 2>/tmp/zembro-cl.$$)
    status=$?
    err=$(cat /tmp/zembro-cl.$$)
    if [ "$status" != "$want_exit" ] || ! grep -qE "$out_pattern" <<<"$out" ||
        ! grep -qE "$err_pattern" <<<"$err"; then
        failures=$((failures + 1))
        printf 'FAIL %s: exit %s (wanted %s)\nstdout: %s\nstderr: %s\n' "$name" "$status" \
            "$want_exit" "$out" "$err"
    fi
}
game=$1 tool=$2 version=$3
check "game --help" 0 '^usage: zembro ' '^$' -- "$game" --help
check "game -h" 0 '^usage: zembro ' '^$' -- "$game" -h
check "game --version" 0 "^zembro $version\$" '^$' -- "$game" --version
check "game, a Qt option" 2 '^$' "^zembro: unknown argument '-platform'" -- "$game" -platform offscreen
check "game, two options" 2 '^$' "^zembro: unknown argument '--version'" -- "$game" --help --version
check "tool --help" 0 '^usage: zembro-tool ' '^$' -- "$tool" --help
check "tool --version" 0 "^zembro-tool $version\$" '^$' -- "$tool" --version
check "tool, unknown" 2 '^$' "^zembro-tool: unknown command '--verbose'" -- "$tool" --verbose
rm -f /tmp/zembro-cl.$$
[ "$failures" -eq 0 ] && echo "command lines: all passed"
exit $((failures > 0))
