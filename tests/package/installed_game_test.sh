#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Installs the game under a scratch prefix, checks the installed files, and plays it there
# as the autopkgtest plays the installed package.
# Usage: installed_game_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
here=$(dirname "$0")
. "$here/installed_layout.sh"

for tool in Xvfb xdotool xprop python3; do
  if ! command -v $tool >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps test)"
    exit 77
  fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
same_layout "$prefix" || { echo "FAIL: the installed files differ from the expected layout"; exit 1; }
"$here/play_installed_game.sh" "$prefix"
