// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The game's core, compiled to WebAssembly: every input goes in through its one road, and
// each answer is all the page must show afterwards (web/page_session.h).
import createRuneshot from '../runeshot.js';
import { lineHeight, textWidth } from './faces.js';

// The player's decimal separator, for counts that show a fraction.
function decimalSeparator() {
  const part = new Intl.NumberFormat().formatToParts(1.5).find((p) => p.type === 'decimal');
  return part ? part.value : '.';
}

export async function startCore() {
  const module = await createRuneshot({ textWidth, lineHeight });
  const call = (name, types, args) => JSON.parse(module.ccall(name, 'string', types, args));
  const now = () => Math.floor(performance.now());
  const width = module._runeshot_starfield_width();
  const height = module._runeshot_starfield_height();
  const pixels = module._runeshot_starfield();
  const rgba = new Uint8ClampedArray(module.HEAPU8.buffer, pixels, width * height * 4);

  return {
    shown: call('runeshot_start', ['string'], [decimalSeparator()]),
    starfield: new ImageData(rgba, width, height),
    now,
    press: (x, y) => call('runeshot_press', ['number', 'number', 'number'], [now(), x, y]),
    release: (x, y) => call('runeshot_release', ['number', 'number', 'number'], [now(), x, y]),
    key: (code) => call('runeshot_key', ['number', 'number'], [now(), code]),
    wake: () => call('runeshot_wake', ['number'], [now()]),
    inputLineText: (text) => call('runeshot_input_line_text', ['number', 'string'], [now(), text]),
    speedChosen: (speed) => call('runeshot_speed_chosen', ['number', 'number'], [now(), speed ? 1 : 0]),
    lengthText: (text) => call('runeshot_length_text', ['number', 'string'], [now(), text]),
    windowState: (state) => call('runeshot_window_state', ['number', 'number'], [now(), state]),
    closeBox: () => call('runeshot_close_box', ['number'], [now()]),
  };
}
