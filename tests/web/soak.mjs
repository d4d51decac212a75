// A soak of the page: a random stream, from a printed seed, of keys, touches
// (one and two fingers, through the DevTools protocol), clicks and modified
// drags, the right-button menu opened and dismissed, the page's buttons (keys,
// held modifiers, enlargement), and WebGL contexts lost and given back. It
// fails on a console error, on the program ending, on a canvas that does not
// draw again after its context came back, and when the WebAssembly heap in use
// (the allocator's count: the heap cannot grow) is larger at the end than after
// the warm-up (the first half).
// The browser test runs a short form; by hand (scripts/soak-web.sh):
//   node soak.mjs PAGE [events] [seed]
import { pathToFileURL } from 'node:url';

import { BrowserPage, waitFor } from './harness.mjs';

// Keys sent, puppeteer names (never Esc: it ends the program).
const kKeys = ['1', '2', '3', '4', '5', '6', 'x', 'y', 'z', 'X', 'Y', 'Z', '#', 'a', 'Q', '0',
  ' ', 'Enter', 'Backspace', 'Delete', 'ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown',
  'PageUp', 'PageDown', 'Home', 'End', 'F1'];
const kModifiers = [[], [], ['Shift'], ['Control'], ['Alt'], ['Shift', 'Control']];
// The same for the DevTools protocol's mouse events (Alt 1, Ctrl 2, Shift 8).
const kModifierBits = [0, 0, 8, 2, 1, 10];
// The page's buttons: the key buttons, the held modifiers, the enlargement.
const kButtons = '#velorane-controls button[data-key], #velorane-controls button[data-modifier], ' +
  '#velorane-enlarge';
// Contexts lost and given back, spread over the stream: one every so many
// events, and at least a few.
const kEventsPerLoss = 150;
const kFewestLosses = 4;
// Bytes by which the heap in use may exceed its figure after the warm-up.
const kHeapSlack = 0;

