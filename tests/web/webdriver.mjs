// A small W3C WebDriver client (HTTP and JSON, through fetch) for the engines
// that puppeteer does not drive: WebKitGTK's MiniBrowser through
// WebKitWebDriver. It offers the part of puppeteer's Browser and Page that the
// browser tests use (evaluate, $eval, $$eval, $, waitForFunction,
// waitForSelector, keyboard, mouse, touch, setViewport, goto, reload, focus,
// close), so that a test written against puppeteer runs here unchanged.
// What WebDriver classic cannot do is refused loudly (evaluateOnNewDocument,
// a CDP session), never imitated. Console errors and uncaught exceptions are
// gathered in the page by a listener installed by every script this client
// runs there, and handed to page.on('console'|'pageerror') listeners.
import { spawn } from 'node:child_process';
import net from 'node:net';

const kWaitMs = 10000;
const kPollMs = 25;
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// WebDriver's key values of puppeteer's key names (the rest are characters).
const kKeys = {
  Backspace: '\uE003', Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009',
  Alt: '\uE00A', Escape: '\uE00C', PageUp: '\uE00E', PageDown: '\uE00F', End: '\uE010',
  Home: '\uE011', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014',
  ArrowDown: '\uE015', Insert: '\uE016', Delete: '\uE017', F1: '\uE031',
};
const kButtons = { left: 0, middle: 1, right: 2 };

// Runs first in every script sent to the page: gathers console errors and
// uncaught exceptions from then on, and hands back those not yet taken.
const kGather = `(() => {
  if (!window.__webdriverErrors) {
    window.__webdriverErrors = [];
    const error = console.error;
    console.error = function (...a) { window.__webdriverErrors.push(['console', a.join(' ')]);
      return error.apply(this, a); };
    addEventListener('error', (e) => window.__webdriverErrors.push(['pageerror', String(e.message)]));
    addEventListener('unhandledrejection', (e) =>
      window.__webdriverErrors.push(['pageerror', String(e.reason)]));
  }
})();`;

// A free TCP port on 127.0.0.1.
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// The source of a call of `fn` (a function or an expression's source) with
// the JSON-able `args`, its value awaited.
function callSource(fn, args, prefix = '') {
  const source = typeof fn === 'function' ? fn.toString() : `() => (${fn})`;
  return `${prefix}return (${source})(...${JSON.stringify(args)});`;
}

export class WebDriverSession {
  // Start `driver` (WebKitWebDriver) on a free port, its browser on X display
  // `display`, and open a session with `capabilities`.
  async start(driver, display, capabilities) {
    this.port = await freePort();
    this.output = '';
    this.process = spawn(driver, [`--port=${this.port}`, '--host=127.0.0.1'],
      {
      stdio: ['ignore', 'pipe', 'pipe'],
      // The browser prefers English, as the other engines' do.
      env: { ...process.env, DISPLAY: display, LANG: 'en_US.UTF-8', LANGUAGE: 'en_US' },
    });
    this.process.stdout.on('data', (d) => { this.output += d; });
    this.process.stderr.on('data', (d) => { this.output += d; });
    const end = Date.now() + kWaitMs;
    for (;;) {
      try {
        const status = await this.send('GET', '/status');
        if (status.ready !== false) break;
      } catch (e) {
        if (Date.now() > end) throw new Error(`${driver} did not answer: ${this.output}`);
        await sleep(kPollMs);
      }
    }
    const made = await this.send('POST', '/session', { capabilities: { alwaysMatch: capabilities } });
    this.id = made.sessionId;
    this.current = await this.command('GET', '/window');
    this.pages = [];
  }

  async send(method, url, body) {
    const response = await fetch(`http://127.0.0.1:${this.port}${url}`, {
      method, headers: { 'content-type': 'application/json; charset=utf-8' },
      body: body === undefined ? undefined : JSON.stringify(body),
    });
    const answer = await response.json();
    if (!response.ok) {
      throw new Error(`WebDriver ${method} ${url}: ${answer.value.error}: ${answer.value.message}`);
    }
    return answer.value;
  }

