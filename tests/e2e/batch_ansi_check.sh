#!/bin/sh
# batch_ansi_check.sh WINE_RUN PREFIX MERROWIN_EXE WORK_DIR
# (WINE_RUN PREFIX: the build's emulator, cmake/wine-run.sh and its prefix.)
# A product list as Excel saves plain CSV on Japanese Windows: Shift-JIS,
# the ANSI code page 932. Wine takes its code page from the Unix locale,
# so the batch runs under ja_JP (compiled into WORK_DIR with localedef; the
# machine need not have it installed). The Japanese names must come out as
# the files' names and in the UTF-8 report.
set -eu
wine_run=$1 prefix=$2 exe=$3 work=$4
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

rm -rf "$work"
mkdir -p "$work/locale" "$work/out"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8" >/dev/null 2>&1 || true
if [ ! -d "$work/locale/ja_JP.UTF-8" ]; then
    echo "cannot compile the ja_JP locale (localedef, /usr/share/i18n)" >&2
    exit 1
fi
"$wine_run" "$prefix" reg delete 'HKCU\Software\Korvane\Merrowin' /f </dev/null >/dev/null 2>&1 || true

# "JAN,品名" / "4901234567894,品名" / "4901234567894,商品 B" in Shift-JIS.
printf 'JAN,\225\151\226\274\r\n4901234567894,\225\151\226\274\r\n4901234567894,\217\244\225\151 B\r\n' \
    > "$work/codes.csv"
status=0
LOCPATH="$work/locale" LC_ALL=ja_JP.UTF-8 "$wine_run" "$prefix" "$exe" /j13 \
    "/bt$(winpath "$work/codes.csv")" "/dr$(winpath "$work/out")" </dev/null || status=$?
[ "$status" -eq 0 ] || { echo "merrowin.exe ended with status $status" >&2; exit 1; }
for name in '品名.emf' '商品 B.emf'; do
    [ -f "$work/out/$name" ] || { echo "no file $name; the folder holds: $(ls "$work/out")" >&2; exit 1; }
done
out=$(winpath "$work/out")
expected=$(printf '\357\273\277行\t状態\tデータ\tファイルまたはエラー (リストの文字コード: Shift-JIS)\r\n1\theader\tJAN\t\r\n2\tok\t4901234567894\t%s\\品名.emf\r\n3\tok\t4901234567894\t%s\\商品 B.emf\r' "$out" "$out")
got=$(cat "$work/codes.report.tsv")
if [ "$got" != "$expected" ]; then
    echo "the report differs:" >&2
    cat "$work/codes.report.tsv" >&2
    exit 1
fi
echo "Shift-JIS list: $(ls "$work/out" | tr '\n' ' ')"
rm -rf "$work"
