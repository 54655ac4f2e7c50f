// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// The form's faces, drawn with the ones the Linux build falls back to, which the site
// carries (style.css): the same widths and heights on every machine, so the core's hit test
// agrees with what is drawn wherever the page runs.
const families = {
  'MS Sans Serif': 'Runeshot Sans',
  'Times New Roman': 'Runeshot Serif',
  'Tempus Sans ITC': 'Runeshot Banner',
};

// A CSS font for a face of the form, with its size already in pixels.
export function cssFont(face, pixels, bold) {
  const family = families[face] ?? face;
  return `${bold ? 'bold ' : ''}${pixels}px "${family}"`;
}

// Waits for every face the game draws with, so that nothing is measured in a stand-in.
export async function loadFaces() {
  await Promise.all([
    document.fonts.load(cssFont('MS Sans Serif', 11, false), 'A'),
    document.fonts.load(cssFont('MS Sans Serif', 11, true), 'A'),
    document.fonts.load(cssFont('Times New Roman', 11, false), 'A'),
    document.fonts.load(cssFont('Tempus Sans ITC', 11, true), 'A'),
  ]);
}

const measuring = document.createElement('canvas').getContext('2d');

function metrics(text, face, pixels, bold) {
  measuring.font = cssFont(face, pixels, bold);
  return measuring.measureText(text);
}

// As the window's toolkit measures: the advance rounded, and the face's ascent and descent
// each rounded, their sum the height of a line.
export function textWidth(text, face, pixels, bold) {
  return Math.round(metrics(text, face, pixels, bold).width);
}

export function ascent(face, pixels, bold) {
  return Math.round(metrics('', face, pixels, bold).fontBoundingBoxAscent);
}

export function lineHeight(face, pixels, bold) {
  const m = metrics('', face, pixels, bold);
  return Math.round(m.fontBoundingBoxAscent) + Math.round(m.fontBoundingBoxDescent);
}
