#!/bin/sh
# format_check.sh WINE_RUN PREFIX MERROWIN_EXE WORK_DIR EXPECTED FORMAT DPI REFERENCE SWITCH_AND_OPTIONS...
# (WINE_RUN PREFIX: the build's emulator, cmake/wine-run.sh and its prefix.)
# Saves one symbol with merrowin.exe under Wine (built-in settings, file
# only) as /fmFORMAT and as the metafile, and judges the file as its
# consumers see it:
#  - with /mw or /dp it states the metafile's frame to .01 mm (EPS
#    %%HiResBoundingBox, PDF MediaBox, SVG width and height, PNG pixels at
#    its resolution); without them the metafile has the screen's size and
#    the file GS1's nominal module;
#  - rendered at DPI as a print shop or a web page renders it (Ghostscript
#    for EPS and PDF, librsvg for SVG, the PNG as it is), every bar and
#    space across the bars is measured: REFERENCE "png" wants exactly the
#    widths of the PNG of the same command line, whose pixels are the
#    printer's dots; "dots:DOTS" every width a whole number of DOTS (half a
#    module of whole dots); "nominal:DOTS" every width within one dot of a
#    whole number of DOTS (half the nominal module at DPI: JAN and ITF
#    elements are whole half modules);
#  - an EPS or PDF lays down black ink alone: Ghostscript's ink coverage
#    has cyan, magenta and yellow 0;
#  - a reader (zbarimg) decodes it to EXPECTED, the data and check digit.
# EXPECTED may be NAME=READ when the file's name and the reading differ: a
# book code reads as its two symbols, READ their numbers in sorted order
# joined by "+", and its widths are measured across its upper tier.
set -eu
wine_run=$1 prefix=$2 exe=$3 work=$4 expected=$5 format=$6 dpi=$7 reference=$8
shift 8
name=${expected%%=*}
expected=${expected#*=}
# The row measured: the middle, or a quarter down through a book code's
# upper tier.
rows=2
[ "$name" = "$expected" ] || rows=4
run() { "$wine_run" "$prefix" "$@"; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
fail() { echo "$*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/metafile" "$work/png"
run reg delete 'HKCU\Software\Korvane\Merrowin' /f </dev/null >/dev/null 2>&1 || true

save() {  # save FOLDER OPTIONS...: one run, the file only
    folder=$1
    shift
    status=0
    run "$exe" "$@" /fl /nc "/dr$(winpath "$folder")" </dev/null || status=$?
    [ "$status" -eq 0 ] || fail "merrowin.exe $* ended with status $status"
}
save "$work" "$@" "/fm$format"
save "$work/metafile" "$@"
[ "$reference" != png ] || [ "$format" = png ] || save "$work/png" "$@" /fmpng
sized=false
case " $* " in *" /mw"* | *" /dp"* | *" /MW"* | *" /DP"*) sized=true ;; esac
file="$work/$name.$format"
[ -f "$file" ] || fail "no file $name.$format; the folder holds: $(ls "$work")"
emf="$work/metafile/$name.emf"
[ -f "$emf" ] || fail "no metafile $name.emf"

# The metafile's frame, .01 mm: rclFrame's right and bottom (bytes 32-39).
set -- $(od -An -tu4 -j32 -N8 "$emf")
frame_w=$1 frame_h=$2
# awk: "same" when the two numbers differ by at most the third.
near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !((a - b) <= d && (b - a) <= d) }'; }
# .01 mm in points and mm, and pixels at DPI in .01 mm, to 6 decimals.
points() { awk -v f="$1" 'BEGIN { printf "%.6f", f * 72 / 2540 }'; }
$sized || format=skip-frame-$format
case $format in
eps | pdf)
    if [ "$format" = eps ]; then
        box=$(sed -n 's/^%%HiResBoundingBox: 0 0 //p' "$file")
    else
        box=$(LC_ALL=C grep -ao '/MediaBox\[0 0 [0-9.]* [0-9.]*\]' "$file" | tr -d '/MediaBox[]' |
            sed 's/^0 0 //')
    fi
    set -- $box
    near "$1" "$(points "$frame_w")" 0.0001 && near "$2" "$(points "$frame_h")" 0.0001 ||
        fail "$format states $box points, the metafile $frame_w x $frame_h (.01 mm)"
    ;;
