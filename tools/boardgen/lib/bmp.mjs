// Windows bitmap writers (bottom-up rows, BITMAPINFOHEADER).

function header(w, h, bpp, compression, extra, paletteBytes, imageBytes) {
  const off = 14 + 40 + extra + paletteBytes;
  const buf = Buffer.alloc(off + imageBytes);
  buf.write('BM', 0, 'latin1');
  buf.writeUInt32LE(off + imageBytes, 2);
  buf.writeUInt32LE(0, 6);
  buf.writeUInt32LE(off, 10);
  buf.writeUInt32LE(40, 14);
  buf.writeInt32LE(w, 18);
  buf.writeInt32LE(h, 22);
  buf.writeUInt16LE(1, 26);
  buf.writeUInt16LE(bpp, 28);
  buf.writeUInt32LE(compression, 30);
  buf.writeUInt32LE(imageBytes, 34);
  buf.writeInt32LE(2835, 38);
  buf.writeInt32LE(2835, 42);
  buf.writeUInt32LE(paletteBytes / 4, 46);
  buf.writeUInt32LE(0, 50);
  return { buf, off };
}

// 16 bits per pixel, 5-6-5 bit fields. rgb: Uint8Array of w*h*3 (r, g, b).
export function bmp565(w, h, rgb) {
  const stride = (w * 2 + 3) & ~3;
  const { buf, off } = header(w, h, 16, 3, 12, 0, stride * h);
  buf.writeUInt32LE(0xf800, 54);
  buf.writeUInt32LE(0x07e0, 58);
  buf.writeUInt32LE(0x001f, 62);
  for (let y = 0; y < h; y++) {
    const row = off + (h - 1 - y) * stride;
    for (let x = 0; x < w; x++) {
      const i = (y * w + x) * 3;
      const v = ((rgb[i] >> 3) << 11) | ((rgb[i + 1] >> 2) << 5) | (rgb[i + 2] >> 3);
      buf.writeUInt16LE(v, row + x * 2);
    }
  }
  return buf;
}

// 8 bits per pixel with a palette of [r, g, b] entries (up to 256).
export function bmp8(w, h, indices, palette) {
  const stride = (w + 3) & ~3;
  const n = palette.length;
  const { buf, off } = header(w, h, 8, 0, 0, n * 4, stride * h);
  for (let k = 0; k < n; k++) {
    const p = 54 + k * 4;
    buf[p] = palette[k][2]; buf[p + 1] = palette[k][1]; buf[p + 2] = palette[k][0]; buf[p + 3] = 0;
  }
  for (let y = 0; y < h; y++) {
    const row = off + (h - 1 - y) * stride;
    for (let x = 0; x < w; x++) buf[row + x] = indices[y * w + x];
  }
  return buf;
}

export const greyPalette = () => Array.from({ length: 256 }, (_, i) => [i, i, i]);

// 24 bits per pixel. rgb: Uint8Array of w*h*3.
export function bmp24(w, h, rgb) {
  const stride = (w * 3 + 3) & ~3;
  const { buf, off } = header(w, h, 24, 0, 0, 0, stride * h);
  for (let y = 0; y < h; y++) {
    const row = off + (h - 1 - y) * stride;
    for (let x = 0; x < w; x++) {
      const i = (y * w + x) * 3;
      buf[row + x * 3] = rgb[i + 2];
      buf[row + x * 3 + 1] = rgb[i + 1];
      buf[row + x * 3 + 2] = rgb[i];
    }
  }
  return buf;
}

// 8-bit picture from an rgb image with few colours: palette in order of first appearance.
export function bmp8FromRgb(w, h, rgb) {
  const map = new Map();
  const palette = [];
  const indices = new Uint8Array(w * h);
  for (let i = 0; i < w * h; i++) {
    const key = (rgb[i * 3] << 16) | (rgb[i * 3 + 1] << 8) | rgb[i * 3 + 2];
    let k = map.get(key);
    if (k === undefined) {
      k = palette.length;
      if (k > 255) throw new Error('more than 256 colours');
      map.set(key, k);
      palette.push([rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]]);
    }
    indices[i] = k;
  }
  return bmp8(w, h, indices, palette);
}
