// The page's side of the browser layer (the functions of web/canvas.h): one
// canvas per GLUT window with its own WebGL 1 context, a single shader that
// draws the finished vertices of web/gl.cpp, the listeners that turn the
// page's events into GLUT callbacks, the pop-up menus, full screen, and the
// end of the program.
//
// Choices where the browser keeps something for itself:
// - Esc while a canvas is on the whole screen is the browser's: it leaves full
//   screen and the program is not told (Esc again ends it).
// - Tab moves the focus from canvas to canvas and is not a key of the program.
// - Touch, the page's controls (held Shift, Ctrl and Alt, enlargement) and
//   its help are web/controls.js's; they reach the program through the same
//   calls as the mouse and the keys.
// - At a device-pixel ratio other than 1 each canvas pixel is scaled without
//   smoothing (image-rendering: pixelated), so bitmap text stays crisp: the
//   picture is the program's own, pixel for pixel, only larger.
//
// For screen readers each canvas has a text beside it (hidden from sight,
// aria-live polite): the texts the window drew, in the program's own language
// (marked so), or, where the program describes the window (pageDescribe of
// web/page.h), that description in the page's language (web/words.js). It
// is read when it changes, at most once for a flood of key repeats.
//
// A WebGL context that the browser takes away (a GPU reset, sleep, too many
// contexts) is asked back; when it comes, the canvas is prepared again and the
// layer draws the window anew as it was. One that does not come back within
// restoreWaitMs, or cannot be prepared again, leaves a message in the page.

