// The page in a real browser (the engine of $VELORANE_ENGINE: Chromium,
// Firefox or WebKit, tests/web/harness.mjs), against the native program on the
// X display: both are started, given the same keys and drags, and their
// pictures compared. The values canvas must equal the native values window
// pixel for pixel in every engine; the diagram may differ in the shading of
// the lit and blended surfaces by at most the engine's shade levels, and in at
// most its off pixels by more (edges of the faceted sphere and the arrows),
// while the pixels of exactly the normal's colour (its arrow, its N label)
// agree but for its label pixels (kEngines).
// Every test runs in every engine but those its engine's row leaves out by
// name, with the reason: what that engine's driver cannot send or read.
// Usage: node --test page.test.mjs, with VELORANE_PAGE (the page's file),
// VELORANE_NATIVE (the native program), VELORANE_CAPTURE (capture_window) and
// VELORANE_ENGINE (chromium by default).
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test as nodeTest } from 'node:test';
import { pathToFileURL } from 'node:url';

import { PNG } from 'pngjs';

import {
  BrowserPage, NativeProgram, difference, engine, samePicture, savePicture, waitFor,
} from './harness.mjs';
import { loseContexts, openPage, restoreContexts, soakPage } from './soak.mjs';

// Each engine's tolerance of the diagram, as measured (the largest seen over
// the cases, rounded up), and the tests its driver cannot run.
const kCdpOnly = 'sent or read through the DevTools protocol, which only Chromium speaks';
const kSecondFinger = 'Firefox\'s WebDriver gives a second finger touch events but no pointer' +
  ' events (two fingers down: one pointerdown)';
const kTouchAsMouse = 'WebKitGTK\'s WebDriver turns touch actions into mouse events (a finger' +
  ' drags as the mouse does: pointerType "mouse")';
const kDrop = `a file dropped on the page is ${kCdpOnly}`;
const kDropped = ['the saved picture, dropped on the page: the pictures it was saved from',
  'a PNG without a set-up, dropped: a line, nothing changed',
  'a file that is no PNG, dropped: a line, nothing changed'];
const kEscOnFullScreen = 'the driver\'s Esc on the whole screen is the browser\'s alone: no' +
  ' keydown reaches the page';
const kEngines = {
  chromium: { shadeLevels: 2, offPixels: 155, labelPixels: 8, leftOut: {} },
  // Seen: at most 43 pixels off, none of the normal's colour.
  firefox: { shadeLevels: 2, offPixels: 50, labelPixels: 2, leftOut: {
    ...Object.fromEntries(kDropped.map((name) => [name, kDrop])),
    'screen readers read the values and the diagram in words, before and after a move':
      `the accessibility tree is ${kCdpOnly}`,
    'a short soak: touches, keys, clicks, menus, lost contexts; no error, a flat heap':
      `the soak's touches and mouse events are ${kCdpOnly}`,
    'two fingers together: both windows as the native ones': kSecondFinger,
    'two fingers spread: both windows as the native ones': kSecondFinger,
    'Esc on the whole screen is the browser\'s; leaving by the browser gives the page size back':
      kEscOnFullScreen,
    'Tab reaches every control; Esc closes the help and the menu, the program running on':
      'Tab from the last canvas takes the focus out of the document (document.hasFocus() is' +
      ' false from then on, though the buttons still become the active element), and Enter' +
      ' then reaches the page as a keydown that presses no button',
    // The canvases lie at y = 230.57 CSS pixels (the text above them); the
    // screenshot's clip starts a device pixel above where Firefox paints them.
    'at a device-pixel ratio of 2 every canvas pixel is a crisp 2 x 2 block':
      'the element screenshot over WebDriver BiDi is clipped one device row above the canvas' +
      ' as painted (a row of the page, then every row one off)',
  } },
  // Seen: at most 32 pixels off, none of the normal's colour.
  webkit: { shadeLevels: 2, offPixels: 40, labelPixels: 2, leftOut: {
    ...Object.fromEntries(kDropped.map((name) => [name, kDrop])),
    'the saved picture, by the file input: the pictures it was saved from':
      'the saved picture is the download of "Save the pictures", left out here',
    'a PNG without a set-up, by the file input: a line, nothing changed':
      'the test\'s WebDriver client gives no file to a file input',
    'a file that is no PNG, by the file input: a line, nothing changed':
      'the test\'s WebDriver client gives no file to a file input',
    'Share shows the link to copy and a QR code that reads back as the link':
      'the test\'s WebDriver client takes no screenshot of an element (the QR code read back)',
    'screen readers read the values and the diagram in words, before and after a move':
      `the accessibility tree is ${kCdpOnly}`,
    'a short soak: touches, keys, clicks, menus, lost contexts; no error, a flat heap':
      `the soak's touches and mouse events are ${kCdpOnly}`,
    'a browser that refuses to compile the WebAssembly as the script runs still starts the page':
      'WebDriver classic runs no script before the page\'s own',
    'one finger: both windows as the native ones': kTouchAsMouse,
    'two fingers together: both windows as the native ones': kTouchAsMouse,
    'two fingers spread: both windows as the native ones': kTouchAsMouse,
    'one finger, Shift and Ctrl held: both windows as the native ones': kTouchAsMouse,
    'one finger, Alt held, enlarged: both windows as the native ones': kTouchAsMouse,
    '"Quitter" from a long press on the diagram, by touch ends the program': kTouchAsMouse,
    'Esc on the whole screen is the browser\'s; leaving by the browser gives the page size back':
      kEscOnFullScreen,
    'a held key repeats as presses do natively':
      'WebDriver\'s key actions send no repeats (a key put down twice gives no repeat event)',
    'Tab reaches every control; Esc closes the help and the menu, the program running on':
      'MiniBrowser\'s window is at least 447 pixels wide, and the menu\'s case needs 400',
    '"Save the pictures" downloads both canvases side by side as one PNG':
      'MiniBrowser under WebDriver keeps its downloads where the test cannot name them',
    'at a device-pixel ratio of 2 every canvas pixel is a crisp 2 x 2 block':
      'WebDriver sets no device-pixel ratio and no phone\'s viewport',
  } },
};
const kEngine = kEngines[engine];
const kShadeLevels = kEngine.shadeLevels;
const kMaxOffPixels = kEngine.offPixels; // chromium's: 0.2 % of the 310 x 250 diagram
const kMaxLabelPixels = kEngine.labelPixels;
const kMagenta = [255, 0, 255];

// A test of this file, run unless the engine's row leaves it out.
const seen = new Set();
function test(name, fn) {
  seen.add(name);
  const reason = kEngine.leftOut[name];
  return nodeTest(name, reason ? { skip: `left out in ${engine}: ${reason}` } : {}, fn);
}

const pageUrl = pathToFileURL(process.env.VELORANE_PAGE).href;

// The page's words, one file per language; French is the program's own.
const wordsFolder = new URL('../../packaging/web-page/', import.meta.url);
const words = Object.fromEntries(fs.readdirSync(wordsFolder).filter((f) => f.endsWith('.json'))
  .map((f) => [f.slice(0, -5), JSON.parse(fs.readFileSync(new URL(f, wordsFolder), 'utf8'))]));
