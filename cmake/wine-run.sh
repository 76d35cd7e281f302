#!/bin/sh
# Runs a Windows program under Wine in the build folder's own prefix (never
# the user's), creating the prefix on first use. Without a display it runs
# under a private Xvfb for this one call; scripts/test.sh provides one X
# server and a persistent wineserver for a whole test run instead.
set -e
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
build=$(cd "$(dirname "$exe")" && pwd)
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != / ]; do build=$(dirname "$build"); done
export WINEPREFIX="${MERROWIN_WINEPREFIX:-$build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$here/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" wine "$@"
fi
exec wine "$@"
