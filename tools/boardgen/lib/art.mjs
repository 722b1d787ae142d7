// The small pictures: pieces sheet (pieces, ICP digits and boxes, cursors, font), the own
// pieces example, the four lights, the tools palette pictures and the tool-bar buttons.
// Everything is drawn pixel by pixel or thresholded, so colour keys stay exact.
import { createCanvas } from '@napi-rs/canvas';

export const MAGENTA = [255, 0, 255];

export class Img {
  constructor(w, h, fill = MAGENTA) {
    this.w = w; this.h = h;
    this.d = new Uint8Array(w * h * 3);
    for (let i = 0; i < w * h; i++) this.d.set(fill, i * 3);
  }
  set(x, y, c) { if (x >= 0 && y >= 0 && x < this.w && y < this.h) this.d.set(c, (y * this.w + x) * 3); }
  get(x, y) { const i = (y * this.w + x) * 3; return [this.d[i], this.d[i + 1], this.d[i + 2]]; }
  rect(x0, y0, w, h, c) { for (let y = y0; y < y0 + h; y++) for (let x = x0; x < x0 + w; x++) this.set(x, y, c); }
  blit(src, sx, sy, w, h, dx, dy, key = null) {
    for (let y = 0; y < h; y++) for (let x = 0; x < w; x++) {
      const c = src.get(sx + x, sy + y);
      if (key && c[0] === key[0] && c[1] === key[1] && c[2] === key[2]) continue;
      this.set(dx + x, dy + y, c);
    }
  }
}

// ---- Colours --------------------------------------------------------------------------------
// Piece colours per owner 1..5 (stronger than the map's land colours).
export const pieceColour = [null, [206, 36, 28], [88, 88, 92], [184, 146, 58], [250, 200, 0], [44, 132, 44]];
const INK = [20, 20, 20];
const FRAME = [16, 16, 16];

// ---- Piece silhouettes (13 x 8 inside a 1-pixel frame) ----------------------------------------
export const kindNames = ['flag', 'inf', 'arm', 'ftr', 'bom', 'trn', 'sub', 'ac', 'bb', 'ic', 'aa'];
const SIL = {
  flag: [
    '.#...........',
    '.#########...',
    '.#########...',
    '.#########...',
    '.#...........',
    '.#...........',
    '.#...........',
    '###..........'],
  inf: [
    '....###......',
    '...#####.....',
    '....###...#..',
    '...#####.#...',
    '..#.###.#....',
    '....###......',
    '....#.#......',
    '...##.##.....'],
  arm: [
    '.............',
    '....#####....',
    '...#######...',
    '...##########',
    '.###########.',
    '#############',
    '#.#.#.#.#.#.#',
    '.###########.'],
  ftr: [
    '......#......',
    '.....###.....',
    '....#####....',
    '.###########.',
    '#############',
    '......#......',
    '....#####....',
    '......#......'],
  bom: [
    '......#......',
    '......#......',
    '#############',
    '#############',
    '..#.#.#.#.#..',
    '......#......',
    '....#####....',
    '....#####....'],
  trn: [
    '.............',
    '.........#...',
    '...##...###..',
    '..####..###..',
    '#############',
    '.###########.',
    '..#########..',
    '.............'],
  sub: [
    '.............',
    '......#......',
    '......#......',
    '.....###.....',
    '.....###.....',
    '.###########.',
    '#############',
    '.###########.'],
  ac: [
    '.............',
    '.............',
    '.........#...',
    '.........##..',
    '#############',
    '.###########.',
    '..#########..',
    '.............'],
  bb: [
    '......#......',
    '.....###.....',
    '.#..#####..#.',
    '###.#####.###',
    '#############',
    '.###########.',
    '..#########..',
    '.............'],
  ic: [
    '.##..........',
    '.##..........',
    '.##..#...#...',
    '.##.##..##..#',
    '.#####.###.##',
    '#############',
    '#.#.#.#.#.#.#',
    '#############'],
  aa: [
    '#.#......#.#.',
    '.#........#..',
    '#.#......#.#.',
    '.......##....',
    '......##.....',
    '...#####.....',
    '..#######....',
    '.#########...'],
};

