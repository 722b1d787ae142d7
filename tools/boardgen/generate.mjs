#!/usr/bin/env node
// Generates QelMap's default board into OUTDIR (normally data/):
//   node tools/boardgen/generate.mjs OUTDIR [--preview FILE.png] [--examples DIR]
// Every output is a pure function of board.mjs, the packages in package-lock.json and the
// DejaVu font file, so running it twice gives identical bytes.
import { mkdirSync, writeFileSync, existsSync } from 'node:fs';
import { join, dirname } from 'node:path';
import { createCanvas, GlobalFonts } from '@napi-rs/canvas';
import * as board from './board.mjs';
import { makeProjection, buildIndex } from './lib/geo.mjs';
import { bmp565, bmp8, bmp24, bmp8FromRgb, greyPalette } from './lib/bmp.mjs';
import { Layout, stackRect, BOX_W, BOX_H } from './lib/layout.mjs';
import * as art from './lib/art.mjs';

const FONT_FILE = '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf';
const FONT = 'QelMapSansBold';

const args = process.argv.slice(2);
let outDir = null, preview = null, examples = null, quiet = false;
for (let k = 0; k < args.length; k++) {
  if (args[k] === '--preview') preview = args[++k];
  else if (args[k] === '--examples') examples = args[++k];
  else if (args[k] === '--quiet') quiet = true;
  else outDir = args[k];
}
if (!outDir) {
  console.error('usage: node generate.mjs OUTDIR [--preview FILE.png] [--examples DIR]');
  process.exit(2);
}
const log = (...a) => { if (!quiet) console.log(...a); };

if (!existsSync(FONT_FILE)) throw new Error(`font ${FONT_FILE} missing: apt-get install fonts-dejavu-core`);
if (!GlobalFonts.registerFromPath(FONT_FILE, FONT)) throw new Error('cannot register ' + FONT_FILE);

// ---- Sectors ----------------------------------------------------------------------------------
const KIND = Object.fromEntries(art.kindNames.map((k, i) => [k, i + 1]));
const sectors = [];
{
  let n = 1;
  for (const s of board.land) sectors.push({ ...s, number: n++, land: true });
  for (const s of board.sea) sectors.push({ ...s, number: n++, land: false, owner: 0, icps: 0 });
  if (n !== 128) throw new Error(`land + sea sectors must be exactly 127, are ${n - 1}`);
  board.impassable.forEach((s, k) => sectors.push({ ...s, number: 128 + k, land: true, owner: 0, icps: 0, impassable: true }));
  if (sectors.length !== 130) throw new Error('need exactly three impassable areas');
  const seen = new Set();
  for (const s of sectors) {
    const up = s.name.toUpperCase();
    if (s.name.length > 40) throw new Error('name too long: ' + s.name);
    for (const ch of up) {
      const c = ch.charCodeAt(0);
      if (c < 32 || c > 90 || c === 61) throw new Error(`character "${ch}" of ${s.name} is not in the map font`);
    }
    if (seen.has(up)) throw new Error('duplicate name ' + s.name);
    seen.add(up);
  }
}
const byNumber = new Map(sectors.map((s) => [s.number, s]));

// ---- Geography --------------------------------------------------------------------------------
const proj = makeProjection(board.projection);
const W = proj.W, H = proj.H;
const geo = buildIndex(board, proj, sectors);
const { idx, sek, pre, isSea } = geo;
if (geo.pockets.length) log('unreached water pockets (index 255):', JSON.stringify(geo.pockets));
for (const s of sectors) {
  let k = 0;
  for (let i = 0; i < W * H; i++) if (idx[i] === s.number) { k++; break; }
  if (!k) throw new Error(`sector ${s.number} ${s.name} has no pixels`);
}