const languages = Object.keys(words);
let native;
let web;
// The length of the page's history as it opened.
let historyAtStart;

// Pixels of exactly `color` in one picture but not the other.
function colorMismatch(a, b, color) {
  let count = 0;
  for (let i = 0; i < a.rgb.length; i += 3) {
    const inA = a.rgb[i] === color[0] && a.rgb[i + 1] === color[1] && a.rgb[i + 2] === color[2];
    const inB = b.rgb[i] === color[0] && b.rgb[i + 1] === color[1] && b.rgb[i + 2] === color[2];
    if (inA !== inB) ++count;
  }
  return count;
}

function expectValues(name, nativePicture, webPicture) {
  if (!samePicture(nativePicture, webPicture)) {
    savePicture(`${name}-native-values.png`, nativePicture);
    savePicture(`${name}-web-values.png`, webPicture);
  }
  assert.ok(samePicture(nativePicture, webPicture),
    `values canvas differs from the native window: ${JSON.stringify(difference(nativePicture, webPicture))}`);
}

function expectDiagram(name, nativePicture, webPicture) {
  const off = difference(nativePicture, webPicture, kShadeLevels);
  const label = colorMismatch(nativePicture, webPicture, kMagenta);
  console.log(`# ${name}: ${off.count} pixels off by more than ${kShadeLevels} levels,` +
    ` ${label} pixels of the normal's colour in one picture only`);
  if (off.count > kMaxOffPixels || label > kMaxLabelPixels) {
    savePicture(`${name}-native-diagram.png`, nativePicture);
    savePicture(`${name}-web-diagram.png`, webPicture);
  }
  assert.ok(off.count <= kMaxOffPixels, `${off.count} diagram pixels off`);
  assert.ok(label <= kMaxLabelPixels, `the normal and its label differ in ${label} pixels`);
}

