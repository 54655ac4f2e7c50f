// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The page plays the game as the window does: every input goes to the core through its one
// road, and after each the page shows what the core says, plays the sounds it asked for and
// arms one timer for its next tick; nothing runs while no game timer does.
import { startCore } from './core.js';
import { loadFaces } from './faces.js';
import { AccessibleLabels } from './labels.js';
import { paintForm } from './painter.js';
import { Sounds } from './sound.js';
import { Widgets } from './widgets.js';

const twipsPerPixel = 15;
const windowStates = { normal: 0, minimized: 1 };

await loadFaces();
const core = await startCore();
const game = document.getElementById('game');
const canvas = document.getElementById('form');
const sounds = new Sounds();
const starfield = document.createElement('canvas');
starfield.width = core.starfield.width;
starfield.height = core.starfield.height;
starfield.getContext('2d').putImageData(core.starfield, 0, 0);

let shown = core.shown;
let timer = null;
let frameAsked = false;
let windowState = windowStates.normal;

function paint() {
  frameAsked = false;
  // The backing store has the screen's pixels, so captions are crisp at any density.
  const ratio = window.devicePixelRatio || 1;
  const width = Math.round(657 * ratio), height = Math.round(337 * ratio);
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  paintForm(canvas, starfield, shown, ratio);
}

function askFrame() {
  if (frameAsked) return;
  frameAsked = true;
  requestAnimationFrame(paint);
}

function armTimer() {
  clearTimeout(timer);
  if (shown.due === null) return;
  timer = setTimeout(() => deliver((c) => c.wake()), Math.max(shown.due - core.now(), 0));
}

// The game has ended: every timer and sound stops, and the page closes if it may.
function end() {
  clearTimeout(timer);
  sounds.close();
  game.hidden = true;
  window.close();
  const ended = document.getElementById('ended');
  ended.textContent = 'The game has ended. Reload the page to play again.';
  ended.hidden = false;
}

// The one road: the input goes to the game, then the page shows what changed.
function deliver(input) {
  if (shown.unloaded) return;
  shown = input(core);
  if (shown.unloaded) {
    end();
    return;
  }
  for (const name of shown.sounds) sounds.play(name);
  widgets.sync(shown);
  labels.sync(shown);
  armTimer();
  askFrame();
}

const widgets = new Widgets(deliver);
const labels = new AccessibleLabels(([left, top, width, height]) => {
  const x = left + width / 2, y = top + height / 2;
  deliver((c) => c.press(x, y));
  deliver((c) => c.release(x, y));
});

// The windowed controls take their own presses; the rest of the form, painted labels
// included, hands the main button's press and release to the game, which decides what was
// clicked. The painted form never takes the keyboard from the input line.
const windowed = '#Text1, .option, #Combo1';
function twipsAt(event) {
  const box = game.getBoundingClientRect();
  return [(event.clientX - box.left) * twipsPerPixel, (event.clientY - box.top) * twipsPerPixel];
}
// As in the window, the release goes where the press went, wherever the pointer is by then.
let pressed = false;
game.addEventListener('mousedown', (event) => {
  if (event.button !== 0 || event.target.closest(windowed)) return;
  event.preventDefault();
  pressed = true;
  const [x, y] = twipsAt(event);
  deliver((c) => c.press(x, y));
});
window.addEventListener('mouseup', (event) => {
  if (event.button !== 0 || !pressed) return;
  pressed = false;
  const [x, y] = twipsAt(event);
  deliver((c) => c.release(x, y));
});

// The first key or click lets the page sound.
for (const type of ['keydown', 'mousedown', 'touchend']) {
  window.addEventListener(type, () => sounds.unlock(), { capture: true, once: true });
}

// A hidden page is a minimized window; shown again, a normal one.
document.addEventListener('visibilitychange', () => {
  const state = document.visibilityState === 'hidden' ? windowStates.minimized : windowStates.normal;
  if (state === windowState) return;
  windowState = state;
  deliver((c) => c.windowState(state));
});
window.addEventListener('resize', askFrame);

widgets.sync(shown);
labels.sync(shown);
paint();
if (document.visibilityState === 'hidden') {
  windowState = windowStates.minimized;
  deliver((c) => c.windowState(windowState));
}
