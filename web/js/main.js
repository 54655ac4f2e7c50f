// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The page plays the game as the window does: every input goes to the core through its one
// road, and after each the page shows what the core says changed, plays the sounds it asked
// for and arms one timer for its next tick; nothing runs while no game timer does.
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

// The form as the page shows it, kept up to date with what each answer says changed.
const form = core.shown;
const places = {
  window: new Map(form.window.map((control, i) => [control.name, i])),
  panel: new Map(form.panel.map((control, i) => [control.name, i])),
};
const windowedNames = ['Frame1', 'Text1', 'Option1', 'Option2', 'Combo1'];
let ended = false;
let timer = null;
let frameAsked = false;
let windowState = windowStates.normal;
// What the next frame paints: all of the form, or only the rects the answers since the last
// frame damaged.
let paintAll = true;
let damage = [];
let paintedRatio = null;

function patch(answer) {
  for (const surface of ['window', 'panel']) {
    for (const control of answer[surface]) form[surface][places[surface].get(control.name)] = control;
  }
  for (const name of windowedNames) if (answer[name]) form[name] = answer[name];
}

function paint() {
  frameAsked = false;
  // The backing store has the screen's pixels, so captions are crisp at any density.
  const ratio = window.devicePixelRatio || 1;
  if (ratio !== paintedRatio) {
    paintedRatio = ratio;
    canvas.width = Math.round(657 * ratio);
    canvas.height = Math.round(337 * ratio);
    paintAll = true;
  }
  paintForm(canvas, starfield, form, ratio, paintAll ? null : damage);
  paintAll = false;
  damage = [];
}

function askFrame() {
  if (frameAsked) return;
  frameAsked = true;
  requestAnimationFrame(paint);
}

function armTimer(due) {
  clearTimeout(timer);
  if (due === null) return;
  timer = setTimeout(() => deliver((c) => c.wake()), Math.max(due - core.now(), 0));
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
  if (ended) return;
  const answer = input(core);
  if (answer.unloaded) {
    ended = true;
    end();
    return;
  }
  patch(answer);
  for (const name of answer.sounds) sounds.play(name);
  widgets.sync(answer, form);
  labels.update(answer, form);
  armTimer(answer.due);
  if (answer.damage.length > 0) {
    damage.push(...answer.damage);
    askFrame();
  }
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
// A resize may change the density; and a browser that had to drop the canvas's pixels
// gives it back blank.
for (const [target, type] of [[window, 'resize'], [canvas, 'contextrestored']]) {
  target.addEventListener(type, () => {
    paintAll = true;
    askFrame();
  });
}

widgets.sync(form, form);
labels.placeAll(form);
labels.say(form);
paint();
if (document.visibilityState === 'hidden') {
  windowState = windowStates.minimized;
  deliver((c) => c.windowState(windowState));
}
