#!/bin/sh
# Sets up a fresh Debian machine, builds merrowin.exe and runs it under Wine
# with the given arguments, e.g.  scripts/run.sh /j13 /cd490123456789 /fl
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target merrowin -j "$(nproc)" >/dev/null
exe=build/windows/merrowin.exe
[ $# -gt 0 ] || set -- /j13 /cd490123456789 /fl
scripts/with-display.sh cmake/wine-run.sh "$exe" "$@"
