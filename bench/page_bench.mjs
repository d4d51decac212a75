// The page's figures against their floors, in the running headless Chromium of
// the browser test (tests/web/harness.mjs): the start, from opening the page to
// the first frames of both canvases, against the floor page (bench/
// floor_page.html: two WebGL canvases drawing one triangle each), opened the
// same way in turns, in a running browser and in freshly started ones; a frame
// of each canvas against the native program's frame of the same window; and
// where the page's start goes, step by step; and a light key's frame on a
// Chromebook-class processor (the page's main thread slowed kCpuSlowdown
// times by the DevTools protocol's CPU throttling) against the floor page's
// key frame, the same way. Prints the steps, then table rows starting with "|"
// (the format of scripts/bench.sh).
//
//   node bench/page_bench.mjs PAGE NATIVE_DIAGRAM_US NATIVE_VALUES_US
//
// Environment: VELORANE_PAGE_RUNS openings of each page in the running browser
// (15), VELORANE_PAGE_FRESH_RUNS in fresh browsers (5), VELORANE_KEY_RUNS
// openings of each for the key frames (6).
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { BrowserPage } from '../tests/web/harness.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const kRuns = Number(process.env.VELORANE_PAGE_RUNS || 15);
const kFreshRuns = Number(process.env.VELORANE_PAGE_FRESH_RUNS || 5);
// Timed frames: batches of rounds, the median of the batches' means.
const kBatches = 9;
const kRounds = 40;
const kWaitMs = 10000;
// The key frames: a processor this many times slower than this machine's, the
// openings of each page, the keys timed in each after those that warm it.
const kCpuSlowdown = 6;
const kKeyRuns = Number(process.env.VELORANE_KEY_RUNS || 6);
const kKeys = 60;
const kWarmKeys = 10;

const [pageFile, nativeDiagramUs, nativeValuesUs] = process.argv.slice(2);
if (!pageFile) {
  console.error('usage: node bench/page_bench.mjs PAGE NATIVE_DIAGRAM_US NATIVE_VALUES_US');
  process.exit(2);
}
const pageUrl = pathToFileURL(path.resolve(pageFile)).href;
const floorUrl = pathToFileURL(path.join(here, 'floor_page.html')).href;

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const m = sorted.length >> 1;
  return sorted.length % 2 ? sorted[m] : (sorted[m - 1] + sorted[m]) / 2;
};

// Runs in the page before its own scripts: times the steps of its start by
// wrapping the browser's calls it makes (the WebAssembly's compilation, the
// contexts, the shaders, the atlas, the repaint waited for). Each step is kept
// as [name, start, end] in milliseconds from the opening, in window.veloraneSteps.
function watchSteps() {
  const steps = [];
  window.veloraneSteps = steps;
  const timed = (owner, name, label) => {
    const original = owner[name];
    owner[name] = function (...args) {
      const start = performance.now();
      const result = original.apply(this, args);
      const end = performance.now();
      if (result && typeof result.then === 'function' && name !== 'fetch') {
        result.then(() => steps.push([`${label} (until resolved)`, start, performance.now()]),
          () => {});
      }
      steps.push([label, start, end]);
      return result;
    };
  };
  new MutationObserver((records, observer) => {
    for (const r of records) {
      for (const n of r.addedNodes) {
        if (n.nodeName === 'SCRIPT') {
          steps.push(['script reached by the parser', performance.now(), performance.now()]);
          observer.disconnect();
        }
      }
    }
  }).observe(document, { childList: true, subtree: true });
  timed(WebAssembly, 'instantiate', 'WebAssembly.instantiate');
  for (const name of ['Module', 'Instance']) {
    WebAssembly[name] = new Proxy(WebAssembly[name], {
      construct(target, args) {
        const start = performance.now();
        const made = Reflect.construct(target, args);
        steps.push([`new WebAssembly.${name}`, start, performance.now()]);
        return made;
      },
    });
  }
  timed(window, 'atob', 'atob (base64 decoding)');
  timed(window, 'fetch', 'fetch');
  timed(HTMLCanvasElement.prototype, 'getContext', 'getContext');
  const gl = WebGLRenderingContext.prototype;
  for (const name of ['compileShader', 'linkProgram', 'getShaderParameter', 'getProgramParameter',
    'texImage2D', 'drawArrays', 'bufferData', 'clear']) {
    timed(gl, name, name);
  }
  const raf = window.requestAnimationFrame;
  window.requestAnimationFrame = function (callback) {
    const asked = performance.now();
    return raf.call(window, (t) => {
      const start = performance.now();
      steps.push(['waiting for the repaint', asked, start]);
      callback(t);
      steps.push(['repaint callback (frames)', start, performance.now()]);
    });
  };
}

