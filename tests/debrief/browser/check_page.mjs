// Opens a flight page in headless Chromium through the DevTools protocol and checks it against
// its recording: no error in the console, every chart drawn, and the summary's highest true
// airspeed, time in each alarm level and flap-advice share close to what the recording gives
// when worked out here, independently of the program.
//
// node check_page.mjs PAGE RECORDING [--flaps GLIDER DATAFILE]
//      [--vne KMH] [--dv1 KMH] [--dv2 KMH] [--charts N] [--open-within S] [--no-summary]
import { spawn } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const i = args.indexOf(name);
  return i >= 0 ? args[i + 1] : fallback;
};
const page = resolve(args[0]);
const recording = resolve(args[1]);
const vne = Number(option("--vne", 270)), dv1 = Number(option("--dv1", 10));
const dv2 = Number(option("--dv2", 20));
const failures = [];
const fail = (what) => failures.push(what);

// --- The recording, worked out here -------------------------------------------------------
function datagrams(file) {
  const bytes = readFileSync(file);
  const out = [];
  let at = bytes.indexOf(10) + 1;
  while (at < bytes.length) {
    const end = bytes.indexOf(10, at);
    const [seconds, length] = bytes.subarray(at, end).toString().split(" ").map(Number);
    const text = bytes.subarray(end + 1, end + 1 + length).toString("latin1");
    const value = (key) => {
      const m = text.match(new RegExp("(?:^|\\n)" + key + "=([-0-9.eE+]+)"));
      return m ? Number(m[1]) : undefined;
    };
    out.push({ seconds, ias: value("airspeed"), altitude: value("altitude"),
               bank: value("bank"), flaps: value("flaps") });
    at = end + 1 + length + 1;
  }
  return out;
}

// True airspeed of the standard atmosphere: the density falls with height as
// (1 - 2.25577e-5 h)^4.2559.
const trueAirspeed = (ias, h) => ias / Math.sqrt(Math.pow(1 - 2.25577e-5 * h, 4.2559));

// The glider's flap positions from the glider data file: "Name=vne,water,m,m,speed,name,...",
// each position advised above its speed (km/h).
function flapTable(file, glider) {
  const line = readFileSync(file, "latin1").split("\n").find((l) => l.startsWith(glider + "="));
  const items = line.split("=")[1].trim().split(",").slice(4);
  const table = [];
  for (let i = 0; i + 1 < items.length; i += 2) table.push(Number(items[i]));
  return table;
}

function expected(list) {
  const e = { topTas: 0, levels: [0, 0, 0, 0], advice: null };
  const va1 = vne - dv1;
  let cruise = 0, followed = 0;
  const table = option("--flaps") ? flapTable(args[args.indexOf("--flaps") + 2], option("--flaps")) : null;
  for (let i = 0; i + 1 < list.length; i++) {
    const d = list[i], dt = list[i + 1].seconds - d.seconds;
    const tas = trueAirspeed(d.ias, d.altitude) * 3.6;
    e.topTas = Math.max(e.topTas, tas);
    if (tas > va1) e.levels[Math.min(3, Math.floor(4 * (tas - va1) / dv2))] += dt;
    if (table && Math.abs(d.bank) * 180 / Math.PI < 20) {
      let advised = 1;
      table.forEach((speed, k) => { if (speed < d.ias * 3.6) advised = k + 1; });
      cruise += dt;
      if (table.length - d.flaps === advised) followed += dt;
    }
  }
  if (table) e.advice = followed / cruise;
  return e;
}