// A tablet: touch, a device-pixel ratio of 2.
const kTablet = { width: 1024, height: 768, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

before(async () => {
  native = new NativeProgram(process.env.VELORANE_NATIVE, process.env.VELORANE_CAPTURE);
  await native.start();
  web = new BrowserPage();
  await web.start(pageUrl, [], 2, kTablet);
  historyAtStart = await web.page.evaluate(() => history.length);
});

after(async () => {
  if (native) native.stop();
  if (web) await web.stop();
  // A row that leaves out a test by a name no test has any more is stale.
  assert.deepEqual(Object.keys(kEngine.leftOut).filter((n) => !seen.has(n)), []);
});

console.log(`# engine: ${engine}`);

test('the page opens with both canvases, no console error and no network request', async () => {
  const labels = await web.page.$$eval('canvas', (cs) => cs.map((c) =>
    [c.getAttribute('aria-label'), c.width, c.height, c.style.width, c.style.height]));
  assert.deepEqual(labels, [['Velorane', 310, 250, '310px', '250px'],
    ['Valeurs', 360, 110, '360px', '110px']]);
  assert.deepEqual(web.errors, []);
  assert.deepEqual(web.requests, []);
  // Timings are scripts/bench.sh's, against a floor page: this is only a note.
  console.log(`# first frames of both canvases ${web.startMs} ms after opening` +
    ` (${web.loadMs} ms with the test's own round trips)`);
});

test('at the start both windows show what the native ones show', () => {
  return (async () => {
    expectValues('start', native.capture('Valeurs'), await web.capture('Valeurs'));
    expectDiagram('start', native.capture('Velorane'), await web.capture('Velorane'));
  })();
});

// What a screen reader reads (the accessibility tree's texts): the diagram in
// words, then the values window's lines as drawn; at the start in the
// language this browser prefers (English), then after keys with French
// chosen in the language menu.
const readings = [
  { keys: [], texts: [
    'The light is above the mirror, to the left. Angle of incidence θi: 45.000 degrees;' +
      ' angle of reflection θr: 45.000 degrees.',
    'INCIDENT     : -0.707  0.707  0.000', 'NORMALE      :  0.000  1.000  0.000',
    'REFLEXION    :  0.707  0.707 -0.000', 'THETA I      :  45.000 degres',
    'THETA R      :  45.000 degres'] },
  { keys: ['6', '6', '6', '6', '6'], language: 'fr', texts: [
    'La lumière est au-dessus du miroir, à gauche et vers l’avant. Angle d’incidence θi :' +
      ' 45,176 degrés ; angle de réflexion θr : 45,176 degrés.',
    'INCIDENT     : -0.705  0.705  0.078', 'NORMALE      :  0.000  1.000  0.000',
    'REFLEXION    :  0.705  0.705 -0.078', 'THETA I      :  45.176 degres',
    'THETA R      :  45.176 degres'] },
];

test('screen readers read the values and the diagram in words, before and after a move', async () => {
  const client = await web.page.createCDPSession();
  // The texts of the live regions and the canvases (image, name, description)
  // as assistive technology gets them.
  const read = async () => {
    const { nodes } = await client.send('Accessibility.getFullAXTree');
    const byId = new Map(nodes.map((n) => [n.nodeId, n]));
    const live = (n) => n && (n.properties?.some((p) => p.name === 'live') || live(byId.get(n.parentId)));
    const shown = nodes.filter((n) => !n.ignored);
    return {
      texts: shown.filter((n) => n.role.value === 'StaticText' && live(n)).map((n) => n.name.value),
      images: shown.filter((n) => n.role.value === 'image').map((n) =>
        [n.name.value, n.description?.value]),
    };
  };
  for (const r of readings) {
    if (r.language) await web.page.select('#velorane-language', r.language);
    if (r.keys.length) {
      expectValues('reading', await native.keys('Valeurs', r.keys, 'Valeurs'),
        await web.keys('Valeurs', r.keys, 'Valeurs'));
    }
    let last;
    await waitFor('the texts read out', async () => {
      last = await read();
      return JSON.stringify(last.texts) === JSON.stringify(r.texts) ? true : undefined;
    }).catch(() => assert.deepEqual(last.texts, r.texts));
    // A description is read with its blanks run together.
    assert.deepEqual(last.images,
      [['Velorane', r.texts[0]], ['Valeurs', r.texts.slice(1).join(' ').replace(/ +/g, ' ')]]);
  }
});

// Every word of a language file by its path ("controls.held", "help.3.1"),
// with the {names} it fills in.
function wordPaths(value, at = '') {
  if (value !== null && typeof value === 'object') {
    return Object.entries(value).flatMap(([k, v]) => wordPaths(v, at ? `${at}.${k}` : k));
  }
  const names = typeof value === 'string' ? [...value.matchAll(/\{(\w+)\}/g)].map((m) => m[1]) : [];
  return [[at, `${typeof value} ${names.sort().join(',')}`]];
}

test('every language has every word French has, with the same {names}', () => {
  assert.ok(languages.length >= 12, `only ${languages.join(', ')}`);
  assert.ok(languages.some((c) => words[c].dir === 'rtl'), 'no language from right to left');
  const french = new Map(wordPaths(words.fr));
  for (const code of languages) {
    const theirs = new Map(wordPaths(words[code]));
    assert.deepEqual({
      missing: [...french.keys()].filter((k) => !theirs.has(k)),
      extra: [...theirs.keys()].filter((k) => !french.has(k)),
      names: [...french.keys()].filter((k) => theirs.has(k) && theirs.get(k) !== french.get(k)),
      empty: [...theirs.keys()].filter((k) => theirs.get(k).startsWith('string') &&
        !k.split('.').reduce((v, part) => v[part], words[code]).trim()),
    }, { missing: [], extra: [], names: [], empty: [] }, code);
    // Their key buttons press the same keys.
    assert.deepEqual(words[code].keys.map((k) => k.key), words.fr.keys.map((k) => k.key), code);
    assert.ok(['ltr', 'rtl'].includes(words[code].dir), code);
  }
});

// What the page says in its language, and the languages of its texts.
function pageWords() {
  return web.page.evaluate(() => ({
    lang: document.documentElement.lang, dir: document.documentElement.dir,
    title: document.title, heading: document.querySelector('h1').textContent,
    help: document.getElementById('velorane-help-open').textContent,
    shift: document.querySelector('button[data-modifier="1"]').getAttribute('aria-label'),
    menu: document.getElementById('velorane-language').getAttribute('aria-label'),
    share: document.getElementById('velorane-share-open').textContent,
    texts: [...document.querySelectorAll('.velorane-text')].map((t) => [t.lang, t.textContent]),
  }));
}

test('the language menu changes every word at once; pictures, held keys and focus stay', async () => {
  const pictures = [await web.capture('Velorane'), await web.capture('Valeurs')];
  await holdModifiers([1]);
  let before = await pageWords();
  try {
    for (const code of [...languages.filter((c) => c !== before.lang), before.lang]) {
      await web.page.focus('#velorane-language');
      await web.page.select('#velorane-language', code);
      const now = await pageWords();
      const w = words[code];
      assert.deepEqual([now.lang, now.dir, now.title, now.heading, now.help, now.menu],
        [code, w.dir, w.title, w.title, w.controls.help, w.controls.language]);
      assert.equal(now.shift, w.controls.heldLabel.replace('{key}', w.controls.shift));
      assert.equal(now.share, w.link.share);
      // The diagram in the new language's words (the light is above the mirror
      // here); the values as the program drew them.
      assert.equal(now.texts[0][0], code);
      assert.ok(now.texts[0][1].includes(w.describe.above), `${code}: ${now.texts[0][1]}`);
      assert.deepEqual(now.texts[1], ['fr', before.texts[1][1]]);
      assert.deepEqual(await web.page.evaluate(() => [document.activeElement.id,
        document.querySelector('button[data-modifier="1"]').getAttribute('aria-pressed')]),
      ['velorane-language', 'true'], code);
      assert.ok(samePicture(pictures[0], await web.capture('Velorane')), `${code}: the diagram changed`);
      assert.ok(samePicture(pictures[1], await web.capture('Valeurs')), `${code}: the values changed`);
      before = now;
    }
  } finally {
    await holdModifiers([1]);
  }
});

// Keys and drags, the same to both programs, and what they must change. On
// the page they may be the on-screen key `buttons` or `fingers` on the diagram
// (from and to), with modifiers `held` by the page's buttons (1 Shift, 2
// Ctrl, 4 Alt), the canvases `enlarged`.
const cases = [
  { name: 'light keys in the diagram', window: 'Velorane', native: ['4', '4', '5', '3'],
    web: ['4', '4', '5', '3'], changed: 'Valeurs' },
  { name: 'light keys in the values window', window: 'Valeurs', native: ['1', '6', '6', '2'],
    web: ['1', '6', '6', '2'], changed: 'Valeurs' },
  { name: 'view keys in the diagram', window: 'Velorane', native: ['x', 'x', 'y', 'Z', 'z'],
    web: ['x', 'x', 'y', 'Z', 'z'], changed: 'Velorane' },
  { name: 'arrow and page keys in the values window', window: 'Valeurs',
    native: ['Left', 'alt+Up', 'Next', 'Right'],
    web: ['ArrowLeft', 'Alt+ArrowUp', 'PageDown', 'ArrowRight'], changed: 'Velorane' },
  { name: 'Alt drag', drag: ['Alt', 'alt'], from: [150, 120], to: [170, 100] },
  { name: 'Shift drag', drag: ['Shift', 'shift'], from: [100, 100], to: [120, 108] },
  { name: 'Shift+Ctrl drag', drag: ['Shift+Control', 'shift+ctrl'], from: [200, 150], to: [188, 162] },
  { name: 'Ctrl drag', drag: ['Control', 'ctrl'], from: [150, 60], to: [150, 100] },
  { name: 'light buttons touched', window: 'Velorane', native: ['1', '4', '4', '2', '5', '5', '3', '6', '6'],
    buttons: ['1', '4', '4', '2', '5', '5', '3', '6', '6'], changed: 'Valeurs' },
  { name: 'one finger', drag: ['', 'shift'], from: [120, 108], to: [100, 100],
    fingers: [[[120, 108]], [[100, 100]]] },
  { name: 'two fingers together', drag: ['', 'alt'], from: [170, 100], to: [150, 120],
    fingers: [[[150, 90], [190, 110]], [[130, 110], [170, 130]]] },
  { name: 'two fingers spread', drag: ['', 'ctrl'], from: [150, 60], to: [150, 100],
    fingers: [[[130, 120], [170, 120]], [[110, 120], [190, 120]]] },
  { name: 'one finger, Shift and Ctrl held', held: [1, 2], drag: ['', 'shift+ctrl'],
    from: [188, 162], to: [200, 150], fingers: [[[188, 162]], [[200, 150]]] },
  { name: 'one finger, Alt held, enlarged', held: [4], enlarged: true, drag: ['', 'alt'],
    from: [150, 120], to: [170, 100], fingers: [[[150, 120]], [[170, 100]]] },
  { name: 'plain mouse drag, Ctrl held', held: [2], drag: ['', 'ctrl'], from: [150, 100],
    to: [150, 60] },
];

// Press the page's modifier buttons `held`, or the enlargement until the
// canvases are shown at `scale`.
async function holdModifiers(held) {
  for (const bit of held) await web.tap(`button[data-modifier="${bit}"]`);
}
async function enlargeTo(scale) {
  await waitFor(`the canvases shown x${scale}`, async () => {
    if (await web.page.evaluate(() => document.body.dataset.veloraneScale) === String(scale)) {
      return true;
    }
    await web.tap('#velorane-enlarge');
    return undefined;
  });
}

for (const c of cases) {
  test(`${c.name}: both windows as the native ones`, async () => {
    await holdModifiers(c.held || []);
    if (c.enlarged) await enlargeTo(2);
    if (c.drag) {
      const [x0, y0] = c.from;
      const [x1, y1] = c.to;
      const nativeDiagram = await native.drag(c.drag[1].split('+'), x0, y0, x1, y1);
      const webDiagram = c.fingers ? await web.touch('Velorane', ...c.fingers)
        : await web.drag(c.drag[0] ? c.drag[0].split('+') : [], x0, y0, x1, y1);
      expectDiagram(c.name, nativeDiagram, webDiagram);
    } else {
      const nativePicture = await native.keys(c.window, c.native, c.changed);
      const webPicture = c.buttons ? await web.buttons(c.buttons, c.changed)
        : await web.keys(c.window, c.web, c.changed);
      if (c.changed === 'Valeurs') expectValues(c.name, nativePicture, webPicture);
      else expectDiagram(c.name, nativePicture, webPicture);
    }
    expectValues(c.name, native.capture('Valeurs'), await web.capture('Valeurs'));
    expectDiagram(c.name, native.capture('Velorane'), await web.capture('Velorane'));
    await holdModifiers(c.held || []);
    if (c.enlarged) await enlargeTo(1);
  });
}

// The set-up in the address. What the page's lines say, in the language the
// page speaks (the browser's preference), from the page's content.
const saysIn = async (page) =>
  words[await page.evaluate(() => document.documentElement.lang)].link;
// A line's text with {name} filled as the page fills it (each value cut at 60).
function fill(text, values) {
  return text.replace(/\{(\w+)\}/g, (all, name) => {
    const v = String(values[name]);
    return v.length > 60 ? `${v.slice(0, 60)}…` : v;
  });
}
const linkLine = (page) => page.$eval('#velorane-link-line', (p) => p.textContent);

// The link of the page's share panel, once the address has come to hold it.
async function sharedLink(page) {
  await (await page.$('#velorane-share-open')).click();
  await page.waitForFunction(() => document.getElementById('velorane-share').open,
    { timeout: 10000 });
  const link = await page.$eval('#velorane-share-link', (i) => i.value);
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => !document.getElementById('velorane-share').open,
    { timeout: 10000 });
  await waitFor('the address to hold the set-up', async () =>
    (await page.evaluate(() => location.href)) === link ? true : undefined);
  return link;
}