function drawPieceCell(img, x0, y0, kind, owner, scale = 1) {
  const bg = pieceColour[owner];
  const ink = owner === 1 || owner === 2 || owner === 5 ? [250, 250, 250] : INK;
  const W = 15 * scale, H = 10 * scale;
  img.rect(x0, y0, W, H, FRAME);
  img.rect(x0 + scale, y0 + scale, W - 2 * scale, H - 2 * scale, bg);
  const sil = SIL[kind];
  for (let r = 0; r < 8; r++) for (let c = 0; c < 13; c++) {
    if (sil[r][c] !== '#') continue;
    img.rect(x0 + (c + 1) * scale, y0 + (r + 1) * scale, scale, scale, ink);
  }
  if (scale > 1) {
    // a light highlight line under the top frame of the larger cells
    const hi = bg.map((v) => Math.min(255, v + 50));
    for (let x = scale; x < W - scale; x++) {
      const p = img.get(x0 + x, y0 + scale);
      if (p[0] === bg[0] && p[1] === bg[1] && p[2] === bg[2]) img.set(x0 + x, y0 + scale, hi);
    }
  }
}

export function pieceChart(scale = 1) {
  const img = new Img(165 * scale, 50 * scale, FRAME);
  for (let k = 0; k < 11; k++) for (let o = 1; o <= 5; o++) drawPieceCell(img, k * 15 * scale, (o - 1) * 10 * scale, kindNames[k], o, scale);
  return img;
}

// ---- Threshold text rendering ----------------------------------------------------------------
// Renders text with the canvas and returns a mask (1 where alpha >= 128).
function textMask(w, h, draw) {
  const c = createCanvas(w, h);
  const ctx = c.getContext('2d');
  ctx.fillStyle = '#000';
  draw(ctx);
  const data = ctx.getImageData(0, 0, w, h).data;
  const m = new Uint8Array(w * h);
  for (let i = 0; i < w * h; i++) m[i] = data[i * 4 + 3] >= 112 ? 1 : 0;
  return m;
}

function maskBounds(m, w, h) {
  let x0 = w, x1 = -1, y0 = h, y1 = -1;
  for (let y = 0; y < h; y++) for (let x = 0; x < w; x++) if (m[y * w + x]) {
    if (x < x0) x0 = x; if (x > x1) x1 = x; if (y < y0) y0 = y; if (y > y1) y1 = y;
  }
  return { x0, x1, y0, y1 };
}

// A glyph mask of one character fitted into maxW x maxH, baseline at row `base`.
function glyph(ch, font, size, maxW, cellW, cellH, base) {
  const S = 40;
  let sx = 1;
  for (let attempt = 0; attempt < 6; attempt++) {
    const m = textMask(S, S, (ctx) => {
      ctx.font = `${size}px ${font}`;
      ctx.textBaseline = 'alphabetic';
      ctx.setTransform(sx, 0, 0, 1, 10, 0);
      ctx.fillText(ch, 0, 24);
    });
    const b = maskBounds(m, S, S);
    if (b.x1 < 0) return { m: new Uint8Array(cellW * cellH), w: 0 };
    const gw = b.x1 - b.x0 + 1;
    if (gw > maxW) { sx *= (maxW - 0.3) / gw; continue; }
    const out = new Uint8Array(cellW * cellH);
    const ox = Math.floor((cellW - gw) / 2) - b.x0;
    const oy = base - 24;
    for (let y = 0; y < S; y++) for (let x = 0; x < S; x++) if (m[y * S + x]) {
      const X = x + ox, Y = y + oy;
      if (X >= 0 && X < cellW && Y >= 0 && Y < cellH) out[Y * cellW + X] = 1;
    }
    return { m: out, w: gw };
  }
  throw new Error('glyph does not fit: ' + ch);
}

