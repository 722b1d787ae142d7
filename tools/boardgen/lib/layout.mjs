// Places, for every sector, its printed label, its ICP box (hot spot) and its start stacks so
// that nothing covers anything else. Deterministic: candidates are ordered by distance and
// then by pixel index.

export const BOX_W = 18, BOX_H = 14;

// footprint of a stack anchored at (x, y): piece cell 15x10 centred (left x-7, top y-5) and the
// count written from the cell's right edge, 11 px per digit, 15 px high (a single piece shows
// no count and takes only its cell).
export function stackRect(x, y, count) {
  const digits = count > 1 ? String(count).length : 0;
  return [x - 7, y - 5, x + 8 + 11 * digits, digits ? y + 10 : y + 5];
}

export class Layout {
  constructor(W, H, idx, isSea) {
    this.W = W; this.H = H; this.idx = idx; this.isSea = isSea;
    this.occ = new Uint8Array(W * H);
  }

  // per-sector summed-area table over its bounding box
  prepare(s) {
    const { W, H, idx } = this;
    let x0 = W, y0 = H, x1 = -1, y1 = -1;
    const pixels = [];
    for (let i = 0; i < W * H; i++) if (idx[i] === s) {
      const y = (i / W) | 0, x = i - y * W;
      pixels.push(i);
      if (x < x0) x0 = x; if (x > x1) x1 = x; if (y < y0) y0 = y; if (y > y1) y1 = y;
    }
    if (!pixels.length) return null;
    const bw = x1 - x0 + 1, bh = y1 - y0 + 1;
    const sat = new Int32Array((bw + 1) * (bh + 1));
    for (let y = 0; y < bh; y++) {
      let row = 0;
      for (let x = 0; x < bw; x++) {
        row += idx[(y + y0) * W + x + x0] === s ? 1 : 0;
        sat[(y + 1) * (bw + 1) + x + 1] = sat[y * (bw + 1) + x + 1] + row;
      }
    }
    // pole: the pixel farthest (chessboard) from anything else, found by erosion counting
    const dist = new Int16Array(bw * bh);
    for (let y = 0; y < bh; y++) for (let x = 0; x < bw; x++) {
      const i = (y + y0) * W + x + x0;
      if (idx[i] !== s) continue;
      const up = y > 0 ? dist[(y - 1) * bw + x] : 0;
      const left = x > 0 ? dist[y * bw + x - 1] : 0;
      const ul = y > 0 && x > 0 ? dist[(y - 1) * bw + x - 1] : 0;
      const ur = y > 0 && x < bw - 1 ? dist[(y - 1) * bw + x + 1] : 0;
      dist[y * bw + x] = Math.min(up, left, ul, ur) + 1;
    }
    for (let y = bh - 1; y >= 0; y--) for (let x = bw - 1; x >= 0; x--) {
      const k = y * bw + x;
      if (!dist[k]) continue;
      const dn = y < bh - 1 ? dist[(y + 1) * bw + x] : 0;
      const rt = x < bw - 1 ? dist[y * bw + x + 1] : 0;
      const dr = y < bh - 1 && x < bw - 1 ? dist[(y + 1) * bw + x + 1] : 0;
      const dl = y < bh - 1 && x > 0 ? dist[(y + 1) * bw + x - 1] : 0;
      dist[k] = Math.min(dist[k], Math.min(dn, rt, dr, dl) + 1);
    }
    let best = -1, px = x0, py = y0;
    // prefer the deepest pixel; among equals the one nearest the centroid
    let cx = 0, cy = 0;
    for (const i of pixels) { cx += i % W; cy += (i / W) | 0; }
    cx /= pixels.length; cy /= pixels.length;
    let bestD = Infinity;
    for (let y = 0; y < bh; y++) for (let x = 0; x < bw; x++) {
      const d = dist[y * bw + x];
      if (!d) continue;
      const dc = (x + x0 - cx) ** 2 + (y + y0 - cy) ** 2;
      if (d > best || (d === best && dc < bestD)) { best = d; bestD = dc; px = x + x0; py = y + y0; }
    }
    return { s, x0, y0, x1, y1, bw, bh, sat, pixels, pole: [px, py], depth: best };
  }

  countIn(info, r) {
    // number of sector pixels inside rect r = [l, t, rr, b) (exclusive right/bottom)
    const { x0, y0, bw, bh, sat } = info;
    let l = r[0] - x0, t = r[1] - y0, rr = r[2] - x0, b = r[3] - y0;
    if (l < 0) l = 0; if (t < 0) t = 0; if (rr > bw) rr = bw; if (b > bh) b = bh;
    if (rr <= l || b <= t) return 0;
    const S = bw + 1;
    return sat[b * S + rr] - sat[t * S + rr] - sat[b * S + l] + sat[t * S + l];
  }
  inside(info, r) { return this.countIn(info, r) === (r[2] - r[0]) * (r[3] - r[1]); }

  free(r, margin = 1) {
    const { W, H, occ } = this;
    for (let y = r[1] - margin; y < r[3] + margin; y++) {
      if (y < 0 || y >= H) return false;
      for (let x = r[0] - margin; x < r[2] + margin; x++) {
        if (x < 0 || x >= W) return false;
        if (occ[y * W + x]) return false;
      }
    }
    return true;
  }
  // no pixel of another land sector under the rect (water, borders and own sector allowed)
  noForeignLand(s, r) {
    const { W, idx, isSea } = this;
    for (let y = r[1]; y < r[3]; y++) for (let x = r[0]; x < r[2]; x++) {
      const v = idx[y * W + x];
      if (v === s || v === 0 || v === 255 || isSea[v]) continue;
      return false;
    }
    return true;
  }
  mark(r, tag = 1) {
    const { W, H, occ } = this;
    for (let y = Math.max(0, r[1]); y < Math.min(H, r[3]); y++)
      for (let x = Math.max(0, r[0]); x < Math.min(W, r[2]); x++) occ[y * W + x] = tag;
  }

  // Finds the anchor (ax, ay) nearest to `pref` for which rectOf(ax, ay) passes `ok`.
  // Anchors are the sector's pixels when onSector, otherwise all pixels in a window.
  search(info, pref, rectOf, ok, onSector = true, window = 0) {
    const { W } = this;
    let cands;
    if (onSector) cands = info.pixels;
    else {
      cands = [];
      const xa = Math.max(0, info.x0 - window), xb = Math.min(this.W - 1, info.x1 + window);
      const ya = Math.max(0, info.y0 - window), yb = Math.min(this.H - 1, info.y1 + window);
      for (let y = ya; y <= yb; y++) for (let x = xa; x <= xb; x++) cands.push(y * W + x);
    }
    const scored = [];
    for (const i of cands) {
      const y = (i / W) | 0, x = i - y * W;
      const r = rectOf(x, y);
      const cx = (r[0] + r[2]) / 2, cy = (r[1] + r[3]) / 2;
      const d = (cx - pref[0]) ** 2 + 1.6 * (cy - pref[1]) ** 2;
      scored.push([d, i]);
    }
    scored.sort((a, b) => a[0] - b[0] || a[1] - b[1]);
    for (const [, i] of scored) {
      const y = (i / W) | 0, x = i - y * W;
      const r = rectOf(x, y);
      if (ok(r, x, y)) return [x, y, r];
    }
    return null;
  }
}
