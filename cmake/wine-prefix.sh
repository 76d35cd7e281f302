#!/bin/sh
# Makes $WINEPREFIX ready once: a 32-bit prefix whose font mapping gives the
# face "OCRB" the installed OCR-B font and the windows' Japanese face a
# Japanese font. Safe to call from parallel test runs.
set -e
: "${WINEPREFIX:?}"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$WINEPREFIX/.merrowin-ready" ] && exit 0
export WINEARCH=win32 WINEDEBUG=-all
reg="$(dirname "$WINEPREFIX")/wine-fonts.reg"
{ printf '\357\273\277'; cat "$here/wine-fonts.reg"; } | iconv -f UTF-8 -t UTF-16LE > "$reg"
run() { if [ -z "${DISPLAY:-}" ]; then xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"; else "$@"; fi; }
run sh -c 'wineboot -i >/dev/null 2>&1; wine regedit /S "$1" >/dev/null 2>&1; wineserver -w' sh "$reg"
touch "$WINEPREFIX/.merrowin-ready"
