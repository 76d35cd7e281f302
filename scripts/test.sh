#!/bin/sh
# Sets up a fresh Debian machine and runs the three workflows of
# CMakePresets.json, each configure + build + test:
#   native   the portable core's unit tests and corpus replays (ASan + UBSan)
#   windows  merrowin.exe; its unit and end-to-end tests under Wine
#   fuzz     a libFuzzer run of each fuzz target, MERROWIN_FUZZ_SECONDS
#            (default 60) each
# Every workflow runs even when an earlier one failed; a summary closes the
# run, and the status is non-zero when any workflow failed.
set -e
cd "$(dirname "$0")/.."
scripts/setup.sh
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"

summary=""
failed=0
workflow() {  # name command...: runs one workflow and notes its outcome
    name=$1; shift
    echo "== $name"
    start=$(date +%s)
    set +e
    "$@"; rc=$?
    set -e
    took="$(( $(date +%s) - start )) s"
    if [ $rc -eq 0 ]; then
        summary="$summary$name: passed ($took)\n"
    else
        summary="$summary$name: FAILED with status $rc ($took)\n"
        failed=1
    fi
}

workflow native cmake --workflow --preset native
# The Windows tests share one X server and one wineserver (much faster than
# one of each per test program); with-display.sh finds the build's Wine
# prefix in its configured cache.
workflow windows sh -c 'cmake --preset windows >/dev/null &&
    scripts/with-display.sh cmake --workflow --preset windows'
rm -f build/fuzz/Testing/Temporary/LastTest.log
workflow fuzz cmake --workflow --preset fuzz

echo "== Summary"
printf "%b" "$summary"
# How far each fuzz target got, and any input that made one fail.
awk '/^[0-9]+\/[0-9]+ Testing: /{t=$3} /^Done [0-9]+ runs/{print t": "$0}' \
    build/fuzz/Testing/Temporary/LastTest.log 2>/dev/null || true
for finding in build/fuzz/fuzz-finding-*; do
    [ -e "$finding" ] && echo "fuzz finding: $finding"
done
exit $failed