// The sector picture has no pixel of no sector: lakes, ice and unreached water belong to the
// sector nearest to them, and 0 marks only the borders between two sectors.
{
  let grenzen = 0;
  for (let i = 0; i < W * H; i++) {
    if (sek[i] === 255) throw new Error(`pixel (${i % W}, ${(i / W) | 0}) of the sector picture belongs to no sector`);
    if (sek[i] === 0) grenzen++;
  }
  log(`sector picture: ${grenzen} border pixels, none of no sector`);
}

// ---- Layout: ICP boxes, labels, stacks ----------------------------------------------------
const lay = new Layout(W, H, idx, isSea);
// Stacks are judged by the sector picture the program reads: a piece (15 x 10 around its
// anchor) lies at least 90 % in its own sector where the sector has room for it, and its anchor
// at least 3 pixels inside the sector where it has none (too small, or taken by other stacks).
const PIECE_MIN = 135;
const pieceRect = (x, y) => [x - 7, y - 5, x + 8, y + 5];
const laySek = new Layout(W, H, sek, isSea);
const sekInfos = new Map();
function sekInfo(n) {
  if (!sekInfos.has(n)) {
    const info = laySek.prepare(n);
    let holds = false;
    for (const i of info.pixels) {
      const y = (i / W) | 0, x = i - y * W;
      if (laySek.countIn(info, pieceRect(x, y)) >= PIECE_MIN) { holds = true; break; }
    }
    info.holds = holds;
    sekInfos.set(n, info);
  }
  return sekInfos.get(n);
}
const pieceInOwn = (n, x, y) => laySek.countIn(sekInfo(n), pieceRect(x, y)) >= PIECE_MIN;
function anchorDeep(n, x, y) {
  for (let dy = -3; dy <= 3; dy++) for (let dx = -3; dx <= 3; dx++) {
    const X = x + dx, Y = y + dy;
    if (X < 0 || Y < 0 || X >= W || Y >= H || sek[Y * W + X] !== n) return false;
  }
  return true;
}
function stackOnOwnGround(n, x, y) {
  return sekInfo(n).holds ? pieceInOwn(n, x, y) : anchorDeep(n, x, y);
}
const infos = new Map();
for (const s of sectors) infos.set(s.number, lay.prepare(s.number));

const measureCtx = createCanvas(8, 8).getContext('2d');
const LAND_FONT = [8.5, 7.5];
const SEA_FONT = 10;
function textBox(lines, size) {
  measureCtx.font = `${size}px ${FONT}`;
  const w = Math.ceil(Math.max(...lines.map((l) => measureCtx.measureText(l).width))) + 2;
  const lh = Math.ceil(size * 0.78) + 2;
  return { w, h: lh * lines.length + 1, lh };
}
function splitTwo(name) {
  const words = name.split(' ');
  if (words.length < 2) return null;
  let best = null;
  for (let k = 1; k < words.length; k++) {
    const a = words.slice(0, k).join(' '), b = words.slice(k).join(' ');
    const m = Math.max(a.length, b.length);
    if (!best || m < best.m) best = { m, lines: [a, b] };
  }
  return best.lines;
}

// 1. ICP boxes (hot spots), wholly inside the sector, and the labels printed on the map.
function placeBox(s, below) {
  const info = infos.get(s.number);
  const small = info.pixels.length < 1500;
  const pref = s.hot ? proj.toPixel(s.hot[0], s.hot[1])
    : below ? [info.pole[0], below + 8] : small ? [info.x0, info.y0] : [info.pole[0], info.pole[1] + 12];
  const found = lay.search(info, pref, (x, y) => [x, y, x + BOX_W, y + BOX_H],
    (r) => lay.inside(info, r) && lay.free(r, 1));
  if (!found) return false;
  s.hotSpot = [found[0], found[1]];
  lay.mark(found[2], 2);
  return true;
}