// What follows the opening of a link, the same to the page it was made in,
// the page it was opened in and the native program.
const nextMoves = [
  { name: 'a light key', window: 'Velorane', native: ['3'], web: ['3'], changed: 'Valeurs' },
  { name: 'a view key', window: 'Velorane', native: ['Y'], web: ['Y'], changed: 'Velorane' },
  { name: 'an arrow key', window: 'Valeurs', native: ['Down'], web: ['ArrowDown'],
    changed: 'Velorane' },
  { name: 'a Shift drag', drag: ['Shift', 'shift'], from: [120, 100], to: [104, 90] },
  { name: 'a Ctrl drag', drag: ['Control', 'ctrl'], from: [150, 90], to: [150, 70] },
  { name: 'an Alt drag', drag: ['Alt', 'alt'], from: [160, 100], to: [150, 120] },
];

test('the set-up of keys and drags is in the address: opened in a fresh browser, the same pictures, and the next moves act alike', async () => {
  // The drags so far have turned the view back where it was: one more.
  expectDiagram('link, a turn', await native.drag(['shift'], 100, 100, 113, 94),
    await web.drag(['Shift'], 100, 100, 113, 94));
  const link = await sharedLink(web.page);
  // The address followed every move in place: no history entry of its own.
  assert.equal(await web.page.evaluate(() => history.length), historyAtStart);
  const setup = new URL(link).hash;
  for (const name of ['light', 'turn', 'drag', 'pan', 'zoom']) {
    assert.match(setup, new RegExp(`[#&]${name}=`), `the address ${setup} has no ${name}`);
  }
  const fresh = new BrowserPage();
  await fresh.start(link, [], 2, kTablet);
  try {
    assert.equal(await linkLine(fresh.page), '');
    for (const title of ['Velorane', 'Valeurs']) {
      const there = await web.capture(title);
      const here = await fresh.capture(title);
      if (!samePicture(there, here)) savePicture(`link-${title}.png`, here);
      assert.ok(samePicture(there, here), `${title} differs where the link was opened`);
    }
    for (const m of nextMoves) {
      if (m.drag) {
        const args = [m.drag[0].split('+'), ...m.from, ...m.to];
        const nativeDiagram = await native.drag(m.drag[1].split('+'), ...m.from, ...m.to);
        expectDiagram(`link, ${m.name}`, nativeDiagram, await web.drag(...args));
        await fresh.drag(...args);
      } else {
        await native.keys(m.window, m.native, m.changed);
        await web.keys(m.window, m.web, m.changed);
        await fresh.keys(m.window, m.web, m.changed);
      }
      for (const title of ['Velorane', 'Valeurs']) {
        assert.ok(samePicture(await web.capture(title), await fresh.capture(title)),
          `after ${m.name} ${title} differs between the two pages`);
      }
      expectValues(`link, ${m.name}`, native.capture('Valeurs'), await web.capture('Valeurs'));
    }
    assert.deepEqual(fresh.errors, []);
  } finally {
    await fresh.stop();
  }
});

// Addresses that are not a set-up this page writes: refused whole, the page
// at its first set-up, a line naming the part (as text).
const badAddresses = [
  { name: 'an unknown name', hash: 'colour=1,2,3', part: 'colour=1,2,3' },
  { name: 'a number missing', hash: 'light=1,2', part: 'light=1,2' },
  { name: 'a number too many', hash: 'turn=1,2,3,4', part: 'turn=1,2,3,4' },
  { name: 'no number at all', hash: 'pan=', part: 'pan=' },
  { name: 'text for a number', hash: 'zoom=big', part: 'zoom=big' },
  { name: 'NaN', hash: 'pan=NaN,0', part: 'pan=NaN,0' },
  { name: 'an infinity', hash: 'zoom=Infinity', part: 'zoom=Infinity' },
  { name: 'a number past any float', hash: 'pan=1e39,0', part: 'pan=1e39,0' },
  { name: 'a hexadecimal number', hash: 'zoom=0x1p1', part: 'zoom=0x1p1' },
  { name: 'the light past 1000', hash: 'light=1000.1,0,0', part: 'light=1000.1,0,0' },
  { name: 'a turn past 100 turns', hash: 'drag=0,-36001,0', part: 'drag=0,-36001,0' },
  { name: 'a zoom of 0', hash: 'zoom=0', part: 'zoom=0' },
  { name: 'a part twice', hash: 'light=1,1,1&light=2,2,2', part: 'light=2,2,2' },
  { name: 'a good part before a bad one', hash: 'light=-8.6,9.4,0.2&turn=1,2',
    part: 'turn=1,2' },
  { name: 'a stray &', hash: 'light=1,1,1&', part: 'light=1,1,1&' },
  { name: 'markup', hash: '<img src=x onerror="window.injected=1">',
    part: '<img src=x onerror="window.injected=1">' },
  { name: 'a broken escape', hash: 'light=%E0%A4%A', part: 'light=%E0%A4%A' },
  { name: 'too long for the program', hash: `${'zoom=1&'.repeat(40)}zoom=1`,
    part: `${'zoom=1&'.repeat(40)}zoom=1` },
  { name: 'far too long', hash: `light=${'1'.repeat(5000)}`, tooLong: 5006 },
];

// A new tab of the test's browser at `url`, once both canvases have a frame.
async function openTab(url) {
  const { page, errors } = await openPage(web.browser, url);
  return Object.assign(Object.create(BrowserPage.prototype), { page, errors });
}

