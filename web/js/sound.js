// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The game's four sounds through Web Audio. A browser lets a page sound only after the
// player's first key or click, so the sounds are fetched at once and readied at that
// gesture; the game never waits for them, and a sound asked for before then is not heard.
const names = ['shooted.wav', 'wrong.wav', 'boing.wav', 'theend.wav'];
// A cut sound fades out over this long instead of clicking.
const fadeSeconds = 0.005;

export class Sounds {
  constructor() {
    this.files = new Map(names.map((name) => [name, fetch(name).then((r) => r.arrayBuffer()).catch(() => null)]));
    this.buffers = new Map();
    this.context = null;
    this.playing = null;
  }

  // Call from the player's key or click.
  unlock() {
    if (this.context) return;
    this.context = new AudioContext();
    for (const [name, file] of this.files) {
      file.then((bytes) => bytes && this.context?.decodeAudioData(bytes))
        .then((buffer) => { if (buffer) this.buffers.set(name, buffer); })
        .catch(() => {});
    }
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
