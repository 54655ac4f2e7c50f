// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Figures of the browser build, printed as one Markdown table (recorded in
// docs/benchmarks.md): the site's size, and in Debian's Chromium, headless, with the site
// served from 127.0.0.1, each timing the median of 10 runs with the smallest and largest.
// Every run has a fresh browser context (nothing cached) and a page of its own.
// Usage: node bench/web_figures.mjs [SITE]   (puppeteer-core from tests/web: `npm ci` there)

import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

import {
  Game, SITE, launchBrowser, poll, serveSite, sleep,
} from '../tests/web/harness.mjs';
import { NEW_GAME_AT } from '../tests/web/probes.mjs';

const RUNS = Number(process.env.RUNESHOT_WEB_RUNS ?? 10);
const CPU_SECONDS = Number(process.env.RUNESHOT_WEB_CPU_SECONDS ?? 10);
const site = path.resolve(process.argv[2] ?? SITE);

const say = (...words) => console.error('web_figures:', ...words);

// Put into each timed page before its own scripts: notes the first animation frame whose
// canvas shows the status bar's body, and for each key, the first frame whose canvas shows
// a different hit count. A frame's canvas is read once all of the frame's callbacks have
// run (the page paints in one of them). The first frame is timed by its start; a key, to
// the moment its frame's canvas was read, and in frames: 1 is the next frame.
function watchFrames() {
  const seen = { firstFrame: null, keys: [] };
  Object.defineProperty(window, '__runeshotFrames', { value: seen });
  const canvasScale = () => document.getElementById('form').width / 657;
  // The hit count's label (tests/web/probes.mjs: SHOOTED) on the canvas, in device pixels.
  const hitCount = () => {
    const scale = canvasScale();
    return document.getElementById('form').getContext('2d')
      .getImageData(64 * scale, 8 * scale, 17 * scale, 17 * scale).data.join();
  };
  const bodyShown = () => {
    const canvas = document.getElementById('form');
    if (!canvas || canvas.width === 0) return false;
    const scale = canvasScale();
    const row = canvas.getContext('2d').getImageData(scale, 16 * scale, 78 * scale, 1).data;
    for (let i = 0; i < row.length; i += 4) {
      if (row[i] === 0x73 && row[i + 1] === 0x88 && row[i + 2] === 0xaa) return true;
    }
    return false;
  };
  const afterFrame = (then) => requestAnimationFrame((time) => setTimeout(() => then(time)));
  const untilBody = (time) => {
    if (bodyShown()) seen.firstFrame = time;
    else afterFrame(untilBody);
  };
  afterFrame(untilBody);
  window.addEventListener('keydown', (event) => {
    const key = { key: event.key, at: event.timeStamp, ms: null, frames: null };
    seen.keys.push(key);
    const before = hitCount();
    let frames = 0;
    const look = () => {
      frames += 1;
      if (hitCount() !== before) Object.assign(key, { ms: performance.now() - key.at, frames });
      else if (frames < 60) afterFrame(look);
    };
    afterFrame(look);
  }, { capture: true });
}

function files(folder) {
  return fs.readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const full = path.join(folder, entry.name);
    return entry.isDirectory() ? files(full) : [full];
  });
}

function sizes() {
  const all = files(site);
  const bytes = (list) => list.reduce((sum, file) => sum + fs.statSync(file).size, 0);
  const gzipped = (list) => list.reduce((sum, file) => sum + zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length, 0);
  const wasm = all.filter((file) => file.endsWith('.wasm'));
  return {
    site: bytes(all), siteGzip: gzipped(all), files: all.length, wasm: bytes(wasm), wasmGzip: gzipped(wasm),
  };
}

// Navigation to first contentful paint and to the first frame with the game drawn; then
// the hidden "G" typed (the first key, which also wakes the sound) and the dealt letter,
// read as a screen reader reads it.
async function loadAndKeys(browser, server) {
  const game = await Game.open(browser, server, { watched: false, scripts: [watchFrames] });
  try {
    const frames = () => game.page.evaluate(() => window.__runeshotFrames);
    await poll(async () => (await frames()).firstFrame !== null, 10000, 'the first frame');
    const readable = await game.readable();
    // Paint timings come in once the frame is on the screen.
    const fcp = await poll(() => game.page.evaluate(() => performance.getEntriesByName('first-contentful-paint')[0]?.startTime),
      5000, 'the first contentful paint');
    await game.page.keyboard.type('G');
    await poll(async () => (await frames()).keys[0]?.frames, 5000, 'the first hit painted');
    const letter = await poll(() => game.letterShown(readable), 5000, 'the dealt letter');
    await game.page.keyboard.type(letter);
    await poll(async () => (await frames()).keys[1]?.frames, 5000, 'the second hit painted');
    const { firstFrame, keys } = await frames();
    return { fcp, firstFrame, firstKey: keys[0], nextKey: keys[1] };
  } finally {
    await game.close();
  }
}