  command(method, url, body) {
    return this.send(method, `/session/${this.id}${url}`, body);
  }

  // The session's first window as a page.
  async firstPage() {
    const page = new WebDriverPage(this, this.current);
    this.pages.push(page);
    return page;
  }

  // A new window as a page (puppeteer's browser.newPage).
  async newPage() {
    const { handle } = await this.command('POST', '/window/new', { type: 'window' });
    const page = new WebDriverPage(this, handle);
    this.pages.push(page);
    await page.switch();
    return page;
  }

  async close() {
    try {
      if (this.id) await this.send('DELETE', `/session/${this.id}`);
    } finally {
      this.process.kill();
    }
  }
}

// The `index`th element of `selector`, found anew at each use.
class WebDriverElement {
  constructor(page, selector, index = 0) {
    this.page = page;
    this.selector = selector;
    this.index = index;
  }

  evaluate(fn, ...args) { return this.page.onElements(this.selector, this.index, fn, args); }

  boundingBox() {
    return this.evaluate((e) => {
      const b = e.getBoundingClientRect();
      return { x: b.x, y: b.y, width: b.width, height: b.height };
    });
  }

  async click() {
    const b = await this.boundingBox();
    await this.page.mouse.click(b.x + b.width / 2, b.y + b.height / 2);
  }
}

export class WebDriverPage {
  constructor(session, handle) {
    this.session = session;
    this.handle = handle;
    this.listeners = { console: [], pageerror: [] };
    this.keyboard = {
      down: (key) => this.keys([{ type: 'keyDown', value: kKeys[key] || key }]),
      up: (key) => this.keys([{ type: 'keyUp', value: kKeys[key] || key }]),
      press: (key) => this.keys([{ type: 'keyDown', value: kKeys[key] || key },
        { type: 'keyUp', value: kKeys[key] || key }]),
    };
    this.mouseAt = [0, 0];
    this.mouse = {
      move: (x, y) => { this.mouseAt = [x, y]; return this.pointer('mouse', [this.moveTo(x, y)]); },
      down: (o = {}) => this.pointer('mouse', [{ type: 'pointerDown', button: kButtons[o.button || 'left'] }]),
      up: (o = {}) => this.pointer('mouse', [{ type: 'pointerUp', button: kButtons[o.button || 'left'] }]),
      click: (x, y, o = {}) => {
        this.mouseAt = [x, y];
        const button = kButtons[o.button || 'left'];
        return this.pointer('mouse', [this.moveTo(x, y), { type: 'pointerDown', button },
          { type: 'pointerUp', button }]);
      },
    };
  }

  on(event, listener) {
    if (event in this.listeners) this.listeners[event].push(listener);
  }

  async switch() {
    if (this.session.current === this.handle) return;
    await this.session.command('POST', '/window', { handle: this.handle });
    this.session.current = this.handle;
  }

  // Run `source` in the page (WebDriver's asynchronous script); its value.
  async run(source) {
    await this.switch();
    const script = `const done = arguments[arguments.length - 1];
      ${kGather}
      const take = () => window.__webdriverErrors.splice(0);
      Promise.resolve().then(async () => { ${source} })
        .then((value) => done({ value: value === undefined ? null : value, errors: take() }),
              (e) => done({ thrown: String(e && e.stack || e), errors: take() }));`;
    const answer = await this.session.command('POST', '/execute/async', { script, args: [] });
    for (const [kind, text] of answer.errors) {
      for (const l of this.listeners[kind]) {
        l(kind === 'console' ? { type: () => 'error', text: () => text } : new Error(text));
      }
    }
    if (answer.thrown) throw new Error(`in the page: ${answer.thrown}`);
    return answer.value === null ? undefined : answer.value;
  }

  evaluate(fn, ...args) { return this.run(callSource(fn, args)); }

  // fn(the `index`th element of `selector`, or all of them when index is
  // null, ...args) in the page; an error if there is no such element.
  onElements(selector, index, fn, args) {
    return this.run(`const all = [...document.querySelectorAll(${JSON.stringify(selector)})];
      const e = ${index} === null ? all : all[${index}];
      if (!e) throw new Error(${JSON.stringify(`no element ${selector}`)});
      return (${fn.toString()})(e, ...${JSON.stringify(args)});`);
  }