test('addresses that are not a set-up are refused whole, with a line saying which part', async () => {
  const bare = await openTab(pageUrl);
  const first = [await bare.capture('Velorane'), await bare.capture('Valeurs')];
  await bare.page.close();
  for (const a of badAddresses) {
    const tab = await openTab(`${pageUrl}#${a.hash}`);
    try {
      const say = await saysIn(tab.page);
      const expected = a.tooLong ? fill(say.tooLong, { length: a.tooLong })
        : fill(say.refused, { part: a.part });
      assert.equal(await linkLine(tab.page), expected, a.name);
      assert.ok(samePicture(first[0], await tab.capture('Velorane')), `${a.name}: the diagram moved`);
      assert.ok(samePicture(first[1], await tab.capture('Valeurs')), `${a.name}: the values moved`);
      assert.deepEqual(await tab.page.evaluate(() =>
        [typeof window.injected, document.querySelectorAll('#velorane-link-line *').length]),
      ['undefined', 0], a.name);
      assert.deepEqual(tab.errors, [], a.name);
    } finally {
      await tab.page.close();
    }
  }
  // Changed by hand in a running page: refused, nothing moves; a set-up, taken.
  const tab = await openTab(pageUrl);
  try {
    const frames = await tab.frames('Velorane');
    const lang = await tab.page.evaluate(() => document.documentElement.lang);
    const say = words[lang].link;
    await tab.page.evaluate(() => { location.hash = 'zoom=0'; });
    await waitFor('the refusal', async () =>
      await linkLine(tab.page) === fill(say.refused, { part: 'zoom=0' }) ? true : undefined);
    assert.ok(samePicture(first[0], await tab.capture('Velorane')), 'the diagram moved');
    // The line and the share panel follow the language menu.
    await tab.page.select('#velorane-language', 'ar');
    assert.equal(await linkLine(tab.page), fill(words.ar.link.refused, { part: 'zoom=0' }));
    await (await tab.page.$('#velorane-share-open')).click();
    await tab.page.waitForFunction(() => document.getElementById('velorane-share').open,
      { timeout: 10000 });
    assert.deepEqual(await tab.page.evaluate(() => ['velorane-share-title', 'velorane-share-disk']
      .map((id) => document.getElementById(id).textContent)),
    [words.ar.link.shareTitle, words.ar.link.fromDisk]);
    await tab.page.keyboard.press('Escape');
    await tab.page.waitForFunction(() => !document.getElementById('velorane-share').open,
      { timeout: 10000 });
    await tab.page.select('#velorane-language', lang);
    assert.equal(await linkLine(tab.page), fill(say.refused, { part: 'zoom=0' }));
    await tab.page.evaluate(() => { location.hash = 'light=-8.6,9.4,0.2&turn=27,17,0'; });
    await tab.newFrame('Velorane', frames);
    assert.ok(!samePicture(first[0], await tab.capture('Velorane')), 'the set-up was not taken');
    assert.deepEqual(tab.errors, []);
  } finally {
    await tab.page.close();
  }
});

test('Share shows the link to copy and a QR code that reads back as the link', async () => {
  const link = await sharedLink(web.page);
  // In the language the page speaks now.
  const said = words[await web.page.evaluate(() => document.documentElement.lang)].link;
  await web.tap('#velorane-share-open');
  await web.page.waitForFunction(() => document.getElementById('velorane-share').open &&
    document.getElementById('velorane-share-code').complete, { timeout: 10000 });
  try {
    assert.equal(await web.page.$eval('#velorane-share-link', (i) => i.value), link);
    // Opened from a file: the panel says what a phone needs.
    assert.equal(await web.page.$eval('#velorane-share-disk', (p) => p.hidden ? '' : p.textContent),
      said.fromDisk);
    // Copied, or said that it could not be.
    await web.page.waitForFunction(() =>
      document.getElementById('velorane-share-copied').textContent !== '', { timeout: 10000 });
    assert.ok([said.copied, said.notCopied].includes(
      await web.page.$eval('#velorane-share-copied', (p) => p.textContent)));
    const file = path.join(process.env.VELORANE_WEB_OUTPUT || os.tmpdir(), 'share-code.png');
    await (await web.page.$('#velorane-share-code')).screenshot({ path: file });
    const read = spawnSync('zbarimg', ['--quiet', '--raw', file], { encoding: 'utf8' });
    assert.equal(read.status, 0, `zbarimg found no code in ${file}: ${read.stderr}`);
    assert.equal(read.stdout.trim(), link);
  } finally {
    await web.page.keyboard.press('Escape');
    await web.page.waitForFunction(() => !document.getElementById('velorane-share').open,
      { timeout: 10000 });
  }
});

// The page alone from here on: what the browser does that a desktop does not.

test('contexts the browser takes away come back with the same pictures, and keys still work', async () => {
  const titles = ['Velorane', 'Valeurs'];
  const pictures = [];
  for (const t of titles) pictures.push(await web.capture(t));
  const frames = await loseContexts(web.page, titles);
  // Not given back in time: the page says so.
  await web.page.waitForFunction(() =>
    /WebGL/.test(document.getElementById('velorane-status').textContent), { timeout: 10000 });
  await restoreContexts(web.page, titles, frames);
  for (const [i, t] of titles.entries()) {
    const now = await web.capture(t);
    if (!samePicture(pictures[i], now)) savePicture(`restored-${t}.png`, now);
    assert.ok(samePicture(pictures[i], now), `${t} came back changed`);
  }
  assert.equal(await web.page.$eval('#velorane-status', (p) => p.textContent), '');
  expectValues('after lost contexts', await native.keys('Velorane', ['4'], 'Valeurs'),
    await web.keys('Velorane', ['4'], 'Valeurs'));
});

test('a held key repeats as presses do natively', async () => {
  const expected = await native.keys('Velorane', ['4', '4', '4'], 'Valeurs');
  await web.page.$eval('canvas[aria-label="Velorane"]', (c) => c.focus());
  await web.page.evaluate(() => {
    window.repeats = 0;
    document.addEventListener('keydown', (e) => { if (e.repeat) ++window.repeats; });
  });
  // The second and third presses of a key still down come as repeats.
  await web.page.keyboard.down('4');
  await web.page.keyboard.down('4');
  await web.page.keyboard.down('4');
  await web.page.keyboard.up('4');
  assert.equal(await web.page.evaluate(() => window.repeats), 2);
  await waitFor('the values after the repeated key', async () =>
    samePicture(expected, await web.capture('Valeurs')) ? true : undefined).catch(async (e) => {
    expectValues('repeat', expected, await web.capture('Valeurs'));
    throw e;
  });
});

