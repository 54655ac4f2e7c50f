// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The game's four sounds through Web Audio. A browser lets a page sound only after the
// player's first key or click, so the sounds are fetched and decoded at once, without
// sounding, and the gesture only opens the output: the first key's own sound is heard. The
// game never waits for them; a sound asked for before the first gesture is not heard.
const names = ['shooted.wav', 'wrong.wav', 'boing.wav', 'theend.wav'];
// A cut sound fades out over this long instead of clicking.
const fadeSeconds = 0.005;

export class Sounds {
  constructor() {
    // A decoded sound plays in any context; this one never sounds, so it needs no gesture.
    const decoder = new OfflineAudioContext(1, 1, 44100);
    this.buffers = new Map();
    for (const name of names) {
      fetch(name).then((r) => r.arrayBuffer())
        .then((bytes) => decoder.decodeAudioData(bytes))
        .then((buffer) => this.buffers.set(name, buffer))
        .catch(() => {});
    }
    this.context = null;
    this.playing = null;
  }

  // Call from the player's key or click.
  unlock() {
    if (!this.context) this.context = new AudioContext();
  }

  // A new sound cuts off the one still playing, as on the desktop.
  play(name) {
    const buffer = this.buffers.get(name);
    if (!this.context || !buffer) return;
    this.cut();
    const source = this.context.createBufferSource();
    const gain = this.context.createGain();
    source.buffer = buffer;
    source.connect(gain).connect(this.context.destination);
    source.onended = () => { if (this.playing?.source === source) this.playing = null; };
    source.start();
    this.playing = { source, gain };
  }

  cut() {
    if (!this.playing) return;
    const { source, gain } = this.playing;
    const now = this.context.currentTime;
    gain.gain.setValueAtTime(gain.gain.value, now);
    gain.gain.linearRampToValueAtTime(0, now + fadeSeconds);
    source.stop(now + fadeSeconds);
    this.playing = null;
  }

  // Every sound stops for good.
  close() {
    const context = this.context;
    this.context = null;
    this.playing = null;
    context?.close();
  }
}
