#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Installs the game under a scratch prefix and checks what a desktop reads: the AppStream
# metadata with the menu entry and icons it points to, the menu entry itself, and icons
# that are the size their folders promise.
# Usage: desktop_files_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2

for tool in appstreamcli desktop-file-validate; do
  if ! command -v $tool >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps test)"
    exit 77
  fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

# Any error or warning fails, but for the missing homepage: the game has none. Validators
# older than Debian 13's know no such tag and refuse to lower it, and have none to give.
appstreamcli validate-tree --no-net --override=url-homepage-missing=info "$prefix" \
  >/dev/null 2>&1 || appstreamcli validate-tree --no-net "$prefix"
desktop-file-validate "$prefix"/share/applications/*.desktop

# A PNG's size lies in its header: width and height, four bytes each, from byte 16.
for icon in "$prefix"/share/icons/hicolor/*x*/apps/*.png; do
  folder=$(basename "$(dirname "$(dirname "$icon")")")
  size=$(od -An -j16 -N8 -tu1 "$icon" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }')
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
    { echo "FAIL: $icon is no PNG"; exit 1; }
  [ "$size" = "$folder" ] || { echo "FAIL: $icon is $size"; exit 1; }
done
echo "PASS: metadata, menu entry and icons validate"
