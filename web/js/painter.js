// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Paints the form on the canvas as the window paints it: the starfield, then each surface's
// labels, shapes and lines in stacking order, on whole design pixels and unsmoothed; only
// the captions are drawn afresh at the screen's density.
import { ascent, cssFont, lineHeight, textWidth } from './faces.js';

// The toolkit's hatch patterns, eight rows of eight pixels, the lowest bit leftmost;
// indexed by the form's FillStyle from HorizontalLine (2) on.
const hatches = {
  2: [0x00, 0x00, 0x00, 0xff, 0x00, 0x00, 0x00, 0x00],
  3: [0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10],
  4: [0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01],
  5: [0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80],
  6: [0x10, 0x10, 0x10, 0xff, 0x10, 0x10, 0x10, 0x10],
  7: [0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81],
};
const solidFill = 0;
const transparentFill = 1;
const shapes = { rectangle: 0, square: 1, oval: 2, circle: 3, roundedRectangle: 4 };
const alignments = { left: 0, right: 1, center: 2 };
// The disabled look of the window's toolkit: grey text etched into the surface.
const disabledLight = '#ffffff';
const disabledText = '#bebebe';

function hatchPattern(ctx, style, colour) {
  const tile = document.createElement('canvas');
  tile.width = 8;
  tile.height = 8;
  const t = tile.getContext('2d');
  t.fillStyle = colour;
  hatches[style].forEach((bits, y) => {
    for (let x = 0; x < 8; x++) if (bits & (1 << x)) t.fillRect(x, y, 1, 1);
  });
  return ctx.createPattern(tile, 'repeat');
}

// Whether the centre of pixel (px, py) lies inside a shape filling rectangle r, shrunk by
// `inset` pixels on every side.
function covers(kind, r, inset, px, py) {
  const x = r.x + inset, y = r.y + inset, w = r.w - 2 * inset, h = r.h - 2 * inset;
  const cx = px + 0.5, cy = py + 0.5;
  if (cx < x || cy < y || cx > x + w || cy > y + h) return false;
  if (kind === shapes.oval || kind === shapes.circle) {
    const dx = (cx - (x + w / 2)) / (w / 2), dy = (cy - (y + h / 2)) / (h / 2);
    return dx * dx + dy * dy <= 1;
  }
  if (kind !== shapes.roundedRectangle) return true;
  const radius = Math.floor(Math.min(r.w, r.h) / 4) - inset;
  const nx = Math.max(x + radius - cx, 0, cx - (x + w - radius));
  const ny = Math.max(y + radius - cy, 0, cy - (y + h - radius));
  return nx * nx + ny * ny <= radius * radius;
}

// Fills the pixels of a shape's area row by row, unsmoothed.
function fillShapeArea(ctx, kind, r) {
  if (kind === shapes.rectangle || kind === shapes.square) {
    ctx.fillRect(r.x, r.y, r.w, r.h);
    return;
  }
  for (let py = r.y; py < r.y + r.h; py++) {
    let start = null;
    for (let px = r.x; px <= r.x + r.w; px++) {
      const inside = px < r.x + r.w && covers(kind, r, 0, px, py);
      if (inside && start === null) start = px;
      if (!inside && start !== null) {
        ctx.fillRect(start, py, px - start, 1);
        start = null;
      }
    }
  }
}

// A one-pixel outline: the area's pixels that its inside, one pixel in, leaves out.
function strokeShapeArea(ctx, kind, r) {
  if (kind === shapes.rectangle || kind === shapes.square) {
    ctx.fillRect(r.x, r.y, r.w, 1);
    ctx.fillRect(r.x, r.y + r.h - 1, r.w, 1);
    ctx.fillRect(r.x, r.y, 1, r.h);
    ctx.fillRect(r.x + r.w - 1, r.y, 1, r.h);
    return;
  }
  for (let py = r.y; py < r.y + r.h; py++) {
    for (let px = r.x; px < r.x + r.w; px++) {
      if (covers(kind, r, 0, px, py) && !covers(kind, r, 1, px, py)) ctx.fillRect(px, py, 1, 1);
    }
  }
}