// A seeded stream of numbers in [0, 1) (mulberry32).
function randomStream(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = Math.imul(a ^ (a >>> 15), 1 | a);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// The page's state that the soak watches.
function pageState(page) {
  return page.evaluate(() => ({
    heap: Module._webHeapInUse(),
    frames: [...document.querySelectorAll('canvas')].map((c) => Number(c.dataset.frames)),
    exit: document.body.dataset.veloraneExit,
  }));
}

// Take the WebGL context of the canvases `titles` away, as the browser may;
// their frame counts before.
export function loseContexts(page, titles) {
  return page.evaluate(async (names) => {
    const canvases = names.map((n) => document.querySelector(`canvas[aria-label="${n}"]`));
    const drawn = canvases.map((c) => Number(c.dataset.frames));
    // A context the browser has taken already is left to the browser.
    const live = canvases.filter((c) => !c.getContext('webgl').isContextLost());
    window.lostContexts = live.map((c) => c.getContext('webgl').getExtension('WEBGL_lose_context'));
    await Promise.all(live.map((c, i) => new Promise((resolve) => {
      c.addEventListener('webglcontextlost', resolve, { once: true });
      window.lostContexts[i].loseContext();
    })));
    // The browser allows the restoration once the lost event's dispatch is over.
    await new Promise((resolve) => setTimeout(resolve, 0));
    return drawn;
  }, titles);
}

// Give back the contexts taken by loseContexts; wait until each canvas of
// `titles` has drawn again (more than `frames`).
export async function restoreContexts(page, titles, frames) {
  await page.evaluate(() => window.lostContexts.forEach((e) => e.restoreContext()));
  await page.waitForFunction((names, before) => names.every((n, i) =>
    Number(document.querySelector(`canvas[aria-label="${n}"]`).dataset.frames) > before[i]),
  { timeout: 10000 }, titles, frames);
}

// A new tab of `browser` at `url`, once both canvases have a frame, and the
// console errors and page errors it reports from its opening on.
export async function openPage(browser, url) {
  const page = await browser.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(url);
  await page.waitForFunction(() => [...document.querySelectorAll('canvas')].length === 2 &&
    [...document.querySelectorAll('canvas')].every((c) => Number(c.dataset.frames) > 0),
  { timeout: 10000 });
  return { page, errors };
}

// Open the page at `url` in a new tab of `browser` (its pinch zoom and full
// screen its own), send it `events` random events from `seed` and close it;
// `log` gets the figures. Throws on a failure.
export async function soakPage(browser, url, events, seed, log = console.log) {
  const { page, errors } = await openPage(browser, url);
  try {
    await soak(page, errors, events, seed, log);
  } finally {
    await page.close();
  }
}

async function soak(page, errors, events, seed, log) {
  const random = randomStream(seed);
  const pick = (list) => list[Math.floor(random() * list.length)];
  const client = await page.createCDPSession();
  const titles = ['Velorane', 'Valeurs'];
  const boxes = {};
  const point = async (title) => {
    boxes[title] = await (await page.$(`canvas[aria-label="${title}"]`)).boundingBox();
    const b = boxes[title];
    return [b.x + random() * b.width, b.y + random() * b.height];
  };
  const touch = (type, points) => client.send('Input.dispatchTouchEvent',
    { type, touchPoints: points.map(([x, y]) => ({ x, y })) });
  const actions = [
    [40, async () => {
      const modifiers = pick(kModifiers);
      await page.$eval(`canvas[aria-label="${pick(titles)}"]`, (c) => c.focus());
      for (const m of modifiers) await page.keyboard.down(m);
      await page.keyboard.press(pick(kKeys));
      for (const m of modifiers.reverse()) await page.keyboard.up(m);
    }],
    [20, async () => {
      const fingers = random() < 0.3 ? 2 : 1;
      const title = pick(titles);
      let points = [];
      for (let f = 0; f < fingers; ++f) points.push(await point(title));
      const sent = [touch('touchStart', points)];
      for (let step = 0; step < 3; ++step) {
        points = points.map(([x, y], f) => [x + (f ? 6 : -6) + random() * 4, y + random() * 8 - 4]);
        sent.push(touch('touchMove', points));
      }
      sent.push(touch('touchEnd', []));
      await Promise.all(sent);
    }],
    [25, async () => {
      const modifiers = pick(kModifierBits);
      let [x, y] = await point(pick(titles));
      const mouse = (type, buttons) => client.send('Input.dispatchMouseEvent', {
        type, x, y, modifiers, button: 'left', buttons, clickCount: 1 });
      const sent = [mouse('mouseMoved', 0), mouse('mousePressed', 1)];
      for (let step = 0; step < 3; ++step) {
        x += random() * 20 - 10;
        y += random() * 20 - 10;
        sent.push(mouse('mouseMoved', 1));
      }
      sent.push(mouse('mouseReleased', 0));
      await Promise.all(sent);
    }],
    [5, async () => {
      const [x, y] = await point(pick(titles));
      await page.mouse.move(x, y);
      // Where the press lands: a canvas (then its menu opens) or, while the
      // diagram goes on or off the whole screen, maybe not.
      await page.evaluate(() => {
        window.soakPressed = undefined;
        document.addEventListener('mousedown', (e) => { window.soakPressed = e.target.tagName; },
          { once: true, capture: true });
      });
      await page.mouse.down({ button: 'right' });
      await page.mouse.up({ button: 'right' });
      const pressed = await waitFor('the right button pressed', () =>
        page.evaluate(() => window.soakPressed));
      if (pressed !== 'CANVAS') return;
      await page.waitForSelector('[role="menu"]', { timeout: 10000 });
      await page.keyboard.press('Escape');
      await page.waitForFunction(() => !document.querySelector('[role="menu"]'), { timeout: 10000 });
    }],
    [10, async () => {
      const buttons = await page.$$(kButtons);
      if (!buttons.length) throw new Error(`the page has none of its buttons (${kButtons})`);
      await pick(buttons).click();
    }],
  ];
  const total = actions.reduce((sum, [weight]) => sum + weight, 0);
  const lossEvery = Math.min(kEventsPerLoss, Math.ceil(events / kFewestLosses));
  const start = await pageState(page);
  let warm = start;
  // A click may land on the help button as the layout moves (the diagram going
  // on or off the whole screen): the help is closed as a person would, by Esc.
  const closeHelp = async () => {
    if (!await page.evaluate(() => !!document.querySelector('dialog[open]'))) return;
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.querySelector('dialog[open]'), { timeout: 10000 });
  };
  for (let i = 1; i <= events; ++i) {
    await closeHelp();
    if (i % lossEvery === 0) {
      const lose = random() < 0.5 ? titles : [pick(titles)];
      await restoreContexts(page, lose, await loseContexts(page, lose));
    } else {
      let r = random() * total;
      const action = actions.find(([weight]) => (r -= weight) < 0) || actions[0];
      await action[1]();
    }
    if (i === Math.floor(events / 2)) warm = await pageState(page);
  }
  // Every canvas still answers: a light key draws both.
  await closeHelp();
  const frames = await pageState(page);
  await page.$eval('canvas[aria-label="Valeurs"]', (c) => c.focus());
  await page.keyboard.press('4');
  await waitFor('both canvases drawn after the last key', async () => {
    const now = await pageState(page);
    return now.frames.every((f, i) => f > frames.frames[i]) ? now : undefined;
  });
  const end = await pageState(page);
  log(`# soak: ${events} events from seed ${seed}; heap in use ${start.heap} bytes at the` +
    ` start, ${warm.heap} after the warm-up, ${end.heap} at the end; frames ${end.frames}`);
  if (end.exit !== undefined) throw new Error(`the program ended (${end.exit})`);
  if (errors.length) throw new Error(`console errors: ${errors.join(' | ')}`);
  if (end.heap > warm.heap + kHeapSlack) {
    throw new Error(`the heap in use grew after the warm-up: ${warm.heap} to ${end.heap} bytes`);
  }
}

if (process.argv[1] && import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [file, events = '5000', seed = String(Date.now() % 1000000)] = process.argv.slice(2);
  const web = new BrowserPage();
  try {
    await web.start('about:blank', [], false);
    console.log(`# soak of ${file}: ${events} events, seed ${seed}`);
    await soakPage(web.browser, pathToFileURL(file).href, Number(events), Number(seed));
  } catch (e) {
    console.error(`soak-web: ${e.message} (replay with seed ${seed})`);
    process.exitCode = 1;
  } finally {
    await web.stop();
  }
}