// Open `url` in a new tab of `browser` (with the steps watched when `steps`);
// the start in milliseconds, and the steps.
async function open(browser, url, steps = false) {
  const tab = await browser.newPage();
  try {
    if (steps) await tab.evaluateOnNewDocument(watchSteps);
    await tab.goto(url);
    await tab.waitForFunction(() => {
      const canvases = [...document.querySelectorAll('canvas')];
      return canvases.length === 2 && canvases.every((c) => Number(c.dataset.frames) > 0);
    }, { timeout: kWaitMs });
    const opening = await tab.evaluate(() => ({
      start: Math.max(...[...document.querySelectorAll('canvas')].map((c) =>
        Number(c.dataset.firstFrame))),
      steps: window.veloraneSteps || [],
    }));
    // The steps of the start only: those begun before the first frames were
    // shown, less the waits for repaints that came after them.
    opening.steps = opening.steps.filter((s) => s[1] <= opening.start &&
      (s[0] !== 'waiting for the repaint' || s[2] <= opening.start));
    return opening;
  } finally {
    await tab.close();
  }
}

// Each step, in the order it starts: the medians over the openings of its
// first start and of its total duration.
function stepTable(openings) {
  const names = [...new Set(openings.flatMap((o) => o.steps.map((s) => s[0])))];
  return names.map((name) => {
    const totals = openings.map((o) => o.steps.filter((s) => s[0] === name)
      .reduce((sum, s) => sum + s[2] - s[1], 0));
    const firsts = openings.map((o) => {
      const s = o.steps.find((x) => x[0] === name);
      return s ? s[1] : NaN;
    });
    return { name, ms: median(totals), at: median(firsts.filter((x) => !Number.isNaN(x))) };
  }).sort((a, b) => a.at - b.at);
}

// A frame of both canvases and of the values canvas alone, to the pixels
// drawn, in milliseconds: medians of batches. A view key posts the diagram,
// whose frame posts the values; the page giving the values canvas its size
// again redraws it alone.
async function frames(browser) {
  const tab = await browser.newPage();
  try {
    await tab.goto(pageUrl);
    await tab.waitForFunction(() => [...document.querySelectorAll('canvas')].length === 2 &&
      [...document.querySelectorAll('canvas')].every((c) => Number(c.dataset.frames) > 0),
    { timeout: kWaitMs });
    return await tab.evaluate((batches, rounds) => {
      const context = (title) =>
        document.querySelector(`canvas[aria-label="${title}"]`).getContext('webgl');
      const diagram = context('Velorane');
      const values = context('Valeurs');
      const pixel = new Uint8Array(4);
      const time = (post, read) => {
        const means = [];
        for (let b = 0; b < batches; ++b) {
          const start = performance.now();
          for (let i = 0; i < rounds; ++i) {
            post(i);
            Module._webFrame();
            for (const g of read) g.readPixels(0, 0, 1, 1, g.RGBA, g.UNSIGNED_BYTE, pixel);
          }
          means.push((performance.now() - start) / rounds);
        }
        means.sort((x, y) => x - y);
        return means[means.length >> 1];
      };
      const both = time((i) => Module._webKey(1, 0, i % 2 ? 120 : 88, 0, 0, 0),
        [diagram, values]);
      const alone = time(() => Module._webScreen(2, 0, 0), [values]);
      return { both, values: alone };
    }, kBatches, kRounds);
  } finally {
    await tab.close();
  }
}

// Light keys pressed in the first canvas of `url` (4 and 6 in turns, so the
// light comes and goes), with the tab's main thread slowed kCpuSlowdown times,
// each waited for to the repaint after its frame: from the key's event to the
// first repaint after every canvas has drawn it, in milliseconds, those of
// the warm-up left out.
async function keyFrames(browser, url) {
  const tab = await browser.newPage();
  try {
    await tab.goto(url);
    await tab.waitForFunction(() => [...document.querySelectorAll('canvas')].length === 2 &&
      [...document.querySelectorAll('canvas')].every((c) => Number(c.dataset.frames) > 0),
    { timeout: kWaitMs });
    const devtools = await tab.createCDPSession();
    await devtools.send('Emulation.setCPUThrottlingRate', { rate: kCpuSlowdown });
    await tab.evaluate(() => {
      window.keyFrames = [];
      const canvases = [...document.querySelectorAll('canvas')];
      canvases[0].focus();
      document.addEventListener('keydown', () => {
        const start = performance.now();
        const drawn = canvases.map((c) => Number(c.dataset.frames));
        const check = () => {
          if (canvases.every((c, i) => Number(c.dataset.frames) > drawn[i])) {
            window.keyFrames.push(performance.now() - start);
          } else {
            requestAnimationFrame(check);
          }
        };
        requestAnimationFrame(check);
      }, true);
    });
    for (let i = 0; i < kWarmKeys + kKeys; ++i) {
      await tab.keyboard.press(i % 2 ? '6' : '4');
      await tab.waitForFunction((n) => window.keyFrames.length > n, { timeout: kWaitMs }, i);
    }
    await devtools.send('Emulation.setCPUThrottlingRate', { rate: 1 });
    return (await tab.evaluate(() => window.keyFrames)).slice(kWarmKeys);
  } finally {
    await tab.close();
  }
}

