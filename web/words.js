// The page's words (runs before the program, like web/page.js): which
// language the page speaks and what it says in it. Every word a person reads
// or hears comes from here: the program's own from its content
// (VeloranePageContent, made by velorane_web_page from one JSON file per
// language), the rest from the neutral words below, which a program's
// content may translate or replace key by key.
//
// The files come packed (web/VeloranePage.cmake) and are unpacked as the
// page opens; only the chosen language's file is parsed: the others stay
// strings until the language menu picks one. The first choice is the browser's first
// preference that the content has (a whole tag such as "pt-BR" first, then
// its language, "pt"), else the program's own language.

var VeloraneWords = {
  // The layer's own words, in English, for a program without content (or
  // without these keys): its controls, help and lines. {name} is filled in.
  neutral: {
    name: 'English',
    dir: 'ltr',
    controls: {
      language: 'Language',
      held: 'Held keys', shift: 'Shift', ctrl: 'Ctrl', alt: 'Alt',
      heldLabel: '{key} held for drags and keys',
      page: 'Page', enlarge: 'Enlarge ×{scale}', enlargeLabel: 'Enlarge the pictures, now ×{scale}',
      save: 'Save the pictures', saveLabel: 'Save all pictures side by side in one PNG file',
      help: 'Help', close: 'Close', keysTitle: 'Keyboard and mouse',
      touchTitle: 'Touch screen and buttons',
      gestures: [
        ['One finger dragged on a picture', 'as Shift+drag (or the drag of the held keys)'],
        ['Two fingers dragged together', 'as Alt+drag, by their midpoint'],
        ['Two fingers spread / pinched', 'as Ctrl+drag down / up, by the distance gained'],
        ['Long press (half a second)', 'the menu of the right button'],
        ['Shift, Ctrl, Alt', 'held until pressed again, for drags, clicks and key buttons'],
        ['Enlarge', 'the pictures ×2, ×3… while they fit the window, then ×1'],
        ['Save the pictures', 'one PNG file of all pictures side by side'],
        ['Tab, Enter, Space', 'go from button to button and press it; Esc closes the help and the menu']
      ]
    },
    messages: {
      noWebGL: 'This browser does not show WebGL: the program cannot draw here. Turn WebGL ' +
               '(graphics acceleration) on or open the page in another browser.',
      lost: 'The browser took the drawing context (WebGL) away and has not given it back. ' +
            'Reload the page.',
      ended: 'The program has ended. Reload the page to start it again.',
      error: 'The program stopped on an error. Reload the page.'
    },
    // The share panel and the lines of a program whose set-up lives in the
    // address (web/share.js).
    link: {
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
  // The code of the language in use, and its words parsed (null until the
  // first use).
  code: '',
  words: null,
  // Each language's file as text, by code (null until the first use).
  unpacked: null,
  // Called with no arguments after the language has changed.
  listeners: [],

  content: function () {
    return typeof VeloranePageContent !== 'undefined' ? VeloranePageContent : null;
  },

  // The text of each language's file, by code: the content's packed lines
  // (raw deflate of UTF-8, in base64, one file a line in the order of
  // languages()), unpacked at the first use.
  texts: function () {
    var W = VeloraneWords;
    if (W.unpacked) return W.unpacked;
    var content = W.content();
    W.unpacked = {};
    if (!content) return W.unpacked;
    var packed = atob(content.packed);
    var bytes = new Uint8Array(packed.length);
    for (var i = 0; i < packed.length; ++i) bytes[i] = packed.charCodeAt(i);
    var lines = new TextDecoder().decode(VeloraneInflate(bytes, new Uint8Array(content.size)))
      .split('\n');
    content.languages.forEach(function (l, k) { W.unpacked[l[0]] = lines[k]; });
    return W.unpacked;
  },

  // [code, name, direction] of each language of the content, in its order.
  languages: function () {
    var content = VeloraneWords.content();
    return content ? content.languages : [];
  },

  // The language the program's own texts (what its windows draw) are in, or ''.
  programLanguage: function () {
    var content = VeloraneWords.content();
    return content ? content.language : '';
  },

  // The first choice: the browser's preference among the content's languages.
  preferred: function () {
    var codes = VeloraneWords.languages().map(function (l) { return l[0]; });
    if (!codes.length) return '';
    var lower = codes.map(function (c) { return c.toLowerCase(); });
    var wanted = navigator.languages || [navigator.language || ''];
    for (var i = 0; i < wanted.length; ++i) {
      var tag = String(wanted[i]).toLowerCase();
      var at = lower.indexOf(tag);
      if (at < 0) at = lower.indexOf(tag.split('-')[0]);
      if (at >= 0) return codes[at];
    }
    return VeloraneWords.programLanguage() || codes[0];
  },

  // Speak language `code` (one of languages(), or '' for the neutral words):
  // the document's lang and dir follow, then every listener.
  use: function (code) {
    var W = VeloraneWords;
    var content = W.content();
    var text = content && code ? W.texts()[code] : undefined;
    W.code = text === undefined ? '' : code;
    W.words = text === undefined ? {} : JSON.parse(text);
    var root = document.documentElement;
    root.lang = W.code || 'en';
    root.dir = W.get('dir') === 'rtl' ? 'rtl' : 'ltr';
    W.listeners.forEach(function (f) { f(); });
  },

  // The word at `path` ("controls.held"), from the language in use, else
  // the neutral words; undefined when neither has it.
  get: function (path) {
    var W = VeloraneWords;
    if (W.words === null) W.use(W.preferred());
    var find = function (from) {
      return path.split('.').reduce(function (at, key) {
        return at !== undefined && at !== null && Object.prototype.hasOwnProperty.call(at, key)
          ? at[key] : undefined;
      }, from);
    };
    var found = find(W.words);
    return found !== undefined ? found : find(W.neutral);
  },

  // The word at `path` with each {name} replaced by args[name].
  say: function (path, args) {
    var text = VeloraneWords.get(path);
    if (typeof text !== 'string') return '';
    return text.replace(/\{(\w+)\}/g, function (all, name) {
      return args && name in args ? String(args[name]) : all;
    });
  },

  // The language in use as a tag for the browser's formatters.
  locale: function () {
    return VeloraneWords.code || 'en';
  }
};