const labels = [];
function placeLabel(s, insideOnly) {
  const info = infos.get(s.number);
  const pref = s.label ? proj.toPixel(s.label[0], s.label[1]) : [info.pole[0], info.pole[1] - 6];
  const tries = [];
  if (s.land) {
    const name = s.name.toUpperCase();
    const two = splitTwo(name);
    const words = name.split(' ');
    const three = words.length === 3 ? words : null;
    for (const size of LAND_FONT) {
      tries.push({ lines: [name], size, level: 0 });
      if (two) tries.push({ lines: two, size, level: 0 });
      if (three) tries.push({ lines: three, size, level: 0 });
    }
    tries.push({ lines: [name], size: LAND_FONT[1], level: 1 });
    if (two) tries.push({ lines: two, size: LAND_FONT[1], level: 1 });
    tries.push({ lines: two || [name], size: LAND_FONT[1], level: 2 });
  } else {
    tries.push({ lines: [String(s.number)], size: SEA_FONT, level: 0 });
    tries.push({ lines: [String(s.number)], size: SEA_FONT, level: 2 });
  }
  let placed = null;
  for (const t of tries) {
    if (insideOnly && t.level > 0) break;
    const tb = textBox(t.lines, t.size);
    const rectOf = (x, y) => [x - (tb.w >> 1), y - (tb.h >> 1), x - (tb.w >> 1) + tb.w, y - (tb.h >> 1) + tb.h];
    let found;
    if (t.level === 0) found = lay.search(info, pref, rectOf, (r) => lay.inside(info, r) && lay.free(r, 1));
    else if (t.level === 1) found = lay.search(info, pref, rectOf, (r) => lay.noForeignLand(s.number, r) && lay.free(r, 1), false, 14);
    else found = lay.search(info, pref, rectOf, (r) => lay.free(r, 0), false, 30);
    if (found) { placed = { ...t, rect: found[2], lh: tb.lh }; if (process.env.BOARDGEN_DEBUG && t.level) console.log("label level", t.level, s.name); break; }
  }
  if (!placed) {
    if (insideOnly) return null;
    throw new Error(`no room for the label of ${s.name}`);
  }
  lay.mark(placed.rect, 3);
  const L = { s, ...placed };
  labels.push(L);
  return L;
}

for (const s of sectors) {
  if (s.land) {
    const L = placeLabel(s, true);
    if (L && placeBox(s, L.rect[3])) continue;
    if (L) { lay.mark(L.rect, 0); labels.splice(labels.indexOf(L), 1); }
  }
  if (!placeBox(s)) throw new Error(`no room for the 18x14 ICP box in sector ${s.number} ${s.name}`);
}
for (const s of sectors) if (s.land && !labels.some((L) => L.s === s)) placeLabel(s, false);

