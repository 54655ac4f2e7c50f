// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Reads the PNG files that browsers write for screenshots and that docs/ holds: 8 bits a
// channel, RGB or RGBA, not interlaced. Pixels come back as 0xRRGGBB.

import zlib from 'node:zlib';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// { width, height, pixels: Uint32Array of 0xRRGGBB, row by row }
export function readPng(bytes) {
  const data = Buffer.from(bytes);
  if (!data.subarray(0, 8).equals(SIGNATURE)) throw new Error('not a PNG file');
  let width = 0;
  let height = 0;
  let channels = 0;
  const compressed = [];
  for (let at = 8; at < data.length;) {
    const length = data.readUInt32BE(at);
    const type = data.toString('latin1', at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const [depth, colourType, , , interlace] = body.subarray(8, 13);
      channels = { 2: 3, 6: 4 }[colourType];
      if (depth !== 8 || !channels || interlace !== 0) {
        throw new Error(`unsupported PNG: depth ${depth}, colour type ${colourType}, interlace ${interlace}`);
      }
    } else if (type === 'IDAT') {
      compressed.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(compressed));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const source = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const row = rows.subarray(y * stride, (y + 1) * stride);
    const above = y > 0 ? rows.subarray((y - 1) * stride, y * stride) : Buffer.alloc(stride);
    for (let i = 0; i < stride; ++i) {
      const left = i >= channels ? row[i - channels] : 0;
      const upperLeft = i >= channels ? above[i - channels] : 0;
      const predicted = [0, left, above[i], (left + above[i]) >> 1, paeth(left, above[i], upperLeft)][filter];
      if (predicted === undefined) throw new Error(`unknown PNG filter ${filter}`);
      row[i] = (source[i] + predicted) & 0xff;
    }
  }
  const pixels = new Uint32Array(width * height);
  for (let p = 0; p < pixels.length; ++p) {
    const i = p * channels;
    pixels[p] = (rows[i] << 16) | (rows[i + 1] << 8) | rows[i + 2];
  }
  return { width, height, pixels };
}