test('a drag whose release is lost with the focus ends there, and moves no more', async () => {
  const m = web.page.mouse;
  const [x0, y0] = await web.at('Velorane', 100, 100);
  const frames = await web.frames('Velorane');
  await m.move(x0, y0);
  await web.page.keyboard.down('Shift');
  await m.down();
  await m.move(x0 + 10, y0 + 4);
  await web.newFrame('Velorane', frames);
  await web.page.keyboard.up('Shift');
  // The page loses the focus with the button still held.
  await web.page.evaluate(() => {
    window.moves = 0;
    document.addEventListener('mousemove', () => { ++window.moves; });
    window.dispatchEvent(new Event('blur'));
  });
  const held = await web.capture('Velorane');
  const heldFrames = await web.frames('Velorane');
  await m.move(x0 + 30, y0 + 20);
  await m.move(x0 + 40, y0 + 30);
  await web.page.waitForFunction(() => window.moves >= 2, { timeout: 10000 });
  await m.up();
  assert.equal(await web.frames('Velorane'), heldFrames);
  assert.ok(samePicture(held, await web.capture('Velorane')), 'the view moved after the release');
  // The view is still the one the native program shows after the same turn.
  const nativeDiagram = await native.drag(['shift'], 100, 100, 110, 104);
  expectDiagram('drag cut short', nativeDiagram, held);
});

// The diagram canvas's size, whether it is on the whole screen, its frames.
function diagramState() {
  return web.page.$eval('canvas[aria-label="Velorane"]', (c) =>
    ({ width: c.width, height: c.height, full: document.fullscreenElement !== null,
       frames: Number(c.dataset.frames), screen: [innerWidth, innerHeight] }));
}

// Wait for the diagram to reach a size (the whole screen's, as the page sees
// it while it has the screen, when `width` is null) and full-screen state, in a new frame,
// and for the browser's window to have reached that state too: a request for
// the whole screen made while the browser is still leaving it may be refused
// or granted late. A timeout says what the diagram and the window were.
async function diagramBecomes(frames, width, height, full) {
  const window = full ? 'fullscreen' : 'normal';
  let last;
  await waitFor(`the diagram ${width === null ? 'on the whole screen' : `${width} x ${height}`}`, async () => {
    last = { ...await diagramState(), window: await web.windowState() };
    const [w, h] = width === null ? last.screen : [width, height];
    return last.frames > frames && last.width === w && last.height === h &&
      last.full === full && last.window === window ? true : undefined;
  }).catch((e) => { throw new Error(`${e.message}; last seen ${JSON.stringify(last)}`); });
}

const fullScreenKeys = [
  ['the key', () => web.page.keyboard.press('#')],
  ['the page\'s button, touched', () => web.tap('button[data-key="#"]')],
];

for (const [how, press] of fullScreenKeys) test(`"#" (${how}) puts the diagram on the whole screen and back, as it was`, async () => {
  const before = await web.capture('Velorane');
  const s = await diagramState();
  await web.page.$eval('canvas[aria-label="Velorane"]', (c) => c.focus());
  await press();
  await diagramBecomes(s.frames, null, null, true);
  const full = await web.capture('Velorane');
  assert.equal(full.width, (await diagramState()).screen[0]);
  const back = await diagramState();
  await web.page.$eval('canvas[aria-label="Velorane"]', (c) => c.focus());
  await web.page.keyboard.press('#');
  await diagramBecomes(back.frames, 310, 250, false);
  assert.ok(samePicture(before, await web.capture('Velorane')), 'the diagram came back changed');
});


// After the browser left or refused full screen the program still counts
// itself on the whole screen: its next "#" puts the window back (it is already
// so), the one after fills the screen again, and a third puts it back.
async function expectHashPutsBackThenFills() {
  const steps = [[310, 250, false], [null, null, true], [310, 250, false]];
  for (const [width, height, full] of steps) {
    const before = await diagramState();
    await web.page.keyboard.press('#');
    await diagramBecomes(before.frames, width, height, full);
  }
}

test('Esc on the whole screen is the browser\'s; leaving by the browser gives the page size back', async () => {
  const s = await diagramState();
  await web.page.$eval('canvas[aria-label="Velorane"]', (c) => c.focus());
  await web.page.keyboard.press('#');
  await diagramBecomes(s.frames, null, null, true);
  await web.page.evaluate(() => {
    window.escapes = 0;
    document.addEventListener('keydown', (e) => { if (e.key === 'Escape') ++window.escapes; });
  });
  await web.page.keyboard.press('Escape');
  await web.page.waitForFunction(() => window.escapes === 1, { timeout: 10000 });
  assert.equal(await web.page.evaluate(() => document.body.dataset.veloraneExit), undefined);
  // The browser leaves full screen by itself (its own Esc, or a refusal).
  const full = await diagramState();
  await web.page.evaluate(() => document.exitFullscreen());
  await diagramBecomes(full.frames, 310, 250, false);
  await expectHashPutsBackThenFills();
});

test('a "#" whose full screen the browser refuses leaves the diagram in the page', async () => {
  const s = await diagramState();
  // The browser refuses as it does without a user gesture or permission.
  await web.page.evaluate(() => {
    window.asked = 0;
    HTMLElement.prototype.requestFullscreen = function () {
      ++window.asked;
      return Promise.reject(new TypeError('Permissions check failed'));
    };
  });
  await web.page.$eval('canvas[aria-label="Velorane"]', (c) => c.focus());
  await web.page.keyboard.press('#');
  await diagramBecomes(s.frames, 310, 250, false);
  assert.equal(await web.page.evaluate(() => window.asked), 1);
  await web.page.evaluate(() => { delete HTMLElement.prototype.requestFullscreen; });
  // As after the browser leaving by itself.
  await expectHashPutsBackThenFills();
});

test('Tab reaches every control; Esc closes the help and the menu, the program running on', async () => {
  const all = await web.page.$$eval('#velorane-controls button, #velorane-controls select, canvas',
    (es) => es.map((e) => e.getAttribute('aria-label')));
  // Once round the page (and past its end, where the browser's own controls are).
  const reached = new Set();
  for (let i = 0; i < all.length + 2; ++i) {
    await web.page.keyboard.press('Tab');
    reached.add(await web.page.evaluate(() => document.activeElement.getAttribute('aria-label')));
  }
  assert.deepEqual(all.filter((label) => !reached.has(label)), []);
  const sizes = await web.page.$$eval('#velorane-controls button, #velorane-controls select',
    (bs) => bs.filter((b) => b.offsetWidth < 44 || b.offsetHeight < 44).map((b) => b.textContent));
  assert.deepEqual(sizes, []);
  await web.page.focus('#velorane-help-open');
  await web.page.keyboard.press('Enter');
  await web.page.waitForFunction(() => document.getElementById('velorane-help').open,
    { timeout: 10000 });
  await web.page.keyboard.press('Escape');
  await web.page.waitForFunction(() => !document.getElementById('velorane-help').open &&
    document.activeElement.id === 'velorane-help-open', { timeout: 10000 });
  // A right click near the window's corner: the menu, moved to stay in the
  // window, opens under the pointer, and the release there chooses nothing.
  await web.page.setViewport({ ...kTablet, width: 400 });
  const bottom = await web.page.$eval('canvas[aria-label="Velorane"]',
    (c) => c.getBoundingClientRect().bottom);
  await web.page.setViewport({ ...kTablet, width: 400, height: Math.ceil(bottom) });
  const [x, y] = await web.at('Velorane', 305, 235);
  const released = await web.arrived('mouseup');
  await web.page.mouse.click(x, y, { button: 'right' });
  await web.handled('mouseup', released, 1);
  await web.page.waitForSelector('[role="menu"] [role="menuitem"]:focus', { timeout: 10000 });
  assert.equal(await web.page.evaluate(([px, py]) =>
    document.elementFromPoint(px, py).getAttribute('role'), [x, y]), 'menuitem');
  await web.page.keyboard.press('Escape');
  await web.page.waitForFunction(() => !document.querySelector('[role="menu"]'), { timeout: 10000 });
  await web.page.setViewport(kTablet);
  assert.equal(await web.page.evaluate(() => document.body.dataset.veloraneExit), undefined);
  // Still running: a key still moves the light.
  const values = await web.capture('Valeurs');
  const after = await web.keys('Velorane', ['1'], 'Valeurs');
  assert.ok(!samePicture(values, after), 'the light did not move after the Esc');
});

