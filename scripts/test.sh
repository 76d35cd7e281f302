#!/bin/sh
# Sets up a fresh Debian machine, builds both presets and runs every test:
# the native unit tests (with sanitizers), then the Windows build's unit and
# end-to-end tests under Wine.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
set +e
ctest --preset native -j "$jobs"; native=$?
scripts/with-display.sh ctest --preset windows -j "$jobs"; windows=$?
[ $native -eq 0 ] && [ $windows -eq 0 ]
