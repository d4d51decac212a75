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
// The words are the content's "link" (VeloranePageContent, per language),
// else the layer's own below.

var VeloraneShare = {
  // The longest file name or refused part shown in a line, in characters.
  kShownLength: 60,
  // The QR code's quiet zone, in modules.
  kQuietModules: 4,
  ready: false,
  // The share panel's elements and their words (setup), said anew at each opening.
  panelWords: [],
  words: {
    fr: {
      share: 'Partager', shareLabel: 'Partager le lien de cet état, et son code QR',
      shareTitle: 'Partager', shareAbout: 'Ce lien ouvre la page dans l’état où elle est maintenant.',
      linkLabel: 'Lien', copy: 'Copier le lien', copied: 'Le lien est copié.',
      notCopied: 'Le navigateur n’a pas laissé copier le lien : sélectionnez-le et copiez-le.',
      qrLabel: 'Code QR du lien', close: 'Fermer',
      fromDisk: 'La page est ouverte depuis un fichier : un téléphone ne peut suivre ce lien ' +
        'que si la page est sur un espace web.',
      open: 'Ouvrir une image', openLabel: 'Ouvrir une image enregistrée par cette page',
      refused: 'L’adresse a été refusée (« {part} ») : la page part de son état de départ.',
      tooLong: 'L’adresse a été refusée, bien trop longue ({length} caractères) : la page ' +
        'part de son état de départ.',
      restored: 'L’état de l’image « {file} » est rétabli.',
      noSetup: 'L’image « {file} » ne porte pas d’état de cette page : rien n’a changé.',
      notPng: '« {file} » n’est pas une image PNG : rien n’a changé.',
      pictureRefused: 'L’état de l’image « {file} » a été refusé (« {part} ») : rien n’a changé.'
    },
    en: {
      share: 'Share', shareLabel: 'Share the link to this state, and its QR code',
      shareTitle: 'Share', shareAbout: 'This link opens the page as it is now.',
      linkLabel: 'Link', copy: 'Copy the link', copied: 'The link is copied.',
      notCopied: 'The browser did not let the page copy the link: select it and copy it.',
      qrLabel: 'QR code of the link', close: 'Close',
      fromDisk: 'The page is open from a file: a phone can follow this link only once the ' +
        'page is on a web space.',
      open: 'Open a picture', openLabel: 'Open a picture this page saved',
      refused: 'The address was refused (“{part}”): the page starts as it always does.',
      tooLong: 'The address was refused, far too long ({length} characters): the page ' +
        'starts as it always does.',
      restored: 'The state of the picture “{file}” is back.',
      noSetup: 'The picture “{file}” holds no state of this page: nothing changed.',
      notPng: '“{file}” is not a PNG picture: nothing changed.',
      pictureRefused: 'The state of the picture “{file}” was refused (“{part}”): nothing changed.'
    }
  },
  style:
    '#velorane-share { max-width: 96vw; max-height: 96vh; overflow: auto; background: #f4f4f4;' +
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

  say: function () {
    var language = VeloranePage.language();
    var all = typeof VeloranePageContent !== 'undefined' ? VeloranePageContent : {};
    var content = (all[language] || {}).link || {};
    var own = VeloraneShare.words[language] || VeloraneShare.words.en;
    var words = {};
    for (var k in own) words[k] = k in content ? content[k] : own[k];
    return words;
  },

  // `text` with {name} replaced by values' texts, each cut to kShownLength.
  fill: function (text, values) {
    return text.replace(/\{(\w+)\}/g, function (all, name) {
      var v = String(values[name]);
      return v.length > VeloraneShare.kShownLength
        ? v.slice(0, VeloraneShare.kShownLength) + '…' : v;
    });
  },

  // Show `text` in the page's line (text only).
  line: function (text) {
    var line = document.getElementById('velorane-link-line');
    if (line) line.textContent = text;
  },

  // The line for what became of an address (file null) or of a picture.
  opened: function (result, file) {
    var S = VeloraneShare;
    var w = S.say();
    if (result.tooLong) {
      S.line(S.fill(w.tooLong, { length: result.tooLong }));
    } else if (result.refused !== undefined) {
      S.line(S.fill(file === null ? w.refused : w.pictureRefused,
        { part: result.refused, file: file }));
    } else {
      S.line(file === null ? '' : S.fill(w.restored, { file: file }));
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
    var w = S.say();
    var link = VeloraneLink.link();
    var dialog = document.getElementById('velorane-share');
    var text = document.getElementById('velorane-share-link');
    text.value = link;
    var code = document.getElementById('velorane-share-code');
    code.hidden = !S.drawCode(code, link);
    document.getElementById('velorane-share-disk').hidden = location.protocol !== 'file:';
    // The panel's words in the page's language now.
    S.panelWords.forEach(function (p) {
      if (p[1]) p[0].setAttribute(p[1], w[p[2]]);
      else p[0].textContent = w[p[2]];
    });
    var copied = document.getElementById('velorane-share-copied');
    copied.textContent = '';
    if (!dialog.open) dialog.showModal();
    text.focus();
    text.select();
    var say = function (t) { copied.textContent = t; };
    try {
      navigator.clipboard.writeText(link).then(function () { say(w.copied); },
        function () { say(w.notCopied); });
    } catch (e) {
      say(w.notCopied);
    }
  },

  // Give the program the set-up of the picture `file` (a File), if it has one.
  openFile: function (file) {
    var S = VeloraneShare;
    var w = S.say();
    var name = file.name || '';
    file.slice(0, VeloraneLink.longestPicture).arrayBuffer().then(function (buffer) {
      var found = VeloraneLink.pngLink(new Uint8Array(buffer));
      if (!found.png) return S.line(S.fill(w.notPng, { file: name }));
      if (found.link === null) return S.line(S.fill(w.noSetup, { file: name }));
      S.opened(VeloraneLink.take(VeloraneLink.fragment(found.link)), name);
    }, function () { S.line(S.fill(w.notPng, { file: name })); });
  },

  // Put the controls, the dialog and the line in the page (once the program
  // has taken or refused the address's set-up, `result`).
  setup: function (result) {
    var S = VeloraneShare;
    if (S.ready) return;
    S.ready = true;
    var E = VeloraneControls.element;
    var w = S.say();
    var style = document.createElement('style');
    style.textContent = S.style;
    document.head.appendChild(style);
    var close = VeloraneControls.button('', '', function () { dialog.close(); });
    var copy = VeloraneControls.button('', '', S.share);
    var title = E('h2', { id: 'velorane-share-title' });
    var about = E('p');
    var text = E('input', { id: 'velorane-share-link', type: 'text', readonly: '',
      spellcheck: 'false' });
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
    var shareButton = VeloraneControls.button(w.share, w.shareLabel, S.share);
    shareButton.id = 'velorane-share-open';
    var input = E('input', { id: 'velorane-open-file', type: 'file', accept: 'image/png,.png',
      'aria-label': w.openLabel, hidden: '' });
    input.addEventListener('change', function () {
      if (input.files.length) S.openFile(input.files[0]);
      input.value = '';
    });
    var openButton = VeloraneControls.button(w.open, w.openLabel, function () { input.click(); });
    openButton.id = 'velorane-open';
    var save = document.getElementById('velorane-save');
    var group = save ? save.parentNode : document.getElementById('velorane-controls');
    var after = save ? save.nextSibling : null;
    [shareButton, openButton, input].forEach(function (b) { group.insertBefore(b, after); });
    var bar = document.getElementById('velorane-controls');
    var line = E('p', { id: 'velorane-link-line', role: 'status' });
    if (bar) bar.parentNode.insertBefore(line, bar.nextSibling);
    else document.body.insertBefore(line, document.body.firstChild);
    S.opened(result, null);
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
