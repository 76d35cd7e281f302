#!/bin/sh
# Installs what building and testing Merrowin needs on Debian (idempotent).
set -e
packages="cmake make g++ clang libclang-rt-14-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix
  wine wine32:i386 fonts-wine xvfb xauth x11-utils
  fonts-ocr-b fonts-ipafont-gothic zbar-tools imagemagick e2fsprogs
  zint libzint-dev
  zlib1g-dev libz-mingw-w64-dev ghostscript librsvg2-bin qpdf"
missing=""
for p in $packages; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing:$missing"
if ! dpkg --print-foreign-architectures | grep -qx i386; then $sudo dpkg --add-architecture i386; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
