#!/bin/sh
# placement_check.sh WINE_RUN PREFIX MERROWIN_EXE WORK_DIR NAME FORMAT DPI NEED SWITCH_AND_OPTIONS...
# (WINE_RUN PREFIX: the build's emulator, cmake/wine-run.sh and its prefix.)
# A page layout program places an EPS or PDF at any fraction of the
# printer's dot, and a PostScript or PDF printer paints every device pixel
# that any part of a shape touches (PostScript Language Reference, 3rd ed.,
# 7.5.1, "Scan Conversion Details"; the PDF Reference keeps the same rule).
# So a bar w dots wide placed at a fraction p of a dot paints
# ceil(p + w) - floor(p) pixels: drawn (1 - e)/2 dot inside each edge, a bar
# of n dots comes out n dots at a share 1 - e of placements and n + 1 at the
# rest.
#
# Saves /fmFORMAT (eps or pdf) and /fmpng of one command line (the PNG's
# pixels are the printer's dots), renders the file with Ghostscript at DPI
# shifted right by k/8 dot for k = 0..7 (BeginPage with a translate), and
# compares every bar and space across the middle row with the PNG's. Prints
# one line per placement and a summary "NAME: exact at X of 8, at most D dot
# off"; fails unless X >= NEED and D <= 1.
set -eu
wine_run=$1 prefix=$2 exe=$3 work=$4 name=$5 format=$6 dpi=$7 need=$8
shift 8
run() { "$wine_run" "$prefix" "$@"; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
fail() { echo "$*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
run reg delete 'HKCU\Software\Korvane\Merrowin' /f </dev/null >/dev/null 2>&1 || true
for f in "$format" png; do
    status=0
    run "$exe" "$@" "/fl$name" /nc "/dr$(winpath "$work")" "/fm$f" </dev/null || status=$?
    [ "$status" -eq 0 ] || fail "merrowin.exe $* /fm$f ended with status $status"
    [ -f "$work/$name.$f" ] || fail "no file $name.$f; the folder holds: $(ls "$work")"
done

# The runs "colour:length" across the middle row, the outer white left out.
widths() {
    image=$1
    set -- $(identify -format '%w %h' "$image")
    convert "$image" -crop "${1}x1+0+$(($2 / 2))" +repage -threshold 50% -compress none pbm:- |
        awk 'NR > 2 { for (i = 1; i <= NF; i++) {
                 if (n > 0 && $i == c) { n++ } else { if (n > 0) out = out c ":" n " "; c = $i; n = 1 } } }
             END { print out c ":" n }' |
        sed 's/^0:[0-9]* //; s/ 0:[0-9]*$//'
}
want=$(widths "$work/$name.png")
crop=
[ "$format" = eps ] && crop=-dEPSCrop
exact=0 worst=0
for k in 0 1 2 3 4 5 6 7; do
    # k/8 of a dot in points, and a page a point wider so nothing is cut.
    shift_pt=$(awk -v k="$k" -v d="$dpi" 'BEGIN { printf "%.9f", k / 8 * 72 / d }')
    out="$work/placed$k.png"
    gs -q -dSAFER -dBATCH -dNOPAUSE $crop -sDEVICE=pnggray "-r$dpi" -o "$out" \
        -c "<< /BeginPage { $shift_pt 0 translate } >> setpagedevice" -f "$work/$name.$format"
    got=$(widths "$out")
    off=$(printf '%s\n%s\n' "$want" "$got" | awk '
        NR == 1 { n = split($0, w, " ") } NR == 2 { m = split($0, g, " ") }
        END { if (n != m) { print "count"; exit }
              d = 0; for (i = 1; i <= n; i++) { split(w[i], a, ":"); split(g[i], b, ":")
                  e = b[2] - a[2]; if (e < 0) e = -e; if (e > d) d = e }
              print d }')
    [ "$off" = count ] && fail "placement $k/8: $(echo "$got" | wc -w) runs, the dots have $(echo "$want" | wc -w)
 got  $got
 want $want"
    [ "$off" -eq 0 ] && exact=$((exact + 1))
    [ "$off" -gt "$worst" ] && worst=$off
    bars=$(echo "$got" | tr ' ' '\n' | awk -F: '$1 == 1 { print $2 }' | sort -n | uniq | paste -sd/)
    echo "$name placement $k/8: bars $bars dots, at most $off off"
done
echo "$name: exact at $exact of 8, at most $worst dot off"
[ "$exact" -ge "$need" ] && [ "$worst" -le 1 ] ||
    fail "$name: exact at $exact of 8 (need $need), at most $worst dot off (need 1)"
