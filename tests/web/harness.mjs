// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The page played from outside in a real browser: served on 127.0.0.1 by the test itself,
// driven with real keys and clicks through puppeteer-core, its pictures read back from
// screenshots, its sounds and timers from what it asks of the browser (page_watch.mjs).
// Nothing may leave 127.0.0.1, and the page may log no error. Every wait polls with a
// bounded timeout; no sleep stands in for an event.

import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import puppeteer from 'puppeteer-core';

import { watchPage } from './page_watch.mjs';
import { readPng } from './png.mjs';
import * as p from './probes.mjs';

const HERE = path.dirname(fileURLToPath(import.meta.url));
export const REPO = path.resolve(HERE, '../..');
export const SITE = path.resolve(process.env.RUNESHOT_SITE ?? path.join(REPO, 'build-web/site'));

// The kinds of file the site holds; a browser compiles WebAssembly as it streams in only
// when it comes as such.
const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.wav': 'audio/wav',
  '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
};

// A static server for the built site, on 127.0.0.1 and a free port. `missing` lists the
// paths asked for that the site does not have.
export async function serveSite(root = SITE) {
  if (!fs.existsSync(path.join(root, 'index.html'))) {
    throw new Error(`no site at ${root}: run \`make web\` first (or set RUNESHOT_SITE)`);
  }
  const missing = [];
  const server = http.createServer((request, response) => {
    const asked = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const file = path.join(root, asked.endsWith('/') ? `${asked}index.html` : asked);
    const inside = file.startsWith(root + path.sep);
    fs.readFile(file, (error, body) => {
      if (!inside || error) {
        missing.push(asked);
        response.writeHead(404, { 'content-type': 'text/plain' });
        response.end('not found');
        return;
      }
      response.writeHead(200, {
        'content-type': TYPES[path.extname(file)] ?? 'application/octet-stream',
        'cache-control': 'no-store',
      });
      response.end(body);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const origin = `http://127.0.0.1:${server.address().port}`;
  return {
    origin,
    missing,
    close: () => new Promise((resolve) => server.close(resolve)),
  };
}

// Chromium's switches that keep it from calling home, updating, syncing or trying QUIC.
const CHROMIUM_OFFLINE = ['--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--disable-quic'];

// puppeteer's own switches that would keep a hidden page's timers at full rate: a player's
// browser runs them at most once a second, and so must the tests.
const CHROMIUM_AUTOMATION_ONLY = ['--disable-background-timer-throttling',
  '--disable-backgrounding-occluded-windows', '--disable-renderer-backgrounding'];

// Debian's Chromium or Firefox ESR, headless, on a profile of its own that goes with it.
export async function launchBrowser(name) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `runeshot-${name}-`));
  const options = name === 'firefox'
    ? { browser: 'firefox', protocol: 'webDriverBiDi', executablePath: '/usr/bin/firefox-esr' }
    : {
      browser: 'chrome',
      executablePath: '/usr/bin/chromium',
      pipe: true,
      ignoreDefaultArgs: CHROMIUM_AUTOMATION_ONLY,
      args: [...CHROMIUM_OFFLINE, ...(process.getuid?.() === 0 ? ['--no-sandbox'] : [])],
    };
  const browser = await puppeteer.launch({ ...options, headless: true, userDataDir: profile });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  browser.runeshotName = name;
  return browser;
}

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// condition()'s first true value, asked for until `timeoutMs` have passed.
export async function poll(condition, timeoutMs, what, intervalMs = 20) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    const value = await condition();
    if (value) return value;
    if (Date.now() > deadline) throw new Error(`still waiting after ${timeoutMs / 1000} s for ${what}`);
    await sleep(intervalMs);
  }
}

function near(pixel, colour, tolerance) {
  return [0, 8, 16].every((s) => Math.abs(((pixel >> s) & 0xff) - ((colour >> s) & 0xff)) <= tolerance);
}

// One picture of the page, read in the game's own pixels (the origin is #game's corner)
// as 0xRRGGBB; at a device pixel ratio of 2, `device` reads it pixel by device pixel.
export class Shot {
  constructor(image, origin, scale) {
    Object.assign(this, { image, origin, scale });
  }

  device(x, y) {
    return this.image.pixels[(this.origin[1] * this.scale + y) * this.image.width + this.origin[0] * this.scale + x];
  }

  pixel(x, y) {
    return this.device(x * this.scale, y * this.scale);
  }

