// Drives both programs for the browser tests: the page in one of three
// engines, and the native program on the X display of $DISPLAY (xdotool for
// input, the project's capture_window for its pixels). Every wait is for the
// event itself and bounded.
//
// The engine is $VELORANE_ENGINE:
// - chromium: Debian's Chromium, headless, through the DevTools protocol
//   (puppeteer-core);
// - firefox: Debian's Firefox ESR, headless, through WebDriver BiDi
//   (puppeteer-core), WebGL forced on over Mesa's software renderer;
// - webkit: Debian's WebKitGTK, its MiniBrowser on the X display, through
//   WebKitWebDriver (W3C WebDriver, webdriver.mjs).
// Each gives the tests puppeteer's Page as web.page (webdriver.mjs offers its
// part the tests use), and BrowserPage's own calls (keys, drags, touches,
// captures, the window's state, downloads) work alike in all three; what one
// engine's driver cannot do is an error there, and the test leaves that case
// out for that engine by name.
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { PNG } from 'pngjs';
import puppeteer from 'puppeteer-core';

import { WebDriverSession } from './webdriver.mjs';

export const engine = process.env.VELORANE_ENGINE || 'chromium';
const kEngines = ['chromium', 'firefox', 'webkit'];
if (!kEngines.includes(engine)) {
  throw new Error(`VELORANE_ENGINE is ${engine}, not one of ${kEngines.join(', ')}`);
}
const kMiniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';

const kWaitMs = 10000;
const kPollMs = 25;
// Touch events of a moving finger follow each other by a digitiser's frame;
// a finger that has stopped rests this long before it lifts.
const kTouchStepS = 0.016;
const kTouchRestS = 0.2;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Poll `probe` until it returns something other than undefined; fail after `ms`.
export async function waitFor(what, probe, ms = kWaitMs) {
  const end = Date.now() + ms;
  for (;;) {
    const value = await probe();
    if (value !== undefined) return value;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
    await sleep(kPollMs);
  }
}

// Run a command to its end; its standard output. A failing command is an error.
function run(command, args, timeout = kWaitMs) {
  const result = spawnSync(command, args, { encoding: 'utf8', timeout });
  if (result.error) throw result.error;
  if (result.status !== 0) {
    throw new Error(`${command} ${args.join(' ')} failed (${result.status}): ${result.stderr}`);
  }
  return result.stdout;
}

// An RGB picture: width, height and 3 bytes a pixel, rows from the top.
export function samePicture(a, b) {
  return a.width === b.width && a.height === b.height && Buffer.compare(a.rgb, b.rgb) === 0;
}

export class NativeProgram {
  // The program's windows are named by `titles`.
  constructor(program, captureTool, titles = ['Velorane', 'Valeurs']) {
    this.program = program;
    this.captureTool = captureTool;
    this.titles = titles;
    this.folder = fs.mkdtempSync(path.join(os.tmpdir(), 'velorane-native-'));
    this.exit = null;
  }

  async start() {
    this.process = spawn(this.program, [], { stdio: 'ignore' });
    this.process.on('exit', (code, signal) => { this.exit = signal ? `signal ${signal}` : code; });
    this.windows = {};
    for (const title of this.titles) {
      this.windows[title] = await waitFor(`the native window ${title}`, () => {
        const found = spawnSync('xdotool', ['search', '--pid', String(this.process.pid),
          '--name', `^${title}$`], { encoding: 'utf8' });
        const id = found.stdout.trim().split('\n')[0];
        return id ? id : undefined;
      });
    }
    for (const title of this.titles) this.last = await this.settled(title, null);
  }

  capture(title) {
    const file = path.join(this.folder, 'capture.png');
    run(this.captureTool, [this.windows[title], file]);
    const png = PNG.sync.read(fs.readFileSync(file));
    const rgb = Buffer.alloc(png.width * png.height * 3);
    for (let i = 0; i < png.width * png.height; ++i) png.data.copy(rgb, 3 * i, 4 * i, 4 * i + 3);
    return { width: png.width, height: png.height, rgb };
  }

  // The window's picture once it differs from `before` (any picture with
  // something drawn when before is null) and two captures in a row agree.
  async settled(title, before) {
    let previous = null;
    return waitFor(`a new frame of the native ${title}`, () => {
      const now = this.capture(title);
      const drawn = before ? !samePicture(now, before) : now.rgb.some((v) => v !== 0);
      const stable = previous && samePicture(now, previous);
      previous = now;
      return drawn && stable ? now : undefined;
    });
  }

  // Press keys (xdotool names) in a window; the picture of `changed` after them.
  async keys(title, keys, changed) {
    const before = this.capture(changed);
    run('xdotool', ['windowfocus', '--sync', this.windows[title], 'key', '--delay', '30', ...keys]);
    return this.settled(changed, before);
  }