const mean = (values) => values.reduce((sum, v) => sum + v, 0) / values.length;
const percentile = (values, p) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor((p / 100) * sorted.length))];
};

function row(what, page, floor, unit = 'ms') {
  console.log(`| ${what} | ${page.toFixed(unit === 'us' ? 0 : 1)} ${unit} |` +
    ` ${floor.toFixed(unit === 'us' ? 0 : 1)} ${unit} | ${(page / floor).toFixed(2)} |`);
}

async function main() {
  // Freshly started browsers: the first opening of each, page and floor in turns.
  const fresh = { page: [], floor: [] };
  for (let i = 0; i < kFreshRuns; ++i) {
    for (const [name, url] of [['page', pageUrl], ['floor', floorUrl]]) {
      const b = new BrowserPage();
      await b.start(url);
      fresh[name].push(b.startMs);
      await b.stop();
    }
  }
  // One running browser: openings in new tabs, page and floor in turns, after
  // one of each to warm it.
  const running = new BrowserPage();
  await running.start(floorUrl);
  try {
    await open(running.browser, pageUrl);
    const warm = { page: [], floor: [] };
    for (let i = 0; i < kRuns; ++i) {
      warm.page.push(await open(running.browser, pageUrl));
      warm.floor.push(await open(running.browser, floorUrl));
    }
    const watched = [];
    const watchedFloor = [];
    for (let i = 0; i < kRuns; ++i) {
      watched.push(await open(running.browser, pageUrl, true));
      watchedFloor.push(await open(running.browser, floorUrl, true));
    }
    const f = await frames(running.browser);
    const keys = { page: [], floor: [] };
    const runMeans = { page: [], floor: [] };
    for (let i = 0; i < kKeyRuns; ++i) {
      for (const [name, url] of [['page', pageUrl], ['floor', floorUrl]]) {
        const times = await keyFrames(running.browser, url);
        keys[name].push(...times);
        runMeans[name].push(mean(times).toFixed(1));
      }
    }

    console.log(`# start in a running browser, page: ${warm.page.map((o) => o.start).join(' ')} ms`);
    console.log(`# start in a running browser, floor: ${warm.floor.map((o) => o.start).join(' ')} ms`);
    console.log(`# start in a fresh browser, page: ${fresh.page.join(' ')} ms; floor: ` +
      `${fresh.floor.join(' ')} ms`);
    console.log(`# the page's start step by step (median of ${kRuns} openings with the steps` +
      ` watched; start ${median(watched.map((o) => o.start)).toFixed(1)} ms):`);
    for (const s of stepTable(watched)) {
      console.log(`#   from ${s.at.toFixed(1)} ms: ${s.name}, ${s.ms.toFixed(1)} ms in all`);
    }
    console.log(`# the floor's steps (start ${median(watchedFloor.map((o) => o.start)).toFixed(1)} ms):`);
    for (const s of stepTable(watchedFloor)) {
      console.log(`#   from ${s.at.toFixed(1)} ms: ${s.name}, ${s.ms.toFixed(1)} ms in all`);
    }
    const pageStart = median(warm.page.map((o) => o.start));
    const floorStart = median(warm.floor.map((o) => o.start));
    row(`page: opening to the first frames of both canvases, running browser (median of ${kRuns})`,
      pageStart, floorStart);
    row(`page: the same, freshly started browser (median of ${kFreshRuns})`,
      median(fresh.page), median(fresh.floor));
    console.log(`# a light key's frame at ${kCpuSlowdown}x CPU throttling, mean of each run:` +
      ` page ${runMeans.page.join(' ')} ms; floor ${runMeans.floor.join(' ')} ms`);
    row(`page: a light key's frame at ${kCpuSlowdown}x CPU throttling, mean of` +
      ` ${kKeyRuns} x ${kKeys} keys`, mean(keys.page), mean(keys.floor));
    row(`page: a light key's frame at ${kCpuSlowdown}x CPU throttling, 90th percentile`,
      percentile(keys.page, 90), percentile(keys.floor, 90));
    const diagramUs = 1000 * (f.both - f.values);
    const valuesUs = 1000 * f.values;
    if (nativeDiagramUs && nativeValuesUs) {
      row('page: a frame of the diagram, 310 x 250, to its pixels (floor: the native frame)',
        diagramUs, Number(nativeDiagramUs), 'us');
      row('page: a frame of the values, 360 x 110, to its pixels (floor: the native frame)',
        valuesUs, Number(nativeValuesUs), 'us');
    } else {
      console.log(`# frames: diagram ${diagramUs.toFixed(0)} us, values ${valuesUs.toFixed(0)} us`);
    }
  } finally {
    await running.stop();
  }
}

await main();