  $eval(selector, fn, ...args) { return this.onElements(selector, 0, fn, args); }

  async $(selector) {
    const found = await this.evaluate((s) => !!document.querySelector(s), selector);
    return found ? new WebDriverElement(this, selector) : null;
  }

  async $$(selector) {
    const count = await this.evaluate((s) => document.querySelectorAll(s).length, selector);
    return Array.from({ length: count }, (_, i) => new WebDriverElement(this, selector, i));
  }

  $$eval(selector, fn, ...args) { return this.onElements(selector, null, fn, args); }

  async waitForFunction(fn, options = {}, ...args) {
    const end = Date.now() + (options.timeout || kWaitMs);
    for (;;) {
      const value = await this.evaluate(fn, ...args);
      if (value) return value;
      if (Date.now() > end) throw new Error(`timed out waiting for ${String(fn).slice(0, 200)}`);
      await sleep(kPollMs);
    }
  }

  async waitForSelector(selector, options = {}) {
    await this.waitForFunction((s) => !!document.querySelector(s), options, selector);
    return new WebDriverElement(this, selector);
  }

  focus(selector) { return this.$eval(selector, (e) => { e.focus(); }); }

  // Choose `value` in the <select> of `selector`, as a person would: the
  // input and change events follow; an error if it has no such option.
  select(selector, value) {
    return this.$eval(selector, (e, v) => {
      if (![...e.options].some((o) => o.value === v)) throw new Error(`no option ${v}`);
      e.value = v;
      e.dispatchEvent(new Event('input', { bubbles: true }));
      e.dispatchEvent(new Event('change', { bubbles: true }));
      return [v];
    }, value);
  }

  async goto(url) {
    await this.switch();
    await this.session.command('POST', '/url', { url });
  }

  async reload() {
    await this.switch();
    await this.session.command('POST', '/refresh', {});
  }

  // The window's inner size (WebDriver sets the outer one: the difference is
  // measured and added). Device-pixel ratios, touch and phones are not WebDriver's.
  async setViewport({ width, height }) {
    await this.switch();
    const inner = await this.evaluate(() => [innerWidth, innerHeight]);
    const outer = await this.session.command('GET', '/window/rect');
    await this.session.command('POST', '/window/rect', {
      width: width + outer.width - inner[0], height: height + outer.height - inner[1] });
    await this.waitForFunction((w, h) => innerWidth === w && innerHeight === h, {}, width, height);
  }

  // A WebDriver pointer move to viewport point (x, y), in whole pixels.
  moveTo(x, y) {
    return { type: 'pointerMove', duration: 0, origin: 'viewport', x: Math.round(x), y: Math.round(y) };
  }

  async keys(actions) {
    await this.switch();
    await this.session.command('POST', '/actions',
      { actions: [{ type: 'key', id: 'keyboard', actions }] });
  }

  async pointer(kind, actions) {
    await this.switch();
    await this.session.command('POST', '/actions', { actions: [{ type: 'pointer', id: kind,
      parameters: { pointerType: kind }, actions }] });
  }

  // Fingers as WebDriver touch pointers: each of `fingers` a list of actions.
  async touch(fingers) {
    await this.switch();
    await this.session.command('POST', '/actions', { actions: fingers.map((actions, i) =>
      ({ type: 'pointer', id: `finger${i}`, parameters: { pointerType: 'touch' }, actions })) });
  }

  evaluateOnNewDocument() {
    throw new Error('WebDriver classic runs no script before the page\'s own');
  }

  createCDPSession() {
    throw new Error('WebDriver has no DevTools protocol');
  }

  async close() {
    await this.switch();
    await this.session.command('DELETE', '/window');
    this.session.pages = this.session.pages.filter((p) => p !== this);
    this.session.current = null;
    const left = this.session.pages[0];
    if (left) await left.switch();
  }
}
