#include "UWebSkript.h"

const char* const SeitenWache = R"JS(
window.qelmapRefused = [];
document.addEventListener("securitypolicyviolation", (e) => window.qelmapRefused.push(e.blockedURI || e.violatedDirective));
)JS";

const char* const SeitenStil = R"CSS(
:root { color-scheme: light; --rand: #c8c8c8; --matt: #f4f4f1; }
body { margin: 0; font: 15px/1.4 system-ui, sans-serif; color: #1b1b1b; background: #fff; }
header { padding: 0.6rem 1rem; background: var(--matt); border-bottom: 1px solid var(--rand); }
header h1 { margin: 0; font-size: 1.25rem; }
header p { margin: 0.1rem 0 0; color: #555; }
main { display: flex; flex-wrap: wrap; gap: 1rem; padding: 1rem; align-items: flex-start; }
#map-area { flex: 1 1 40rem; min-width: 0; }
#view { position: relative; overflow: hidden; height: min(913px, 72vh); max-width: 1587px; border: 1px solid var(--rand);
        background: #333; cursor: crosshair; touch-action: none; user-select: none; }
#view.dragging { cursor: grabbing; }
#map { position: absolute; left: 0; top: 0; transform-origin: 0 0; image-rendering: pixelated;
       max-width: none; }
#controls { margin-top: 0.4rem; display: flex; gap: 0.4rem; align-items: center; color: #555; }
#controls button { font-size: 1.1rem; width: 2rem; }
.ring { display: inline-block; width: 0.7em; height: 0.7em; border: 3px solid; vertical-align: -0.1em; }
aside { flex: 0 1 24rem; display: flex; flex-direction: column; gap: 1rem; }
section h2 { font-size: 1.05rem; margin: 0 0 0.3rem; }
#sector { min-height: 12rem; padding: 0.5rem 0.7rem; background: var(--matt); border: 1px solid var(--rand); }
#sector dl { display: grid; grid-template-columns: auto 1fr; gap: 0 0.8rem; margin: 0.2rem 0; }
#sector dt { color: #555; }
#sector dd { margin: 0; }
.none { color: #666; }
table { border-collapse: collapse; }
th, td { padding: 0.1rem 0.5rem; }
thead th { border-bottom: 1px solid var(--rand); font-weight: 600; }
td { text-align: right; font-variant-numeric: tabular-nums; }
td.left { text-align: left; }
tbody th { text-align: left; font-weight: normal; white-space: nowrap; }
tr.side th, tr.side td { font-weight: 600; border-top: 1px solid var(--rand); }
#tallies tbody + tbody tr:first-child th, #tallies tbody + tbody tr:first-child td { padding-top: 0.7rem; }
#alert::before { content: ""; display: inline-block; width: 0.8em; height: 0.8em; border-radius: 50%; margin-right: 0.4em;
                 vertical-align: -0.05em; background: #888; }
#alert.level-1::before { background: #1c9a2e; }
#alert.level-2::before { background: #e3c21a; }
#alert.level-3::before, #alert.level-4::before { background: #d8221c; }
#alert.blink::before { animation: blink 1.6s steps(1) infinite; }
@keyframes blink { 50% { background: #6e0e0b; } }
@media (prefers-reduced-motion: reduce) { #alert.blink::before { animation: none; } }
#changes { padding: 0 1rem 1rem; }
#changes table { margin: 0.3rem 0 0.8rem; }
#changes td, #changes th { border: 1px solid var(--rand); }
#changes h3 { font-size: 1.05rem; margin: 0.8rem 0 0.3rem; }
#changes h4, #changes h5 { font-size: 1rem; margin: 0.6rem 0 0.2rem; }
pre { background: var(--matt); padding: 0.5rem; overflow: auto; }
)CSS";

const char* const SeitenSkript = R"JS(
"use strict";
(() => {
  const $ = (id) => document.getElementById(id);
  const el = (tag, text, cls) => {
    const e = document.createElement(tag);
    if (text !== undefined) e.textContent = text;
    if (cls) e.className = cls;
    return e;
  };
  const position = JSON.parse($("qelmap-position").textContent);
  const sectors = JSON.parse($("qelmap-sectors").textContent);
  const picture = $("qelmap-sector-picture");
  const W = Number(picture.dataset.width), H = Number(picture.dataset.height);

  // The sector picture as runs: a value byte, then the run's length less one.
  const sectorOf = (() => {
    const runs = atob(picture.textContent.trim());
    const out = new Uint8Array(W * H).fill(255);
    for (let k = 0, i = 0; k + 1 < runs.length && i < out.length; k += 2) {
      const n = runs.charCodeAt(k + 1) + 1;
      out.fill(runs.charCodeAt(k), i, Math.min(i + n, out.length));
      i += n;
    }
    return out;
  })();

  // Owners and kinds are names; a code the tables do not know stays a number.
  const named = (v) => (typeof v === "string" ? v : "code " + v);

  // What pointing at the map pixel (x, y) shows.
  function describe(x, y) {
    const s = x >= 0 && y >= 0 && x < W && y < H ? sectorOf[y * W + x] : 255;
    const r = { x, y, sector: s };
    if (s === 0 || s === 255) return r;
    const rec = sectors[s - 1];
    if (rec) Object.assign(r, { name: rec.name, icps: rec.icps, land: rec.land, start: rec.start, holder: rec.holder });
    r.stacks = position.stacks.filter((e) => e.sector === s).map((e) => ({ power: e.owner, kind: e.kind, count: e.count }));
    return r;
  }

  function show(r) {
    const box = $("sector");
    box.replaceChildren();
    if (r.sector === 0 || r.sector === 255) {
      box.append(el("p", "No sector here.", "none"));
      return;
    }
    box.append(el("h2", "Sector " + r.sector + (r.name ? ": " + r.name : "")));
    const dl = el("dl");
    const row = (k, v) => dl.append(el("dt", k), el("dd", String(v)));
    if (r.name === undefined) {
      row("sector table", "no record");
    } else {
      row("ICPs", r.icps);
      row("kind", r.land ? "land" : "sea");
      row("start owner", named(r.start));
      row("holder", r.holder === null ? "not counted for income" : named(r.holder));
    }
    box.append(dl);
    if (!r.stacks.length) {
      box.append(el("p", "No stacks.", "none"));
      return;
    }
    const t = el("table");
    const head = t.createTHead().insertRow();
    for (const h of ["Power", "Kind", "Count"]) head.append(el("th", h));
    const body = t.createTBody();
    for (const s of r.stacks) {
      const tr = body.insertRow();
      tr.append(el("td", named(s.power), "left"), el("td", named(s.kind), "left"), el("td", String(s.count)));
    }
    box.append(t);
  }

  // ---- Zoom and dragging: whole zoom factors, the map pixels kept square and sharp ----
  const view = $("view"), map = $("map");
  const MW = map.width, MH = map.height;
  let zoom = 1, sx = 0, sy = 0;  // the map point at the view's top-left corner
  function place() {
    sx = Math.max(0, Math.min(sx, MW - view.clientWidth / zoom));
    sy = Math.max(0, Math.min(sy, MH - view.clientHeight / zoom));
    map.style.transform = `translate(${-Math.round(sx * zoom)}px, ${-Math.round(sy * zoom)}px) scale(${zoom})`;
    $("zoom-level").textContent = zoom;
  }
  function zoomAt(step, px, py) {
    const z = Math.max(1, Math.min(6, zoom + step));
    if (z === zoom) return;
    sx += px / zoom - px / z;
    sy += py / zoom - py / z;
    zoom = z;
    place();
  }
  const inView = (e) => {
    const b = view.getBoundingClientRect();
    return [e.clientX - b.left - view.clientLeft, e.clientY - b.top - view.clientTop];
  };
  const pixelAt = (px, py) => [Math.floor(sx + px / zoom), Math.floor(sy + py / zoom)];

  view.addEventListener("wheel", (e) => {
    e.preventDefault();
    zoomAt(e.deltaY < 0 ? 1 : -1, ...inView(e));
  }, { passive: false });
  $("zoom-in").addEventListener("click", () => zoomAt(1, view.clientWidth / 2, view.clientHeight / 2));
  $("zoom-out").addEventListener("click", () => zoomAt(-1, view.clientWidth / 2, view.clientHeight / 2));
  let drag = null;
  view.addEventListener("pointerdown", (e) => {
    drag = { x: e.clientX, y: e.clientY };
    view.setPointerCapture(e.pointerId);
    view.classList.add("dragging");
  });
  view.addEventListener("pointermove", (e) => {
    if (drag) {
      sx -= (e.clientX - drag.x) / zoom;
      sy -= (e.clientY - drag.y) / zoom;
      drag = { x: e.clientX, y: e.clientY };
      place();
    }
    show(describe(...pixelAt(...inView(e))));
  });
  const stop = () => {
    drag = null;
    view.classList.remove("dragging");
  };
  view.addEventListener("pointerup", stop);
  view.addEventListener("pointercancel", stop);
  view.addEventListener("contextmenu", (e) => e.preventDefault());
  view.addEventListener("keydown", (e) => {
    const d = 40 / zoom;
    const keys = { ArrowLeft: [-d, 0], ArrowRight: [d, 0], ArrowUp: [0, -d], ArrowDown: [0, d] };
    if (e.key === "+" || e.key === "-") zoomAt(e.key === "+" ? 1 : -1, view.clientWidth / 2, view.clientHeight / 2);
    else if (keys[e.key]) {
      sx += keys[e.key][0];
      sy += keys[e.key][1];
      place();
    } else return;
    e.preventDefault();
  });
  window.addEventListener("resize", place);
  place();

  // ---- The link that saves the position as the JSON that convert reads ----
  const save = $("save");
  save.href = URL.createObjectURL(new Blob([$("qelmap-position").textContent], { type: "application/json" }));

  // ---- The changes in words: the forum post, shown as a page shows it ----
  const md = $("changes-markdown");
  if (md) {
    const inline = (node, text) => {
      text.split("**").forEach((part, k) => node.append(k % 2 ? el("strong", part) : part));
      return node;
    };
    const cells = (line) => {
      const c = [];
      let cur = "";
      for (let k = 1; k < line.length; k++) {
        if (line[k] === "\\" && line[k + 1] === "|") {
          cur += "|";
          k++;
        } else if (line[k] === "|") {
          c.push(cur.trim());
          cur = "";
        } else cur += line[k];
      }
      return c;
    };
    const words = $("changes-words");
    const lines = md.textContent.split("\n");
    for (let i = 0; i < lines.length;) {
      const line = lines[i];
      const h = /^(#{2,4}) (.*)$/.exec(line);
      if (!line.trim()) i++;
      else if (h) {
        words.append(inline(el("h" + (h[1].length + 1)), h[2]));
        i++;
      } else if (line.startsWith("|")) {
        const rows = [];
        while (i < lines.length && lines[i].startsWith("|")) rows.push(cells(lines[i++]));
        const right = (rows[1] || []).map((c) => c.endsWith(":"));
        const t = el("table");
        rows.forEach((r, k) => {
          if (k === 1) return;
          const tr = t.insertRow();
          r.forEach((c, j) => tr.append(inline(el(k ? "td" : "th", undefined, right[j] ? "" : "left"), c)));
        });
        words.append(t);
      } else {
        words.append(inline(el("p"), line));
        i++;
      }
    }
    md.closest("details").open = false;
  }

  // ---- Test hook: "#test=X,Y;X,Y" writes what pointing at those map pixels shows, the
  // tallies as the page shows them and every request the page made into #test-output ----
  const hook = /^#test=(.*)$/.exec(location.hash);
  if (hook) window.addEventListener("load", () => {
    const points = hook[1].split(";").map((p) => p.split(",").map(Number));
    const shown = points.map(([x, y]) => {
      const r = describe(x, y);
      show(r);
      return Object.assign(r, { text: $("sector").textContent });
    });
    const tallies = {};
    for (const tr of document.querySelectorAll("#tallies tbody tr"))
      tallies[tr.cells[0].textContent] = Array.from(tr.cells).slice(1).map((c) => Number(c.textContent));
    const out = el("pre", JSON.stringify({
      points: shown,
      tallies,
      alert: $("alert-level").textContent,
      requests: performance.getEntriesByType("resource").map((e) => e.name),
      refused: window.qelmapRefused,
    }));
    out.id = "test-output";
    document.body.append(out);
  });
})();
)JS";
