#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Installs the game under a scratch prefix and starts it through games/runeshot, as a menu
# entry would: the window must show, and a wrong key must sound wrong.wav, which the
# program can only find if it looked for its sounds beside the real program, not the link.
# Usage: installed_game_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
here=$(dirname "$0")
. "$here/installed_layout.sh"

for tool in Xvfb xdotool xprop; do
  if ! command -v $tool >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps test)"
    exit 77
  fi
done

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

prefix=$scratch/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
same_layout "$prefix" || { echo "FAIL: the installed files differ from the expected layout"; exit 1; }

# A display of our own; -noreset keeps the pointer where the test puts it.
Xvfb -displayfd 5 -noreset -nolisten tcp -screen 0 1024x768x24 5>"$scratch/display" \
  2>"$scratch/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { echo "FAIL: Xvfb did not start"; cat "$scratch/xvfb.log"; exit 1; }
export DISPLAY=:$(cat "$scratch/display")
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

sound=$scratch/sound.raw
# From another folder, so that nothing is found by accident in the working directory.
(cd / && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$sound" "$prefix/games/runeshot") \
  2>"$scratch/program.log" &
program=$!
pids+=($program)

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Runeshot$' | head -1 || true)
[ -n "$window" ] || { echo "FAIL: no Runeshot window showed"; cat "$scratch/program.log"; exit 1; }

# X11 desktops find the window's menu entry, and so its name and icon, by its class.
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
entry_class=$(sed -n 's/^StartupWMClass=//p' "$prefix"/share/applications/*.desktop)
[ -n "$wm_class" ] && [ "$wm_class" = "$entry_class" ] ||
  { echo "FAIL: the window's class \"$wm_class\" is not the entry's \"$entry_class\""; exit 1; }

# The letter waiting before the first game is "G": any other key is a wrong one.
xdotool mousemove --window "$window" 300 200
xdotool type x
heard=no
for _ in $(seq 40); do
  # Any byte that is not zero is sound. (A pipe into `grep -q` would end early and, under
  # pipefail, count as failing once the recording grows long.)
  if [ -n "$(tr -d '\000' <"$sound" 2>/dev/null | head -c 1)" ]; then heard=yes; break; fi
  sleep 0.05
done
[ $heard = yes ] || { echo "FAIL: wrong.wav was not heard"; cat "$scratch/program.log"; exit 1; }

# QUIT ends the program of its own accord.
xdotool mousemove --window "$window" 615 14 click 1
for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.05; done
if kill -0 $program 2>/dev/null; then echo "FAIL: QUIT did not end the program"; exit 1; fi
wait $program || { echo "FAIL: the program ended with status $?"; exit 1; }
echo "PASS: installed under $prefix, started through the link, heard, quit"
