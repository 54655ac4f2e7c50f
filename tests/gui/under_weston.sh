#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Runs a program as a client of a headless Wayland compositor (weston) of its own, and
# stops the compositor after it. Skips (77) where weston or Qt's Wayland plugin is missing.
# Usage: under_weston.sh QT_PLATFORM_PLUGIN_FOLDER PROGRAM [ARGUMENT...]
set -euo pipefail
plugins=$1
shift

if ! command -v weston >/dev/null || ! compgen -G "$plugins/libqwayland-*.so" >/dev/null; then
  echo "SKIPPED: weston or Qt's Wayland plugin is not installed (tools/install-deps test)"
  exit 77
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=runeshot-test QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  >"$runtime/weston.log" 2>&1 &
weston_pid=$!
trap 'kill $weston_pid 2>/dev/null; wait $weston_pid 2>/dev/null; rm -rf "$runtime"' EXIT

for _ in $(seq 100); do
  [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
  kill -0 $weston_pid 2>/dev/null || { cat "$runtime/weston.log"; exit 1; }
  sleep 0.1
done
[ -S "$runtime/$WAYLAND_DISPLAY" ] || { echo "FAIL: weston opened no socket"; exit 1; }

"$@"
