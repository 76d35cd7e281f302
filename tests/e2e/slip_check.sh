#!/bin/sh
# slip_check.sh WINE_RUN PREFIX MERROWIN_EXE EMF2BMP_EXE WORK_DIR EXPECTED SWITCH_AND_OPTIONS...
# (WINE_RUN PREFIX: the build's emulator, cmake/wine-run.sh and its prefix.)
# A payment slip (/cv) as the stores' scanners must take it: saved with
# merrowin.exe under Wine (built-in settings, file only) as the metafile
# and as a PDF; the metafile's frame, the symbol with its quiet zones, no
# wider than 60 mm; both read by zbarimg as GS1-128 (Code 128 whose first
# character is FNC1: zbar's GS1 modifier) holding exactly EXPECTED, the 44
# digits: the .emf rendered three times its size, the PDF by Ghostscript
# at 600 dpi.
set -eu
wine_run=$1 prefix=$2 exe=$3 emf2bmp=$4 work=$5 expected=$6
shift 6
run() { "$wine_run" "$prefix" "$@"; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
fail() { echo "$*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/pdf"
run reg delete 'HKCU\Software\Korvane\Merrowin' /f </dev/null >/dev/null 2>&1 || true
save() {  # save FOLDER OPTIONS...
    folder=$1
    shift
    status=0
    run "$exe" "$@" /fl /nc "/dr$(winpath "$folder")" </dev/null || status=$?
    [ "$status" -eq 0 ] || fail "merrowin.exe $* ended with status $status"
}
save "$work" "$@"
save "$work/pdf" "$@" /fmpdf
emf="$work/$expected.emf"
pdf="$work/pdf/$expected.pdf"
[ -f "$emf" ] || fail "no file $expected.emf; the folder holds: $(ls "$work")"
[ -f "$pdf" ] || fail "no file $expected.pdf"

# rclFrame (bytes 24-39): left, top, right, bottom in .01 mm.
set -- $(od -An -td4 -j24 -N16 "$emf")
width=$(($3 - $1))
[ "$width" -le 6000 ] || fail "the symbol is $width (.01 mm) wide, more than 60 mm"

# read IMAGE: zbarimg's one symbol, as "TYPE MODIFIERS DATA".
read_symbol() {
    zbarimg -q --xml -Sdisable -Scode128.enable "$1" 2>/dev/null |
        sed -n "s/.*<symbol type='\([^']*\)'.*modifiers='\([^']*\)'.*<data><!\[CDATA\[\([^]]*\)\]\]>.*/\1 \2 \3/p"
}
run "$emf2bmp" "$(winpath "$emf")" "$(winpath "$work/symbol.bmp")" 3 </dev/null >/dev/null
got=$(read_symbol "$work/symbol.bmp")
[ "$got" = "CODE-128 GS1 $expected" ] || fail "the metafile read '$got', not GS1-128 $expected"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r600 -o "$work/pdf.png" "$pdf"
got=$(read_symbol "$work/pdf.png")
[ "$got" = "CODE-128 GS1 $expected" ] || fail "the PDF at 600 dpi read '$got', not GS1-128 $expected"
echo "read GS1-128 $expected, $width (.01 mm) wide"
rm -rf "$work"