  // The rect's pixels as one string: two regions are the same picture when equal.
  region([x, y, w, h]) {
    const rows = [];
    for (let r = y; r < y + h; ++r) {
      const row = [];
      for (let c = x; c < x + w; ++c) row.push(this.pixel(c, r));
      rows.push(row.join(','));
    }
    return rows.join(';');
  }

  where([x, y, w, h], colour, tolerance = 0) {
    const found = [];
    for (let r = y; r < y + h; ++r) {
      for (let c = x; c < x + w; ++c) {
        const pixel = this.pixel(c, r);
        if (pixel === colour || (tolerance && near(pixel, colour, tolerance))) found.push([c, r]);
      }
    }
    return found;
  }

  count(rect, colour, tolerance = 0) {
    return this.where(rect, colour, tolerance).length;
  }

  // [left, top, right, bottom] of the pixels that count() counts, or null.
  box(rect, colour, tolerance = 0) {
    const found = this.where(rect, colour, tolerance);
    if (found.length === 0) return null;
    const xs = found.map(([x]) => x);
    const ys = found.map(([, y]) => y);
    return [Math.min(...xs), Math.min(...ys), Math.max(...xs), Math.max(...ys)];
  }
}

// Whether the picture shows the white letter in the column that `leftTwips` gives it: its glyph
// starts within its side bearing of the label's Left.
function letterAt(shot, leftTwips) {
  const box = shot.box(p.FIELD, p.WHITE);
  return box !== null && Math.abs(box[0] - Math.round(leftTwips / 15)) <= 10;
}