// 3. Stacks of the start position.
const stacks = [];
const movedLabels = [];
// Places the sector's stacks one after the other nearest to pref; null (and nothing marked)
// when one finds no room.
function placeStacks(s, info, pref, lenient, tight) {
  const placed = [];
  for (const u of s.units) {
    let owner, kind, count;
    if (u.length === 2) { owner = s.owner; [kind, count] = u; } else [owner, kind, count] = u;
    if (!(owner >= 1 && owner <= 5)) throw new Error(`stack without a power in ${s.name}`);
    const k = KIND[kind];
    if (!k) throw new Error(`unknown kind ${kind} in ${s.name}`);
    const rectOf = (x, y) => stackRect(x, y, count);
    const steps = (own) => {
      // Packed from a corner, stack against stack, without the gap of a pixel between them.
      if (tight) return lay.search(info, pref, rectOf, (r, x, y) => own(x, y) && lay.free(r, 0));
      let f = lay.search(info, pref, rectOf, (r, x, y) => lay.inside(info, r) && own(x, y) && lay.free(r, 1));
      if (!f) f = lay.search(info, pref, rectOf, (r, x, y) => own(x, y) && lay.noForeignLand(s.number, r) && lay.free(r, 1));
      if (!f) f = lay.search(info, pref, rectOf, (r, x, y) => own(x, y) && lay.free(r, 1));
      if (!f) f = lay.search(info, pref, rectOf, (r, x, y) => own(x, y) && lay.free(r, 0));
      return f;
    };
    let f = steps((x, y) => stackOnOwnGround(s.number, x, y));
    // Where the sector has no room left for a piece, its anchor at least lies deep inside.
    if (!f && lenient) f = steps((x, y) => anchorDeep(s.number, x, y) || stackOnOwnGround(s.number, x, y));
    if (!f) {
      for (const q of placed) lay.mark(q.rect, 0);
      return null;
    }
    lay.mark(f[2], 4);
    placed.push({ x: f[0], y: f[1], kind: k, owner, count, sector: sek[f[1] * W + f[0]], rect: f[2] });
  }
  return placed;
}
for (const s of sectors) {
  if (!s.units) continue;
  if (s.number > 127) throw new Error('units in an impassable area');
  const info = infos.get(s.number);
  // Around the middle first; a crowded sector is filled from its corners instead, and as a last
  // resort gives its name's room to its stacks (the name then goes beside it).
  const prefs = [[info.pole[0], info.pole[1] + 2], [info.x0, info.y0], [info.x1, info.y0], [info.x0, info.y1], [info.x1, info.y1]];
  let placed = null;
  for (const pref of prefs) if (!placed) placed = placeStacks(s, info, pref);
  const L = labels.find((l) => l.s === s);
  if (!placed && L) {
    lay.mark(L.rect, 0);
    labels.splice(labels.indexOf(L), 1);
    movedLabels.push(s);
    for (const pref of prefs) if (!placed) placed = placeStacks(s, info, pref);
  }
  for (const pref of prefs.slice(1)) if (!placed) placed = placeStacks(s, info, pref, false, true);
  for (const pref of prefs) if (!placed) placed = placeStacks(s, info, pref, true);
  for (const pref of prefs.slice(1)) if (!placed) placed = placeStacks(s, info, pref, true, true);
  // An island chain too crowded even so gives its ICP box's room as well; the box then goes
  // where there is still room inside, else just off the coast.
  if (!placed) {
    const [x, y] = s.hotSpot;
    lay.mark([x, y, x + BOX_W, y + BOX_H], 0);
    for (const pref of prefs) if (!placed) placed = placeStacks(s, info, pref, true);
    for (const pref of prefs.slice(1)) if (!placed) placed = placeStacks(s, info, pref, true, true);
    if (placed && !placeBox(s)) {
      const box = (x, y) => [x, y, x + BOX_W, y + BOX_H];
      let found = lay.search(info, info.pole, box, (r) => lay.inside(info, r) && lay.free(r, 0));
      if (!found) found = lay.search(info, info.pole, box, (r) => lay.noForeignLand(s.number, r) && lay.free(r, 1), false, 30);
      if (!found) throw new Error(`no room for the ICP box of ${s.name}`);
      s.hotSpot = [found[0], found[1]];
      lay.mark(found[2], 2);
      log(`the ICP box of ${s.name} lies off its coast: its stacks take the room`);
    }
  }
  if (!placed) throw new Error(`no room for the stacks of ${s.name}`);
  for (const q of placed) {
    if (q.sector !== s.number) throw new Error('anchor outside its sector');
    delete q.rect;
    stacks.push(q);
  }
}
for (const s of movedLabels) placeLabel(s, false);
for (const s of sectors) if (!s.land) placeLabel(s, false);
labels.sort((p, q) => p.s.number - q.s.number);

