#include "debrief/page_script.h"

namespace kalveo::debrief {

std::string_view page_style() {
    return R"css(
body { font-family: sans-serif; margin: 1em 2em; color: #222; }
table.summary { border-collapse: collapse; }
table.summary th { text-align: left; font-weight: normal; color: #555; padding: 2px 1.5em 2px 0; }
table.summary td { font-weight: bold; padding: 2px 0; }
.problem { color: #a00; }
.hint { color: #777; font-size: 90%; }
.chart { margin-bottom: 1.5em; }
)css";
}

std::string_view page_script() {
    return R"js(
"use strict";
(function () {
  const D = JSON.parse(document.getElementById("flight-data").textContent);
  const W = D.words;
  const levelFill = ["rgba(255,210,0,0.18)", "rgba(255,150,0,0.22)", "rgba(255,80,0,0.26)",
                     "rgba(210,0,0,0.30)"];
  const clock = (s) => {
    s = Math.max(0, Math.round(s));
    const m = Math.floor(s / 60) % 60, sec = s % 60;
    return Math.floor(s / 3600) + ":" + String(m).padStart(2, "0") + ":" + String(sec).padStart(2, "0");
  };
  const width = () => Math.max(400, document.body.clientWidth - 20);
  const charts = [];

  // Spans of samples where `on(i)` holds, as [first time, last time, i of the first].
  function spans(on) {
    const out = [];
    let start = -1;
    for (let i = 0; i <= D.t.length; i++) {
      const inside = i < D.t.length && on(i);
      if (inside && start < 0) start = i;
      if (!inside && start >= 0) {
        out.push([D.t[start], D.t[Math.min(i, D.t.length - 1)], start]);
        start = -1;
      }
    }
    return out;
  }

  // Fills the stretches of time behind the series.
  function shade(u, stretches, fill) {
    const ctx = u.ctx, top = u.bbox.top, height = u.bbox.height;
    ctx.save();
    ctx.beginPath();
    ctx.rect(u.bbox.left, top, u.bbox.width, height);
    ctx.clip();
    for (const [a, b] of stretches) {
      const x0 = u.valToPos(a, "x", true), x1 = u.valToPos(b, "x", true);
      ctx.fillStyle = fill;
      ctx.fillRect(x0, top, Math.max(1, x1 - x0), height);
    }
    ctx.restore();
  }

  // Wheel zooms around the pointer, Shift+drag pans; the time charts move together.
  function zoomAndPan(u) {
    const full = () => [u.data[0][0], u.data[0][u.data[0].length - 1]];
    u.over.addEventListener("wheel", (e) => {
      e.preventDefault();
      const [lo, hi] = full();
      const x = u.posToVal(e.offsetX, "x");
      const f = e.deltaY < 0 ? 0.8 : 1.25;
      const min = Math.max(lo, x - (x - u.scales.x.min) * f);
      const max = Math.min(hi, x + (u.scales.x.max - x) * f);
      if (max - min > 1) u.setScale("x", { min, max });
    }, { passive: false });
    u.root.addEventListener("mousedown", (e) => {
      if (!e.shiftKey) return;
      e.stopPropagation();
      e.preventDefault();
      const startX = e.clientX, min0 = u.scales.x.min, max0 = u.scales.x.max;
      const perPixel = (max0 - min0) / u.bbox.width * devicePixelRatio;
      const move = (m) => {
        const [lo, hi] = full();
        let d = -(m.clientX - startX) * perPixel;
        d = Math.max(lo - min0, Math.min(hi - max0, d));
        u.setScale("x", { min: min0 + d, max: max0 + d });
      };
      const up = () => {
        document.removeEventListener("mousemove", move);
        document.removeEventListener("mouseup", up);
      };
      document.addEventListener("mousemove", move);
      document.addEventListener("mouseup", up);
    }, true);
  }

  let syncing = false;
  function followX(u, key) {
    if (key !== "x" || syncing) return;
    syncing = true;
    for (const other of charts) {
      if (other !== u && other.timeChart)
        other.setScale("x", { min: u.scales.x.min, max: u.scales.x.max });
    }
    syncing = false;
  }

  function timeChart(id, series, data, extra) {
    const target = document.getElementById(id);
    if (!target) return;
    const opts = Object.assign({
      width: width(), height: 260,
      scales: { x: { time: false } },
      cursor: { sync: { key: "flight" }, drag: { x: true, y: false } },
      series: [{ label: W.time, value: (u, v) => v == null ? "" : clock(v) }].concat(series),
      axes: [{ values: (u, vals) => vals.map(clock) }, {}],
    }, extra || {});
    opts.hooks = Object.assign({ setScale: [followX] }, opts.hooks || {});
    const u = new uPlot(opts, data, target);
    u.timeChart = true;
    zoomAndPan(u);
    charts.push(u);
  }

  const alarmSpans = [0, 1, 2, 3].map((level) => spans((i) => D.level[i] === level));
  timeChart("speed-chart", [
    { label: W.ias, stroke: "#1f77b4", width: 1.5 },
    { label: W.tas, stroke: "#d62728", width: 1.5 },
    { label: W.va1, stroke: "rgba(255,140,0,0.8)", width: 1, dash: [4, 4] },
    { label: W.vne, stroke: "rgba(200,0,0,0.9)", width: 1 },
  ], [D.t, D.ias, D.tas, D.va1, D.vne], {
    bands: [{ series: [4, 3], fill: "rgba(255,0,0,0.08)" }],
    hooks: { drawAxes: [(u) => alarmSpans.forEach((s, level) => shade(u, s, levelFill[level]))] },
  });

  if (D.hasFlaps) {
    const n = D.flapNames.length;
    const name = (v) => D.flapNames[v - 1] !== undefined ? D.flapNames[v - 1] : String(v);
    timeChart("flap-chart", [
      { label: W.flaps_set, stroke: "#2ca02c", width: 2, paths: uPlot.paths.stepped({ align: 1 }),
        value: (u, v) => v == null ? "" : name(v) },
      { label: W.flaps_advised, stroke: "#9467bd", width: 2, dash: [6, 3],
        paths: uPlot.paths.stepped({ align: 1 }), value: (u, v) => v == null ? "" : name(v) },
    ], [D.t, D.flapSet, D.flapAdvised], {
      height: 180,
      scales: { x: { time: false }, y: { range: [0.5, Math.max(1, n) + 0.5] } },
      axes: [{ values: (u, vals) => vals.map(clock) },
             { splits: () => Array.from({ length: n }, (_, k) => k + 1),
               values: (u, vals) => vals.map(name) }],
    });
  }

  const circlingSpans = spans((i) => D.circling[i] === 1);
  timeChart("climb-chart", [
    { label: W.altitude, stroke: "#555", width: 1.5, scale: "alt" },
    { label: W.vario, stroke: "#17becf", width: 1, scale: "vz" },
  ], [D.t, D.altitude, D.vario], {
    scales: { x: { time: false } },
    axes: [{ values: (u, vals) => vals.map(clock) }, { scale: "alt" },
           { scale: "vz", side: 1, grid: { show: false } }],
    hooks: {
      drawAxes: [(u) => shade(u, circlingSpans, "rgba(23,190,207,0.12)")],
      draw: [(u) => {
        const ctx = u.ctx;
        ctx.save();
        ctx.fillStyle = "#0a6f7a";
        ctx.font = Math.round(11 * devicePixelRatio) + "px sans-serif";
        ctx.textAlign = "center";
        for (const [a, b, climb] of D.thermals) {
          const x = (u.valToPos(a, "x", true) + u.valToPos(b, "x", true)) / 2;
          if (x < u.bbox.left || x > u.bbox.left + u.bbox.width) continue;
          ctx.fillText((climb > 0 ? "+" : "") + climb.toFixed(1), x, u.bbox.top + 14 * devicePixelRatio);
        }
        ctx.restore();
      }],
    },
  });

  if (D.polarMode && document.getElementById("polar-chart")) {
    const P = D.polar;
    const xs = Array.from(new Set([].concat(P.reference, P.measured, P.fitted).map((p) => p[0])))
      .sort((a, b) => a - b);
    const column = (points) => {
      const at = new Map(points.map((p) => [p[0], p[1]]));
      return xs.map((x) => at.has(x) ? at.get(x) : null);
    };
    const u = new uPlot({
      width: width(), height: 320,
      scales: { x: { time: false } },
      series: [{ label: W.speed },
        { label: W.reference, stroke: "#888", width: 1.5, spanGaps: true },
        { label: W.measured, stroke: "#d62728", width: 0, paths: () => null,
          points: { show: true, size: 7, fill: "#d62728" } },
        { label: W.fitted, stroke: "#1f77b4", width: 2, spanGaps: true }],
      axes: [{}, { label: W.sink }],
    }, [xs, column(P.reference), column(P.measured), column(P.fitted)],
    document.getElementById("polar-chart"));
    charts.push(u);
  }

  document.body.dataset.charts = String(charts.length);
  window.debriefReady = true;
})();
)js";
}

} // namespace kalveo::debrief