// The game in a page of its own (a fresh browser context: no cache, no storage). Watched,
// as the tests play it, every request is checked and the page's calls are noted
// (page_watch.mjs); unwatched, as the figures time it, only `scripts` go in beforehand.
export class Game {
  static async open(browser, site, {
    width = 657, height = 337, scale = 1, url = `${site.origin}/`, watched = true, scripts = [],
  } = {}) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const game = new Game(browser, context, page, site, scale);
    await page.setViewport({ width, height, deviceScaleFactor: scale });
    for (const script of watched ? [watchPage, ...scripts] : scripts) await page.evaluateOnNewDocument(script);
    if (watched) {
      await page.setRequestInterception(true);
      page.on('request', (request) => {
        const target = new URL(request.url());
        const local = target.origin === site.origin || ['data:', 'blob:'].includes(target.protocol) ||
          (target.protocol === 'file:' && url.startsWith('file:'));
        if (local) {
          request.continue();
        } else {
          game.blocked.push(request.url());
          request.abort();
        }
      });
    }
    page.on('console', (message) => {
      if (message.type() === 'error') game.errors.push(`console: ${message.text()}`);
    });
    page.on('pageerror', (error) => game.errors.push(`page: ${error.message ?? error}`));
    await page.goto(url);
    return game;
  }

  constructor(browser, context, page, site, scale) {
    Object.assign(this, { browser, context, page, site, scale, blocked: [], errors: [] });
    this.missingFrom = site.missing.length;
  }

  get chromium() {
    return this.browser.runeshotName === 'chromium';
  }

  async waitForFirstPaint() {
    await this.waitUntil((s) => s.count([1, 1, 655, 31], p.BODY) > 1000, 10000, 'the first paint');
  }

  async origin() {
    return this.page.$eval('#game', (game) => {
      const r = game.getBoundingClientRect();
      return [r.left, r.top];
    });
  }

  async shot() {
    const png = await this.page.screenshot({ type: 'png' });
    this.lastOrigin ??= await this.origin();
    return new Shot(readPng(png), this.lastOrigin, this.scale);
  }

  async click([x, y]) {
    const [left, top] = this.lastOrigin ?? await this.origin();
    await this.page.mouse.click(left + x, top + y);
  }

  async type(text) {
    await this.page.keyboard.type(text, { delay: 12 });
  }

  async waitUntil(condition, timeoutMs, what) {
    return poll(async () => {
      const shot = await this.shot();
      return condition(shot) ? shot : null;
    }, timeoutMs, what, 0);
  }

  async waitForChange(rect, before, timeoutMs, what) {
    await this.waitUntil((s) => s.region(rect) !== before, timeoutMs, what);
  }

  async waitForLetter(leftTwips, timeoutMs = 5000) {
    return this.waitUntil((s) => letterAt(s, leftTwips), timeoutMs, `the letter at ${leftTwips} twips`);
  }

  // Pictures, one after another, until the caller has seen enough or the time is up.
  async *shots(timeoutMs, what) {
    const deadline = Date.now() + timeoutMs;
    while (Date.now() <= deadline) yield await this.shot();
    throw new Error(`still waiting after ${timeoutMs / 1000} s for ${what}`);
  }

  async openSettings() {
    await this.click(p.SETTINGS_AT);
    await this.waitUntil((s) => s.count(p.PANEL, p.PANEL_GREEN) > 5000, 5000, 'the settings panel');
  }

  // Replaces the game length in the open panel's box with `text`, as a player would.
  async typeLength(text) {
    await this.click(p.LENGTH_BOX_AT);
    await this.page.keyboard.down('Control');
    await this.page.keyboard.press('KeyA');
    await this.page.keyboard.up('Control');
    await this.page.keyboard.press('Backspace');
    await this.type(text);
  }

  // What the page asked of the browser so far (page_watch.mjs).
  seen() {
    return this.page.evaluate(() => JSON.parse(JSON.stringify(window.__runeshotSeen)));
  }

  async soundsFrom(index = 0) {
    return (await this.seen()).sounds.slice(index).map((s) => s.name);
  }

  // Waits until `name` has started since the sound numbered `index`; returns that sound.
  async waitForSound(index, name, timeoutMs = 5000) {
    return poll(async () => (await this.seen()).sounds.slice(index).find((s) => s.name === name),
      timeoutMs, `${name} to be played`);
  }

  async soundCount() {
    return (await this.seen()).sounds.length;
  }

  // Waits until the live region has said something containing `words`.
  async hear(words, what, timeoutMs = 10000) {
    return poll(async () => (await this.seen()).news.find((s) => s.includes(words)), timeoutMs, what);
  }

  async focused() {
    return this.page.evaluate(() => document.activeElement?.id ?? null);
  }

  // The page hidden as a minimized browser is (Chromium), or behind another tab (Firefox,
  // whose driver cannot minimize), and shown again.
  async hide() {
    if (this.chromium) {
      await this.setWindowState('minimized');
    } else {
      this.otherTab = await this.context.newPage();
      await this.otherTab.bringToFront();
    }
    await poll(() => this.page.evaluate(() => document.visibilityState === 'hidden'), 5000, 'the page hidden');
  }

  async show() {
    if (this.chromium) {
      await this.setWindowState('normal');
    } else {
      await this.otherTab.close();
      await this.page.bringToFront();
    }
    await poll(() => this.page.evaluate(() => document.visibilityState === 'visible'), 5000, 'the page shown');
  }

  async setWindowState(windowState) {
    const session = await this.page.createCDPSession();
    const { windowId } = await session.send('Browser.getWindowForTarget');
    await session.send('Browser.setWindowBounds', { windowId, bounds: { windowState } });
    await session.detach();
  }

  // What a screen reader can read: the names in Chromium's accessibility tree, or where
  // the browser gives no such tree to its driver, the text the page renders for one.
  async readable() {
    if (this.chromium) return (await this.accessibleNodes()).map((node) => node.name).filter(Boolean);
    return this.page.evaluate(() => document.body.innerText.split('\n').map((s) => s.trim()).filter(Boolean));
  }

  // The falling letter as a screen reader reads it: the one letter readable now that was
  // not in `before` (what was readable before it was dealt), or null.
  async letterShown(before) {
    const left = [...before];
    const added = (await this.readable()).filter((name) => {
      const at = left.indexOf(name);
      if (at >= 0) left.splice(at, 1);
      return at < 0;
    });
    const letters = new Set(added.map((name) => name.replace(/, red$/, '')).filter((name) => /^[A-Za-z]$/.test(name)));
    return letters.size === 1 ? [...letters][0] : null;
  }

  // Chromium's accessibility tree, flattened in reading order: [{ role, name, ... }].
  async accessibleNodes() {
    const nodes = [];
    const walk = (node) => {
      if (!node) return;
      nodes.push(node);
      for (const child of node.children ?? []) walk(child);
    };
    walk(await this.page.accessibility.snapshot());
    return nodes.map(({ children, ...node }) => node);
  }

  // The page's own faults: requests meant for elsewhere, files the site lacks, logged errors.
  faults() {
    return {
      blocked: this.blocked,
      missing: this.site.missing.slice(this.missingFrom),
      errors: this.errors,
    };
  }

  async close() {
    if (!this.page.isClosed()) await this.page.close();
    await this.context.close();
  }
}
