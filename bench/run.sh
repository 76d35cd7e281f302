#!/bin/sh
# Prints Merrowin's benchmark figures: the core's cost per symbol, the
# whole-process time of a generation run under Wine against an empty Win32
# program, the size of the saved metafile of each kind, and the exe's size.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" >/dev/null
echo "== Core: encode + layout + draw per symbol (target: under 2 us)"
build/bench/bench_core --benchmark_min_time=0.3
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target merrowin empty_app >/dev/null
scripts/with-display.sh sh bench/process_times.sh "${RUNS:-21}"
