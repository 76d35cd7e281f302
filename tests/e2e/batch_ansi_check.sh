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

# The product-list examples of README.txt's Japanese part, run as written:
# the list as Excel saves it in Shift-JIS at C:\Labels\codes.csv, the batch
# file that runs C:\Tools\Merrowin\merrowin.exe on it, the report it shows,
# and the command of the Word labels' steps (merrowin.exe by its full path,
# as a new command prompt needs) on that sheet saved as CSV UTF-8.
# The help shows the same examples (tests/unit/help_text_test.cpp).
readme=$(dirname "$0")/../../docs/README-windows.txt
drive=$prefix/drive_c
# The indented block of the Japanese part that begins with line $1 and
# holds $2, without its indent.
example() {
    sed '/^-----/,$d' "$readme" | tr -d '\r' | awk -v first="$1" -v holds="$2" '
        /^    / { block = block == "" ? $0 : block "\n" $0; next }
        { if (block != "" && index(block, first) == 1 && (holds == "" || index(block, holds))) {
              print block; exit
          }
          block = "" }' | sed 's/^    //'
}
list=$(example '    JANコード,商品名' '')
batch=$(example '    @echo off' '/bt')
report=$(example '    行  状態' '')
word=$(sed '/^-----/,$d' "$readme" | tr -d '\r' |
    grep -o '"C:\\Tools\\Merrowin\\merrowin.exe" /j13 /btC:\\Labels\\labels.csv.*')
if [ -z "$list" ] || [ -z "$batch" ] || [ -z "$report" ] || [ -z "$word" ]; then
    echo "README.txt: the list, the batch file, the report or the Word labels' command is missing" >&2
    exit 1
fi
labels=$drive/Labels
rm -rf "$labels" "$drive/Tools/Merrowin"
mkdir -p "$labels" "$drive/Tools/Merrowin"
cp "$exe" "$drive/Tools/Merrowin/merrowin.exe"
# Excel's "CSV (コンマ区切り)": Shift-JIS, CR LF; the batch file in Shift-JIS.
printf '%s\n' "$list" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$labels/codes.csv"
printf '%s\n' "$batch" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$work/list.bat"
LOCPATH="$work/locale" LC_ALL=ja_JP.UTF-8 "$wine_run" "$prefix" cmd /c "$(winpath "$work/list.bat")" \
    </dev/null >"$work/cmd.out" 2>"$work/cmd.err" &
cmd_pid=$!
# A line in error keeps the window open with the summary until 終了; the
# report is written before it shows. WM_CLOSE (taskkill without /f) closes
# it as 終了 does.
tries=0
until [ -f "$labels/codes.report.tsv" ] || [ $tries -ge 600 ]; do sleep 0.1; tries=$((tries + 1)); done
sleep 1
"$wine_run" "$prefix" taskkill /im merrowin.exe </dev/null >/dev/null 2>&1 || true
# cmd /c ends with the batch file's last errorlevel: merrowin.exe's 1.
status=0
wait $cmd_pid || status=$?
[ "$status" -eq 1 ] || { echo "the batch file ended with status $status: $(cat "$work/cmd.err")" >&2; exit 1; }
said=$(iconv -f CP932 -t UTF-8 < "$work/cmd.out" | tr -d '\r')
echo_text=$(printf '%s\n' "$batch" | sed -n 's/^if errorlevel 1 echo //p')
[ "$said" = "$echo_text" ] || { echo "the batch file said '$said', not '$echo_text'" >&2; exit 1; }
# The report as README.txt shows it: cells apart by two blanks or more. The
# name of the encoding read in the first row is not compared.
cells() { sed -e 's/\t*$//' -e 's/   */\t/g' -e 's/\t*$//'; }
got=$(sed '1s/^\xEF\xBB\xBF//' "$labels/codes.report.tsv" | tr -d '\r' | cells)
want=$(printf '%s\n' "$report" | cells)
if [ "$got" != "$want" ]; then
    printf 'the report differs from README.txt:\n%s\nexpected:\n%s\n' "$got" "$want" >&2
    exit 1
fi
for row in $(printf '%s\n' "$report" | awk '$2 == "ok" { print $4 }' | tr '\\' '/'); do
    [ -f "$drive/${row#C:/}" ] || { echo "no file $row" >&2; exit 1; }
done
[ ! -f "$labels/ぶどうジュース.emf" ] || { echo "a file for the line in error" >&2; exit 1; }

# The Word labels' sheet saved as CSV UTF-8: column B (ファイル名) empty, so
# the files are named after the codes the merge field reads.
printf '\357\273\277JANコード,ファイル名,商品名\r\n4901234567894,,りんごジュース\r\n4901234567900,,みかんジュース\r\n' \
    > "$labels/labels.csv"
status=0
# shellcheck disable=SC2086 # the command's words, as a command prompt splits them
LOCPATH="$work/locale" LC_ALL=ja_JP.UTF-8 "$wine_run" "$prefix" \
    "$(printf '%s' "$word" | sed 's/^"\([^"]*\)".*/\1/')" \
    $(printf '%s' "$word" | sed 's/^"[^"]*" //') </dev/null || status=$?
[ "$status" -eq 0 ] || { echo "the Word labels' command ended with status $status" >&2; exit 1; }
for name in 4901234567894.emf 4901234567900.emf; do
    [ -f "$labels/$name" ] || { echo "no file $name for the Word labels" >&2; exit 1; }
done
echo "README.txt's list examples: $(ls "$labels" | tr '\n' ' ')"
rm -rf "$work" "$labels" "$drive/Tools/Merrowin"