// ---- Pieces sheet -----------------------------------------------------------------------------
export function piecesSheet(fontSans) {
  const img = new Img(320, 200);
  // piece cells
  img.blit(pieceChart(1), 0, 0, 165, 50, 0, 0);
  // ICP digits 9 x 10 at (165 + 9d, 0): dark digits, 7 columns wide, keyed background
  const digitInk = [24, 24, 24];
  for (let d = 0; d < 10; d++) {
    const g = glyph(String(d), fontSans, 13, 7, 9, 10, 10);
    // glyph centred in 9: shift so that it occupies columns 0..6
    const b = maskBounds(g.m, 9, 10);
    const shift = -b.x0 + Math.floor((7 - (b.x1 - b.x0 + 1)) / 2);
    for (let y = 0; y < 10; y++) for (let x = 0; x < 9; x++) if (g.m[y * 9 + x]) img.set(165 + 9 * d + x + shift, y, digitInk);
  }
  // ICP boxes: cream with a dark frame, (165,10)-(175,24) and (175,10)-(193,24)
  const box = (x0, w) => {
    img.rect(x0, 10, w, 14, [40, 32, 24]);
    img.rect(x0 + 1, 11, w - 2, 12, [250, 244, 214]);
  };
  box(165, 10);
  box(175, 18);
  // cursors
  drawMoveCursor(img, 0, 60);
  drawKillCursor(img, 20, 60);
  drawHandCursor(img, 40, 60);
  // font: codes 32..60 at (11(ch-32),170), 62..90 at (11(ch-62),185)
  for (let ch = 32; ch <= 90; ch++) {
    if (ch === 61) continue;
    const x0 = ch <= 60 ? 11 * (ch - 32) : 11 * (ch - 62);
    const y0 = ch <= 60 ? 170 : 185;
    drawFontCell(img, x0, y0, String.fromCharCode(ch), fontSans);
  }
  return img;
}

// Drawn by hand where the thresholded font glyph is ambiguous at this size: DejaVu's 0 comes
// out with a straight left side and a bulging right one, so 10 read "1D" and 100 "1DD". This 0
// is a symmetric oval two columns narrower than the D and the O, on the other digits' rows.
const handGlyphs = {
  '0': [
    '...........',
    '...........',
    '...####....',
    '..##..##...',
    '..##..##...',
    '..##..##...',
    '..##..##...',
    '..##..##...',
    '..##..##...',
    '..##..##...',
    '...####....',
    '...........',
    '...........',
    '...........',
    '...........',
  ],
};

function drawFontCell(img, x0, y0, ch, fontSans) {
  if (ch === ' ') return;
  const W = 11, H = 15;
  const hand = handGlyphs[ch];
  const m = hand ? Uint8Array.from(hand.join(''), (c) => (c === '#' ? 1 : 0))
                 : glyph(ch, fontSans, 12, 9, W, H, 11).m;
  for (let y = 0; y < H; y++) for (let x = 0; x < W; x++) {
    if (m[y * W + x]) { img.set(x0 + x, y0 + y, [255, 255, 240]); continue; }
    let near = false;
    for (let dy = -1; dy <= 1 && !near; dy++) for (let dx = -1; dx <= 1; dx++) {
      const X = x + dx, Y = y + dy;
      if (X >= 0 && Y >= 0 && X < W && Y < H && m[Y * W + X]) { near = true; break; }
    }
    if (near) img.set(x0 + x, y0 + y, [16, 16, 16]);
  }
}

// ---- Masks and outlines for cursors and icons ------------------------------------------------
function fromMask(img, x0, y0, w, h, inside, fill, outline) {
  const m = new Uint8Array(w * h);
  for (let y = 0; y < h; y++) for (let x = 0; x < w; x++) m[y * w + x] = inside(x, y) ? 1 : 0;
  for (let y = 0; y < h; y++) for (let x = 0; x < w; x++) {
    if (m[y * w + x]) { img.set(x0 + x, y0 + y, typeof fill === 'function' ? fill(x, y) : fill); continue; }
    if (!outline) continue;
    let near = false;
    for (let dy = -1; dy <= 1 && !near; dy++) for (let dx = -1; dx <= 1; dx++) {
      const X = x + dx, Y = y + dy;
      if (X >= 0 && Y >= 0 && X < w && Y < h && m[Y * w + X]) { near = true; break; }
    }
    if (near) img.set(x0 + x, y0 + y, outline);
  }
  return m;
}