svg)
    size=$(grep -o 'width="[0-9.]*mm" height="[0-9.]*mm"' "$file" | tr -dc '0-9. ')
    set -- $size
    near "$1" "$(awk -v f="$frame_w" 'BEGIN { printf "%.6f", f / 100 }')" 0.001 &&
        near "$2" "$(awk -v f="$frame_h" 'BEGIN { printf "%.6f", f / 100 }')" 0.001 ||
        fail "svg states $size mm, the metafile $frame_w x $frame_h (.01 mm)"
    ;;
png)
    set -- $(identify -format '%w %h' "$file")
    near "$(awk -v p="$1" -v d="$dpi" 'BEGIN { printf "%.6f", p * 2540 / d }')" "$frame_w" 0.5 &&
        near "$(awk -v p="$2" -v d="$dpi" 'BEGIN { printf "%.6f", p * 2540 / d }')" "$frame_h" 0.5 ||
        fail "png is $1 x $2 pixels at $dpi dpi, the metafile $frame_w x $frame_h (.01 mm)"
    ;;
esac
format=${format#skip-frame-}

rendered="$work/rendered.png"
case $format in
eps) gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=pnggray "-r$dpi" -o "$rendered" "$file" ;;
pdf) gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray "-r$dpi" -o "$rendered" "$file" ;;
svg) rsvg-convert -d "$dpi" -p "$dpi" -b white -o "$rendered" "$file" 2>/dev/null ;;
png) cp "$file" "$rendered" ;;
esac

# The runs "colour:length" across the middle row (a book code's: a
# quarter down), where every symbol has its bars (and an ITF its frame's
# sides), the margins left out.
runs() {
    image=$1
    set -- $(identify -format '%w %h' "$image")
    convert "$image" -crop "${1}x1+0+$(($2 / rows))" +repage -threshold 50% -compress none pbm:- |
        awk 'NR > 2 { for (i = 1; i <= NF; i++) {
                 if (n > 0 && $i == c) { n++ } else { if (n > 0) out = out c ":" n " "; c = $i; n = 1 } } }
             END { print out c ":" n }' |
        sed 's/^0:[0-9]* //; s/ 0:[0-9]*$//'
}
got=$(runs "$rendered")
case $reference in
png)
    if [ "$format" != png ]; then
        ref="$work/png/$name.png"
        # librsvg turns a size in mm into pixels with a float's error and
        # rounds up: a side exactly n dots may come out n + 1.
        slack=0
        [ "$format" = svg ] && slack=1
        set -- $(identify -format '%w %h' "$rendered") $(identify -format '%w %h' "$ref")
        near "$1" "$3" $slack && near "$2" "$4" $slack ||
            fail "rendered $1 x $2, the printer's picture $3 x $4 dots"
        want=$(runs "$ref")
        [ "$got" = "$want" ] || fail "widths at $dpi dpi differ from the dots:
 got  $got
 want $want"
    fi
    ;;
dots:*)
    half=${reference#dots:}
    bad=$(echo "$got" | tr ' ' '\n' | awk -F: -v h="$half" '$2 % h != 0 { print $0 }')
    [ -z "$bad" ] || fail "widths not a whole number of $half dots: $bad
 all: $got"
    ;;
nominal:*)
    half=${reference#nominal:}
    bad=$(echo "$got" | tr ' ' '\n' | awk -F: -v h="$half" '
        { k = int($2 / h + 0.5); if (k < 1) k = 1; d = $2 - k * h; if (d > 1 || d < -1) print $0 }')
    [ -z "$bad" ] || fail "widths more than a dot off a whole number of $half dots: $bad
 all: $got"
    ;;
esac

case $format in
eps | pdf)
    ink=$(gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=inkcov -o - "$file")
    echo "$ink" | awk '{ exit !($1 == 0 && $2 == 0 && $3 == 0 && $4 > 0) }' ||
        fail "ink other than black: $ink (C M Y K)"
    ;;
esac

got=$(zbarimg --raw -q -Sdisable -Sean13.enable -Sean8.enable -Si25.enable -Scode128.enable "$rendered" |
    LC_ALL=C sort | paste -sd+ || true)
[ "$got" = "$expected" ] || fail "the reader gave '$got', not '$expected'"
