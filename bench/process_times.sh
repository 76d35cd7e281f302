#!/bin/sh
# Whole-process timings under Wine (called by bench/run.sh through
# scripts/with-display.sh: an X server, a running wineserver and the
# build's WINEPREFIX): median wall time of repeated runs of
# merrowin.exe and of the empty program, their ratio, file and exe sizes.
set -e
runs=${1:-21}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
winout=$(winepath -w "$out")

now() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
elapsed() {  # command...: prints its wall time in microseconds
    t0=$(now); "$@" >/dev/null 2>&1 || true; t1=$(now)
    echo $(( (t1 - t0) / 1000 ))
}

# The two programs take turns, so a slow spell of the machine falls on both.
wine "$build/empty_app.exe" >/dev/null 2>&1 || true  # warm the caches
i=0
while [ $i -lt "$runs" ]; do
    elapsed wine "$build/empty_app.exe" >> "$out/empty.times"
    elapsed wine "$build/merrowin.exe" /j13 /cd490123456789 /fl "/dr$winout" >> "$out/run.times"
    i=$((i + 1))
done
empty=$(median < "$out/empty.times")
run=$(median < "$out/run.times")
echo "== Whole process under Wine, median of $runs runs each, taking turns (target: ratio at most 1.30)"
echo "empty Win32 program:  $empty us"
echo "merrowin /j13 /cd490123456789 /fl (clipboard and file): $run us"
awk -v a="$run" -v b="$empty" 'BEGIN { printf "ratio: %.2f\n", a / b }'

echo "== Saved metafile at 100 % (bytes)"
for case in "/j13 /cd490123456789 /flj13" "/j8 /cd4901234 /flj8" \
            "/i14f /cd1490123456789 /fli14f" "/i16 /cd123456789012345 /fli16"; do
    # shellcheck disable=SC2086
    wine "$build/merrowin.exe" $case /nc /cr100 "/dr$winout" >/dev/null 2>&1 || true
    name=${case##*/fl}
    printf '%-6s %s\n' "$name" "$(stat -c %s "$out/$name.emf" 2>/dev/null || echo missing)"
done
echo "== Executable"
echo "merrowin.exe $(stat -c %s "$build/merrowin.exe") bytes"