function moveCrossInside(cx, cy, arm) {
  // four-pointed arrow cross centred on (cx, cy), arms of length `arm`
  return (x, y) => {
    const dx = x - cx, dy = y - cy;
    const ax = Math.abs(dx), ay = Math.abs(dy);
    if (ax === 0 && ay <= arm - 3) return true;  // vertical shaft
    if (ay === 0 && ax <= arm - 3) return true;  // horizontal shaft
    if (ax <= 1 && ay <= 1) return true;         // hub
    // arrow heads: triangles at the ends
    if (ay >= arm - 2 && ay <= arm && ax <= arm - ay) return true;
    if (ax >= arm - 2 && ax <= arm && ay <= arm - ax) return true;
    return false;
  };
}

function drawMoveCursor(img, x0, y0) {
  // 19 x 19, hot spot (9, 9)
  fromMask(img, x0, y0, 19, 19, moveCrossInside(9, 9, 8), [255, 255, 255], [0, 0, 0]);
}

function bombInside(cx, cy, r) {
  return (x, y) => {
    const dx = x - cx, dy = y - cy;
    if (dx * dx + dy * dy <= r * r + 0.5) return true;
    // fuse cap
    if (x >= cx - 1 && x <= cx + 1 && y >= cy - r - 2 && y < cy - r + 1) return true;
    return false;
  };
}

function drawKillCursor(img, x0, y0, size = 19, hx = 4, hy = 4) {
  // bomb under a crosshair, hot spot (4, 4)
  const bx = 11, by = 11, br = 5;
  fromMask(img, x0, y0, size, size, bombInside(bx, by, br), (x, y) => {
    const dx = x - bx + 2, dy = y - by + 2;
    return dx * dx + dy * dy <= 2 ? [150, 150, 150] : [28, 28, 28];
  }, [255, 255, 255]);
  // fuse spark
  img.set(x0 + bx + 1, y0 + by - br - 3, [255, 200, 0]);
  img.set(x0 + bx + 2, y0 + by - br - 4, [255, 80, 0]);
  // crosshair: red ring radius 3 around (hx, hy) and ticks, with the centre pixel marked
  const red = [230, 0, 0];
  for (let y = 0; y < 9; y++) for (let x = 0; x < 9; x++) {
    const dx = x - hx, dy = y - hy;
    const d2 = dx * dx + dy * dy;
    if (d2 >= 7 && d2 <= 12) img.set(x0 + x, y0 + y, red);
  }
  for (let k = 0; k <= 8; k++) {
    if (Math.abs(k - 4) <= 1) continue;
    img.set(x0 + k, y0 + hy, red);
    img.set(x0 + hx, y0 + k, red);
  }
  img.set(x0 + hx, y0 + hy, red);
}

function handInside() {
  // 31 x 26 open hand seen from the back, wrist at the bottom
  const fingers = [
    { x: 9, top: 4, w: 3 }, { x: 13, top: 1, w: 3 }, { x: 17, top: 2, w: 3 }, { x: 21, top: 5, w: 3 },
  ];
  return (x, y) => {
    // palm
    if (x >= 9 && x <= 23 && y >= 11 && y <= 21) {
      if (y >= 19 && (x < 11 || x > 21)) return false;
      return true;
    }
    // wrist
    if (x >= 11 && x <= 21 && y >= 21 && y <= 24) return true;
    for (const f of fingers) {
      if (x >= f.x && x < f.x + f.w && y >= f.top && y <= 12) {
        if (y === f.top && (x === f.x || x === f.x + f.w - 1)) return false;
        return true;
      }
    }
    // thumb: slanted from (8,15) up-left to (3,9)
    for (let t = 0; t <= 6; t++) {
      const tx = 8 - t, ty = 16 - t;
      if (Math.abs(x - tx) <= 1 && Math.abs(y - ty) <= 1) return true;
    }
    return false;
  };
}

function drawHandCursor(img, x0, y0) {
  fromMask(img, x0, y0, 31, 26, handInside(), [255, 255, 255], [0, 0, 0]);
  // finger lines
  for (let y = 11; y <= 13; y++) for (const x of [12, 16, 20]) img.set(x0 + x, y0 + y, [0, 0, 0]);
}

// ---- Own pieces example: 30 x 20 cells ---------------------------------------------------------
export function ownPieces() {
  return pieceChart(2);
}

