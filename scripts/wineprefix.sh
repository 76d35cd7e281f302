#!/bin/sh
# wineprefix.sh BUILD_DIR: prints the Wine prefix of the configured Windows
# build in BUILD_DIR (MERROWIN_WINEPREFIX, decided by cmake/mingw-i686.cmake).
set -e
prefix=$(sed -n 's/^MERROWIN_WINEPREFIX:[A-Z]*=//p' "$1/CMakeCache.txt" 2>/dev/null)
if [ -z "$prefix" ]; then
    echo "wineprefix.sh: $1 is not a configured Windows build (cmake --preset windows)" >&2
    exit 1
fi
echo "$prefix"
