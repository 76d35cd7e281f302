#!/bin/sh
# Prints Merrowin's benchmark figures: the core's cost per symbol, the
# whole-process time of a generation run under Wine against an empty Win32
# program, the size of the saved metafile of each kind, the exe's size, and
# a batch (/bt) of 10,000 symbols against the bare file writes it needs.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" >/dev/null
cmake --build --preset bench --target batch_memory >/dev/null
echo "== Core: digits to metafile bytes per symbol, and libzint for the same JAN-13 (target: 5x faster)"
build/bench/bench_core --benchmark_min_time=0.3
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target merrowin empty_app bare_writes >/dev/null
scripts/with-display.sh bash bench/process_times.sh "${RUNS:-21}"
scripts/with-display.sh bash bench/batch_bench.sh