// ---- Lights (30 x 38) -----------------------------------------------------------------------
export const LIGHT_BG = [212, 208, 200];
export function light(which) {
  const img = new Img(30, 38, LIGHT_BG);
  const housing = [44, 44, 48], rim = [12, 12, 12];
  fromMask(img, 0, 0, 30, 38, (x, y) => {
    if (x < 7 || x > 22 || y < 2 || y > 35) return false;
    const corner = (x <= 7 || x >= 22) && (y <= 2 || y >= 35);
    return !corner;
  }, housing, rim);
  // pole stub under the housing
  img.rect(13, 36, 4, 2, [70, 70, 70]);
  const lamps = [
    { cy: 8, on: [255, 40, 30], off: [90, 24, 20] },
    { cy: 19, on: [255, 214, 0], off: [90, 76, 10] },
    { cy: 30, on: [40, 235, 60], off: [16, 80, 26] },
  ];
  const lit = { green: 2, yellow: 1, red: 0, darkred: 0 }[which];
  lamps.forEach((l, k) => {
    let c = k === lit ? l.on : l.off;
    if (which === 'darkred' && k === 0) c = [150, 0, 0];
    for (let y = l.cy - 5; y <= l.cy + 5; y++) for (let x = 9; x <= 21; x++) {
      const dx = x - 15, dy = y - l.cy;
      const d2 = dx * dx + dy * dy;
      if (d2 <= 19) {
        let col = c;
        if (k === lit && (dx + 1.5) * (dx + 1.5) + (dy + 1.5) * (dy + 1.5) <= 3) col = c.map((v) => Math.min(255, v + 110));
        img.set(x, y, col);
      } else if (d2 <= 26) img.set(x, y, [20, 20, 22]);
    }
  });
  return img;
}

// ---- Tools palette pictures ------------------------------------------------------------------
const FACE = [212, 208, 200];
function button23(draw) {
  const img = new Img(23, 23, FACE);
  draw(img);
  return img;
}
export function toolsMove() {
  return button23((img) => fromMask(img, 2, 2, 19, 19, moveCrossInside(9, 9, 8), [255, 255, 255], [0, 0, 0]));
}
export function toolsKill() {
  return button23((img) => {
    const tmp = new Img(19, 19, MAGENTA);
    drawKillCursor(tmp, 0, 0);
    img.blit(tmp, 0, 0, 19, 19, 2, 2, MAGENTA);
  });
}

// ---- Tool-bar buttons (24 x 24, magenta background as the transparent colour) ---------------
export function buttonLoad() {
  const img = new Img(24, 24, MAGENTA);
  const out = [60, 40, 0];
  // folder back and tab
  fromMask(img, 0, 0, 24, 24, (x, y) => (x >= 2 && x <= 20 && y >= 6 && y <= 19) || (x >= 2 && x <= 9 && y >= 4 && y <= 6),
    [226, 176, 48], out);
  // front flap, slanted
  fromMask(img, 0, 0, 24, 24, (x, y) => y >= 10 && y <= 19 && x >= 2 + Math.floor((19 - y) / 3) + 2 && x <= 22 - Math.floor((19 - y) / 3) + 0,
    [250, 214, 96], out);
  return img;
}
export function buttonSave() {
  const img = new Img(24, 24, MAGENTA);
  fromMask(img, 0, 0, 24, 24, (x, y) => x >= 3 && x <= 20 && y >= 3 && y <= 20 && !(x >= 19 && y <= 4), [40, 80, 170], [10, 20, 60]);
  img.rect(7, 4, 10, 6, [235, 235, 235]);      // label / shutter
  img.rect(13, 5, 2, 4, [40, 80, 170]);
  img.rect(6, 13, 12, 7, [245, 245, 245]);     // paper label
  for (const y of [15, 17]) img.rect(8, y, 8, 1, [150, 150, 150]);
  return img;
}
function arrowButton(dir) {
  const img = new Img(24, 24, MAGENTA);
  fromMask(img, 0, 0, 24, 24, (x, y) => {
    const u = dir > 0 ? x : 23 - x;
    if (u >= 4 && u <= 12 && y >= 9 && y <= 14) return true;            // shaft
    if (u >= 12 && u <= 20 && Math.abs(y - 11.5) <= 20 - u + 0.5) return true;  // head
    return false;
  }, [60, 170, 70], [10, 60, 20]);
  return img;
}
export const buttonPrevious = () => arrowButton(-1);
export const buttonNext = () => arrowButton(1);
