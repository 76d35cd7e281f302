#!/bin/bash
# Whole-process figures under Wine (called by bench/run.sh through
# scripts/with-display.sh: an X server, a running wineserver and the
# build's WINEPREFIX): the CPU time (user + system) of repeated runs of
# merrowin.exe and of the empty program, their ratio, the saved metafile of
# each kind beside Zint's EMF of the same symbol, each file format (/fm)
# beside Zint's, and the exe's size. CPU
# time, not wall time: Wine's wall times come in steps of about 25 ms.
set -e
runs=${1:-21}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
winout=$(winepath -w "$out")

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
cpu() {  # command...: prints its CPU time (user + system, children included) in ms
    local TIMEFORMAT='%3U %3S' times
    times=$( { time "$@" >/dev/null 2>&1; } 2>&1 ) || true
    awk -v t="$times" 'BEGIN { split(t, p, " "); printf "%d\n", (p[1] + p[2]) * 1000 }'
}

# The two programs take turns, so a slow spell of the machine falls on both.
wine "$build/empty_app.exe" >/dev/null 2>&1 || true  # warm the caches
for ((i = 0; i < runs; i++)); do
    cpu wine "$build/empty_app.exe" >> "$out/empty.times"
    cpu wine "$build/merrowin.exe" /j13 /cd490123456789 /fl "/dr$winout" >> "$out/run.times"
done
empty=$(median < "$out/empty.times")
run=$(median < "$out/run.times")
echo "== Whole process under Wine, CPU time (user + system), median of $runs runs each (target: ratio at most 1.30)"
echo "empty Win32 program:  $empty ms"
echo "merrowin /j13 /cd490123456789 /fl (clipboard and file): $run ms"
awk -v a="$run" -v b="$empty" 'BEGIN { printf "ratio: %.2f\n", a / b }'

echo "== Saved metafile at 100 % (bytes): merrowin beside Zint's EMF of the same symbol"
printf '%-34s %9s %6s\n' symbol merrowin zint
while IFS='|' read -r label ours zintargs; do
    # shellcheck disable=SC2086
    wine "$build/merrowin.exe" $ours /flbench /nc /cr100 "/dr$winout" >/dev/null 2>&1 || true
    # shellcheck disable=SC2086
    zint $zintargs --filetype=emf -o "$out/zint.emf" >/dev/null 2>&1 || true
    printf '%-34s %9s %6s\n' "$label" "$(stat -c %s "$out/bench.emf" 2>/dev/null || echo -)" \
        "$(stat -c %s "$out/zint.emf" 2>/dev/null || echo -)"
    rm -f "$out/bench.emf" "$out/zint.emf"
done <<'CASES'
JAN-13 (EAN-13) 4901234567894|/j13 /cd490123456789|-b EANX -d 490123456789
JAN-8 (EAN-8) 49012347|/j8 /cd4901234|-b EANX -d 4901234
ITF-14 with bearer frame|/i14f /cd1490123456789|-b ITF14 -d 1490123456789
ITF-16 (2 of 5, 16 digits, box)|/i16f /cd123456789012345|-b 3 -d 1234567890123452 --box --border=5
CASES
echo "== Files for print and web (bytes): merrowin /fmFORMAT beside Zint's file of the same symbol"
echo "   (EPS, PDF, SVG at GS1's nominal module, digits as outlines; PNG at 600 dpi beside Zint's PNG"
echo "   of the same pixels a module: --scale=4 for 8, --scale=12 for 24; Zint writes no PDF)"
printf '%-34s %9s %6s\n' file merrowin zint
while IFS='|' read -r label ours zintargs pngscale; do
    for format in eps pdf svg png; do
        scale=""
        [ "$format" = png ] && scale=--scale=$pngscale
        # shellcheck disable=SC2086
        wine "$build/merrowin.exe" $ours /flbench /nc "/fm$format" "/dr$winout" >/dev/null 2>&1 || true
        # shellcheck disable=SC2086
        zint $zintargs $scale --filetype=$format -o "$out/zint.$format" >/dev/null 2>&1 || true
        printf '%-34s %9s %6s\n' "$label .$format" \
            "$(stat -c %s "$out/bench.$format" 2>/dev/null || echo -)" \
            "$(stat -c %s "$out/zint.$format" 2>/dev/null || echo -)"
        rm -f "$out/bench.$format" "$out/zint.$format"
    done
done <<'CASES'
JAN-13 4901234567894|/j13 /cd490123456789|-b EANX -d 490123456789|4
ITF-14 with bearer frame|/i14f /cd1490123456789|-b ITF14 -d 1490123456789|12
CASES
echo "== Executable"
echo "merrowin.exe $(stat -c %s "$build/merrowin.exe") bytes"