var VeloraneLibrary = {
  $VeloranePage: {
    windows: {},
    ended: false,
    // One vertex of the layer, as web/canvas.h's CanvasVertex lays it out:
    // attribute, floats, offset in floats.
    vertexLayout: [['aPosition', 4, 0], ['aFront', 4, 4], ['aBack', 4, 8], ['aAtlas', 2, 12]],
    vertexFloats: 14,
    // A plain vertex (drawFlags.plain), as web/canvas.h's CanvasPlainVertex
    // lays it out: its one colour is both faces'.
    plainLayout: [['aPosition', 4, 0], ['aFront', 4, 4], ['aBack', 4, 4], ['aAtlas', 2, 8]],
    plainFloats: 10,
    // canvasDraw's flags, as web/canvas.h's CanvasDrawFlag names them.
    drawFlags: { depthTest: 1, blend: 2, cull: 4, textured: 8, windowSpace: 16, plain: 32 },
    // Milliseconds a lost context may take to come back before the page says so.
    restoreWaitMs: 2000,
    // Milliseconds without change before a changed text is read out, and the
    // longest a text may wait while it keeps changing.
    quietMs: 400,
    longestWaitMs: 2000,
    // What the page passes to the program's entries, as web/page_entries.h
    // names it: a button's state, the modifier bits, the two kinds of key.
    buttonState: { pressed: 0, released: 1 },
    modifierBits: { shift: 1, ctrl: 2, alt: 4 },
    keyKind: { character: 0, special: 1 },
    // canvasClear's mask, as web/canvas.h's CanvasClearBit names it.
    clearBits: { color: 1, depth: 2 },
    // The words at this path of web/words.js are the page's status line now
    // (shown again in a new language), or ''.
    statusPath: '',
    formats: {},
    // The lines a screen reader gets for window w: its description in the
    // page's language, else the texts it drew in the program's.
    describe: function (w) {
      var P = VeloranePage;
      var W = VeloraneWords;
      var d = w.description;
      var sentence = d ? W.get('describe.' + d.sentence) : undefined;
      if (typeof sentence !== 'string') {
        if (W.programLanguage()) w.text.lang = W.programLanguage();
        else w.text.removeAttribute('lang');
        return w.texts;
      }
      w.text.lang = W.locale();
      var word = function (key) {
        var found = W.get('describe.' + key);
        return typeof found === 'string' ? found : key;
      };
      // The browser's formatters, made once per language (each costs
      // milliseconds the first time, at the first frame).
      var key = W.locale() + ' ' + d.decimals;
      if (!P.formats[key]) {
        P.formats[key] = {
          list: Intl.ListFormat ? new Intl.ListFormat(W.locale(), { type: 'conjunction' }) : null,
          number: new Intl.NumberFormat(W.locale(), { minimumFractionDigits: d.decimals,
            maximumFractionDigits: d.decimals, useGrouping: false })
        };
      }
      var list = P.formats[key].list;
      var number = P.formats[key].number;
      var args = {};
      d.words.split(';').forEach(function (slot) {
        var parts = slot.split('=');
        if (parts.length !== 2) return;
        var words = parts[1].split(',').filter(Boolean).map(word);
        args[parts[0]] = list ? list.format(words) : words.join(', ');
      });
      d.numbers.forEach(function (n, i) { args[i] = number.format(n); });
      return [W.say('describe.' + d.sentence, args)];
    },
    // Every window's text again, in the page's language, at once.
    describeAll: function () {
      var P = VeloranePage;
      for (var id in P.windows) {
        var w = P.windows[id];
        var lines = P.describe(w);
        clearTimeout(w.textTimer);
        P.writeText(w, lines);
        w.described = lines.join('\n');
      }
    },
    // Fill window w's text with `lines` now, changing only the lines that differ.
    writeText: function (w, lines) {
      var text = w.text;
      while (text.childNodes.length > lines.length) text.lastChild.remove();
      lines.forEach(function (line, i) {
        var node = text.childNodes[i];
        if (!node) node = text.appendChild(document.createElement('p'));
        if (node.textContent !== line) node.textContent = line;
      });
      w.pendingSince = 0;
    },
    // Give window w's text new lines: at once the first time, else once they
    // have stopped changing for quietMs, or after longestWaitMs of changes.
    showText: function (w, lines) {
      var P = VeloranePage;
      if (lines.join('\n') === w.described) return;
      w.described = lines.join('\n');
      clearTimeout(w.textTimer);
      var now = performance.now();
      if (!w.text.childNodes.length) return P.writeText(w, lines);
      if (!w.pendingSince) w.pendingSince = now;
      if (now - w.pendingSince >= P.longestWaitMs) return P.writeText(w, lines);
      w.textTimer = setTimeout(function () { P.writeText(w, lines); }, P.quietMs);
    },
    // A window's context was taken away: draw nothing there until it is back.
    contextLost: function (id) {
      var P = VeloranePage;
      var w = P.windows[id];
      w.lost = true;
      clearTimeout(w.lostTimer);
      w.lostTimer = setTimeout(function () { P.say('messages.lost'); }, P.restoreWaitMs);
    },
    // A window's context came back: prepare it and have the layer draw anew.
    contextRestored: function (id) {
      var P = VeloranePage;
      var w = P.windows[id];
      clearTimeout(w.lostTimer);
      if (!P.prepare(w)) {
        P.say('messages.lost');
        return;
      }
      w.lost = false;
      if (P.statusPath === 'messages.lost') P.status('');
      P.call(function () { _webContextRestored(id); });
    },
    // The window of `id` when it can draw (it has a context), else null.
    drawable: function (id) {
      var w = VeloranePage.windows[id];
      return w && !w.lost ? w : null;
    },
    start: 0,
    menu: null,
    // How far, in CSS pixels, the pointer must move between the press that
    // opens a menu and a release that chooses an entry.
    menuSlopPx: 3,
    // The modifierBits switched on in the page (web/controls.js), held for
    // every key and button event.
    held: 0,
    // Each canvas pixel is shown as scale x scale CSS pixels.
    scale: 1,
    // Run a call into the program, as the runtime runs its own callbacks (an
    // exit() thrown out of it ends here).
    call: function (f) {
      if (VeloranePage.ended) return;
      callUserCallback(f);
    },
    // A line of the page's own (not translated again in another language).
    status: function (text) {
      VeloranePage.statusPath = '';
      var status = document.getElementById('velorane-status');
      if (status) status.textContent = text;
    },
    // The words at `path` (web/words.js) as the status line, in the page's language.
    say: function (path) {
      var P = VeloranePage;
      if (!P.saying) {
        P.saying = true;
        VeloraneWords.listeners.push(function () { if (P.statusPath) P.say(P.statusPath); });
      }
      P.status(VeloraneWords.say(path));
      P.statusPath = path;
    },
    modifiers: function (e) {
      var M = VeloranePage.modifierBits;
      return (e.shiftKey ? M.shift : 0) | (e.ctrlKey ? M.ctrl : 0) | (e.altKey ? M.alt : 0) |
        VeloranePage.held;
    },
    // Canvas pixel of a mouse event, from the canvas's top-left corner.
    position: function (w, e) {
      var rect = w.canvas.getBoundingClientRect();
      var sx = rect.width > 0 ? w.canvas.width / rect.width : 1;
      var sy = rect.height > 0 ? w.canvas.height / rect.height : 1;
      return [Math.floor((e.clientX - rect.left) * sx), Math.floor((e.clientY - rect.top) * sy)];
    },
    // GLUT's codes of the keys (web/page_entries.h): special keys, and the
    // characters of keys that have a name.
    specialKeys: {
      ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103, PageUp: 104,
      PageDown: 105, Home: 106, End: 107, Insert: 108, F1: 1, F2: 2, F3: 3, F4: 4, F5: 5,
      F6: 6, F7: 7, F8: 8, F9: 9, F10: 10, F11: 11, F12: 12
    },
    namedKeys: { Enter: 13, Escape: 27, Backspace: 8, Delete: 127 },
    // [keyKind, GLUT's code] of a key event, or null.
    keyCode: function (e) {
      var K = VeloranePage.keyKind;
      if (e.key in VeloranePage.specialKeys) return [K.special, VeloranePage.specialKeys[e.key]];
      if (e.key in VeloranePage.namedKeys) return [K.character, VeloranePage.namedKeys[e.key]];
      if (e.key.length !== 1) return null;
      var code = e.key.charCodeAt(0);
      if (code > 255) return null;
      // Shift and Ctrl held by the page's buttons act on letters as the keys do.
      var held = VeloranePage.held;
      var M = VeloranePage.modifierBits;
      if (held & M.shift && /[a-z]/.test(e.key)) code = e.key.toUpperCase().charCodeAt(0);
      if ((e.ctrlKey || held & M.ctrl) && /[A-Za-z@\[\\\]^_]/.test(e.key)) code = code & 0x1f;
      return [K.character, code];
    },
    onKey: function (id, e) {
      if (VeloranePage.ended || e.key === 'Tab') return;
      if (e.key === 'Escape' && document.fullscreenElement) return;
      var key = VeloranePage.keyCode(e);
      if (key === null) return;
      e.preventDefault();
      var w = VeloranePage.windows[id];
      var mods = VeloranePage.modifiers(e);
      VeloranePage.call(function () { _webKey(id, key[0], key[1], w.lastX, w.lastY, mods); });
    },
    press: function (id, e) {
      var w = VeloranePage.windows[id];
      if (VeloranePage.ended || e.button > 2) return;
      var p = VeloranePage.position(w, e);
      w.lastX = p[0];
      w.lastY = p[1];
      if (w.menus[e.button] !== undefined) {
        e.preventDefault();
        VeloranePage.openMenu(id, e.button, e.clientX, e.clientY);
        return;
      }
      w.canvas.focus({ preventScroll: true });
      if (w.buttons & (1 << e.button)) return;
      w.buttons |= 1 << e.button;
      var mods = VeloranePage.modifiers(e);
      var pressed = VeloranePage.buttonState.pressed;
      VeloranePage.call(function () { _webMouse(id, e.button, pressed, p[0], p[1], mods); });
    },
    release: function (id, button, x, y, mods) {
      var w = VeloranePage.windows[id];
      if (!(w.buttons & (1 << button))) return;
      w.buttons &= ~(1 << button);
      var released = VeloranePage.buttonState.released;
      VeloranePage.call(function () { _webMouse(id, button, released, x, y, mods); });
    },
    // Every held button of every canvas gets its release at the last position.
    releaseAll: function () {
      for (var id in VeloranePage.windows) {
        var w = VeloranePage.windows[id];
        for (var b = 0; b < 3; ++b) VeloranePage.release(+id, b, w.lastX, w.lastY, 0);
      }
    },
    move: function (e) {
      for (var id in VeloranePage.windows) {
        var w = VeloranePage.windows[id];
        if (e.target !== w.canvas && !w.buttons) continue;
        var p = VeloranePage.position(w, e);
        w.lastX = p[0];
        w.lastY = p[1];
        if (w.buttons) {
          VeloranePage.call(function () { _webMotion(+id, p[0], p[1]); });
        }
      }
    },
    up: function (e) {
      for (var id in VeloranePage.windows) {
        var w = VeloranePage.windows[id];
        if (!(w.buttons & (1 << e.button))) continue;
        var p = VeloranePage.position(w, e);
        VeloranePage.release(+id, e.button, p[0], p[1], VeloranePage.modifiers(e));
      }
    },
    closeMenu: function () {
      if (VeloranePage.menu) VeloranePage.menu.element.remove();
      VeloranePage.menu = null;
    },
    openMenu: function (id, button, clientX, clientY) {
      VeloranePage.closeMenu();
      var w = VeloranePage.windows[id];
      var attached = w.menus[button];
      var list = document.createElement('div');
      list.className = 'velorane-menu';
      list.setAttribute('role', 'menu');
      list.setAttribute('aria-label', w.canvas.getAttribute('aria-label'));
      list.style.left = clientX + 'px';
      list.style.top = clientY + 'px';
      var choose = function (entry) {
        VeloranePage.closeMenu();
        VeloranePage.call(function () { _webMenu(id, attached.menu, entry); });
      };
      attached.labels.forEach(function (label, entry) {
        var item = document.createElement('button');
        item.setAttribute('role', 'menuitem');
        item.textContent = label;
        item.addEventListener('click', function () { choose(entry); });
        // Pressed, dragged onto an entry and released: that entry. A release
        // where the press was is no choice, though the menu, moved to stay in
        // the window, may have opened under the pointer.
        item.addEventListener('mouseup', function (e) {
          var moved = Math.hypot(e.clientX - clientX, e.clientY - clientY) >= VeloranePage.menuSlopPx;
          if (e.button === button && moved) choose(entry);
        });
        list.appendChild(item);
      });
      list.addEventListener('keydown', function (e) {
        if (e.key === 'Escape') {
          e.preventDefault();
          e.stopPropagation();
          VeloranePage.closeMenu();
          w.canvas.focus({ preventScroll: true });
        }
      });
      list.addEventListener('contextmenu', function (e) { e.preventDefault(); });
      (document.fullscreenElement || document.body).appendChild(list);
      // Kept inside the window, so that it opens near an edge too.
      var box = list.getBoundingClientRect();
      list.style.left = Math.max(0, Math.min(clientX, window.innerWidth - box.width)) + 'px';
      list.style.top = Math.max(0, Math.min(clientY, window.innerHeight - box.height)) + 'px';
      VeloranePage.menu = { element: list, window: id };
      if (list.firstChild) list.firstChild.focus({ preventScroll: true });
    },
    onScreenChange: function () {
      for (var id in VeloranePage.windows) {
        var w = VeloranePage.windows[id];
        var on = document.fullscreenElement === w.frame;
        if (on && !w.wantFull) {
          // Full screen came after the program had asked to leave it.
          document.exitFullscreen().catch(function () {});
          continue;
        }
        var width = on ? Math.max(1, Math.round(window.innerWidth)) : 0;
        var height = on ? Math.max(1, Math.round(window.innerHeight)) : 0;
        // On the whole screen the window follows the screen's size: a browser
        // may still be growing it (hiding its bars) after saying it is full.
        if (on === w.full && (!on || (width === w.fullSize[0] && height === w.fullSize[1]))) {
          continue;
        }
        w.full = on;
        w.fullSize = [width, height];
        w.canvas.classList.toggle('velorane-full', on);
        if (!on) w.wantFull = false;
        (function (i, x, y) {
          VeloranePage.call(function () { _webScreen(i, x, y); });
        })(+id, width, height);
      }
    },
    vertexShader:
      'attribute vec4 aPosition; attribute vec4 aFront; attribute vec4 aBack;' +
      'attribute vec2 aAtlas; varying vec4 vFront; varying vec4 vBack; varying vec2 vAtlas;' +
      'void main() { gl_Position = aPosition; gl_PointSize = 1.0;' +
      ' vFront = aFront; vBack = aBack; vAtlas = aAtlas; }',
    fragmentShader:
      'precision highp float; uniform bool uTextured; uniform sampler2D uAtlas;' +
      'varying vec4 vFront; varying vec4 vBack; varying vec2 vAtlas;' +
      'void main() { if (uTextured && texture2D(uAtlas, vAtlas).r < 0.5) discard;' +
      ' gl_FragColor = gl_FrontFacing ? vFront : vBack; }',
    // The shader, buffer and atlas of a new context; false when any fails.
    // Only the link status is asked for: each status waits for the compiler,
    // and a shader that does not compile makes the link fail.
    prepare: function (w) {
      var g = w.gl;
      var compile = function (type, source) {
        var shader = g.createShader(type);
        g.shaderSource(shader, source);
        g.compileShader(shader);
        return shader;
      };
      var vs = compile(g.VERTEX_SHADER, VeloranePage.vertexShader);
      var fs = compile(g.FRAGMENT_SHADER, VeloranePage.fragmentShader);
      if (!vs || !fs) return false;
      var program = g.createProgram();
      g.attachShader(program, vs);
      g.attachShader(program, fs);
      g.linkProgram(program);
      if (!g.getProgramParameter(program, g.LINK_STATUS)) return false;
      g.useProgram(program);
      w.buffer = g.createBuffer();
      g.bindBuffer(g.ARRAY_BUFFER, w.buffer);
      w.indices = g.createBuffer();
      g.bindBuffer(g.ELEMENT_ARRAY_BUFFER, w.indices);
      w.attributes = {};
      VeloranePage.vertexLayout.forEach(function (a) {
        w.attributes[a[0]] = g.getAttribLocation(program, a[0]);
        g.enableVertexAttribArray(w.attributes[a[0]]);
      });
      w.textured = g.getUniformLocation(program, 'uTextured');
      // The state canvasDraw last gave this context (none yet: a new context).
      w.sent = {};
      g.uniform1i(g.getUniformLocation(program, 'uAtlas'), 0);
      w.atlas = g.createTexture();
      g.bindTexture(g.TEXTURE_2D, w.atlas);
      g.texParameteri(g.TEXTURE_2D, g.TEXTURE_MIN_FILTER, g.NEAREST);
      g.texParameteri(g.TEXTURE_2D, g.TEXTURE_MAG_FILTER, g.NEAREST);
      g.texParameteri(g.TEXTURE_2D, g.TEXTURE_WRAP_S, g.CLAMP_TO_EDGE);
      g.texParameteri(g.TEXTURE_2D, g.TEXTURE_WRAP_T, g.CLAMP_TO_EDGE);
      g.pixelStorei(g.UNPACK_ALIGNMENT, 1);
      return true;
    },
    // The end of the program: the page says so and takes no more input.
    end: function (status) {
      if (VeloranePage.ended) return;
      VeloranePage.ended = true;
      VeloranePage.closeMenu();
      if (document.fullscreenElement) document.exitFullscreen().catch(function () {});
      var area = document.getElementById('velorane-windows');
      if (area) area.replaceChildren();
      document.body.setAttribute('data-velorane-exit', String(status));
      if (!VeloranePage.noWebGL) VeloranePage.say('messages.ended');
    }
  },
  $VeloranePage__deps: ['$callUserCallback'],

  canvasCreate: function (id, title, width, height) {
    var P = VeloranePage;
    if (!P.start) P.start = performance.now();
    var area = document.getElementById('velorane-windows') || document.body;
    var frame = document.createElement('div');
    frame.className = 'velorane-window';
    var canvas = document.createElement('canvas');
    canvas.id = 'velorane-window-' + id;
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = width * P.scale + 'px';
    canvas.style.height = height * P.scale + 'px';
    canvas.tabIndex = 0;
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', UTF8ToString(title));
    canvas.setAttribute('data-frames', '0');
    var gl = canvas.getContext('webgl', {
      alpha: false, depth: true, stencil: false, antialias: false,
      premultipliedAlpha: false, preserveDrawingBuffer: true
    });
    // The window's words for screen readers, read with the canvas and when they change.
    var text = document.createElement('div');
    text.id = 'velorane-text-' + id;
    text.className = 'velorane-text';
    text.setAttribute('aria-live', 'polite');
    canvas.setAttribute('aria-describedby', text.id);
    var w = { canvas: canvas, frame: frame, gl: gl, viewport: [0, 0, width, height],
              menus: {}, buttons: 0, lastX: 0, lastY: 0, full: false, fullSize: [0, 0],
              wantFull: false,
              text: text, title: UTF8ToString(title), texts: [], described: '',
              description: null };
    if (!gl || !P.prepare(w)) {
      P.noWebGL = true;
      P.say('messages.noWebGL');
      return 0;
    }
    frame.appendChild(canvas);
    frame.appendChild(text);
    area.appendChild(frame);
    P.windows[id] = w;
    canvas.addEventListener('keydown', function (e) { P.onKey(id, e); });
    canvas.addEventListener('mousedown', function (e) { P.press(id, e); });
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    canvas.addEventListener('webglcontextlost', function (e) {
      e.preventDefault();
      P.contextLost(id);
    });
    canvas.addEventListener('webglcontextrestored', function () { P.contextRestored(id); });
    if (!P.listening) {
      P.listening = true;
      VeloraneWords.listeners.push(P.describeAll);
      document.addEventListener('mousemove', P.move);
      document.addEventListener('mouseup', P.up);
      window.addEventListener('blur', P.releaseAll);
      document.addEventListener('visibilitychange', function () {
        if (document.hidden) P.releaseAll();
      });
      document.addEventListener('fullscreenchange', P.onScreenChange);
      window.addEventListener('resize', P.onScreenChange);
      document.addEventListener('pointerdown', function (e) {
        if (P.menu && !P.menu.element.contains(e.target)) P.closeMenu();
      }, true);
    }
    if (typeof VeloraneControls !== 'undefined') VeloraneControls.canvasAdded(id, w);
    if (id === 1) canvas.focus({ preventScroll: true });
    return 1;
  },

  canvasResize: function (id, width, height) {
    var w = VeloranePage.windows[id];
    if (!w) return;
    if (w.canvas.width !== width) w.canvas.width = width;
    if (w.canvas.height !== height) w.canvas.height = height;
    if (!w.full) {
      w.canvas.style.width = width * VeloranePage.scale + 'px';
      w.canvas.style.height = height * VeloranePage.scale + 'px';
    }
  },

  canvasViewport: function (id, x, y, width, height) {
    var w = VeloranePage.drawable(id);
    if (!w) return;
    w.viewport = [x, y, width, height];
    w.gl.viewport(x, y, width, height);
  },

  canvasClear: function (id, mask, red, green, blue, alpha) {
    var w = VeloranePage.drawable(id);
    if (!w) return;
    var g = w.gl;
    var bits = 0;
    if (mask & VeloranePage.clearBits.color) {
      g.clearColor(red, green, blue, alpha);
      bits |= g.COLOR_BUFFER_BIT;
    }
    if (mask & VeloranePage.clearBits.depth) {
      g.depthMask(true);
      g.clearDepth(1);
      bits |= g.DEPTH_BUFFER_BIT;
    }
    g.clear(bits);
  },

  canvasDraw: function (id, primitive, vertices, count, indices, indexCount, flags, source,
                        destination, depth) {
    var w = VeloranePage.drawable(id);
    if (!w || count <= 0 || indexCount <= 0) return;
    var g = w.gl;
    var F = VeloranePage.drawFlags;
    var P = VeloranePage;
    var plain = (flags & F.plain) !== 0;
    var floats = count * (plain ? P.plainFloats : P.vertexFloats);
    g.bufferData(g.ARRAY_BUFFER, HEAPF32.subarray(vertices >> 2, (vertices >> 2) + floats),
                 g.STREAM_DRAW);
    g.bufferData(g.ELEMENT_ARRAY_BUFFER,
                 HEAPU16.subarray(indices >> 1, (indices >> 1) + indexCount), g.STREAM_DRAW);
    // Only what differs from the context's state is sent: each call crosses
    // to the browser's GPU process.
    var s = w.sent;
    var capability = function (bit, name) {
      var on = (flags & bit) !== 0;
      if (s[name] === on) return;
      if (on) g.enable(g[name]); else g.disable(g[name]);
      s[name] = on;
    };
    if (s.plain !== plain) {
      // The attributes read the layout of this draw's vertices.
      var stride = (plain ? P.plainFloats : P.vertexFloats) * 4;
      (plain ? P.plainLayout : P.vertexLayout).forEach(function (a) {
        g.vertexAttribPointer(w.attributes[a[0]], a[1], g.FLOAT, false, stride, a[2] * 4);
      });
      s.plain = plain;
    }
    capability(F.depthTest, 'DEPTH_TEST');
    capability(F.blend, 'BLEND');
    capability(F.cull, 'CULL_FACE');
    if (flags & F.depthTest && s.depthFunc !== depth) {
      g.depthFunc(depth);
      s.depthFunc = depth;
    }
    if (flags & F.blend && (s.source !== source || s.destination !== destination)) {
      g.blendFunc(source, destination);
      s.source = source;
      s.destination = destination;
    }
    var textured = flags & F.textured ? 1 : 0;
    if (s.textured !== textured) {
      g.uniform1i(w.textured, textured);
      s.textured = textured;
    }
    if (flags & F.windowSpace) g.viewport(0, 0, w.canvas.width, w.canvas.height);
    g.drawElements(primitive, indexCount, g.UNSIGNED_SHORT, 0);
    if (flags & F.windowSpace) {
      g.viewport(w.viewport[0], w.viewport[1], w.viewport[2], w.viewport[3]);
    }
  },

  canvasAtlas: function (id, pixels, width, height) {
    var w = VeloranePage.drawable(id);
    if (!w) return;
    var g = w.gl;
    g.texImage2D(g.TEXTURE_2D, 0, g.LUMINANCE, width, height, 0, g.LUMINANCE,
                 g.UNSIGNED_BYTE, HEAPU8.subarray(pixels, pixels + width * height));
  },

  canvasTexts: function (id, texts, length) {
    var P = VeloranePage;
    var w = P.windows[id];
    if (!w) return;
    var bytes = HEAPU8.subarray(texts, texts + length);
    var lines = String.fromCharCode.apply(null, bytes).split('\n');
    lines.pop();
    w.texts = lines;
    P.showText(w, P.describe(w));
  },

  pageDescribe: function (id, sentence, words, numbers, count, decimals) {
    var P = VeloranePage;
    var w = P.windows[id];
    if (!w) return;
    var values = [];
    for (var i = 0; i < count; ++i) values.push(HEAPF64[(numbers >> 3) + i]);
    w.description = { sentence: UTF8ToString(sentence), words: UTF8ToString(words),
                      numbers: values, decimals: Math.max(0, Math.min(20, decimals)) };
    P.showText(w, P.describe(w));
  },

  canvasReportMisuse: function (what) {
    console.error('Velorane (web layer): ' + UTF8ToString(what));
  },

  canvasFrameShown: function (id) {
    var w = VeloranePage.windows[id];
    if (!w) return;
    var frames = Number(w.canvas.getAttribute('data-frames')) + 1;
    w.canvas.setAttribute('data-frames', String(frames));
    // Milliseconds from the opening of the page to the first frame.
    if (frames === 1) w.canvas.setAttribute('data-first-frame', performance.now().toFixed(1));
  },

  canvasRequestFrame: function () {
    requestAnimationFrame(function () {
      VeloranePage.call(function () { _webFrame(); });
    });
  },

  canvasFullScreen: function (id, on) {
    var w = VeloranePage.windows[id];
    if (!w) return;
    if (on) {
      w.wantFull = true;
      var refused = function () {
        if (!w.wantFull || w.full) return;
        w.wantFull = false;
        VeloranePage.call(function () { _webScreen(id, 0, 0); });
      };
      if (!w.frame.requestFullscreen) {
        refused();
        return;
      }
      w.frame.requestFullscreen().catch(refused);
    } else {
      w.wantFull = false;
      if (document.fullscreenElement === w.frame) {
        document.exitFullscreen().catch(function () {});
      }
    }
  },

  canvasAttachMenu: function (id, menu, button, labels) {
    var w = VeloranePage.windows[id];
    if (!w) return;
    w.menus[button] = { menu: menu, labels: UTF8ToString(labels).split('\n') };
  },

  canvasNow: function () {
    if (!VeloranePage.start) VeloranePage.start = performance.now();
    return performance.now() - VeloranePage.start;
  }
};

autoAddDeps(VeloraneLibrary, '$VeloranePage');
mergeInto(LibraryManager.library, VeloraneLibrary);
