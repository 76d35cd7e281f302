#!/bin/sh
# decode_check.sh WINE_RUN PREFIX MERROWIN_EXE EMF2BMP_EXE WORK_DIR EXPECTED SWITCH_AND_OPTIONS...
# (WINE_RUN PREFIX: the build's emulator, cmake/wine-run.sh and its prefix.)
# Saves one symbol with merrowin.exe under Wine (built-in settings, file
# only), renders the .emf three times its size and reads it with zbarimg.
# The reader must give exactly EXPECTED: the data digits and the check digit.
# EXPECTED may be NAME=READ when the file's name and the reading differ: a
# JAN with an add-on reads as two symbols, READ their numbers in sorted
# order, joined by "+".
set -eu
wine_run=$1 prefix=$2 exe=$3 emf2bmp=$4 work=$5 expected=$6
shift 6
name=${expected%%=*}
expected=${expected#*=}
run() { "$wine_run" "$prefix" "$@"; }

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$work"
mkdir -p "$work"

# Stored settings would change the picture: start from the built-in ones.
run reg delete 'HKCU\Software\Korvane\Merrowin' /f </dev/null >/dev/null 2>&1 || true

status=0
run "$exe" "$@" /fl /nc "/dr$(winpath "$work")" </dev/null || status=$?
if [ "$status" -ne 0 ]; then
    echo "merrowin.exe $* ended with status $status" >&2
    exit 1
fi
emf="$work/$name.emf"
if [ ! -f "$emf" ]; then
    echo "no file $name.emf; the folder holds: $(ls "$work")" >&2
    exit 1
fi
run "$emf2bmp" "$(winpath "$emf")" "$(winpath "$work/symbol.bmp")" 3 </dev/null >/dev/null
# EAN-2 and EAN-5 add-ons are read as symbols of their own.
got=$(zbarimg --raw -q -Sdisable -Sean13.enable -Sean8.enable -Si25.enable -Sean2.enable \
    -Sean5.enable "$work/symbol.bmp" | LC_ALL=C sort | paste -sd+ || true)
if [ "$got" != "$expected" ]; then
    echo "zbarimg read '$got', expected '$expected' (merrowin.exe $*)" >&2
    exit 1
fi
echo "read $got"
rm -rf "$work"
