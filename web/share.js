// The page's controls for passing a set-up on (runs before the program, like
// web/controls.js), for a program whose set-up lives in the address
// (web/page_setup.h, web/setup_link.js):
// - "Share": a dialog with the link to the program's set-up now, as text to
//   copy (copied at once where the browser allows it), and its QR code, drawn
//   by qrcode-generator (bundled in the page, web/package.json: nothing is
//   fetched), each module a whole number of pixels, large enough to be read
//   across a room when projected. A page opened from a file says that a
//   phone needs the page on a web space to follow the link.
// - "Open a picture": a PNG that "Save the pictures" wrote gives the program
//   back the set-up of its link; so does a file dropped anywhere on the page.
//   The browser never opens a dropped file itself.
// - A line under the controls says what became of an address, a picture or a
//   copy (text only: an address is anyone's input).
// The words are web/words.js's "link", in the page's language; the language
// menu says the buttons, the panel and the line again in the new one.

var VeloraneShare = {
  // The longest file name or refused part shown in a line, in characters.
  kShownLength: 60,
  // The QR code's quiet zone, in modules.
  kQuietModules: 4,
  ready: false,
  // The share panel's elements and their words (setup), said anew at each
  // opening and when the language changes.
  panelWords: [],
  // The line shown, [key, values], or null.
  shown: null,
  // The key of the copy's line in the share panel, or ''.
  copiedKey: '',
  style:
    '#velorane-share { box-sizing: border-box; max-width: 96vw; max-height: 96vh; overflow: auto;' +
    ' background: #f4f4f4;' +
    ' color: #000; border: 1px solid #333; text-align: center; }' +
    '#velorane-share::backdrop { background: rgba(0, 0, 0, 0.6); }' +
    '#velorane-share h2 { margin-top: 0; }' +
    '#velorane-share input { font: inherit; width: min(40em, 86vw); box-sizing: border-box;' +
    ' padding: 8px; min-height: 44px; }' +
    '#velorane-share button { font: inherit; min-width: 44px; min-height: 44px;' +
    ' padding: 4px 12px; margin: 6px; }' +
    '#velorane-share img { display: block; margin: 8px auto; image-rendering: pixelated;' +
    ' }' +
    '#velorane-link-line { min-height: 1.4em; margin: 0 0 10px; }' +
    // A phone in portrait: the page's margins, as the other lines have them.
    '@media (max-width: 400px) { #velorane-link-line { margin: 0 8px 10px; } }',

  // The word `key` of the content's "link" (web/words.js, in the page's
  // language), each {name} filled with values' texts cut to kShownLength.
  say: function (key, values) {
    var cut = {};
    for (var name in values || {}) {
      var v = String(values[name]);
      cut[name] = v.length > VeloraneShare.kShownLength
        ? v.slice(0, VeloraneShare.kShownLength) + '…' : v;
    }
    return VeloraneWords.say('link.' + key, cut);
  },

  // Show the word `key` (with `values`) in the page's line, as text; said
  // again in the new language when the language changes. No key: no line.
  line: function (key, values) {
    VeloraneShare.shown = key ? [key, values] : null;
    var line = document.getElementById('velorane-link-line');
    if (line) line.textContent = key ? VeloraneShare.say(key, values) : '';
  },

  // The line for what became of an address (file null) or of a picture.
  opened: function (result, file) {
    var S = VeloraneShare;
    if (result.tooLong) {
      S.line('tooLong', { length: result.tooLong });
    } else if (result.refused !== undefined) {
      S.line(file === null ? 'refused' : 'pictureRefused', { part: result.refused, file: file });
    } else {
      S.line(file === null ? '' : 'restored', { file: file });
    }
  },

  // Show the QR code of `text` in the picture `image`, one pixel a module with
  // its quiet zone (drawn on a canvas outside the page, which holds only the
  // program's canvases), each module a whole number of CSS pixels, as large as
  // the window lets it be; false when the text is too long for any QR code.
  drawCode: function (image, text) {
    var code;
    try {
      code = VeloraneQr(0, 'M');
      code.addData(text);
      code.make();
    } catch (e) {
      return false;
    }
    var n = code.getModuleCount();
    var quiet = VeloraneShare.kQuietModules;
    var canvas = document.createElement('canvas');
    canvas.width = canvas.height = n + 2 * quiet;
    var g = canvas.getContext('2d');
    g.fillStyle = '#fff';
    g.fillRect(0, 0, canvas.width, canvas.height);
    g.fillStyle = '#000';
    for (var r = 0; r < n; ++r) {
      for (var c = 0; c < n; ++c) {
        if (code.isDark(r, c)) g.fillRect(quiet + c, quiet + r, 1, 1);
      }
    }
    image.src = canvas.toDataURL('image/png');
    var side = Math.min(innerHeight * 0.55, innerWidth * 0.86);
    image.style.width = image.style.height =
      Math.max(1, Math.floor(side / canvas.width)) * canvas.width + 'px';
    return true;
  },

  // Open the share dialog with the link of the set-up now, and copy it.
  share: function () {
    var S = VeloraneShare;
    var link = VeloraneLink.link();
    var dialog = document.getElementById('velorane-share');
    var text = document.getElementById('velorane-share-link');
    text.value = link;
    var code = document.getElementById('velorane-share-code');
    code.hidden = !S.drawCode(code, link);
    document.getElementById('velorane-share-disk').hidden = location.protocol !== 'file:';
    var say = function (key) {
      S.copiedKey = key;
      S.sayPanel();
    };
    say('');
    if (!dialog.open) dialog.showModal();
    text.focus();
    text.select();
    try {
      navigator.clipboard.writeText(link).then(function () { say('copied'); },
        function () { say('notCopied'); });
    } catch (e) {
      say('notCopied');
    }
  },

  // The panel's words and the copy's line in the page's language now.
  sayPanel: function () {
    var S = VeloraneShare;
    S.panelWords.forEach(function (p) {
      if (p[1]) p[0].setAttribute(p[1], S.say(p[2]));
      else p[0].textContent = S.say(p[2]);
    });
    var copied = document.getElementById('velorane-share-copied');
    if (copied) copied.textContent = S.copiedKey ? S.say(S.copiedKey) : '';
  },

  // The share and open buttons in the page's controls, after "Save the
  // pictures" (the controls are made anew when the language changes), the
  // line under them, and every word in the page's language.
  render: function () {
    var S = VeloraneShare;
    var C = VeloraneControls;
    var shareButton = C.button(S.say('share'), S.say('shareLabel'), S.share);
    shareButton.id = 'velorane-share-open';
    var openButton = C.button(S.say('open'), S.say('openLabel'), function () { S.input.click(); });
    openButton.id = 'velorane-open';
    S.input.setAttribute('aria-label', S.say('openLabel'));
    ['velorane-share-open', 'velorane-open'].forEach(function (id) {
      var old = document.getElementById(id);
      if (old) old.remove();
    });
    var save = document.getElementById('velorane-save');
    var group = save ? save.parentNode : document.getElementById('velorane-controls');
    if (!group) group = document.body;
    var after = save ? save.nextSibling : null;
    [shareButton, openButton, S.input].forEach(function (b) { group.insertBefore(b, after); });
    var bar = document.getElementById('velorane-controls');
    var line = S.lineElement;
    if (bar) bar.parentNode.insertBefore(line, bar.nextSibling);
    else if (!line.parentNode) document.body.insertBefore(line, document.body.firstChild);
    if (S.shown) S.line(S.shown[0], S.shown[1]);
    S.sayPanel();
  },

  // Give the program the set-up of the picture `file` (a File), if it has one.
  openFile: function (file) {
    var S = VeloraneShare;
    var name = file.name || '';
    file.slice(0, VeloraneLink.longestPicture).arrayBuffer().then(function (buffer) {
      var found = VeloraneLink.pngLink(new Uint8Array(buffer));
      if (!found.png) return S.line('notPng', { file: name });
      if (found.link === null) return S.line('noSetup', { file: name });
      S.opened(VeloraneLink.take(VeloraneLink.fragment(found.link)), name);
    }, function () { S.line('notPng', { file: name }); });
  },

  // Put the controls, the dialog and the line in the page (once the program
  // has taken or refused the address's set-up, `result`).
  setup: function (result) {
    var S = VeloraneShare;
    if (S.ready) return;
    S.ready = true;
    var E = VeloraneControls.element;
    var style = document.createElement('style');
    style.textContent = S.style;
    document.head.appendChild(style);
    var close = VeloraneControls.button('', '', function () { dialog.close(); });
    var copy = VeloraneControls.button('', '', S.share);
    var title = E('h2', { id: 'velorane-share-title' });
    var about = E('p');
    // A link reads left to right in every language.
    var text = E('input', { id: 'velorane-share-link', type: 'text', readonly: '',
      spellcheck: 'false', dir: 'ltr' });
    var disk = E('p', { id: 'velorane-share-disk' });
    var code = E('img', { id: 'velorane-share-code' });
    // Each element, the attribute (or its text, for null) and its word.
    S.panelWords = [[title, null, 'shareTitle'], [about, null, 'shareAbout'],
      [text, 'aria-label', 'linkLabel'], [copy, null, 'copy'], [copy, 'aria-label', 'copy'],
      [close, null, 'close'], [close, 'aria-label', 'close'], [disk, null, 'fromDisk'],
      [code, 'alt', 'qrLabel']];
    var dialog = E('dialog', { id: 'velorane-share', 'aria-labelledby': 'velorane-share-title' }, [
      title, about, text, E('div', {}, [copy, close]),
      E('p', { id: 'velorane-share-copied', role: 'status' }), disk, code]);
    document.body.appendChild(dialog);
    var input = S.input = E('input', { id: 'velorane-open-file', type: 'file',
      accept: 'image/png,.png', hidden: '' });
    input.addEventListener('change', function () {
      if (input.files.length) S.openFile(input.files[0]);
      input.value = '';
    });
    S.lineElement = E('p', { id: 'velorane-link-line', role: 'status' });
    VeloraneWords.listeners.push(S.render);
    S.opened(result, null);
    S.render();
  }
};

// A file dragged over the page or dropped on it is the page's, never the
// browser's to open; a dropped picture is opened as by "Open a picture".
document.addEventListener('dragover', function (e) { e.preventDefault(); });
document.addEventListener('drop', function (e) {
  e.preventDefault();
  var files = e.dataTransfer ? e.dataTransfer.files : [];
  if (files.length && VeloraneShare.ready) VeloraneShare.openFile(files[0]);
});
