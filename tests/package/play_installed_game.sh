#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Runeshot developers
# Plays one short game with the game installed under PREFIX, started through
# PREFIX/games/runeshot as a menu entry would, on an X server of its own, its sounds
# recorded through SDL's disk driver: the window must carry its menu entry's class, the
# "G" that waits before the first game is a hit (shooted.wav), NEW GAME lets the next letter
# fall until it lands (boing.wav), and QUIT ends the program with success. The sounds are
# only found if the program looked for them beside the real program, not the link.
# The autopkgtest runs it on the installed package (PREFIX /usr), the package test on an
# install tree. Needs Xvfb, xdotool, xprop and python3.
# Usage: play_installed_game.sh PREFIX
set -euo pipefail
prefix=${1:?usage: play_installed_game.sh PREFIX}

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$scratch/program.log" 2>/dev/null || true; exit 1; }

# A display of our own; -noreset keeps the pointer, and with it the keyboard focus, where
# the test puts it.
Xvfb -displayfd 5 -noreset -nolisten tcp -screen 0 1024x768x24 5>"$scratch/display" \
  2>"$scratch/xvfb.log" &
pids+=($!)
for _ in $(seq 200); do [ -s "$scratch/display" ] && break; sleep 0.05; done
[ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=:$(cat "$scratch/display")
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# SDL's disk driver starts its file over each time the program opens its sound device
# again, which it does after every quiet; a pipe held open at both ends keeps it all.
mkfifo "$scratch/sound.pipe"
exec 3<>"$scratch/sound.pipe"
cat <&3 >"$scratch/sound.raw" &
pids+=($!)

# From another folder, so that nothing is found by accident in the working directory.
(cd / && exec env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$scratch/sound.pipe" \
  "$prefix/games/runeshot") 2>"$scratch/program.log" &
program=$!
pids+=($program)

# Whether the recording holds 20 ms of the installed sound NAME, from 10 ms after its first
# sample on: the files are in the device's format, so the samples arrive as they are.
heard() {
  python3 - "$prefix/lib/runeshot/$1" "$scratch/sound.raw" <<'PY'
import sys, wave
with wave.open(sys.argv[1]) as w:
    frames = w.readframes(w.getnframes())
start = next(i for i in range(0, len(frames), 2) if frames[i:i + 2] != b"\0\0") + 882
with open(sys.argv[2], "rb") as recording:
    sys.exit(0 if frames[start:start + 1764] in recording.read() else 1)
PY
}
wait_to_hear() {
  for _ in $(seq "$2"); do heard "$1" && return 0; sleep 0.1; done
  fail "$1 was not heard"
}

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Runeshot$' | head -1 || true)
[ -n "$window" ] || fail "no Runeshot window showed"

# X11 desktops find the window's menu entry, and so its name and icon, by its class.
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
entry=$prefix/share/applications/org.runeshot.Runeshot.desktop
entry_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wm_class" ] && [ "$wm_class" = "$entry_class" ] ||
  fail "the window's class \"$wm_class\" is not the entry's \"$entry_class\""

# Without a window manager the keyboard follows the pointer.
xdotool mousemove --window "$window" 300 200
xdotool type G
wait_to_hear shooted.wav 100
# The letter falls 200 twips every 200 ms and lands in under four seconds.
xdotool mousemove --window "$window" 445 15 click 1
wait_to_hear boing.wav 150
xdotool mousemove --window "$window" 615 15 click 1
for _ in $(seq 100); do kill -0 $program 2>/dev/null || break; sleep 0.05; done
kill -0 $program 2>/dev/null && fail "QUIT did not end the program"
wait $program || fail "the program ended with status $?"
echo "PASS: started through $prefix/games/runeshot, a hit and a miss heard, QUIT ended it"