test('the help names every key the README, the manual page and the Windows README name', () => {
  const read = (file) => fs.readFileSync(new URL(`../../${file}`, import.meta.url), 'utf8');
  const help = words.en.help;
  // Key names: single characters and capitalised words ("Page Up", "Shift").
  const names = [...new Set(help.flatMap(([keys]) => keys.split(/ \/ |, |\+/)))]
    .filter((n) => n.length === 1 || /^[A-Z]/.test(n));
  for (const file of ['README.md', 'packaging/velorane.1.in', 'packaging/windows/README.txt']) {
    const text = read(file);
    const missing = names.filter((n) => !new RegExp(`(^|[^A-Za-z])${n.replace(/[#+]/g, '\\$&')}([^A-Za-z]|$)`, 'm').test(text));
    assert.deepEqual(missing, [], `${file} does not name ${missing.join(', ')}`);
  }
});

test('"Save the pictures" downloads both canvases side by side as one PNG', async () => {
  const file = path.join(web.downloads, 'velorane.png');
  try {
    const diagram = await web.capture('Velorane');
    const values = await web.capture('Valeurs');
    await web.tap('#velorane-save');
    const png = await waitFor('the saved picture', () =>
      fs.existsSync(file) ? PNG.sync.read(fs.readFileSync(file)) : undefined);
    assert.deepEqual([png.width, png.height], [diagram.width + values.width, diagram.height]);
    let off = 0;
    for (const [picture, left] of [[diagram, 0], [values, diagram.width]]) {
      for (let y = 0; y < picture.height; ++y) {
        for (let x = 0; x < picture.width; ++x) {
          const i = 4 * (y * png.width + left + x);
          const j = 3 * (y * picture.width + x);
          if ([0, 1, 2].some((c) => png.data[i + c] !== picture.rgb[j + c])) ++off;
        }
      }
    }
    assert.equal(off, 0, `${off} pixels of the saved picture differ from the canvases`);
    // The link to the set-up, in a text chunk "URL".
    assert.deepEqual(pngTexts(fs.readFileSync(file)), { URL: await sharedLink(web.page) });
    saved = { file: path.join(process.env.VELORANE_WEB_OUTPUT || os.tmpdir(), 'saved.png'),
      pictures: [diagram, values] };
    fs.copyFileSync(file, saved.file);
  } finally {
    fs.rmSync(file, { force: true });
  }
});

// The text chunks (tEXt) of a PNG file, by keyword.
function pngTexts(bytes) {
  const texts = {};
  for (let at = 8; at + 12 <= bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    if (type === 'tEXt') {
      const data = bytes.subarray(at + 8, at + 8 + length);
      const zero = data.indexOf(0);
      texts[data.toString('latin1', 0, zero)] = data.toString('latin1', zero + 1);
    }
    at += 12 + length;
  }
  return texts;
}

// Files given back to a fresh page by its file input or dropped on it: the
// saved picture restores its pictures; the others leave them and say why.
const givenBack = [
  { name: 'the saved picture, by the file input', file: () => saved.file, via: 'input',
    restores: true },
  { name: 'the saved picture, dropped on the page', file: () => saved.file, via: 'drop',
    restores: true },
  { name: 'a PNG without a set-up, by the file input', file: () => plainPicture(), via: 'input',
    line: 'noSetup' },
  { name: 'a PNG without a set-up, dropped', file: () => plainPicture(), via: 'drop',
    line: 'noSetup' },
  { name: 'a file that is no PNG, by the file input', file: () => textFile(), via: 'input',
    line: 'notPng' },
  { name: 'a file that is no PNG, dropped', file: () => textFile(), via: 'drop',
    line: 'notPng' },
];
let saved;
function plainPicture() {
  const file = path.join(os.tmpdir(), 'velorane-plain.png');
  fs.writeFileSync(file, PNG.sync.write(new PNG({ width: 8, height: 8 })));
  return file;
}
function textFile() {
  const file = path.join(os.tmpdir(), 'velorane-notes.png.txt');
  fs.writeFileSync(file, 'light=1,2,3\n');
  return file;
}

for (const g of givenBack) {
  test(`${g.name}: ${g.restores ? 'the pictures it was saved from' : 'a line, nothing changed'}`, async () => {
    const tab = await openTab(pageUrl);
    try {
      const first = [await tab.capture('Velorane'), await tab.capture('Valeurs')];
      const file = g.file();
      await tab.page.evaluate(() => { window.stayed = true; });
      if (g.via === 'input') {
        await (await tab.page.$('#velorane-open-file')).uploadFile(file);
      } else {
        const client = await tab.page.createCDPSession();
        const [x, y] = await tab.at('Velorane', 150, 120);
        const data = { items: [], files: [file], dragOperationsMask: 1 };
        for (const type of ['dragEnter', 'dragOver', 'drop']) {
          await client.send('Input.dispatchDragEvent', { type, x, y, data });
        }
      }
      const say = await saysIn(tab.page);
      const expected = fill(say[g.restores ? 'restored' : g.line], { file: path.basename(file) });
      await waitFor(`the line "${expected}"`, async () =>
        await linkLine(tab.page) === expected ? true : undefined);
      const wanted = g.restores ? saved.pictures : first;
      await waitFor('the pictures', async () =>
        samePicture(wanted[0], await tab.capture('Velorane')) &&
        samePicture(wanted[1], await tab.capture('Valeurs')) ? true : undefined);
      // Still the same page: the browser did not open the file itself.
      assert.equal(await tab.page.evaluate(() => window.stayed), true);
      assert.deepEqual(tab.errors, []);
    } finally {
      await tab.page.close();
    }
  });
}

test('a short soak: touches, keys, clicks, menus, lost contexts; no error, a flat heap', async () => {
  await soakPage(web.browser, pageUrl, 60, Date.now() % 1000000);
});

