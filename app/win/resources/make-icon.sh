#!/bin/sh
# Draws the program's icon, a small barcode on a white label, pixel by pixel
# at 16, 24, 32, 48 and 256 pixels (Explorer's large views would otherwise
# upscale the 48), and writes merrowin.ico beside this script; the 256 is
# stored PNG-compressed, as Windows Vista and later take it.
# Needs ImageMagick (convert). The .ico is committed; run this after a change.
set -e
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Bar and space widths from the left, bar first, in units of 1/16 of the
# icon: 12 units between two units of label on each side. A unit edge lands
# on the pixel u * size / 16 (rounded down), so at 24 pixels the bars are
# one or two pixels wide.
widths="1 1 2 1 1 2 1 1 2"
for size in 16 24 32 48 256; do
    last=$((size - 1))
    px() { echo $(($1 * size / 16)); }
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
            draw="$draw fill black rectangle $(px $x),$(px 3) $(($(px $((x + w))) - 1)),$(($(px $bottom) - 1))"
        fi
        x=$((x + w))
        bar=$((1 - bar))
    done
    convert -size "${size}x${size}" xc:none +antialias -draw "$draw" "PNG32:$work/icon$size.png"
done
convert "$work/icon16.png" "$work/icon24.png" "$work/icon32.png" "$work/icon48.png" \
    "$work/icon256.png" "$here/merrowin.ico"
