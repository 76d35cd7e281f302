#!/bin/sh
# Draws the program's icon, a small barcode on a white label, pixel by pixel
# at 16, 32 and 48 pixels, and writes merrowin.ico beside this script.
# Needs ImageMagick (convert). The .ico is committed; run this after a change.
set -e
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Bar and space widths from the left, bar first, in units of 1/16 of the
# icon: 12 units between two units of label on each side.
widths="1 1 2 1 1 2 1 1 2"
for size in 16 32 48; do
    s=$((size / 16))
    last=$((size - 1))
    draw="fill #f8f8f8 rectangle 0,0 $last,$last"
    draw="$draw fill #4a5868 rectangle 0,0 $last,0 rectangle 0,$last $last,$last"
    draw="$draw rectangle 0,0 0,$last rectangle $last,0 $last,$last"
    x=2 bar=1 n=0
    for w in $widths; do
        if [ $bar -eq 1 ]; then
            n=$((n + 1))
            # The two outer bars at each end are guard bars, one unit longer.
            bottom=12
            case $n in 1 | 5) bottom=13 ;; esac
            draw="$draw fill black rectangle $((x * s)),$((3 * s)) $(((x + w) * s - 1)),$((bottom * s - 1))"
        fi
        x=$((x + w))
        bar=$((1 - bar))
    done
    convert -size "${size}x${size}" xc:none +antialias -draw "$draw" "PNG32:$work/icon$size.png"
done
convert "$work/icon16.png" "$work/icon32.png" "$work/icon48.png" "$here/merrowin.ico"