test('a debug build of the layer reports each kind of misuse once on the console', () => {
  const run = spawnSync('node', [process.env.VELORANE_MISUSE], { encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  // Each case's name, then one report, though each misuse is made twice.
  const lines = run.stderr.trim().split('\n');
  assert.ok(lines.length >= 14, run.stderr);
  lines.forEach((line, i) =>
    assert.match(line, i % 2 ? /^Velorane \(web layer\): / : /^case: /, run.stderr));
});

// Open the page anew; its diagram canvas.
async function reopen() {
  await web.page.reload();
  await web.page.waitForFunction(() => [...document.querySelectorAll('canvas')].length === 2 &&
    [...document.querySelectorAll('canvas')].every((c) => Number(c.dataset.frames) > 0),
  { timeout: 10000 });
}

async function expectEnded() {
  await web.page.waitForFunction(() => document.body.dataset.veloraneExit === '0',
    { timeout: 10000 });
  assert.equal(await web.page.$$eval('canvas', (cs) => cs.length), 0);
  const language = await web.page.evaluate(() => document.documentElement.lang);
  assert.equal(await web.page.$eval('#velorane-status', (p) => p.textContent),
    words[language].messages.ended);
}

// The menu opened on a canvas, and its "Quitter" entry chosen.
const quitting = [
  { name: 'the right button on the values canvas', open: async () => {
    const [x, y] = await web.at('Valeurs', 100, 50);
    await web.page.mouse.click(x, y, { button: 'right' });
  }, choose: (item) => item.click() },
  { name: 'a long press on the diagram, by touch', open: async () => {
    const [x, y] = await web.at('Velorane', 100, 100);
    await web.touchEvent('touchStart', [{ x, y }]);
  }, choose: async () => {
    await web.touchEvent('touchEnd', []);
    await web.tap('[role="menu"] [role="menuitem"]');
  } },
];

for (const q of quitting) {
  test(`"Quitter" from ${q.name} ends the program`, async () => {
    await reopen();
    await web.page.evaluate(() => {
      document.addEventListener('contextmenu', (e) => { window.contextShown = !e.defaultPrevented; });
    });
    await q.open();
    const item = await web.page.waitForSelector('[role="menu"] [role="menuitem"]', { timeout: 10000 });
    assert.equal(await item.evaluate((b) => b.textContent), 'Quitter');
    assert.deepEqual(await item.evaluate((b) => [b.offsetWidth >= 44, b.offsetHeight >= 44]),
      [true, true]);
    assert.notEqual(await web.page.evaluate(() => window.contextShown), true);
    await q.choose(item);
    await expectEnded();
    assert.deepEqual(web.errors, []);
  });
}

test('Esc in the diagram ends the program', async () => {
  await reopen();
  await web.page.$eval('canvas[aria-label="Velorane"]', (c) => c.focus());
  await web.page.keyboard.press('Escape');
  await expectEnded();
  assert.deepEqual(web.errors, []);
});

test('without WebGL the page says so plainly', async () => {
  const bare = new BrowserPage();
  await bare.start(pageUrl, ['--disable-webgl'], false);
  try {
    await bare.page.waitForFunction(() => document.body.dataset.veloraneExit === '1',
      { timeout: 10000 });
    // In the language the page speaks (the browser's preference).
    const lang = await bare.page.evaluate(() => document.documentElement.lang);
    assert.equal(await bare.page.$eval('#velorane-status', (p) => p.textContent),
      words[lang].messages.noWebGL);
    assert.equal(await bare.page.$$eval('canvas', (cs) => cs.length), 0);
    // The line follows the language menu.
    await bare.page.select('#velorane-language', 'de');
    assert.equal(await bare.page.$eval('#velorane-status', (p) => p.textContent),
      words.de.messages.noWebGL);
    assert.deepEqual(bare.errors, []);
  } finally {
    await bare.stop();
  }
});

test('a browser that refuses to compile the WebAssembly as the script runs still starts the page', async () => {
  const page = await web.browser.newPage();
  try {
    await page.evaluateOnNewDocument(() => {
      window.refused = 0;
      WebAssembly.Module = function () {
        ++window.refused;
        throw new RangeError('WebAssembly.Compile is disallowed on the main thread');
      };
    });
    const errors = [];
    page.on('pageerror', (e) => errors.push(String(e)));
    await page.goto(pageUrl);
    await page.waitForFunction(() => [...document.querySelectorAll('canvas')].length === 2 &&
      [...document.querySelectorAll('canvas')].every((c) => Number(c.dataset.frames) > 0),
    { timeout: 10000 });
    assert.equal(await page.evaluate(() => window.refused), 1);
    assert.deepEqual(errors, []);
  } finally {
    await page.close();
  }
});

test('at a device-pixel ratio of 2 every canvas pixel is a crisp 2 x 2 block', async () => {
  const page = await web.browser.newPage();
  try {
    const drawn = () => page.waitForFunction(() =>
      [...document.querySelectorAll('canvas')].length === 2 &&
      [...document.querySelectorAll('canvas')].every((c) => Number(c.dataset.frames) > 0),
    { timeout: 10000 });
    await page.setViewport({ width: 800, height: 600, deviceScaleFactor: 2 });
    await page.goto(pageUrl);
    await drawn();
    const canvas = await page.$('canvas[aria-label="Valeurs"]');
    const shot = PNG.sync.read(Buffer.from(await canvas.screenshot({ type: 'png' })));
    const pixels = await canvas.evaluate((c) => [c.width, c.height]);
    assert.deepEqual([shot.width, shot.height], [2 * pixels[0], 2 * pixels[1]]);
    // The canvas's own pixels: the native window's at the start (checked above).
    const view = Object.assign(Object.create(BrowserPage.prototype), { page });
    const expected = await view.capture('Valeurs');
    let off = 0;
    for (let y = 0; y < shot.height; ++y) {
      for (let x = 0; x < shot.width; ++x) {
        const i = 4 * (y * shot.width + x);
        const j = 3 * ((y >> 1) * expected.width + (x >> 1));
        if ([0, 1, 2].some((c) => shot.data[i + c] !== expected.rgb[j + c])) ++off;
      }
    }
    assert.equal(off, 0, `${off} screen pixels differ from the canvas doubled`);
    // A phone in portrait (the page is opened anew as a phone): nothing
    // sideways to scroll to, and touches on the canvases are all the program's.
    await page.setViewport({ width: 360, height: 740, deviceScaleFactor: 2, isMobile: true,
      hasTouch: true });
    await drawn();
    assert.deepEqual(await page.evaluate(() => [document.documentElement.scrollWidth,
      ...[...document.querySelectorAll('canvas')].map((c) => getComputedStyle(c).touchAction)]),
    [360, 'none', 'none']);
    // In every language (Arabic from right to left): still nothing sideways,
    // no word wider than its control, and the same pictures.
    const values = await view.capture('Valeurs');
    for (const code of languages) {
      await page.select('#velorane-language', code);
      assert.deepEqual(await page.evaluate(() => ({
        dir: document.documentElement.dir, width: document.documentElement.scrollWidth,
        overflowing: [...document.querySelectorAll('h1, p, label, button, select')]
          .filter((e) => e.offsetParent && !e.closest('.velorane-text') &&
            e.scrollWidth > e.clientWidth)
          .map((e) => e.textContent.slice(0, 40)),
      })), { dir: words[code].dir, width: 360, overflowing: [] }, code);
      assert.ok(samePicture(values, await view.capture('Valeurs')), `${code}: the values changed`);
    }
  } finally {
    await page.close();
  }
});
