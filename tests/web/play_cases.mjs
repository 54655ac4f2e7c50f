// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The page played as the desktop's end-to-end tests play the window (tests/e2e/): the same
// places, colours, keys and clicks, in one browser. Every case ends by checking that no
// request left 127.0.0.1, that the site had every file asked for and that the page logged
// no error.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { Game, REPO, Shot, SITE, launchBrowser, poll, serveSite, sleep } from './harness.mjs';
import { readPng } from './png.mjs';
import * as p from './probes.mjs';

// How many pixels of `rects` differ between two pictures of the game.
function differing(a, b, rects) {
  let count = 0;
  for (const [x, y, w, h] of rects) {
    for (let r = y; r < y + h; ++r) {
      for (let c = x; c < x + w; ++c) count += a.pixel(c, r) !== b.pixel(c, r);
    }
  }
  return count;
}

// The rows of `rect` split around the boxes in `holes`: rects that cover `rect` less them.
function without(rect, holes) {
  const [x, y, w, h] = rect;
  const pieces = [];
  for (let r = y; r < y + h; ++r) {
    let from = x;
    const cuts = holes.filter(([, hy, , hh]) => r >= hy && r < hy + hh).sort((a, b) => a[0] - b[0]);
    for (const [hx, , hw] of cuts) {
      if (hx > from) pieces.push([from, r, hx - from, 1]);
      from = Math.max(from, hx + hw);
    }
    if (from < x + w) pieces.push([from, r, x + w - from, 1]);
  }
  return pieces;
}

// Device pixels at twice the density that differ from the design pixel they enlarge.
function differingFromEnlarged(design, scaled, rects) {
  let count = 0;
  for (const [x, y, w, h] of rects) {
    for (let r = 2 * y; r < 2 * (y + h); ++r) {
      for (let c = 2 * x; c < 2 * (x + w); ++c) count += scaled.device(c, r) !== design.pixel(c >> 1, r >> 1);
    }
  }
  return count;
}

const CAPTION_RECTS = p.CAPTIONS.map(([rect]) => rect);
const NO_FAULTS = { blocked: [], missing: [], errors: [] };