  // A left drag with modifiers held, in window pixels; the diagram after it.
  async drag(modifiers, x0, y0, x1, y1) {
    const id = this.windows.Velorane;
    const before = this.capture('Velorane');
    const steps = [];
    for (let i = 1; i <= 4; ++i) {
      steps.push('mousemove', '--window', id, String(Math.round(x0 + ((x1 - x0) * i) / 4)),
        String(Math.round(y0 + ((y1 - y0) * i) / 4)), 'sleep', '0.05');
    }
    run('xdotool', ['windowfocus', '--sync', id, 'mousemove', '--window', id, String(x0),
      String(y0), ...modifiers.flatMap((m) => ['keydown', m]), 'mousedown', '1', 'sleep', '0.05',
      ...steps, 'mouseup', '1', ...modifiers.flatMap((m) => ['keyup', m])]);
    return this.settled('Velorane', before);
  }

  stop() {
    if (this.exit === null) this.process.kill();
    fs.rmSync(this.folder, { recursive: true, force: true });
  }
}

export class BrowserPage {
  // Open the page in a new browser of the engine (with further flags:
  // Chromium's, or --disable-webgl in any engine; and puppeteer's viewport,
  // touch included, as far as the engine's driver sets it); unless `canvases`
  // is false, wait for the first frames of that many canvases.
  async start(url, flags = [], canvases = 2, viewport = null) {
    this.profile = fs.mkdtempSync(path.join(os.tmpdir(), `velorane-${engine}-`));
    // Where the page's downloads land.
    this.downloads = path.join(this.profile, 'downloads');
    fs.mkdirSync(this.downloads);
    const webgl = !flags.includes('--disable-webgl');
    if (engine === 'chromium') {
      this.browser = await puppeteer.launch({
        executablePath: process.env.VELORANE_CHROMIUM || '/usr/bin/chromium',
        headless: true,
        userDataDir: this.profile,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
          '--disable-background-networking', '--disable-component-update', '--disable-sync',
          '--use-angle=swiftshader', '--enable-unsafe-swiftshader', ...flags],
      });
      this.page = await this.browser.newPage();
      this.devtools = await this.page.createCDPSession();
      await this.devtools.send('Browser.setDownloadBehavior',
        { behavior: 'allow', downloadPath: this.downloads });
    } else if (engine === 'firefox') {
      this.browser = await puppeteer.launch({
        browser: 'firefox',
        protocol: 'webDriverBiDi',
        executablePath: process.env.VELORANE_FIREFOX || '/usr/bin/firefox-esr',
        headless: true,
        userDataDir: path.join(this.profile, 'profile'),
        extraPrefsFirefox: {
          'webgl.force-enabled': webgl, 'webgl.disabled': !webgl,
          'browser.download.folderList': 2, 'browser.download.dir': this.downloads,
          'browser.download.useDownloadDir': true, 'browser.download.always_ask_before_handling_new_types': false,
        },
      });
      this.page = await this.browser.newPage();
    } else {
      // MiniBrowser is a window on an X display: not the native program's,
      // whose windows it would hide from capture_window.
      const display = process.env.VELORANE_BROWSER_DISPLAY;
      if (!display || display === process.env.DISPLAY) {
        throw new Error('WebKit needs an X display of its own in VELORANE_BROWSER_DISPLAY');
      }
      this.browser = new WebDriverSession();
      await this.browser.start(process.env.VELORANE_WEBKIT_DRIVER || 'WebKitWebDriver', display, {
        'webkitgtk:browserOptions': {
          binary: process.env.VELORANE_MINIBROWSER || kMiniBrowser,
          args: ['--automation', `--enable-webgl=${webgl}`],
        },
      });
      this.page = await this.browser.firstPage();
    }
    if (viewport) await this.page.setViewport(viewport);
    this.errors = [];
    this.requests = [];
    this.page.on('console', (m) => { if (m.type() === 'error') this.errors.push(m.text()); });
    this.page.on('pageerror', (e) => this.errors.push(String(e)));
    this.page.on('request', (r) => { if (!/^(file|data):/.test(r.url())) this.requests.push(r.url()); });
    const opened = Date.now();
    await this.page.goto(url);
    if (engine === 'webkit') {
      // WebDriver classic sees no requests: the page's own list of what it fetched.
      this.requests.push(...await this.page.evaluate(() => performance.getEntriesByType('resource')
        .map((r) => r.name).filter((u) => !/^(file|data):/.test(u))));
    }
    if (!canvases) return;
    await this.page.waitForFunction((n) => {
      const shown = [...document.querySelectorAll('canvas')];
      return shown.length === n && shown.every((c) => Number(c.dataset.frames) > 0);
    }, { timeout: kWaitMs }, canvases);
    this.loadMs = Date.now() - opened;
    // From the page's opening (navigation start) to the later first frame.
    this.startMs = await this.page.$$eval('canvas', (cs) =>
      Math.max(...cs.map((c) => Number(c.dataset.firstFrame))));
  }

  selector(title) { return `canvas[aria-label="${title}"]`; }

  // The browser window's state: "normal", "fullscreen", ... Only Chromium's
  // driver tells the window's own; elsewhere the document's full screen stands in.
  async windowState() {
    if (engine !== 'chromium') {
      return this.page.evaluate(() => (document.fullscreenElement ? 'fullscreen' : 'normal'));
    }
    const { windowId } = await this.devtools.send('Browser.getWindowForTarget');
    return (await this.devtools.send('Browser.getWindowBounds', { windowId })).bounds.windowState;
  }

  frames(title) {
    return this.page.$eval(this.selector(title), (c) => Number(c.dataset.frames));
  }

  // The canvas's pixels as RGB, rows from the top (read from its WebGL
  // context, which keeps its drawing: every engine reads alike).
  async capture(title) {
    const picture = await this.page.$eval(this.selector(title), (c) => {
      const g = c.getContext('webgl');
      const pixels = new Uint8Array(c.width * c.height * 4);
      g.readPixels(0, 0, c.width, c.height, g.RGBA, g.UNSIGNED_BYTE, pixels);
      let text = '';
      for (let i = 0; i < pixels.length; i += 0x8000) {
        text += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
      }
      return { width: c.width, height: c.height, rgba: btoa(text) };
    });
    const rgba = Buffer.from(picture.rgba, 'base64');
    const rgb = Buffer.alloc(picture.width * picture.height * 3);
    for (let y = 0; y < picture.height; ++y) {
      for (let x = 0; x < picture.width; ++x) {
        const from = 4 * ((picture.height - 1 - y) * picture.width + x);
        rgba.copy(rgb, 3 * (y * picture.width + x), from, from + 3);
      }
    }
    return { width: picture.width, height: picture.height, rgb };
  }

  // Wait until window `title` has shown more than `frames` frames.
  async newFrame(title, frames) {
    await this.page.waitForFunction((s, n) => Number(document.querySelector(s).dataset.frames) > n,
      { timeout: kWaitMs }, this.selector(title), frames);
  }

  // Press keys (puppeteer names, "Shift+ArrowLeft" style) in a canvas; waits for
  // them to arrive and for the repaint after them.
  async keys(title, keys, changed) {
    const downs = await this.arrived('keydown');
    await this.page.$eval(this.selector(title), (c) => c.focus());
    for (const key of keys) {
      const parts = key.split('+');
      const main = parts.pop();
      for (const m of parts) await this.page.keyboard.down(m);
      await this.page.keyboard.press(main);
      for (const m of parts.reverse()) await this.page.keyboard.up(m);
    }
    await this.handled('keydown', downs, keys.join('+').split('+').length);
    return this.capture(changed);
  }

  // The page position of a canvas pixel, however large the canvas is shown.
  async at(title, x, y) {
    const [left, top, scale] = await this.page.$eval(this.selector(title), (c) => {
      const box = c.getBoundingClientRect();
      return [box.left, box.top, box.width / c.width];
    });
    return [left + (x + 0.5) * scale, top + (y + 0.5) * scale];
  }

  // A touch event, stamped by a clock of the harness's own that never runs
  // behind the real one: `after` seconds past the last touch event. A finger
  // rests before it lifts (touch()), as a hand does: the browser turns a fast
  // lift into a fling, and swallows the tap that stops a fling.
  // In Firefox and WebKit the fingers are WebDriver's touch pointers, the
  // rest a pause of their actions.
  async touchEvent(type, touchPoints, after = kTouchStepS) {
    if (engine === 'chromium') {
      this.touchClock = Math.max(Date.now() / 1000, (this.touchClock || 0) + after);
      await this.devtools.send('Input.dispatchTouchEvent',
        { type, touchPoints, timestamp: this.touchClock });
      return;
    }
    const pause = { type: 'pause', duration: Math.round(after * 1000) };
    const move = (p) => ({ type: 'pointerMove', duration: 0, origin: 'viewport',
      x: Math.round(p.x), y: Math.round(p.y) });
    let fingers;
    if (type === 'touchStart') {
      this.fingers = touchPoints.length;
      fingers = touchPoints.map((p) => [move(p), { type: 'pointerDown', button: 0 }]);
    } else if (type === 'touchMove') {
      fingers = touchPoints.map((p) => [pause, move(p)]);
    } else {
      fingers = Array.from({ length: this.fingers }, () => [pause, { type: 'pointerUp', button: 0 }]);
    }
    if (engine === 'webkit') return this.page.touch(fingers);
    // puppeteer's BiDi page sends W3C actions as they are.
    return this.page.mainFrame().browsingContext.performActions(fingers.map((actions, i) =>
      ({ type: 'pointer', id: `finger${i}`, parameters: { pointerType: 'touch' }, actions })));
  }

  // How many events `type` have reached the page's handlers (counted from the
  // first call after the page opened).
  arrived(type) {
    return this.page.evaluate((t) => {
      window.arrivals = window.arrivals || {};
      if (!(t in window.arrivals)) {
        window.arrivals[t] = 0;
        document.addEventListener(t, () => { ++window.arrivals[t]; });
      }
      return window.arrivals[t];
    }, type);
  }

  // Wait for `count` events `type` after `before` (from arrived()), then for
  // the repaint that draws what they asked for.
  async handled(type, before, count) {
    await this.page.waitForFunction((t, n) => window.arrivals[t] >= n, { timeout: kWaitMs },
      type, before + count);
    await this.page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  }

  // Fingers put on a canvas at the pixels `from`, moved in four steps to `to`
  // and lifted; the diagram after it.
  async touch(title, from, to) {
    const lifted = await this.arrived('pointerup');
    const step = (k) => Promise.all(from.map(async (p, id) => {
      const [x, y] = await this.at(title, p[0] + ((to[id][0] - p[0]) * k) / 4,
        p[1] + ((to[id][1] - p[1]) * k) / 4);
      return { x, y, id };
    }));
    await this.touchEvent('touchStart', await step(0));
    for (let k = 1; k <= 4; ++k) await this.touchEvent('touchMove', await step(k));
    await this.touchEvent('touchEnd', [], kTouchRestS);
    await this.handled('pointerup', lifted, from.length);
    return this.capture('Velorane');
  }

  // A finger put on the middle of the page's element `selector` and lifted;
  // waits for its click and the repaint after it.
  async tap(selector) {
    const clicks = await this.arrived('click');
    const box = await (await this.page.$(selector)).boundingBox();
    await this.touchEvent('touchStart', [{ x: box.x + box.width / 2, y: box.y + box.height / 2 }]);
    await this.touchEvent('touchEnd', []);
    await this.handled('click', clicks, 1);
  }

  // Tap the page's key buttons `keys`; the picture of `changed` after them.
  async buttons(keys, changed) {
    for (const key of keys) await this.tap(`button[data-key="${key}"]`);
    return this.capture(changed);
  }

  // A left drag with modifiers held; the diagram after it.
  async drag(modifiers, x0, y0, x1, y1) {
    const ups = await this.arrived('mouseup');
    const m = this.page.mouse;
    const [px, py] = await this.at('Velorane', x0, y0);
    await m.move(px, py);
    for (const k of modifiers) await this.page.keyboard.down(k);
    await m.down();
    for (let i = 1; i <= 4; ++i) {
      const [qx, qy] = await this.at('Velorane', x0 + ((x1 - x0) * i) / 4, y0 + ((y1 - y0) * i) / 4);
      await m.move(qx, qy);
    }
    await m.up();
    for (const k of modifiers.reverse()) await this.page.keyboard.up(k);
    await this.handled('mouseup', ups, 1);
    return this.capture('Velorane');
  }

  async stop() {
    if (this.browser) await this.browser.close();
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

// Pixels of two pictures of one size whose channels differ by more than
// `threshold`, and the largest difference of a channel.
export function difference(a, b, threshold = 0) {
  let count = 0;
  let largest = 0;
  for (let i = 0; i < a.rgb.length; i += 3) {
    let d = 0;
    for (let c = 0; c < 3; ++c) d = Math.max(d, Math.abs(a.rgb[i + c] - b.rgb[i + c]));
    if (d > threshold) ++count;
    largest = Math.max(largest, d);
  }
  return { count, largest };
}

// Write a picture as PNG in $VELORANE_WEB_OUTPUT (for a look at a failure).
export function savePicture(name, picture) {
  const file = path.join(process.env.VELORANE_WEB_OUTPUT || os.tmpdir(), name);
  const png = new PNG({ width: picture.width, height: picture.height });
  for (let i = 0; i < picture.width * picture.height; ++i) {
    picture.rgb.copy(png.data, 4 * i, 3 * i, 3 * i + 3);
    png.data[4 * i + 3] = 255;
  }
  fs.writeFileSync(file, PNG.sync.write(png));
  console.log(`# saved ${file}`);
}
