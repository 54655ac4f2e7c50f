#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Packs the built game as a .deb, as `make package` does, and unpacks it into a scratch
# root: the package is filed under games, depends on the libraries the program links and
# on the fonts its faces fall back to, recommends Qt's Wayland plugin, and lays out exactly
# the installed game under /usr.
# Usage: deb_package_test.sh CPACK BUILD_DIR
set -euo pipefail
cpack=$1
build=$2
here=$(dirname "$0")
. "$here/installed_layout.sh"

for tool in dpkg-deb dpkg-shlibdeps readelf; do
  if ! command -v $tool >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps test)"
    exit 77
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack did not make the package"
  exit 1
fi
deb=$(echo "$scratch"/out/*.deb)

failed=0
fail() { echo "FAIL: $*"; failed=1; }
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is $(dpkg-deb -f "$deb" Section)"
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-liberation2 fonts-comic-neue libqt6widgets6 libsdl2-2.0-0 libc6; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
[[ ", $(dpkg-deb -f "$deb" Recommends)," == *", qt6-wayland,"* ]] ||
  fail "Recommends lacks qt6-wayland: $(dpkg-deb -f "$deb" Recommends)"

dpkg-deb -x "$deb" "$scratch/root"
[ "$(ls "$scratch/root")" = usr ] || fail "the package puts files outside /usr: $(ls "$scratch/root")"
same_layout "$scratch/root/usr" || fail "the packaged files differ from the expected layout"
if readelf -d "$scratch/root/usr/lib/runeshot/runeshot" | grep -Eq 'RPATH|RUNPATH'; then
  fail "the packaged program carries a library search path"
fi
[ $failed = 0 ] && echo "PASS: $(basename "$deb")"
exit $failed