function paintShape(ctx, s) {
  let r = { x: s.x, y: s.y, w: s.w, h: s.h };
  if (s.shape === shapes.circle || s.shape === shapes.square) {
    // The largest circle or square that fits, centred in the control's rectangle.
    const side = Math.min(r.w, r.h);
    r = { x: r.x + Math.floor((r.w - side) / 2), y: r.y + Math.floor((r.h - side) / 2), w: side, h: side };
  }
  if (s.opaque) {
    ctx.fillStyle = s.back;
    fillShapeArea(ctx, s.shape, r);
  }
  if (s.fillStyle !== transparentFill) {
    ctx.fillStyle = s.fillStyle === solidFill ? s.fill : hatchPattern(ctx, s.fillStyle, s.fill);
    fillShapeArea(ctx, s.shape, r);
  }
  ctx.fillStyle = s.border;
  strokeShapeArea(ctx, s.shape, r);
}

// A rule one design pixel wide, both ends included, on whole pixels.
function paintLine(ctx, l) {
  ctx.fillStyle = l.border;
  if (l.x1 === l.x2 || l.y1 === l.y2) {
    ctx.fillRect(Math.min(l.x1, l.x2), Math.min(l.y1, l.y2), Math.abs(l.x2 - l.x1) + 1, Math.abs(l.y2 - l.y1) + 1);
    return;
  }
  const dx = Math.abs(l.x2 - l.x1), dy = Math.abs(l.y2 - l.y1);
  const sx = l.x1 < l.x2 ? 1 : -1, sy = l.y1 < l.y2 ? 1 : -1;
  let x = l.x1, y = l.y1, err = dx - dy;
  for (;;) {
    ctx.fillRect(x, y, 1, 1);
    if (x === l.x2 && y === l.y2) break;
    const e2 = 2 * err;
    if (e2 > -dy) { err -= dy; x += sx; }
    if (e2 < dx) { err += dx; y += sy; }
  }
}

// The sunken edge in the standard desktop colours: two rings of one pixel, each darker
// above and to the left than below and to the right.
function paintSunkenEdge(ctx, r) {
  const ring = (x, y, w, h, upperLeft, lowerRight) => {
    ctx.fillStyle = upperLeft;
    ctx.fillRect(x, y, 1, h - 1);
    ctx.fillRect(x, y, w - 1, 1);
    ctx.fillStyle = lowerRight;
    ctx.fillRect(x, y + h - 1, w, 1);
    ctx.fillRect(x + w - 1, y, 1, h);
  };
  ring(r.x, r.y, r.w, r.h, '#808080', '#ffffff');
  ring(r.x + 1, r.y + 1, r.w - 2, r.h - 2, '#000000', '#c0c0c0');
}

// A caption that does not fit breaks at spaces; what still does not fit is clipped.
function captionLines(label) {
  const { face, px, bold } = label.font;
  if (!label.wrap) return [label.caption];
  const lines = [];
  let line = '';
  for (const word of label.caption.split(' ')) {
    const tried = line === '' ? word : `${line} ${word}`;
    if (line !== '' && textWidth(tried, face, px, bold) > label.w) {
      lines.push(line);
      line = word;
    } else {
      line = tried;
    }
  }
  lines.push(line);
  return lines;
}

function drawCaption(ctx, label, r, colour) {
  const { face, px, bold } = label.font;
  ctx.font = cssFont(face, px, bold);
  ctx.fillStyle = colour;
  ctx.textBaseline = 'alphabetic';
  const step = lineHeight(face, px, bold);
  let baseline = r.y + ascent(face, px, bold);
  for (const line of captionLines(label)) {
    const width = ctx.measureText(line).width;
    let x = r.x;
    if (label.align === alignments.right) x = r.x + r.w - width;
    if (label.align === alignments.center) x = r.x + (r.w - width) / 2;
    ctx.fillText(line, x, baseline);
    baseline += step;
  }
}

