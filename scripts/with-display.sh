#!/bin/sh
# with-display.sh [BUILD_DIR] COMMAND...
# Runs COMMAND with an X server and one persistent wineserver for the Wine
# prefix of the configured Windows build in BUILD_DIR (build/windows when
# not given; exported to COMMAND as WINEPREFIX), and stops both afterwards.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
inner() {
    "$root/cmake/wine-prefix.sh"
    wineserver -p 2>/dev/null || true  # one may be running already: use it
    # Start Wine's background services now, away from any pipe: started by
    # the first test they would inherit its output pipe and keep it open.
    wine cmd /c exit </dev/null >/dev/null 2>&1
    set +e
    "$@"; rc=$?
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    exit $rc
}
if [ "${1:-}" = --inner ]; then shift; inner "$@"; fi
build=$root/build/windows
if [ -f "${1:-}/CMakeCache.txt" ]; then build=$1; shift; fi
WINEPREFIX=$("$root/scripts/wineprefix.sh" "$build")
export WINEPREFIX WINEDEBUG=-all
if [ -n "${DISPLAY:-}" ]; then inner "$@"; fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" --inner "$@"
