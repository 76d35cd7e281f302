#!/bin/sh
# Runs a command on the private X server of scripts/run.sh; if it is still
# running after ${MERROWIN_RUN_WAIT:-15} s (a window waits for the user),
# saves a picture of the screen to $1, ends it and returns 1.
shot=$1; shift
"$@" &
pid=$!
waited=0
while kill -0 $pid 2>/dev/null && [ $waited -lt "${MERROWIN_RUN_WAIT:-15}" ]; do
    sleep 1; waited=$((waited + 1))
done
if kill -0 $pid 2>/dev/null; then
    import -window root "$shot" 2>/dev/null
    echo "The program is waiting with a window open (an error or the usage window);"
    echo "a picture of the screen is in $shot. Ending it."
    wineserver -k 2>/dev/null
    wait $pid 2>/dev/null
    exit 1
fi
wait $pid