// 4. The title plate, in open sea near board.title.near.
let titlePlate = null;
if (board.title) {
  const sizes = [16, 10, 8];
  let wmax = 0;
  board.title.lines.forEach((line, k) => {
    measureCtx.font = `${sizes[k]}px ${FONT}`;
    wmax = Math.max(wmax, measureCtx.measureText(line).width);
  });
  const w = Math.ceil(wmax) + 20, h = 48;
  const seaOnly = (r) => {
    for (let y = r[1]; y < r[3]; y++) for (let x = r[0]; x < r[2]; x++) {
      const v = idx[y * W + x];
      if (!(isSea[v] || (v === 0 && isSea[pre[y * W + x]]))) return false;
    }
    return true;
  };
  const cands = [];
  for (let y = 0; y + h <= H; y++) for (let x = 0; x + w <= W; x++) {
    const d = (x + w / 2 - board.title.near[0]) ** 2 + (y + h / 2 - board.title.near[1]) ** 2;
    if (d < 250 * 250) cands.push([d, y * W + x]);
  }
  cands.sort((a, b) => a[0] - b[0] || a[1] - b[1]);
  for (const [, i] of cands) {
    const y = (i / W) | 0, x = i - y * W;
    const r = [x, y, x + w, y + h];
    if (lay.free(r, 2) && seaOnly(r)) { titlePlate = r; break; }
  }
  if (!titlePlate) throw new Error('no room for the title');
  lay.mark(titlePlate, 5);
}
if (stacks.length > 300) throw new Error('more than 300 stacks');
{
  let deep = 0;
  for (const st of stacks) {
    if (stackOnOwnGround(st.sector, st.x, st.y)) continue;
    const share = Math.round(100 * laySek.countIn(sekInfo(st.sector), pieceRect(st.x, st.y)) / 150);
    if (!anchorDeep(st.sector, st.x, st.y))
      throw new Error(`stack at (${st.x}, ${st.y}) has ${share} % of its piece in its sector ${byNumber.get(st.sector).name} and its anchor within 3 pixels of its edge`);
    deep++;
    log(`stack at (${st.x}, ${st.y}) in ${byNumber.get(st.sector).name}: ${share} % of its piece (no room left), anchor 3 pixels inside`);
  }
  log(`${stacks.length - deep} of ${stacks.length} stacks have 90 % of their piece in their own sector`);
}

// ---- Incomes ----------------------------------------------------------------------------------
{
  const inc = [0, 0, 0, 0, 0, 0];
  let sum = 0;
  for (const s of sectors) if (s.number <= 127) { inc[s.owner] += s.icps; sum += s.icps; }
  const axis = inc[2] + inc[4], allies = inc[1] + inc[3] + inc[5];
  log(`incomes: Russia ${inc[1]} Germany ${inc[2]} UK ${inc[3]} Japan ${inc[4]} US ${inc[5]}; Axis ${axis} Allies ${allies}; all ${sum}`);
  if (axis < 50 || axis > 60) throw new Error('Axis income out of 50..60');
  if (allies < 80 || allies > 100) throw new Error('Allies income out of 80..100');
  if (sum >= 256) throw new Error('sum of ICPs must be below 256');
}

// ---- The map picture -------------------------------------------------------------------------
const landColour = [[238, 230, 200], [214, 128, 110], [172, 172, 168], [210, 198, 150], [240, 214, 112], [158, 192, 118]];
const SEA = [118, 166, 212], SEA_NEAR = [150, 190, 226], SEA_LINE = [72, 112, 160];
const LAKE = [150, 192, 228], ICE = [236, 242, 248], ICE_DOT = [206, 220, 234];
const INKLINE = [34, 30, 28];

