#!/bin/sh
# wine-run.sh PREFIX [--retry-exit-crash] PROGRAM ARGS...
# Runs a Windows program under Wine in the Wine prefix PREFIX, creating the
# prefix on first use. Without a display it runs under a private Xvfb for
# this one call; scripts/with-display.sh provides one X server and a
# persistent wineserver for a whole test run instead.
#
# --retry-exit-crash (GoogleTest programs): under Wine a test program has
# now and then been seen to crash on its way out after every test in it
# passed. When the program fails although its output ends with GoogleTest's
# PASSED line and holds no FAILED line, it is run once more; any other
# failure stands.
set -e
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${1:?wine-run.sh PREFIX [--retry-exit-crash] PROGRAM ARGS...}"
shift
retry=false
if [ "${1:-}" = --retry-exit-crash ]; then retry=true; shift; fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$here/wine-prefix.sh"
xvfb="-screen 0 1280x1024x24 -nolisten tcp"
if ! $retry; then
    if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "$xvfb" wine "$@"; fi
    exec wine "$@"
fi
run() { if [ -z "${DISPLAY:-}" ]; then xvfb-run -a -s "$xvfb" wine "$@"; else wine "$@"; fi; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
set +e
run "$@" >"$log" 2>&1
status=$?
cat "$log"
if [ $status -ne 0 ] && grep -q '^\[  PASSED  \]' "$log" && ! grep -q '^\[  FAILED  \]' "$log"; then
    echo "wine-run.sh: $1 passed but ended with status $status; running it once more" >&2
    run "$@"
    status=$?
fi
exit $status
