#!/bin/sh
# Whole-process timings under Wine (called by bench/run.sh inside an X
# server with a running wineserver): median wall time of repeated runs of
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
time_runs() {  # label, command...: prints the median in microseconds
    label=$1; shift
    : > "$out/$label.times"
    i=0
    while [ $i -lt "$runs" ]; do
        t0=$(now); "$@" >/dev/null 2>&1 || true; t1=$(now)
        echo $(( (t1 - t0) / 1000 )) >> "$out/$label.times"
        i=$((i + 1))
    done
    median < "$out/$label.times"
}

wine "$build/empty_app.exe" >/dev/null 2>&1 || true  # warm the caches
empty=$(time_runs empty wine "$build/empty_app.exe")
run=$(time_runs run wine "$build/merrowin.exe" /j13 /cd490123456789 /fl /nc "/dr$winout")
echo "== Whole process under Wine, median of $runs runs (target: ratio at most 1.30)"
echo "empty Win32 program:  $empty us"
echo "merrowin /j13 ... /fl: $run us"
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
