#!/bin/sh
# Sets up a fresh Debian machine, builds merrowin.exe and runs it under Wine
# with the given arguments, e.g.  sh scripts/run.sh /j13 /cd490123456789 /fl
# Without arguments it makes that JAN-13. Says where a saved file went.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target merrowin -j "$(nproc)" >/dev/null
build=$root/build/windows
exe=$build/merrowin.exe
prefix=$(scripts/wineprefix.sh "$build")
[ $# -gt 0 ] || set -- /j13 /cd490123456789 /fl
stamp=$(mktemp)
trap 'rm -f "$stamp"' EXIT
cd "${MERROWIN_RUN_DIR:-$OLDPWD}"
set +e
if [ -n "${DISPLAY:-}" ]; then
    "$root/scripts/with-display.sh" "$build" "$root/cmake/wine-run.sh" "$prefix" "$exe" "$@"
    status=$?
else
    # On a private X server nobody can close a window the run leaves open
    # (the error state waits for its exit button): after a while take a
    # picture of the screen and end the run.
    shot=$build/last-screen.png
    "$root/scripts/with-display.sh" "$build" sh "$root/scripts/run-unattended.sh" "$shot" \
        "$root/cmake/wine-run.sh" "$prefix" "$exe" "$@"
    status=$?
fi
set -e
echo "merrowin.exe $* -> exit status $status"
# The file lands in the folder given or stored, in Documents (which the Wine
# prefix links to your home folder), or in the current folder.
find -L . "$HOME" "$prefix/drive_c/users" -maxdepth 3 -name '*.emf' -newer "$stamp" \
    -exec readlink -f {} \; 2>/dev/null | sort -u | sed 's/^/saved: /'
exit $status
