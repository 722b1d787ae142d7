// Projection, rasterisation and the sector index picture.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { geoPath, geoProjection, geoArea } from 'd3-geo';
import { geoMillerRaw } from 'd3-geo-projection';
import * as topojson from 'topojson-client';

const require = createRequire(import.meta.url);
const DEG = Math.PI / 180;

// ---- Projection ---------------------------------------------------------------------------
export function makeProjection(p) {
  const W = p.width, H = p.height;
  // Column density per degree of longitude relative to the central meridian (-180..180).
  const bump = (l) => {
    let v = 0;
    for (const b of p.bumps) {
      let d = l - (b.centre - p.centralMeridian);
      d = ((d + 540) % 360) - 180;
      v += b.amount * Math.exp(-Math.pow(d / b.spread, 4));
    }
    return v;
  };
  // Cumulative table in steps of 1/100 degree (36001 entries), integrated with the midpoint rule.
  const STEPS = 36000;
  const cum = new Float64Array(STEPS + 1);
  let bumpTotal = 0;
  for (let i = 0; i < STEPS; i++) {
    const l = -180 + (i + 0.5) / 100;
    bumpTotal += bump(l) / 100;
  }
  const base = (W - bumpTotal) / 360;
  for (let i = 0; i < STEPS; i++) {
    const l = -180 + (i + 0.5) / 100;
    cum[i + 1] = cum[i] + (base + bump(l)) / 100;
  }
  const scaleX = W / cum[STEPS];
  // x of a relative longitude l in -180..180
  const xOf = (l) => {
    const t = (l + 180) * 100;
    let i = Math.floor(t);
    if (i < 0) i = 0;
    if (i >= STEPS) i = STEPS - 1;
    const f = t - i;
    return (cum[i] + (cum[i + 1] - cum[i]) * f) * scaleX;
  };
  const millerY = (phiDeg) => geoMillerRaw(0, phiDeg * DEG)[1];
  const yTop = millerY(p.north), yBot = millerY(p.south);
  const scaleY = H / (yTop - yBot);
  const yOf = (phiDeg) => (yTop - millerY(phiDeg)) * scaleY;

  // Raw projection for d3 (radians in, pixels out; d3 negates y, so give -y).
  const raw = (lambda, phi) => [xOf(lambda / DEG), -yOf(phi / DEG)];
  const projection = geoProjection(raw).rotate([-p.centralMeridian, 0]).scale(1).translate([xOf(0), yOf(0)])
    .precision(0).clipExtent([[0, 0], [W, H]]);

  // Column centre -> longitude (absolute), by bisection on xOf.
  const lonOfCol = new Float64Array(W);
  for (let c = 0; c < W; c++) {
    const target = c + 0.5;
    let lo = -180, hi = 180;
    for (let k = 0; k < 60; k++) {
      const mid = (lo + hi) / 2;
      if (xOf(mid) < target) lo = mid; else hi = mid;
    }
    let lon = (lo + hi) / 2 + p.centralMeridian;
    if (lon > 180) lon -= 360;
    if (lon <= -180) lon += 360;
    lonOfCol[c] = lon;
  }
  const latOfRow = new Float64Array(H);
  for (let r = 0; r < H; r++) {
    const target = r + 0.5;
    let lo = p.south, hi = p.north;  // yOf decreasing in lat
    for (let k = 0; k < 60; k++) {
      const mid = (lo + hi) / 2;
      if (yOf(mid) > target) lo = mid; else hi = mid;
    }
    latOfRow[r] = (lo + hi) / 2;
  }
  // Absolute longitude/latitude -> pixel coordinates (floating point).
  const toPixel = (lon, lat) => {
    let l = lon - p.centralMeridian;
    l = ((l + 540) % 360) - 180;
    return [xOf(l), yOf(lat)];
  };
  const densityAt = (lon) => {
    const [x0] = toPixel(lon - 0.5, 0), [x1] = toPixel(lon + 0.5, 0);
    return x1 - x0;
  };
  return { W, H, projection, lonOfCol, latOfRow, toPixel, densityAt, base };
}

// ---- Path recording and even-odd scanline fill --------------------------------------------
function recordRings(projection, geometry) {
  const rings = [];
  let cur = null;
  const ctx = {
    moveTo(x, y) { cur = [[x, y]]; rings.push(cur); },
    lineTo(x, y) { cur.push([x, y]); },
    closePath() { cur = null; },
    arc() {},
    rect() {},
  };
  geoPath(projection, ctx)(geometry);
  return rings;
}