function mapRgb() {
  const rgb = new Uint8Array(W * H * 3);
  // distance (chessboard, up to 4) from a border pixel, for shading
  const dist = new Uint8Array(W * H).fill(9);
  let frontier = [];
  for (let i = 0; i < W * H; i++) if (idx[i] === 0) { dist[i] = 0; frontier.push(i); }
  for (let d = 1; d <= 4; d++) {
    const next = [];
    for (const i of frontier) {
      const y = (i / W) | 0, x = i - y * W;
      for (let dy = -1; dy <= 1; dy++) for (let dx = -1; dx <= 1; dx++) {
        const X = x + dx, Y = y + dy;
        if (X < 0 || Y < 0 || X >= W || Y >= H) continue;
        const j = Y * W + X;
        if (dist[j] > d) { dist[j] = d; next.push(j); }
      }
    }
    frontier = next;
  }
  const isLandSector = (v) => v >= 1 && v <= 254 && !isSea[v];
  const coastDist = new Uint8Array(W * H).fill(9);  // distance of sea pixels from land/border-to-land
  {
    let fr = [];
    for (let i = 0; i < W * H; i++) {
      if (idx[i] === 0 && (isLandSector(pre[i]) || geo.cr[i] >= 0)) { coastDist[i] = 0; fr.push(i); }
    }
    for (let d = 1; d <= 5; d++) {
      const next = [];
      for (const i of fr) {
        const y = (i / W) | 0, x = i - y * W;
        for (let dy = -1; dy <= 1; dy++) for (let dx = -1; dx <= 1; dx++) {
          let X = x + dx; const Y = y + dy;
          if (Y < 0 || Y >= H) continue;
          if (X < 0) X += W; else if (X >= W) X -= W;
          const j = Y * W + X;
          if (coastDist[j] > d && idx[j] !== 0 && isSea[idx[j]]) { coastDist[j] = d; next.push(j); }
        }
      }
      fr = next;
    }
  }
  const shade = (c, f) => c.map((v) => Math.max(0, Math.min(255, Math.round(v * f))));
  const mix = (a, b, t) => a.map((v, k) => Math.round(v + (b[k] - v) * t));
  for (let y = 0; y < H; y++) {
    const lat = proj.latOfRow[y];
    for (let x = 0; x < W; x++) {
      const i = y * W + x;
      const v = idx[i];
      let c;
      if (v === 0) {
        // border: dark where land meets anything, blue between sea zones
        let land = isLandSector(pre[i]) || geo.cr[i] >= 0;
        if (!land) {
          for (const [dx, dy] of [[1, 0], [-1, 0], [0, 1], [0, -1]]) {
            const X = x + dx, Y = y + dy;
            if (X < 0 || Y < 0 || X >= W || Y >= H) continue;
            const j = Y * W + X;
            if (isLandSector(pre[j]) || geo.cr[j] >= 0) { land = true; break; }
          }
        }
        c = land ? INKLINE : SEA_LINE;
      } else if (v === 255) {
        if (geo.cr[i] >= 0) c = landColour[0];                        // land of no sector
        else if (geo.cr[i] === geo.lakeCode) c = LAKE;
        else if (geo.iceMask[i] || lat > 62) c = ((x * 7 + y * 3) % 11 === 0) ? ICE_DOT : ICE;
        else c = LAKE;
      } else if (isSea[v]) {
        const d = coastDist[i];
        c = d <= 3 ? mix(SEA_NEAR, SEA, (d - 1) / 3) : SEA;
        if (v % 2 === 0) c = shade(c, 0.975);
      } else {
        const s = byNumber.get(v);
        if (s.impassable) {
          if (s.number === 128) c = ((x + 2 * y) % 6 === 0 || (x * 3 + y) % 13 === 0) ? [214, 176, 120] : [236, 208, 160];
          else if (s.number === 129) c = ((x + y) % 5 === 0) ? [150, 138, 124] : [184, 172, 158];
          else c = ((x * 5 + y * 2) % 9 === 0) ? [214, 226, 238] : [246, 250, 252];
        } else c = landColour[s.owner];
        const d = dist[i];
        if (d === 1) c = shade(c, 0.84);
        else if (d === 2) c = shade(c, 0.93);
      }
      rgb.set(c, i * 3);
    }
  }
  return rgb;
}

