#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Starts the program as a Wayland client (under under_weston.sh) and reads the app id its
# window gives the compositor, which must name the menu entry: Wayland desktops find the
# window's name and icon by it alone.
# Usage: wayland_app_id_test.sh PROGRAM DESKTOP_ENTRY
set -euo pipefail
program=$1
entry=$(basename "$2" .desktop)
log=$XDG_RUNTIME_DIR/client.log

WAYLAND_DEBUG=client SDL_AUDIODRIVER=dummy "$program" 2>"$log" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null || true' EXIT
for _ in $(seq 200); do
  grep -q 'set_app_id(' "$log" && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
app_id=$(sed -n 's/.*set_app_id("\(.*\)").*/\1/p' "$log" | head -1)
[ "$app_id" = "$entry" ] || { echo "FAIL: the window's app id is \"$app_id\", not \"$entry\""; exit 1; }
echo "PASS: app id $app_id"