// Calls set(index) for every pixel whose centre lies inside the rings (even-odd).
export function fillRings(W, H, rings, set) {
  const edges = [];
  for (const ring of rings) {
    const n = ring.length;
    for (let i = 0; i < n; i++) {
      const a = ring[i], b = ring[(i + 1) % n];
      if (a[1] === b[1]) continue;
      edges.push(a[1] < b[1] ? [a[0], a[1], b[0], b[1]] : [b[0], b[1], a[0], a[1]]);
    }
  }
  if (!edges.length) return;
  let ymin = Infinity, ymax = -Infinity;
  for (const e of edges) { if (e[1] < ymin) ymin = e[1]; if (e[3] > ymax) ymax = e[3]; }
  const r0 = Math.max(0, Math.floor(ymin - 0.5)), r1 = Math.min(H - 1, Math.ceil(ymax));
  // bucket edges by starting row for speed
  edges.sort((p, q) => p[1] - q[1]);
  const xs = [];
  let active = [];
  let ei = 0;
  for (let r = r0; r <= r1; r++) {
    const yc = r + 0.5;
    while (ei < edges.length && edges[ei][1] <= yc) { active.push(edges[ei]); ei++; }
    active = active.filter((e) => e[3] > yc);
    xs.length = 0;
    for (const e of active) {
      if (e[1] <= yc && yc < e[3]) xs.push(e[0] + (yc - e[1]) * (e[2] - e[0]) / (e[3] - e[1]));
    }
    if (xs.length < 2) continue;
    xs.sort((p, q) => p - q);
    for (let k = 0; k + 1 < xs.length; k += 2) {
      let c0 = Math.ceil(xs[k] - 0.5), c1 = Math.ceil(xs[k + 1] - 0.5) - 1;
      if (c0 < 0) c0 = 0;
      if (c1 > W - 1) c1 = W - 1;
      for (let c = c0; c <= c1; c++) set(r * W + c);
    }
  }
}

// Geometry in degrees -> pixel rings (for lakes and polygons, with d3 doing the projection).
export function polygonRings(projection, poly) {
  // d3 wants clockwise outer rings for small polygons; try both windings and keep the small one.
  let ring = poly.map((p) => [p[0], p[1]]);
  ring.push(ring[0]);
  let geom = { type: 'Polygon', coordinates: [ring] };
  if (geoArea(geom) > 2 * Math.PI) geom = { type: 'Polygon', coordinates: [ring.slice().reverse()] };
  return recordRings(projection, geom);
}

// ---- Countries ----------------------------------------------------------------------------
export function loadCountries() {
  const topo = JSON.parse(readFileSync(require.resolve('world-atlas/countries-50m.json'), 'utf8'));
  const fc = topojson.feature(topo, topo.objects.countries);
  return fc.features.map((f) => ({ name: f.properties.name, geometry: f.geometry }));
}

function cleanGeometry(g) {
  // Drop polygons whose area is over 2π (wrongly wound rings).
  if (!g) return null;
  if (g.type === 'Polygon') return geoArea(g) > 2 * Math.PI ? null : g;
  if (g.type === 'MultiPolygon') {
    const polys = g.coordinates.filter((c) => geoArea({ type: 'Polygon', coordinates: c }) <= 2 * Math.PI);
    return polys.length ? { type: 'MultiPolygon', coordinates: polys } : null;
  }
  return g;
}