function drawLabels(rgb) {
  const canvas = createCanvas(W, H);
  const ctx = canvas.getContext('2d');
  const im = ctx.createImageData(W, H);
  for (let i = 0; i < W * H; i++) { im.data[i * 4] = rgb[i * 3]; im.data[i * 4 + 1] = rgb[i * 3 + 1]; im.data[i * 4 + 2] = rgb[i * 3 + 2]; im.data[i * 4 + 3] = 255; }
  ctx.putImageData(im, 0, 0);
  ctx.textBaseline = 'alphabetic';
  ctx.textAlign = 'center';
  ctx.lineJoin = 'round';
  for (const L of labels) {
    const { s, rect, lines, size, lh } = L;
    ctx.font = `${size}px ${FONT}`;
    const cx = (rect[0] + rect[2]) / 2;
    const asc = Math.ceil(size * 0.73);
    lines.forEach((line, k) => {
      const by = rect[1] + 1 + asc + k * lh;
      if (s.land) {
        const base = s.impassable ? [250, 244, 230] : landColour[s.owner];
        const halo = base.map((v) => Math.min(255, Math.round(v + (255 - v) * 0.55)));
        ctx.strokeStyle = `rgba(${halo[0]},${halo[1]},${halo[2]},0.9)`;
        ctx.lineWidth = 2.2;
        ctx.strokeText(line, cx, by);
        ctx.fillStyle = 'rgb(28,24,22)';
        ctx.fillText(line, cx, by);
      } else {
        ctx.strokeStyle = 'rgba(40,80,132,0.95)';
        ctx.lineWidth = 2.6;
        ctx.strokeText(line, cx, by);
        ctx.fillStyle = 'rgb(244,250,255)';
        ctx.fillText(line, cx, by);
      }
    });
  }
  if (titlePlate) {
    const [l, t, r, b] = titlePlate;
    ctx.fillStyle = 'rgb(248,242,222)';
    ctx.fillRect(l + 0.5, t + 0.5, r - l - 1, b - t - 1);
    ctx.strokeStyle = 'rgb(60,48,36)';
    ctx.lineWidth = 1;
    ctx.strokeRect(l + 0.5, t + 0.5, r - l - 1, b - t - 1);
    ctx.strokeRect(l + 2.5, t + 2.5, r - l - 5, b - t - 5);
    const sizes = [16, 10, 8], base = [19, 32, 42];
    const colours = ['rgb(120,28,20)', 'rgb(40,32,26)', 'rgb(96,80,64)'];
    board.title.lines.forEach((line, k) => {
      ctx.font = `${sizes[k]}px ${FONT}`;
      ctx.fillStyle = colours[k];
      ctx.fillText(line, (l + r) / 2, t + base[k]);
    });
  }
  const data = ctx.getImageData(0, 0, W, H).data;
  const out = new Uint8Array(W * H * 3);
  for (let i = 0; i < W * H; i++) { out[i * 3] = data[i * 4]; out[i * 3 + 1] = data[i * 4 + 1]; out[i * 3 + 2] = data[i * 4 + 2]; }
  return out;
}

const mapPixels = drawLabels(mapRgb());

// ---- Files ------------------------------------------------------------------------------------
function sekFile() {
  const buf = Buffer.alloc(130 * 76);
  for (const s of sectors) {
    const o = (s.number - 1) * 76;
    buf[o] = s.name.length;
    buf.write(s.name, o + 1, 'latin1');
    buf[o + 41] = s.owner;
    buf[o + 42] = s.icps;
    buf[o + 43] = s.land ? 1 : 0;
    buf.writeInt32LE(s.hotSpot[0], o + 44);
    buf.writeInt32LE(s.hotSpot[1], o + 48);
  }
  return buf;
}
function mapFile() {
  const buf = Buffer.alloc(4 + 24 * stacks.length);
  buf.writeInt32LE(stacks.length, 0);
  stacks.forEach((st, k) => {
    const o = 4 + 24 * k;
    buf.writeDoubleLE(st.x, o);
    buf.writeDoubleLE(st.y, o + 8);
    buf[o + 16] = st.kind;
    buf[o + 17] = st.owner;
    buf.writeUInt16LE(st.count, o + 18);
    buf[o + 20] = st.sector;
  });
  return buf;
}