// --- The page in the browser --------------------------------------------------------------
async function browse() {
  const profile = mkdtempSync(join(tmpdir(), "kalveo-chromium-"));
  // The DevTools protocol over a pipe: messages to the browser on its fd 3, from it on fd 4,
  // each a JSON text ended by a NUL.
  const chromium = spawn(process.env.CHROMIUM || "chromium",
    ["--headless", "--disable-gpu", "--no-sandbox", "--no-first-run", "--window-size=1200,900",
     "--remote-debugging-pipe", "--user-data-dir=" + profile, "about:blank"],
    { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"] });
  chromium.stderr.resume();
  try {
    const [toBrowser, fromBrowser] = [chromium.stdio[3], chromium.stdio[4]];
    let next = 0, pending = "";
    const waiting = new Map(), events = [];
    const ended = new Promise((ok) => chromium.on("exit", ok));
    fromBrowser.on("data", (chunk) => {
      pending += chunk.toString();
      let end;
      while ((end = pending.indexOf("\0")) >= 0) {
        const msg = JSON.parse(pending.slice(0, end));
        pending = pending.slice(end + 1);
        if (msg.id !== undefined && waiting.has(msg.id)) {
          waiting.get(msg.id)(msg);
          waiting.delete(msg.id);
        } else if (msg.method) {
          events.push(msg);
        }
      }
    });
    const send = (method, params = {}, sessionId) => new Promise((ok, no) => {
      const id = ++next;
      waiting.set(id, (msg) => msg.error ? no(new Error(method + ": " + msg.error.message)) : ok(msg.result));
      toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + "\0");
      ended.then(() => no(new Error("chromium ended")));
    });
    const { targetId } = await send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await send("Target.attachToTarget", { targetId, flatten: true });
    for (const domain of ["Runtime", "Log", "Page"]) await send(domain + ".enable", {}, sessionId);
    const evaluate = async (expression) =>
      (await send("Runtime.evaluate", { expression, returnByValue: true }, sessionId)).result.value;
    const start = performance.now();
    await send("Page.navigate", { url: pathToFileURL(page).href }, sessionId);
    let opened = null;
    while (performance.now() - start < 30000 &&
           !events.some((e) => e.method === "Runtime.exceptionThrown")) {
      if (await evaluate("window.debriefReady === true")) {
        opened = (performance.now() - start) / 1000;
        break;
      }
      await new Promise((ok) => setTimeout(ok, 20));
    }
    const result = await evaluate(`(() => {
      const charts = [...document.querySelectorAll(".chart")].map((div) => {
        const canvas = div.querySelector("canvas");
        if (!canvas || !canvas.width) return { id: div.id, coloured: 0 };
        const px = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        let coloured = 0;
        for (let i = 0; i < px.length; i += 4) {
          const hi = Math.max(px[i], px[i + 1], px[i + 2]), lo = Math.min(px[i], px[i + 1], px[i + 2]);
          if (px[i + 3] > 128 && hi - lo > 60) coloured++;
        }
        return { id: div.id, coloured };
      });
      const value = (id) => { const e = document.getElementById(id); return e ? Number(e.dataset.value) : null; };
      return { charts, built: Number(document.body.dataset.charts || 0), topTas: value("top-tas"),
               levels: [0, 1, 2, 3].map((l) => value("level-" + l)), advice: value("advice") };
    })()`);
    const errors = events.filter((e) =>
      e.method === "Runtime.exceptionThrown" ||
      (e.method === "Runtime.consoleAPICalled" && ["error", "assert"].includes(e.params.type)) ||
      (e.method === "Log.entryAdded" && e.params.entry.level === "error"));
    return { opened, result, errors };
  } finally {
    chromium.kill();
    await new Promise((ok) => chromium.exitCode !== null ? ok() : chromium.on("exit", ok));
    rmSync(profile, { recursive: true, force: true });
  }
}

const want = expected(datagrams(recording));
const { opened, result, errors } = await browse();
const within = (name, got, wanted, tolerance) => {
  const ok = got !== null && Math.abs(got - wanted) <= tolerance;
  console.log(`  ${ok ? "ok  " : "FAIL"} ${name}: page ${got}, recording ${wanted.toFixed(3)} (±${tolerance.toFixed(3)})`);
  if (!ok) fail(name);
};
console.log(`${page}: opened in ${opened === null ? "never" : opened.toFixed(2) + " s"}`);
if (opened === null) fail("the page's script never finished");
const openWithin = Number(option("--open-within", 10));
if (opened !== null && opened > openWithin) fail(`opened in ${opened.toFixed(2)} s, over ${openWithin} s`);
for (const e of errors) fail("console: " + JSON.stringify(e.params).slice(0, 300));
const charts = Number(option("--charts", result.charts.length));
if (result.charts.length !== charts || result.built !== charts)
  fail(`${result.built} charts built of ${result.charts.length}, ${charts} wanted`);
for (const c of result.charts) {
  console.log(`  chart ${c.id}: ${c.coloured} coloured pixels`);
  if (c.coloured < 200) fail(`chart ${c.id} not drawn`);
}
// A tenth of the recording's value, or one kept sample's time (0.2 s) for short ones. A page
// of a flight cut short (--no-summary) is checked for its charts only.
if (!args.includes("--no-summary")) {
within("highest TAS (km/h)", result.topTas, want.topTas, want.topTas / 100);
result.levels.forEach((got, l) =>
  within(`time in alarm level ${l} (s)`, got, want.levels[l], Math.max(0.1 * want.levels[l], 0.4)));
if (want.advice !== null) within("flap advice followed", result.advice, want.advice, 0.1);
}
if (failures.length) {
  console.log("FAILED: " + failures.join("; "));
  process.exit(1);
}
console.log("passed");
