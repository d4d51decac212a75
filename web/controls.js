// The page around the canvases (runs before the program, like web/page.js):
// a title and a sentence on what the program shows, on-screen controls, a
// help panel, touch, enlargement and saving the pictures. What is the
// program's own (its title and sentence, its key buttons and their labels,
// its list of keys) comes from the content given to velorane_web_page
// (web/VeloranePage.cmake); without one the page has the controls that every
// program gets.
//
// Everything reaches the program through the entries the mouse and the keys
// already use (webMouse, webMotion, webKey), so a gesture is the same events
// as the drag it stands for:
// - one finger on a canvas: a left drag with Shift, or with the modifiers
//   switched on in the page;
// - two fingers: an Alt drag by the motion of their midpoint and a Ctrl drag
//   down by the growth of the distance between them, in canvas pixels;
// - a long press (half a second, within a few pixels): the menu of the right
//   button.
// Shift, Ctrl and Alt switched on in the page count as held for every key,
// key button and mouse drag until they are switched off. Every word is
// web/words.js's, in the page's language; the language menu (when the
// content has more than one) changes them all at once, the program running
// on as it was.

var VeloraneControls = {
  // Milliseconds a finger rests for a long press.
  kLongPressMs: 500,
  // CSS pixels a finger may wander and still make a long press.
  kSlopPx: 10,
  // Whether the title, controls and help are in the page.
  ready: false,
  // Touch state of each canvas, by window id.
  touches: {},

  // Build an element with attributes and children (strings become text).
  element: function (tag, attributes, children) {
    var e = document.createElement(tag);
    for (var name in attributes || {}) e.setAttribute(name, attributes[name]);
    (children || []).forEach(function (c) {
      e.appendChild(typeof c === 'string' ? document.createTextNode(c) : c);
    });
    return e;
  },

  button: function (text, label, action) {
    var b = VeloraneControls.element('button', { type: 'button', 'aria-label': label }, [text]);
    b.addEventListener('click', action);
    return b;
  },

  // The first window of the program (the one its key buttons go to).
  firstWindow: function () {
    var ids = Object.keys(VeloranePage.windows).map(Number).sort(function (a, b) { return a - b; });
    return ids.length ? ids[0] : 0;
  },

  // Press key `key` (one character) in the first window, with the held modifiers.
  key: function (key) {
    var id = VeloraneControls.firstWindow();
    var w = VeloranePage.windows[id];
    if (!w) return;
    var mods = VeloranePage.held;
    VeloranePage.call(function () {
      _webKey(id, VeloranePage.keyKind.character, key.charCodeAt(0), w.lastX, w.lastY, mods);
    });
  },

  // Switch a held modifier (a bit of VeloranePage.modifierBits) on or off.
  toggle: function (bit, b) {
    VeloranePage.held ^= bit;
    b.setAttribute('aria-pressed', VeloranePage.held & bit ? 'true' : 'false');
  },

  // Whether every canvas, `scale` times larger, fits the page's width and the
  // window's height.
  fits: function (scale) {
    var area = document.getElementById('velorane-windows');
    var width = area ? area.clientWidth : window.innerWidth;
    return Object.keys(VeloranePage.windows).every(function (id) {
      var c = VeloranePage.windows[id].canvas;
      return c.width * scale <= width && c.height * scale <= window.innerHeight;
    });
  },

  // Show every canvas pixel as a square of `scale` x `scale` CSS pixels.
  setScale: function (scale) {
    VeloranePage.scale = scale;
    for (var id in VeloranePage.windows) {
      var w = VeloranePage.windows[id];
      if (w.full) continue;
      w.canvas.style.width = w.canvas.width * scale + 'px';
      w.canvas.style.height = w.canvas.height * scale + 'px';
    }
    var b = document.getElementById('velorane-enlarge');
    b.textContent = VeloraneWords.say('controls.enlarge', { scale: scale });
    b.setAttribute('aria-label', VeloraneWords.say('controls.enlargeLabel', { scale: scale }));
    document.body.setAttribute('data-velorane-scale', String(scale));
  },

  // The next whole factor that fits, after the largest back to 1.
  enlarge: function () {
    var next = VeloranePage.scale + 1;
    VeloraneControls.setScale(VeloraneControls.fits(next) ? next : 1);
  },

  // Download the canvases' pictures side by side, in window order, as one PNG.
  save: function () {
    var ws = Object.keys(VeloranePage.windows).map(Number).sort(function (a, b) { return a - b; })
      .map(function (id) { return VeloranePage.windows[id].canvas; });
    if (!ws.length) return;
    var out = document.createElement('canvas');
    out.width = ws.reduce(function (sum, c) { return sum + c.width; }, 0);
    out.height = Math.max.apply(null, ws.map(function (c) { return c.height; }));
    var g = out.getContext('2d');
    g.fillStyle = '#000';
    g.fillRect(0, 0, out.width, out.height);
    var x = 0;
    ws.forEach(function (c) {
      g.drawImage(c, x, 0);
      x += c.width;
    });
    var link = document.createElement('a');
    link.download = (ws[0].getAttribute('aria-label') || 'images').toLowerCase() + '.png';
    // With the link to the set-up in it, where the program has one (web/setup_link.js).
    link.href = VeloraneLink.tagPicture(out.toDataURL('image/png'));
    link.click();
  },

  // The rows of a help table: [keys, what they do].
  table: function (rows) {
    var E = VeloraneControls.element;
    return E('table', {}, rows.map(function (r) {
      return E('tr', {}, [E('th', { scope: 'row' }, [r[0]]), E('td', {}, [r[1]])]);
    }));
  },

  // Put the title, the sentence, the controls and the help panel in the page,
  // in the page's language; again, in place of the old, when it changes.
  setup: function () {
    var C = VeloraneControls;
    if (C.ready) return;
    C.ready = true;
    VeloraneWords.listeners.push(C.render);
    VeloraneWords.use(VeloraneWords.preferred());
  },

  render: function () {
    var C = VeloraneControls;
    var E = C.element;
    var W = VeloraneWords;
    var say = function (path, args) { return W.say(path, args); };
    var M = VeloranePage.modifierBits;
    ['velorane-title', 'velorane-about', 'velorane-controls', 'velorane-help'].forEach(function (id) {
      var old = document.getElementById(id);
      if (old) old.remove();
    });
    var title = W.get('title');
    document.title = title || C.firstTitle();
    var area = document.getElementById('velorane-windows');
    var before = area || document.body.firstChild;
    var put = function (node) { before.parentNode.insertBefore(node, before); };
    if (title) put(E('h1', { id: 'velorane-title' }, [title]));
    if (W.get('about')) put(E('p', { id: 'velorane-about' }, [W.get('about')]));
    var bar = E('div', { id: 'velorane-controls' });
    var keys = W.get('keys') || [];
    if (keys.length) {
      bar.appendChild(E('div', { role: 'group', 'aria-label': W.get('keysTitle') || '' },
        [E('span', { class: 'velorane-group' }, [W.get('keysTitle') || ''])].concat(
          keys.map(function (k) {
            var b = C.button(k.text, k.label, function () { C.key(k.key); });
            b.setAttribute('data-key', k.key);
            // "x −" reads as written whichever way the page runs.
            b.setAttribute('dir', 'auto');
            return b;
          }))));
    }
    bar.appendChild(E('div', { role: 'group', 'aria-label': say('controls.held') },
      [E('span', { class: 'velorane-group' }, [say('controls.held')])].concat(
        [[M.shift, say('controls.shift')], [M.ctrl, say('controls.ctrl')],
          [M.alt, say('controls.alt')]].map(function (m) {
          var b = C.button(m[1], say('controls.heldLabel', { key: m[1] }),
            function () { C.toggle(m[0], b); });
          b.setAttribute('aria-pressed', VeloranePage.held & m[0] ? 'true' : 'false');
          b.setAttribute('data-modifier', String(m[0]));
          return b;
        }))));
    var close = C.button(say('controls.close'), say('controls.close'), function () { help.close(); });
    var help = E('dialog', { id: 'velorane-help', 'aria-labelledby': 'velorane-help-title' },
      [close, E('h2', { id: 'velorane-help-title' }, [say('controls.help')])].concat(
        W.get('help') ? [E('h3', {}, [say('controls.keysTitle')]), C.table(W.get('help'))] : [],
        [E('h3', {}, [say('controls.touchTitle')]), C.table(W.get('controls.gestures'))]));
    var helpButton = C.button(say('controls.help'), say('controls.help'),
      function () { help.showModal(); });
    helpButton.id = 'velorane-help-open';
    // Browsers give the focus back to the help button themselves; where one
    // does not, the page does, unless the focus has moved on since.
    help.addEventListener('close', function () {
      if (document.activeElement === document.body) helpButton.focus({ preventScroll: true });
    });
    var enlargeButton = C.button('', '', C.enlarge);
    enlargeButton.id = 'velorane-enlarge';
    var saveButton = C.button(say('controls.save'), say('controls.saveLabel'), C.save);
    saveButton.id = 'velorane-save';
    var page = [enlargeButton, saveButton, helpButton];
    var languages = W.languages();
    if (languages.length > 1) {
      // Each language named in its own words and script.
      var menu = E('select', { id: 'velorane-language', 'aria-label': say('controls.language') },
        languages.map(function (l) {
          var option = E('option', { value: l[0], lang: l[0], dir: l[2] }, [l[1]]);
          if (l[0] === W.code) option.selected = true;
          return option;
        }));
      menu.addEventListener('change', function () {
        W.use(menu.value);
        document.getElementById('velorane-language').focus({ preventScroll: true });
      });
      page.push(E('label', { class: 'velorane-language' }, [say('controls.language'), menu]));
    }
    bar.appendChild(E('div', { role: 'group', 'aria-label': say('controls.page') }, page));
    put(bar);
    document.body.appendChild(help);
    C.setScale(VeloranePage.scale);
  },

  // The title of the program's first window, for a page without its own title.
  firstTitle: function () {
    var C = VeloraneControls;
    var w = VeloranePage.windows[C.firstWindow()];
    return w ? w.title : '';
  },

  // The finger of a pointer event in canvas pixels, not rounded.
  point: function (w, e) {
    var rect = w.canvas.getBoundingClientRect();
    return [(e.clientX - rect.left) * (rect.width > 0 ? w.canvas.width / rect.width : 1),
      (e.clientY - rect.top) * (rect.height > 0 ? w.canvas.height / rect.height : 1)];
  },

  // A whole drag in `id` with modifiers `mods`, from one canvas pixel to another.
  drag: function (id, mods, from, to) {
    VeloranePage.call(function () {
      _webMouse(id, 0, VeloranePage.buttonState.pressed, from[0], from[1], mods);
      _webMotion(id, to[0], to[1]);
      _webMouse(id, 0, VeloranePage.buttonState.released, to[0], to[1], mods);
    });
  },

  // Midpoint and distance of the first two fingers, in canvas pixels.
  pair: function (t) {
    var f = Object.keys(t.fingers).map(function (k) { return t.fingers[k]; });
    return { mid: [Math.floor((f[0][0] + f[1][0]) / 2), Math.floor((f[0][1] + f[1][1]) / 2)],
             distance: Math.hypot(f[0][0] - f[1][0], f[0][1] - f[1][1]) };
  },

  // End a one-finger drag where it was (the release of its left button).
  endOne: function (id, t) {
    clearTimeout(t.timer);
    t.timer = null;
    if (t.mode === 'one') VeloranePage.release(id, 0, t.last[0], t.last[1], t.mods);
    t.mode = 'rest';
  },

  fingerDown: function (id, e) {
    var P = VeloranePage;
    var C = VeloraneControls;
    if (e.pointerType !== 'touch' || P.ended) return;
    e.preventDefault();
    var w = P.windows[id];
    var t = C.touches[id];
    P.closeMenu();
    w.canvas.focus({ preventScroll: true });
    try {
      w.canvas.setPointerCapture(e.pointerId);
    } catch (error) {
      // The finger is already gone; its pointerup follows.
    }
    t.fingers[e.pointerId] = C.point(w, e);
    var count = Object.keys(t.fingers).length;
    if (count === 1) {
      var p = P.position(w, e);
      t.mode = 'one';
      t.mods = P.held || P.modifierBits.shift;
      t.last = p;
      t.start = [e.clientX, e.clientY];
      w.lastX = p[0];
      w.lastY = p[1];
      w.buttons |= 1;
      P.call(function () { _webMouse(id, 0, P.buttonState.pressed, p[0], p[1], t.mods); });
      t.timer = setTimeout(function () { C.openMenu(id, t.start[0], t.start[1]); },
        C.kLongPressMs);
    } else if (count === 2 && t.mode === 'one') {
      C.endOne(id, t);
      var g = C.pair(t);
      t.mode = 'two';
      t.mid = g.mid;
      t.distance = g.distance;
      t.grown = 0;
    } else {
      C.endOne(id, t);
    }
  },

  fingerMove: function (id, e) {
    var P = VeloranePage;
    var C = VeloraneControls;
    var t = C.touches[id];
    if (e.pointerType !== 'touch' || !(e.pointerId in t.fingers) || P.ended) return;
    var w = P.windows[id];
    t.fingers[e.pointerId] = C.point(w, e);
    if (t.mode === 'one') {
      if (Math.hypot(e.clientX - t.start[0], e.clientY - t.start[1]) > C.kSlopPx) {
        clearTimeout(t.timer);
      }
      var p = P.position(w, e);
      if (p[0] === t.last[0] && p[1] === t.last[1]) return;
      t.last = p;
      w.lastX = p[0];
      w.lastY = p[1];
      if (w.buttons & 1) P.call(function () { _webMotion(id, p[0], p[1]); });
    } else if (t.mode === 'two') {
      var g = C.pair(t);
      if (g.mid[0] !== t.mid[0] || g.mid[1] !== t.mid[1]) C.drag(id, P.modifierBits.alt, t.mid, g.mid);
      t.mid = g.mid;
      var grown = Math.round(g.distance - t.distance);
      if (grown !== t.grown) C.drag(id, P.modifierBits.ctrl, [g.mid[0], t.grown], [g.mid[0], grown]);
      t.grown = grown;
    }
  },

  fingerUp: function (id, e) {
    var C = VeloraneControls;
    var t = C.touches[id];
    if (e.pointerType !== 'touch' || !(e.pointerId in t.fingers)) return;
    delete t.fingers[e.pointerId];
    // The fingers left after a gesture do nothing until all are lifted.
    C.endOne(id, t);
    if (Object.keys(t.fingers).length === 0) t.mode = null;
  },

  // Open the right button's menu of `id` at a page point, ending a touch drag.
  openMenu: function (id, clientX, clientY) {
    var P = VeloranePage;
    var t = VeloraneControls.touches[id];
    if (P.ended || P.menu) return;
    if (t.mode) VeloraneControls.endOne(id, t);
    if (P.windows[id].menus[2] !== undefined) P.openMenu(id, 2, clientX, clientY);
  },

  // A new canvas: touch, and the menu from the keyboard (the menu key, Shift+F10).
  canvasAdded: function (id, w) {
    var C = VeloraneControls;
    C.setup();
    if (!VeloraneWords.get('title') && id === C.firstWindow()) document.title = w.title;
    C.touches[id] = { fingers: {}, mode: null, timer: null };
    w.canvas.addEventListener('pointerdown', function (e) { C.fingerDown(id, e); });
    w.canvas.addEventListener('pointermove', function (e) { C.fingerMove(id, e); });
    w.canvas.addEventListener('pointerup', function (e) { C.fingerUp(id, e); });
    w.canvas.addEventListener('pointercancel', function (e) { C.fingerUp(id, e); });
    w.canvas.addEventListener('contextmenu', function (e) {
      var rect = w.canvas.getBoundingClientRect();
      var keyboard = e.clientX === 0 && e.clientY === 0;
      C.openMenu(id, keyboard ? rect.left + 8 : e.clientX, keyboard ? rect.top + 8 : e.clientY);
    });
  }
};

document.addEventListener('DOMContentLoaded', VeloraneControls.setup);