const sheet = art.piecesSheet(FONT);
const files = {
  'Map(1587x913)[16].BMP': bmp565(W, H, mapPixels),
  'Sektoreninfo(1587x913)[256Grau].BMP': bmp8(W, H, sek, greyPalette()),
  'Sektoren_neu.sek': sekFile(),
  'Start.map': mapFile(),
  'PIECES.BMP': bmp24(320, 200, sheet.d),
  'grueneslicht.BMP': bmp24(30, 38, art.light('green').d),
  'gelbeslicht.BMP': bmp24(30, 38, art.light('yellow').d),
  'roteslicht.BMP': bmp24(30, 38, art.light('red').d),
  'dunkelroteslicht.BMP': bmp24(30, 38, art.light('darkred').d),
  'ToolsPieces.BMP': bmp8FromRgb(165, 50, art.pieceChart(1).d),
  'ToolsMove.BMP': bmp24(23, 23, art.toolsMove().d),
  'ToolsKill.BMP': bmp24(23, 23, art.toolsKill().d),
  'ButtonMapLaden.BMP': bmp24(24, 24, art.buttonLoad().d),
  'ButtonMapSpeichern.BMP': bmp24(24, 24, art.buttonSave().d),
  'ButtonVorherigeMap.BMP': bmp24(24, 24, art.buttonPrevious().d),
  'ButtonNaechsteMap.BMP': bmp24(24, 24, art.buttonNext().d),
};
mkdirSync(outDir, { recursive: true });
for (const [name, buf] of Object.entries(files)) writeFileSync(join(outDir, name), buf);
log(`${Object.keys(files).length} files written to ${outDir}; ${stacks.length} stacks`);
if (examples) {
  mkdirSync(examples, { recursive: true });
  const own = art.ownPieces();
  writeFileSync(join(examples, 'OwnPieces.BMP'), bmp24(own.w, own.h, own.d));
  log('examples written to ' + examples);
}

// ---- Preview: the start position as the program draws it at zoom 1 ----------------------------
if (preview) {
  const img = new art.Img(W, H, [0, 0, 0]);
  // the map as stored (5-6-5)
  for (let i = 0; i < W * H; i++) {
    const r = mapPixels[i * 3] >> 3, g = mapPixels[i * 3 + 1] >> 2, b = mapPixels[i * 3 + 2] >> 3;
    img.d[i * 3] = (r << 3) | (r >> 2); img.d[i * 3 + 1] = (g << 2) | (g >> 4); img.d[i * 3 + 2] = (b << 3) | (b >> 2);
  }
  const K = art.MAGENTA;
  for (const s of sectors) {
    if (s.number > 128 || !s.icps) continue;
    const [x, y] = s.hotSpot;
    if (s.icps < 10) { img.blit(sheet, 165, 10, 10, 14, x, y, K); img.blit(sheet, 165 + 9 * s.icps, 0, 9, 10, x + 2, y + 2, K); }
    else {
      img.blit(sheet, 175, 10, 18, 14, x, y, K);
      img.blit(sheet, 165 + 9 * Math.floor(s.icps / 10), 0, 9, 10, x + 2, y + 2, K);
      img.blit(sheet, 165 + 9 * (s.icps % 10), 0, 9, 10, x + 10, y + 2, K);
    }
  }
  for (const st of stacks) img.blit(sheet, (st.kind - 1) * 15, (st.owner - 1) * 10, 15, 10, st.x - 7, st.y - 5);
  for (const st of stacks) {
    if (st.count <= 1) continue;
    const t = String(st.count);
    for (let k = 0; k < t.length; k++) {
      const ch = t.charCodeAt(k);
      img.blit(sheet, 11 * (ch - 32), 170, 11, 15, st.x - 7 + 15 + 11 * k, st.y - 5, K);
    }
  }
  const c = createCanvas(W, H);
  const ctx = c.getContext('2d');
  const im = ctx.createImageData(W, H);
  for (let i = 0; i < W * H; i++) { im.data.set(img.d.subarray(i * 3, i * 3 + 3), i * 4); im.data[i * 4 + 3] = 255; }
  ctx.putImageData(im, 0, 0);
  mkdirSync(dirname(preview), { recursive: true });
  writeFileSync(preview, c.toBuffer('image/png'));
  log('preview written to ' + preview);
}