const inBox = (box, lon, lat) => {
  const [w, s, e, n] = box;
  if (lat < s || lat > n) return false;
  return w <= e ? (lon >= w && lon <= e) : (lon >= w || lon <= e);
};
const inPoly = (poly, lon, lat) => {
  let inside = false;
  for (let i = 0, j = poly.length - 1; i < poly.length; j = i++) {
    const [xi, yi] = poly[i], [xj, yj] = poly[j];
    if ((yi > lat) !== (yj > lat) && lon < ((xj - xi) * (lat - yi)) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
};

// ---- The sector index picture ----------------------------------------------------------------
// Returns { idx (Uint8Array, final with borders), pre (before borders), kind info }.
export function buildIndex(board, proj, sectors) {
  const { W, H, projection, lonOfCol, latOfRow } = proj;
  const countries = loadCountries();
  const names = countries.map((c) => c.name);
  const nameSet = new Set(names);
  const ignored = new Set(board.ignored);
  const unsectored = new Set(board.unsectored);

  // Country raster: -1 water, -2 lake, k>=0 country k, 1000+s stamp of sector s.
  const WATER = -1, LAKE = -2;
  const cr = new Int16Array(W * H).fill(WATER);
  countries.forEach((c, k) => {
    if (ignored.has(c.name)) return;
    const g = cleanGeometry(c.geometry);
    if (!g) return;
    const rings = recordRings(projection, g);
    fillRings(W, H, rings, (i) => { cr[i] = k; });
  });

  // Lakes.
  for (const lake of board.lakes) {
    fillRings(W, H, polygonRings(projection, lake.poly), (i) => { if (cr[i] !== WATER) cr[i] = LAKE; });
  }

  // Stamps (rounded blocks) for small islands and thin land.
  for (const s of sectors) {
    for (const st of s.stamps || []) {
      const [cx, cy] = proj.toPixel(st.at[0], st.at[1]);
      const x0 = Math.round(cx - st.w / 2), y0 = Math.round(cy - st.h / 2);
      for (let y = 0; y < st.h; y++) {
        for (let x = 0; x < st.w; x++) {
          const u = (x + 0.5 - st.w / 2) / (st.w / 2), v = (y + 0.5 - st.h / 2) / (st.h / 2);
          if (u * u * u * u + v * v * v * v > 1) continue;
          const px = x0 + x, py = y0 + y;
          if (px < 0 || px >= W || py < 0 || py >= H) continue;
          cr[py * W + px] = 1000 + s.number;
        }
      }
    }
  }

  // Channels: straits opened as water 3 pixels wide.
  for (const [a, b] of board.channels) {
    const [x0, y0] = proj.toPixel(a[0], a[1]);
    const [x1, y1] = proj.toPixel(b[0], b[1]);
    const n = Math.ceil(Math.hypot(x1 - x0, y1 - y0) * 2) + 1;
    for (let k = 0; k <= n; k++) {
      const x = x0 + (x1 - x0) * k / n, y = y0 + (y1 - y0) * k / n;
      const cx = Math.floor(x), cy = Math.floor(y);
      for (let dy = -1; dy <= 1; dy++) for (let dx = -1; dx <= 1; dx++) {
        const px = cx + dx, py = cy + dy;
        if (px >= 0 && px < W && py >= 0 && py < H) cr[py * W + px] = WATER;
      }
    }
  }

  // Land sector rules.
  const ruleBoxed = [], rulePlain = new Map();
  for (const s of sectors) {
    if (!s.land) continue;
    for (const part of s.parts || []) {
      const cs = Array.isArray(part.c) ? part.c : [part.c];
      for (const c of cs) if (!nameSet.has(c)) throw new Error(`unknown country "${c}" in ${s.name}`);
      if (part.box || part.poly) ruleBoxed.push({ s: s.number, cs: new Set(cs), box: part.box, poly: part.poly });
      else for (const c of cs) {
        if (rulePlain.has(c)) throw new Error(`country "${c}" listed twice (${s.name})`);
        rulePlain.set(c, s.number);
      }
    }
  }
  const pre = new Uint8Array(W * H).fill(255);
  const unassigned = new Map();
  for (let r = 0; r < H; r++) {
    const lat = latOfRow[r];
    for (let c = 0; c < W; c++) {
      const i = r * W + c;
      const v = cr[i];
      if (v < 0) continue;
      if (v >= 1000) { pre[i] = v - 1000; continue; }
      const name = names[v];
      if (unsectored.has(name)) continue;
      const lon = lonOfCol[c];
      let s = 0;
      for (const rule of ruleBoxed) {
        if (!rule.cs.has(name)) continue;
        if (rule.box && !inBox(rule.box, lon, lat)) continue;
        if (rule.poly && !inPoly(rule.poly, lon, lat)) continue;
        s = rule.s; break;
      }
      if (!s) s = rulePlain.get(name) || 0;
      if (!s) { unassigned.set(name, (unassigned.get(name) || 0) + 1); continue; }
      pre[i] = s;
    }
  }
  if (unassigned.size) {
    throw new Error('land without a sector: ' + [...unassigned].map(([n, k]) => `${n} (${k} px)`).join(', '));
  }

  // Sea zones: multi-source flood through water, 8 neighbours, wrapping left/right.
  const isWater = (i) => cr[i] === WATER;
  const iceMask = new Uint8Array(W * H);
  for (let r = 0; r < H; r++) for (let c = 0; c < W; c++) {
    const i = r * W + c;
    if (!isWater(i)) continue;
    for (const box of board.ice) if (inBox(box, lonOfCol[c], latOfRow[r])) { iceMask[i] = 1; break; }
  }
  const queue = new Int32Array(W * H);
  let qh = 0, qt = 0;
  for (const s of sectors) {
    if (s.land) continue;
    for (const seed of s.seeds) {
      const [x, y] = proj.toPixel(seed[0], seed[1]);
      const i = Math.floor(y) * W + Math.floor(x);
      if (!isWater(i) || iceMask[i]) { if (process.env.BOARDGEN_LAX) { console.log(`seed ${seed} of ${s.name} is not on open water`); continue; } throw new Error(`seed ${seed} of ${s.name} is not on open water`); }
      if (pre[i] !== 255) throw new Error(`seed ${seed} of ${s.name} collides with another seed`);
      pre[i] = s.number;
      queue[qt++] = i;
    }
  }
  while (qh < qt) {
    const i = queue[qh++];
    const r = (i / W) | 0, c = i - r * W;
    const s = pre[i];
    for (let dy = -1; dy <= 1; dy++) {
      const rr = r + dy;
      if (rr < 0 || rr >= H) continue;
      for (let dx = -1; dx <= 1; dx++) {
        if (!dx && !dy) continue;
        let cc = c + dx;
        if (cc < 0) cc += W; else if (cc >= W) cc -= W;
        const j = rr * W + cc;
        if (pre[j] !== 255 || !isWater(j) || iceMask[j]) continue;
        pre[j] = s;
        queue[qt++] = j;
      }
    }
  }
  // Report sizable unreached water pockets (not ice, not lakes).
  const pockets = [];
  {
    const seen = new Uint8Array(W * H);
    for (let i = 0; i < W * H; i++) {
      if (seen[i] || pre[i] !== 255 || !isWater(i) || iceMask[i]) continue;
      let n = 0; const st = [i]; seen[i] = 1; let sx = 0, sy = 0;
      while (st.length) {
        const k = st.pop(); n++;
        const r = (k / W) | 0, c = k - r * W; sx += c; sy += r;
        for (const [dx, dy] of [[1, 0], [-1, 0], [0, 1], [0, -1]]) {
          let cc = c + dx; const rr = r + dy;
          if (rr < 0 || rr >= H) continue;
          if (cc < 0) cc += W; else if (cc >= W) cc -= W;
          const j = rr * W + cc;
          if (!seen[j] && pre[j] === 255 && isWater(j) && !iceMask[j]) { seen[j] = 1; st.push(j); }
        }
      }
      if (n >= 30) pockets.push({ n, x: Math.round(sx / n), y: Math.round(sy / n),
        lon: +lonOfCol[Math.round(sx / n)].toFixed(1), lat: +latOfRow[Math.round(sy / n)].toFixed(1) });
    }
  }

  // Borders: for each pair of 4-neighbours with different sectors, exactly one becomes 0.
  const isSea = new Uint8Array(256);
  for (const s of sectors) if (!s.land) isSea[s.number] = 1;
  const withBorders = (pre) => {
    const idx = pre.slice();
    const giveWay = (a, b) => {
      // returns which of the two pixels (0: a, 1: b) becomes border; b is right of / below a
      const sa = pre[a], sb = pre[b];
      if (sa === 255) return 0;
      if (sb === 255) return 1;
      const la = !isSea[sa], lb = !isSea[sb];
      if (la && !lb) return 1;
      if (!la && lb) return 0;
      return 1;
    };
    for (let r = 0; r < H; r++) {
      for (let c = 0; c < W; c++) {
        const a = r * W + c;
        if (c + 1 < W) {
          const b = a + 1;
          if (pre[a] !== pre[b] && !(pre[a] === 255 && pre[b] === 255)) idx[giveWay(a, b) ? b : a] = 0;
        }
        if (r + 1 < H) {
          const b = a + W;
          if (pre[a] !== pre[b]) idx[giveWay(a, b) ? b : a] = 0;
        }
      }
    }
    return idx;
  };
  // The picture that is drawn keeps lakes, ice and unreached water as areas of no sector.
  const idx = withBorders(pre);
  // The sector picture gives every such pixel the sector nearest to it (4 neighbours, wrapping
  // left/right, the first source in pixel order winning a tie), so that a click on a lake or an
  // inland sea lands in the sector around it; only the borders between sectors stay 0.
  const filled = pre.slice();
  {
    const q = new Int32Array(W * H);
    let h = 0, t = 0;
    for (let i = 0; i < W * H; i++) if (filled[i] !== 255) q[t++] = i;
    while (h < t) {
      const i = q[h++];
      const r = (i / W) | 0, c = i - r * W;
      for (const [dx, dy] of [[1, 0], [-1, 0], [0, 1], [0, -1]]) {
        const rr = r + dy;
        if (rr < 0 || rr >= H) continue;
        let cc = c + dx;
        if (cc < 0) cc += W; else if (cc >= W) cc -= W;
        const j = rr * W + cc;
        if (filled[j] !== 255) continue;
        filled[j] = filled[i];
        q[t++] = j;
      }
    }
  }
  const sek = withBorders(filled);
  return { idx, sek, pre, cr, iceMask, lakeCode: LAKE, waterCode: WATER, pockets, isSea };
}
