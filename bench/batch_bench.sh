#!/bin/bash
# Batch (/bt) figures under Wine (called by bench/run.sh through
# scripts/with-display.sh): 10,000 JAN-13 lines through merrowin.exe beside
# bare_writes.exe, which makes the same file calls for files of the same
# size and nothing else (the floor), wall and CPU time; the same symbols as
# single runs, extrapolated from 50; and the peak working set by list
# length. CPU time is the process's own (user + system); what wineserver
# spends on either side's file calls is not in it.
set -e
lines=${BATCH_LINES:-10000}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
win() { winepath -w "$1"; }

# Prints "wall cpu" in ms of a command.
measure() {
    local TIMEFORMAT='%3R %3U %3S' times
    times=$( { time "$@" >/dev/null 2>&1; } 2>&1 ) || true
    awk -v t="$times" 'BEGIN { split(t, p, " "); printf "%d %d\n", p[1] * 1000, (p[2] + p[3]) * 1000 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
# The peak resident set (KB) of a command.
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

reg() { wine reg delete 'HKCU\Software\Korvane\Merrowin' /f >/dev/null 2>&1 || true; }
reg
seq -f '49%010.0f' 0 $((lines - 1)) > "$out/codes.csv"
mkdir -p "$out/batch" "$out/bare" "$out/single"
wine "$build/merrowin.exe" /j13 /cd490123456789 /flwarm /nc "/dr$(win "$out/single")" >/dev/null 2>&1 || true

read -r batch_wall batch_cpu < <(measure wine "$build/merrowin.exe" /j13 "/bt$(win "$out/codes.csv")" "/dr$(win "$out/batch")")
made=$(ls "$out/batch" | wc -l)
size=$(stat -c %s "$out/batch/$(ls "$out/batch" | head -1)")
read -r bare_wall bare_cpu < <(measure wine "$build/bare_writes.exe" "$(win "$out/bare")" "$lines" "$size" 0)

# The single runs write where a loop of them would be on average: into a
# folder that already holds half the files (Wine looks up every new name
# in the whole folder, so the folder's size is part of each file's cost).
wine "$build/bare_writes.exe" "$(win "$out/single")" $((lines / 2)) "$size" 0 >/dev/null 2>&1
single_cpu=0
for ((i = 0; i < 50; i++)); do
    read -r _ cpu < <(measure wine "$build/merrowin.exe" /j13 "/cd$(sed -n "$((i + 1))p" "$out/codes.csv")" "/fl$i" /nc "/dr$(win "$out/single")")
    single_cpu=$((single_cpu + cpu))
done
singles=$((single_cpu * lines / 50))

# Working set: 1,000 distinct lines, and 100,000 lines that repeat them
# (a hundred thousand distinct files in one folder take Wine hours: every
# new name is looked up in the whole folder). The repeated names are
# errors, so that batch ends in the error state: once its report is
# written it has done all its work and is ended.
head -1000 "$out/codes.csv" > "$out/small.csv"
for ((i = 0; i < 100; i++)); do cat "$out/small.csv"; done > "$out/large.csv"
mkdir -p "$out/ws1" "$out/ws2"
small_ws=$(peak wine "$build/merrowin.exe" /j13 "/bt$(win "$out/small.csv")" "/dr$(win "$out/ws1")")
/usr/bin/time -o "$out/large.peak" -f %M wine "$build/merrowin.exe" /j13 "/bt$(win "$out/large.csv")" \
    "/dr$(win "$out/ws2")" >/dev/null 2>&1 &
timer=$!
while [ ! -f "$out/large.report.tsv" ] && kill -0 "$timer" 2>/dev/null; do sleep 1; done
sleep 1
for child in $(pgrep -P "$timer"); do kill "$child" 2>/dev/null || true; done
wait "$timer" || true
large_ws=$(tail -1 "$out/large.peak")

echo "== Batch generation (/bt) under Wine: $made files of $size bytes (targets: ratio at most 1.20; singles at least 30x; working set at most 1.50)"
echo "batch of $lines JAN-13: merrowin $batch_wall ms, bare file writes $bare_wall ms, ratio $(ratio "$batch_wall" "$bare_wall") (wall)"
echo "batch of $lines JAN-13: merrowin $batch_cpu ms, bare file writes $bare_cpu ms, ratio $(ratio "$batch_cpu" "$bare_cpu") (CPU)"
echo "$lines JAN-13 as single runs (from 50): single runs $singles ms, batch $batch_cpu ms, ratio $(ratio "$singles" "$batch_cpu") (CPU)"
echo "peak working set: 100000 lines $large_ws KB, 1000 lines $small_ws KB, ratio $(ratio "$large_ws" "$small_ws")"
if [ -x "$root/build/bench/batch_memory" ]; then
    read -r core_small _ < <("$root/build/bench/batch_memory" 1000)
    read -r core_large _ < <("$root/build/bench/batch_memory" 100000)
    echo "core alone, 100000 distinct names: peak $core_large KB, 1000: $core_small KB (native, 64-bit)"
fi
