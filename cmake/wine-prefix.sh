#!/bin/sh
# Makes $WINEPREFIX ready once: a 32-bit prefix where Wine draws window
# frames itself and manages the windows itself (no window manager under
# Xvfb: a managed window waits 2 s for one on hiding, which every closed
# window would add to the process's end), whose font mapping gives the
# face "OCRB" the installed OCR-B font and the windows' Japanese face a
# Japanese font. Safe to call from parallel test runs, and while a
# persistent wineserver runs (the wait for the server is bounded).
set -e
: "${WINEPREFIX:?}"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
# The stamp names the font mapping it was made with, so a changed mapping
# is applied to an existing prefix.
stamp="$WINEPREFIX/.merrowin-ready-$(md5sum < "$here/wine-prefix.reg" | cut -c1-12)"
[ -f "$stamp" ] && exit 0
export WINEARCH=win32 WINEDEBUG=-all
# No .NET or HTML engine: their installers would ask on a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
reg="$(dirname "$WINEPREFIX")/wine-prefix.reg"
{ printf '\357\273\277'; cat "$here/wine-prefix.reg"; } | iconv -f UTF-8 -t UTF-16LE > "$reg"
run() { if [ -z "${DISPLAY:-}" ]; then xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"; else "$@"; fi; }
run sh -c '[ -d "$WINEPREFIX/drive_c" ] || wineboot -i >/dev/null 2>&1; wine regedit /S "$1" >/dev/null 2>&1; timeout 10 wineserver -w || true' sh "$reg"
rm -f "$WINEPREFIX"/.merrowin-ready*
touch "$stamp"