export function playCases(browserName) {
  const chromium = browserName === 'chromium';
  const withTree = chromium ? {} : {
    skip: 'Firefox driven through WebDriver BiDi gives no accessibility tree (puppeteer-core: "CDP support is required")',
  };

  describe(`the page in ${browserName}`, () => {
    let site;
    let browser;
    before(async () => {
      site = await serveSite();
      browser = await launchBrowser(browserName);
    });
    after(async () => {
      await browser?.close();
      await site?.close();
    });

    // One case's game, in a page of its own, checked for the page's own faults at the end.
    async function playing(options, body) {
      const game = await Game.open(browser, site, options);
      try {
        await game.waitForFirstPaint();
        await body(game);
      } finally {
        await game.close();
      }
      assert.deepEqual(game.faults(), NO_FAULTS);
    }

    test('opens as the window does: status bar, captions, starfield and input line in place', async () => {
      const linux = new Shot(readPng(fs.readFileSync(path.join(REPO, 'docs/window.png'))), [0, 0], 1);
      await playing({}, async (game) => {
        assert.deepEqual(await game.page.$eval('#game', (e) => {
          const r = e.getBoundingClientRect();
          return [r.left, r.top, r.width, r.height];
        }), [0, 0, 657, 337]);
        assert.equal(await game.focused(), 'Text1', 'the input line has the keyboard');
        const shot = await game.shot();
        for (let i = 0; i + 1 < p.CELL_EDGES.length; ++i) {
          const [left, right] = [p.CELL_EDGES[i], p.CELL_EDGES[i + 1]];
          const cell = [left + 1, 1, right - left - 1, 31];
          assert.ok(shot.count(cell, p.BODY) > 50, `body in the cell at ${left}`);
          assert.ok(shot.count(cell, p.HATCH) > 50, `hatch in the cell at ${left}`);
        }
        for (const x of p.CELL_EDGES.slice(1, -1)) {
          const rule = [x, 0, 1, 33];
          assert.equal(shot.count(rule, p.BLACK) + shot.count(rule, p.HATCH), 33, `rule at ${x}`);
          assert.ok(shot.count(rule, p.BLACK) >= 24, `rule at ${x}`);
        }
        assert.equal(shot.count([0, 0, 657, 1], p.BLACK), 657);
        assert.equal(shot.count([0, 32, 657, 1], p.BLACK), 657);
        for (const [rect, colour] of p.CAPTIONS) {
          assert.ok(shot.count(rect, colour, p.TEXT_TOLERANCE) >= 4, `caption at ${rect}`);
        }
        // Only the starfield between the bar and the input line, the Linux window's own.
        for (const colour of [p.WHITE, p.RED, p.YELLOW, p.PANEL_GREEN]) {
          assert.equal(shot.count(p.FIELD, colour), 0, colour.toString(16));
        }
        assert.equal(differing(shot, linux, [p.FIELD]), 0, 'field pixels unlike the Linux window');
        assert.equal(differing(shot, linux, without([0, 0, 657, 33], CAPTION_RECTS)), 0,
          'status bar pixels outside the captions unlike the Linux window');
        const [leftThird, middleThird, rightThird] = [0, 219, 438].map((x) => [x, 320, 219, 17]);
        assert.ok(shot.count(middleThird, p.PALE_YELLOW, 40) > 20);
        assert.equal(shot.count(leftThird, p.PALE_YELLOW, 40), 0);
        assert.equal(shot.count(rightThird, p.PALE_YELLOW, 40), 0);
        assert.ok(shot.count([3, 323, 651, 14], p.BLACK) > (651 * 14 * 8) / 10);
      });
    });

    test('is centred in a larger viewport, and drawn afresh at twice the density', async () => {
      let design;
      await playing({}, async (game) => {
        design = await game.shot();
      });
      await playing({ width: 1000, height: 700 }, async (game) => {
        const [left, top] = await game.origin();
        assert.ok(Math.abs(left - (1000 - 657) / 2) <= 0.5 && Math.abs(top - (700 - 337) / 2) <= 0.5,
          `the game at ${left},${top}`);
        const shot = await game.shot();
        assert.equal(differing(shot, design, [p.ABOVE_INPUT_LINE]), 0);
        // The form's own colour beyond it, as beyond a window made larger than its picture.
        for (const [x, y] of [[-left, -top], [657 + 100, 10], [100, 337 + 100], [-50, 200], [1000 - left - 1, 700 - top - 1]]) {
          assert.equal(shot.pixel(x, y), p.TEAL, `${x},${y} from the game's corner`);
        }
      });
      await playing({ scale: 2 }, async (game) => {
        assert.deepEqual(await game.page.$eval('#form', (c) => [c.width, c.height]), [1314, 674],
          'the canvas holds a pixel for each device pixel');
        const scaled = await game.shot();
        // Body, rules, hatch and starfield cover the same design pixels; the captions
        // are drawn anew at the finer resolution, not enlarged.
        assert.equal(differingFromEnlarged(design, scaled, without(p.ABOVE_INPUT_LINE, CAPTION_RECTS)), 0);
        assert.ok(differingFromEnlarged(design, scaled, CAPTION_RECTS) > 100, 'captions enlarged');
      });
    });

    test('the hidden G scores before the first game, the dealt letter read aloud is hit, and a wrong key is only heard', async () => {
      await playing({}, async (game) => {
        await sleep(500);
        assert.deepEqual(await game.soundsFrom(0), [], 'sound while nothing happens');
        const readable = await game.readable();
        const before = await game.shot();

        await game.type('G');
        await game.waitForChange(p.SHOOTED, before.region(p.SHOOTED), 5000, 'the hit counter');
        await game.waitForSound(0, 'shooted.wav');
        await game.hear('Hit, 1 shot', 'the hit spoken');
        const letter = await poll(() => game.letterShown(readable), 5000, 'the dealt letter readable');
        const shot = await game.waitUntil((s) => s.count(p.FIELD, p.WHITE) > 50, 5000, 'the dealt letter drawn');

        // "1" is never dealt. Typed twice, the second sound cuts the first, which fades out.
        let heard = await game.soundCount();
        await game.type('11');
        const cut = await game.waitForSound(heard, 'wrong.wav');
        await poll(async () => (await game.soundsFrom(heard)).length === 2, 5000, 'both wrong keys heard');
        const seen = await game.seen();
        assert.deepEqual(seen.sounds.slice(heard).map((s) => s.name), ['wrong.wav', 'wrong.wav']);
        const { stop } = seen.sounds[heard];
        assert.ok(stop, 'the cut sound is stopped');
        assert.ok(stop.when - stop.currentTime >= 0.004 && stop.when - stop.currentTime <= 0.008,
          `the cut sound stops ${stop.when - stop.currentTime} s after the cut`);
        assert.ok(seen.ramps.some((r) => r.value <= 0.001 && Math.abs(r.time - stop.when) < 0.001 && r.at >= cut.at),
          'the cut sound fades to silence as it stops');
        const after = await game.shot();
        assert.equal(after.region(p.SHOOTED), shot.region(p.SHOOTED));
        assert.equal(after.region(p.FIELD), shot.region(p.FIELD));

        heard = await game.soundCount();
        await game.type(letter);
        await game.hear('Hit, 2 shot', 'the second hit spoken');
        await game.waitForSound(heard, 'shooted.wav');
      });
    });

    test('NEW GAME counts down, and a letter reaching the bottom turns red, is counted and heard', async () => {
      await playing({}, async (game) => {
        const start = await game.shot();
        await game.click(p.NEW_GAME_AT);
        await game.waitForLetter(4320);
        await game.waitForChange(p.TIME_LEFT, start.region(p.TIME_LEFT), 5000, 'the countdown');

        await game.waitUntil((s) => s.count(p.FIELD, p.RED) > 50, 10000, 'the red missed letter');
        assert.notEqual((await game.shot()).region(p.MISSED), start.region(p.MISSED));
        await game.waitForSound(0, 'boing.wav');
        await game.hear('Missed capital G, 1 missed', 'the miss spoken');
        await game.waitUntil((s) => s.count(p.FIELD, p.RED) === 0 && s.count(p.FIELD, p.WHITE) > 50, 5000,
          'the next letter, white');
      });
    });

    test('PAUSE twice shows PAUSED in red, then PAUSE in green, and leaves the keyboard with the input line', async () => {
      await playing({}, async (game) => {
        const start = await game.shot();
        await game.click(p.PAUSE_AT);
        await game.waitUntil((s) => s.count(p.PAUSE_LABEL, p.RED, 40) > 10, 5000, 'PAUSED in red');
        let shot = await game.shot();
        assert.equal(shot.count(p.PAUSE_LABEL, p.PALE_GREEN, 40), 0);
        assert.equal(shot.region(p.TIME_LEFT), start.region(p.TIME_LEFT));
        assert.equal(await game.focused(), 'Text1');
        await game.hear('Paused', 'the pause spoken');

        await game.click(p.PAUSE_AT);
        shot = await game.waitUntil((s) => s.count(p.PAUSE_LABEL, p.RED, 40) === 0, 5000, 'PAUSE again');
        assert.ok(shot.count(p.PAUSE_LABEL, p.PALE_GREEN, 40) > 10);
        // Resuming before any game starts the countdown all the same.
        await game.waitForChange(p.TIME_LEFT, start.region(p.TIME_LEFT), 5000, 'the countdown');
        assert.equal(await game.focused(), 'Text1');
      });
    });

    test('SETTINGS opens the panel as designed, and Speed with a 3-second length ends in time over', async () => {
      await playing({}, async (game) => {
        const controls = () => game.page.evaluate(() => ['Option1', 'Option2', 'Combo1'].map((id) => {
          const e = document.getElementById(id);
          // An option button is its radio input with its caption, in one label.
          const r = (e.closest('label') ?? e).getBoundingClientRect();
          return { id, shown: e.checkVisibility(), rect: [r.left, r.top, r.width, r.height], checked: e.checked, value: e.value };
        }));
        assert.deepEqual((await controls()).map((c) => c.shown), [false, false, false], 'controls hidden with the panel');
        const hundred = (await game.shot()).region(p.TIME_LEFT);
        await game.openSettings();
        const shot = await game.shot();
        assert.ok(shot.count(p.PAUSE_LABEL, p.RED, 40) > 10, 'the game paused');
        const at = (x, y) => shot.pixel(p.FRAME[0] + x, p.FRAME[1] + y);
        for (const [x, y] of [[5, 100], [170, 100], [5, 236], [170, 40]]) assert.equal(at(x, y), p.PANEL_GREEN, `${x},${y}`);
        assert.equal(shot.count([p.FRAME[0], 40, 176, 1], p.BLACK), 176);
        assert.equal(shot.count([p.FRAME[0], 64, 176, 1], p.BLACK), 176);
        // The disc is the largest circle in its rectangle, centred: it leaves "Time" uncovered.
        for (const [x, y, colour] of [[92, 196, p.BLACK], [50, 164, p.BLACK], [44, 164, p.PANEL_GREEN], [20, 200, p.PANEL_GREEN]]) {
          assert.equal(at(x, y), colour, `${x},${y}`);
        }
        const [tx, ty, tw, th] = p.TIME_CAPTION;
        assert.ok(shot.count([p.FRAME[0] + tx, p.FRAME[1] + ty, tw, th], p.SILVER, p.TEXT_TOLERANCE) >= 4, 'the grey "Time"');
        const designed = { Option1: p.OPTION1, Option2: p.OPTION2, Combo1: p.COMBO1 };
        for (const control of await controls()) {
          assert.ok(control.shown, control.id);
          assert.deepEqual(control.rect, designed[control.id], control.id);
        }
        for (const option of [p.OPTION1, p.OPTION2]) {
          const [, , w, h] = option;
          assert.ok(shot.count(option, p.BLACK) > (w * h) / 2, `black option at ${option}`);
          assert.ok(shot.count(option, p.LIGHT_CYAN, p.TEXT_TOLERANCE) >= 4, `option caption at ${option}`);
        }
        assert.ok(shot.count(p.COMBO1, p.BROWN) > 100, 'the brown length box');

        await game.click(p.SPEED_AT);
        await game.typeLength('3');
        assert.deepEqual((await controls()).map((c) => (c.id === 'Combo1' ? c.value : c.checked)), [false, true, '3']);
        const heard = await game.soundCount();
        await game.click(p.OK_AT);

        // At 100 ms a step, "G" reaches the bottom in 14 steps, before the clock's second
        // step; at the normal 200 ms it would take until after it.
        const shown = [hundred];
        let missedAt = null;
        for await (const s of game.shots(10000, 'time over')) {
          if (s.region(p.TIME_LEFT) !== shown[shown.length - 1]) shown.push(s.region(p.TIME_LEFT));
          if (missedAt === null && s.count(p.FIELD, p.RED) > 50) missedAt = shown.length - 1;
          if (s.count(p.BANNER, p.YELLOW) > 500) break;
          assert.ok(shown.length < 5, 'the game went on past its length');
        }
        assert.equal(missedAt, 1, 'clock steps shown when the first letter was missed');
        assert.equal(shown.length - 1, 3, 'clock steps until time over');
        await game.waitForSound(heard, 'theend.wav');
        const end = await game.shot();
        assert.equal(end.count(p.FIELD, p.WHITE), 0, 'the letter is hidden at time over');
        assert.equal(end.count(p.FIELD, p.RED), 0, 'the letter is hidden at time over');
        assert.equal(end.count(p.PANEL, p.PANEL_GREEN), 0, 'the panel is closed');
        await game.hear('Time is Over! 0 shot, 1 missed', 'time over spoken');
        assert.ok((await game.seen()).news.some((s) => s.endsWith('second left')), 'the last second told');
      });
    });

    // As the window does, the page paints again only where something changed; what it then
    // shows must be what painting the whole form afresh draws.
    test('a hit repaints only where the letters were and are, and leaves what a whole repaint draws', async () => {
      await playing({}, async (game) => {
        await game.click(p.NEW_GAME_AT);
        await game.waitForLetter(4320);
        // A mark the page itself never paints, in the field far from both letters' columns.
        const mark = [8, 300, 6, 6];
        const MAGENTA = 0xff00ff;
        await game.page.$eval('#form', (canvas, [x, y, w, h]) => {
          const ctx = canvas.getContext('2d');
          ctx.save();
          ctx.setTransform(1, 0, 0, 1, 0, 0);
          ctx.fillStyle = '#ff00ff';
          ctx.fillRect(x, y, w, h);
          ctx.restore();
        }, mark);
        // The G falling after NEW GAME is hit, and the first letter dealt takes its place.
        await game.type('G');
        await game.waitForLetter(5997);
        assert.equal((await game.shot()).count(mark, MAGENTA), 36, 'the mark painted over');

        await game.click(p.PAUSE_AT);
        await game.waitUntil((s) => s.count(p.PAUSE_LABEL, p.RED, 40) > 10, 5000, 'PAUSED in red');
        const patched = await game.shot();
        await game.page.evaluate(() => window.dispatchEvent(new Event('resize')));
        const whole = await game.waitUntil((s) => s.count(mark, MAGENTA) === 0, 5000, 'a whole repaint');
        assert.equal(differing(patched, whole, without(p.ABOVE_INPUT_LINE, [mark])), 0);
      });
    });

    test('a miss pause ending while the page is hidden pauses the game, as in a minimized window', async () => {
      await playing({}, async (game) => {
        await game.click(p.NEW_GAME_AT);
        const heard = await game.soundCount();
        await game.hide();
        // "G" falls to the bottom; the miss pause ends with the miss sound and the pause. A
        // hidden page's timers fire at most once a second, so each step takes one.
        await game.waitForSound(heard, 'boing.wav', 40000);
        await game.show();
        // The same handler dealt the next letter and paused, before the page showed again.
        const paused = await game.waitUntil((s) => s.count(p.PAUSE_LABEL, p.RED, 40) > 10, 5000, 'PAUSED in red');
        assert.ok(paused.count(p.FIELD, p.WHITE) > 50, 'the next letter shown');
        assert.equal(paused.count(p.FIELD, p.RED), 0);
        await game.hear('Paused', 'the pause spoken');
        await sleep(1500);
        const still = await game.shot();
        assert.equal(still.region(p.TIME_LEFT), paused.region(p.TIME_LEFT));
        assert.equal(still.region(p.FIELD), paused.region(p.FIELD));
      });
    });

    test('QUIT ends the game: every timer and sound stops, and the page closes or says how to start again', async () => {
      await playing({}, async (game) => {
        await game.click(p.NEW_GAME_AT);
        await game.waitForLetter(4320);
        const heard = await game.soundCount();
        await game.type('1');
        await game.waitForSound(heard, 'wrong.wav');
        await game.click(p.QUIT_AT);
        const ended = await poll(async () => game.page.isClosed() ||
          await game.page.$eval('#ended', (e) => e.checkVisibility() && e.textContent.trim()).catch(() => false),
        5000, 'the page closed or the end told');
        if (ended === true) return;
        assert.match(ended, /reload/i);
        assert.doesNotMatch(ended, /\n/, 'one line');
        const seen = await game.seen();
        assert.ok(seen.closeTried >= 1, 'window.close() tried');
        assert.ok(seen.sounds[heard].stop || seen.contexts.length > 0, 'the sound playing at QUIT stopped');
        await poll(async () => (await game.seen()).timersArmed === 0, 2000, 'every timer stopped');
        const still = await game.shot();
        await sleep(1500);
        const later = await game.seen();
        assert.equal(later.timersArmed, 0);
        assert.equal(later.sounds.length, heard + 1, 'no sound after QUIT');
        assert.equal((await game.shot()).region(p.ABOVE_INPUT_LINE), still.region(p.ABOVE_INPUT_LINE));
      });
    });

    test('Chromium\'s accessibility tree: the commands are buttons that press like clicks, the counts read with their captions', withTree, async () => {
      await playing({}, async (game) => {
        const countOf = (nodes, caption) => nodes[nodes.findIndex((n) => n.name === caption) + 1]?.name;
        const buttons = (nodes) => nodes.filter((n) => n.role === 'button').map((n) => n.name).sort();
        const press = async (name) => {
          const button = await game.page.$(`aria/${name}[role="button"]`);
          assert.ok(button, `no button named ${name}`);
          await button.evaluate((b) => b.click());
        };
        let nodes = await game.accessibleNodes();
        const names = nodes.map((n) => n.name);
        // Read in the window's order, as the desktop's screen reader reads it.
        assert.deepEqual(names.slice(names.indexOf('SETTINGS'), names.indexOf('SETTINGS') + 11),
          ['SETTINGS', 'Shooted :', '0', 'Missed :', '0', 'Time Left:', '100', 's', 'PAUSE', 'NEW GAME', 'QUIT']);
        assert.deepEqual(buttons(nodes), ['NEW GAME', 'PAUSE', 'QUIT', 'SETTINGS']);
        assert.ok(nodes.some((n) => n.role === 'textbox' && n.focused), 'the focused input line');
        const readable = nodes.map((n) => n.name).filter(Boolean);

        await press('NEW GAME');
        const letter = await poll(() => game.letterShown(readable), 5000, 'the dealt letter readable');
        await game.hear(/[A-Z]/.test(letter) ? `capital ${letter}` : letter, 'the dealt letter spoken');
        await poll(async () => countOf(await game.accessibleNodes(), 'Time Left:') === '99', 5000, 'the seconds moving');
        await game.type(letter);
        await poll(async () => countOf(await game.accessibleNodes(), 'Shooted :') === '1', 5000, 'the hit counted');
        await game.hear('Hit, 1 shot', 'the hit spoken');

        await press('PAUSE');
        await game.hear('Paused', 'the pause spoken');
        await press('SETTINGS');
        nodes = await poll(async () => {
          const now = await game.accessibleNodes();
          return buttons(now).includes('Cancel') ? now : null;
        }, 5000, 'the panel\'s buttons');
        assert.ok(buttons(nodes).includes('Ok'));
        await press('Cancel');
        await game.hear('Resumed', 'the game resumed');
        await poll(async () => !buttons(await game.accessibleNodes()).includes('Cancel'), 5000, 'the panel closed');
      });
    });

    test('opened from a file, the page plays or says in one line to serve it', async () => {
      const game = await Game.open(browser, site, { url: `file://${path.join(SITE, 'index.html')}` });
      try {
        const told = await poll(async () => {
          const line = await game.page.$eval('#ended', (e) => e.checkVisibility() && e.textContent.trim()).catch(() => false);
          if (line) return line;
          return (await game.shot()).count([1, 1, 655, 31], p.BODY) > 1000 ? 'plays' : null;
        }, 10000, 'the game or the line telling to serve it');
        if (told !== 'plays') {
          assert.match(told, /make run-web/);
          assert.doesNotMatch(told, /\n/, 'one line');
        }
      } finally {
        await game.close();
      }
      assert.deepEqual(game.faults().blocked, []);
    });
  });
}