function paintLabel(ctx, label) {
  let r = { x: label.x, y: label.y, w: label.w, h: label.h };
  if (label.sunken) {
    paintSunkenEdge(ctx, r);
    r = { x: r.x + 2, y: r.y + 2, w: r.w - 4, h: r.h - 4 };
  }
  if (label.opaque) {
    ctx.fillStyle = label.back;
    ctx.fillRect(r.x, r.y, r.w, r.h);
  }
  if (r.w <= 0 || r.h <= 0) return;
  ctx.save();
  ctx.beginPath();
  ctx.rect(r.x, r.y, r.w, r.h);
  ctx.clip();
  if (label.enabled) {
    drawCaption(ctx, label, r, label.fore);
  } else {
    drawCaption(ctx, label, { ...r, x: r.x + 1, y: r.y + 1 }, disabledLight);
    drawCaption(ctx, label, r, disabledText);
  }
  ctx.restore();
}

// The pixels a control covers on its surface, as [x, y, width, height]: a rule's both ends.
function extent(control) {
  if (control.kind !== 'line') return [control.x, control.y, control.w, control.h];
  const { x1, y1, x2, y2 } = control;
  return [Math.min(x1, x2), Math.min(y1, y2), Math.abs(x2 - x1) + 1, Math.abs(y2 - y1) + 1];
}

// `meets` says whether a control's extent, moved by `dx` and `dy`, needs painting.
function paintControls(ctx, controls, meets, dx = 0, dy = 0) {
  for (const control of controls) {
    if (!control.visible) continue;
    const [x, y, w, h] = extent(control);
    if (!meets([x + dx, y + dy, w, h])) continue;
    if (control.kind === 'label') paintLabel(ctx, control);
    else if (control.kind === 'shape') paintShape(ctx, control);
    else paintLine(ctx, control);
  }
}

// The device pixels that `damage` touches, as boxes of whole device pixels: clipped to
// those, every pixel painted gets all that a whole repaint draws on it, so the two agree at
// any density.
function deviceBoxes(damage, ratio) {
  return damage.map(([x, y, w, h]) => {
    const left = Math.floor(x * ratio), top = Math.floor(y * ratio);
    return [left, top, Math.ceil((x + w) * ratio) - left, Math.ceil((y + h) * ratio) - top];
  });
}

// Paints the form as `form` describes it, at the screen's density `ratio`: all of it, or
// only within `damage` ([x, y, width, height] in the form's pixels), where the starfield and
// every control that meets it are painted again in stacking order.
export function paintForm(canvas, starfield, form, ratio, damage = null) {
  const ctx = canvas.getContext('2d');
  ctx.save();
  let meets = () => true;
  if (damage) {
    const boxes = deviceBoxes(damage, ratio);
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.beginPath();
    for (const box of boxes) ctx.rect(...box);
    ctx.clip();
    meets = ([x, y, w, h]) => boxes.some(([left, top, width, height]) =>
      x * ratio < left + width && (x + w) * ratio > left && y * ratio < top + height && (y + h) * ratio > top);
  }
  ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
  ctx.imageSmoothingEnabled = false;
  ctx.drawImage(starfield, 0, 0);
  paintControls(ctx, form.window, meets);
  const frame = form.Frame1;
  if (frame.visible && meets([frame.x, frame.y, frame.w, frame.h])) {
    ctx.translate(frame.x, frame.y);
    ctx.beginPath();
    ctx.rect(0, 0, frame.w, frame.h);
    ctx.clip();
    ctx.fillStyle = frame.back;
    ctx.fillRect(0, 0, frame.w, frame.h);
    paintControls(ctx, form.panel, meets, frame.x, frame.y);
  }
  ctx.restore();
}
