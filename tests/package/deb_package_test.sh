#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Checks the .deb that `make package` made: the package is filed under games, depends on
# the libraries the program links and on the fonts its faces fall back to, recommends Qt's
# Wayland plugin, lays out exactly the installed game under /usr with what Debian adds, and
# is hardened as Debian's build flags make it.
# Usage: deb_package_test.sh RUNESHOT.deb
set -euo pipefail
deb=$1
here=$(dirname "$0")
. "$here/installed_layout.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

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
same_layout "$scratch/root/usr" 'd share/doc
d share/doc/runeshot
f share/doc/runeshot/changelog.gz
f share/doc/runeshot/copyright
d share/lintian
d share/lintian/overrides
f share/lintian/overrides/runeshot
' || fail "the packaged files differ from the expected layout"
program=$scratch/root/usr/lib/runeshot/runeshot
if readelf -d "$program" | grep -Eq 'RPATH|RUNPATH'; then
  fail "the packaged program carries a library search path"
fi
# The five features Debian's flags give on every release; hardening-check knows more, which
# differ between releases and processors.
hardening=$(hardening-check "$program" || true)
echo "$hardening"
for feature in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
               "Read-only relocations" "Immediate binding"; do
  grep -q "^ $feature: yes" <<<"$hardening" || fail "the packaged program lacks: $feature"
done
[ $failed = 0 ] && echo "PASS: $(basename "$deb")"
exit $failed
