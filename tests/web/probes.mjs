// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The places (CSS pixels of the game, 15 twips each, as [x, y, width, height]) and colours
// that the desktop's end-to-end tests look at and click (tests/e2e/harness.py): the page
// shows the window's client area, so the same probes hold.

export const FIELD = [0, 33, 657, 287];
export const ABOVE_INPUT_LINE = [0, 0, 657, 320];
export const SHOOTED = [64, 8, 17, 17];
export const MISSED = [136, 8, 17, 25];
export const TIME_LEFT = [216, 8, 25, 17];
export const PAUSE_LABEL = [528, 8, 56, 17];
export const BANNER = [56, 112, 601, 140];
export const PANEL = [232, 40, 177, 241];
export const SETTINGS_AT = [310, 15];
export const NEW_GAME_AT = [445, 15];
export const PAUSE_AT = [540, 15];
export const QUIT_AT = [615, 15];
export const OK_AT = [368, 258];
export const SPEED_AT = [345, 118];
export const LENGTH_BOX_AT = [320, 194];

// The status bar's cells, between its rules, and its captions with their colours.
export const CELL_EDGES = [0, 80, 152, 248, 424, 520, 592, 656];

export const BLACK = 0x000000;
export const WHITE = 0xffffff;
export const RED = 0xff0000;
export const YELLOW = 0xffff00;
export const BODY = 0x7388aa;
export const HATCH = 0x00c000;
export const PALE_GREEN = 0xc0ffc0;
export const PALE_YELLOW = 0xffffc0;
export const LIGHT_ORANGE = 0xffc080;
export const LIGHT_CYAN = 0xc0ffff;
export const PALE_AQUA = 0x80ffff;
export const SILVER = 0xc0c0c0;
export const BROWN = 0x804000;
export const TEAL = 0x004040;
export const PANEL_GREEN = 0x008000;

export const CAPTIONS = [
  [[8, 8, 56, 17], LIGHT_ORANGE], [SHOOTED, WHITE], [[88, 8, 41, 17], LIGHT_ORANGE],
  [MISSED, WHITE], [[160, 8, 57, 17], PALE_YELLOW], [TIME_LEFT, PALE_GREEN],
  [[240, 8, 9, 17], PALE_AQUA], [[296, 8, 77, 16], WHITE], [[432, 8, 83, 16], PALE_GREEN],
  [PAUSE_LABEL, PALE_GREEN], [[600, 8, 53, 16], PALE_GREEN],
];
// Captions are smoothed: a pixel within this of the caption's colour is text.
export const TEXT_TOLERANCE = 40;

// The settings panel, in the window (tests/gui/drawing_test.cpp), and the windowed
// controls it holds, at their designed places (shell/form1_design.cpp, in pixels).
export const FRAME = [232, 40];
// The panel's "Time" caption, in the panel, drawn in the system's grey.
export const TIME_CAPTION = [16, 112, 30, 13];
export const OPTION1 = [272, 112, 57, 13];
export const OPTION2 = [336, 112, 57, 13];
export const COMBO1 = [296, 184, 73, 21];