// Chromium's own count of a page's main-thread work over CPU_SECONDS, once it has settled,
// in milliseconds: all of it (TaskDuration), and what the page's own code causes (script,
// style and layout).
async function taskMilliseconds(page) {
  const session = await page.createCDPSession();
  await session.send('Performance.enable');
  await sleep(1000);
  const seconds = async () => {
    const metrics = (await session.send('Performance.getMetrics')).metrics;
    const value = (name) => metrics.find((m) => m.name === name).value;
    return {
      all: value('TaskDuration'),
      own: value('ScriptDuration') + value('RecalcStyleDuration') + value('LayoutDuration'),
    };
  };
  const before = await seconds();
  await sleep(CPU_SECONDS * 1000);
  const after = await seconds();
  return { all: (after.all - before.all) * 1000, own: (after.own - before.own) * 1000 };
}

// The game's page once it has drawn; `start` begins what is measured.
async function pageWork(browser, server, start) {
  const game = await Game.open(browser, server, { watched: false });
  try {
    await game.waitForFirstPaint();
    await start(game);
    return await taskMilliseconds(game.page);
  } finally {
    await game.close();
  }
}

// An empty page: what Chromium does for any page, which no page can take away.
async function blankWork(browser) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await page.goto('about:blank');
    return (await taskMilliseconds(page)).all;
  } finally {
    await context.close();
  }
}

function row(label, samples, unit, digits, goal, met) {
  const sorted = [...samples].sort((a, b) => a - b);
  const n = sorted.length;
  const median = n % 2 ? sorted[(n - 1) / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  const shown = (v) => `${v.toFixed(digits)} ${unit}${unit === 'frame' && v !== 1 ? 's' : ''}`;
  const cells = n > 1 ? [shown(median), shown(sorted[0]), shown(sorted[n - 1])] : [shown(median), '', ''];
  return `| ${label} | ${cells.join(' | ')} | ${goal} | ${met(median) ? 'yes' : '**no**'} |`;
}

const size = sizes();
say(`site ${site}: ${size.files} files`);
const server = await serveSite(site);
const browser = await launchBrowser('chromium');
say(`measuring in ${await browser.version()}`);
const loads = [];
const idle = [];
const blank = [];
const normal = [];
try {
  for (let i = 0; i < RUNS; ++i) {
    say(`load and keys, run ${i + 1} of ${RUNS}`);
    loads.push(await loadAndKeys(browser, server));
  }
  for (let i = 0; i < RUNS; ++i) {
    say(`page work idle, run ${i + 1} of ${RUNS}`);
    idle.push(await pageWork(browser, server, async () => {}));
    blank.push(await blankWork(browser));
  }
  for (let i = 0; i < RUNS; ++i) {
    say(`page work in a game at Normal, run ${i + 1} of ${RUNS}`);
    normal.push(await pageWork(browser, server, (game) => game.click(NEW_GAME_AT)));
  }
} finally {
  await browser.close();
  await server.close();
}

const KiB = 1024;
const always = () => true;
console.log(`${size.files} files in the site; ${RUNS} runs of each timing.`);
console.log('');
console.log('| figure | median | min | max | goal | met |');
console.log('|---|---:|---:|---:|---|---|');
console.log(row('site, every file', [size.site / KiB], 'KiB', 1, '<= 512 KiB', (v) => v <= 512));
console.log(row('site, every file gzip\'d', [size.siteGzip / KiB], 'KiB', 1, '(none set)', always));
console.log(row('the core, .wasm', [size.wasm / KiB], 'KiB', 1, '(none set)', always));
console.log(row('the core, .wasm gzip\'d', [size.wasmGzip / KiB], 'KiB', 1, '(none set)', always));
console.log(row('navigation to first contentful paint', loads.map((l) => l.fcp), 'ms', 1, '(none set)', always));
console.log(row('navigation to first frame of the game', loads.map((l) => l.firstFrame), 'ms', 1, '<= 200 ms', (v) => v <= 200));
console.log(row(`work of an empty page, in ${CPU_SECONDS} s`, blank, 'ms', 1, '(none set)', always));
console.log(row(`page work idle, in ${CPU_SECONDS} s`, idle.map((w) => w.all), 'ms', 1, '(none set)', always));
console.log(row(`page script, style and layout idle, in ${CPU_SECONDS} s`, idle.map((w) => w.own), 'ms', 1,
  '0 ms', (v) => v === 0));
console.log(row(`page work in a game at Normal, in ${CPU_SECONDS} s`, normal.map((w) => w.all), 'ms', 1, '(none set)', always));
console.log(row(`page script, style and layout in a game at Normal, in ${CPU_SECONDS} s`, normal.map((w) => w.own), 'ms', 1,
  '(none set)', always));
console.log(row('first key (wakes the sound) to painted hit count', loads.map((l) => l.firstKey.ms), 'ms', 1, '(none set)', always));
console.log(row('first key to painted hit count, frames', loads.map((l) => l.firstKey.frames), 'frame', 0, 'the next frame', (v) => v <= 1));
console.log(row('key to painted hit count', loads.map((l) => l.nextKey.ms), 'ms', 1, '(none set)', always));
console.log(row('key to painted hit count, frames', loads.map((l) => l.nextKey.frames), 'frame', 0, 'the next frame', (v) => v <= 1));
