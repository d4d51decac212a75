// The toolkit in the browser: the consumer project of tests/install/consumer,
// built once natively and once for the browser from the installed packages
// (toolkit_package.sh), each program started both ways and the pictures
// compared: the table of the toolkit's drawings (stroke text in each setting,
// GLUT's bitmap fonts, arrows, the angle cone, arcs with each head mode, wide
// lines, the colour ramps) at its start, and the example window at its start
// and after keys that turn it. Pixels more than kLevels levels apart may be
// at most kMaxOffPixels: the ends and joints of one-pixel lines and the
// coverage of smooth lines differ slightly between Mesa and the layer
// (measured 74 in the table, 0 to 3 in the example; the smooth text alone
// differs by up to 32 levels in about 900 pixels, with the same light in all).
// Each page is the program's own: its window's title, the layer's neutral
// words, never a word of Velorane's, to its end (Esc).
// Usage: node --test toolkit.test.mjs, with VELORANE_CONSUMER (the folder
// toolkit_package.sh wrote) and VELORANE_CAPTURE (capture_window).
import assert from 'node:assert/strict';
import path from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { BrowserPage, NativeProgram, difference, savePicture } from './harness.mjs';

const kLevels = 32;
const kMaxOffPixels = 150; // 0.12 % of the 400 x 320 table
const consumer = process.env.VELORANE_CONSUMER;

const programs = [
  { name: 'table', title: 'Toolkit table', keys: [] },
  { name: 'example', title: 'Toolkit example',
    keys: [{ native: ['x', 'x', 'Left'], web: ['x', 'x', 'ArrowLeft'] }] },
];

function expectSame(name, nativePicture, webPicture) {
  const off = difference(nativePicture, webPicture, kLevels);
  console.log(`# ${name}: ${off.count} pixels more than ${kLevels} levels apart`);
  if (off.count > kMaxOffPixels) {
    savePicture(`toolkit-${name.replace(/ /g, '-')}-native.png`, nativePicture);
    savePicture(`toolkit-${name.replace(/ /g, '-')}-web.png`, webPicture);
  }
  assert.ok(off.count <= kMaxOffPixels, `${off.count} pixels off`);
}

for (const p of programs) {
  test(`the ${p.name} draws in the page as natively`, async () => {
    const native = new NativeProgram(path.join(consumer, 'native', `toolkit_${p.name}`),
      process.env.VELORANE_CAPTURE, [p.title]);
    const web = new BrowserPage();
    try {
      await native.start();
      await web.start(pathToFileURL(path.join(consumer, 'web', 'dist', `toolkit_${p.name}.html`)).href,
        [], 1);
      expectSame(`${p.name} at the start`, native.capture(p.title), await web.capture(p.title));
      for (const k of p.keys) {
        const nativePicture = await native.keys(p.title, k.native, p.title);
        const webPicture = await web.keys(p.title, k.web, p.title);
        expectSame(`${p.name} after ${k.native.join(' ')}`, nativePicture, webPicture);
      }
      // Everything the page says, shown or to screen readers, before and after the end.
      const said = () => web.page.evaluate(() => [document.title, document.documentElement.lang,
        document.body.innerText, document.getElementById('velorane-help').textContent,
        ...[...document.querySelectorAll('.velorane-text')].map((e) => e.textContent),
        ...[...document.querySelectorAll('[aria-label]')].map((e) => e.getAttribute('aria-label'))]
        .join('\n'));
      const words = await said();
      assert.deepEqual((await said()).split('\n').slice(0, 2), [p.title, 'en']);
      assert.doesNotMatch(words, /velorane|valeurs|miroir|mirror|lumière/i);
      await web.page.$eval(web.selector(p.title), (c) => c.focus());
      await web.page.keyboard.press('Escape');
      await web.page.waitForFunction(() => document.body.dataset.veloraneExit === '0',
        { timeout: 10000 });
      const ended = await web.page.$eval('#velorane-status', (e) => e.textContent);
      assert.match(ended, /^The program has ended\./);
      assert.doesNotMatch(await said(), /velorane|valeurs|miroir|mirror|lumière/i);
      assert.deepEqual(web.errors, []);
    } finally {
      native.stop();
      await web.stop();
    }
  });
}
