// The program's set-up in the page's address (a --js-library of the layer,
// beside web/canvas.js), for a program that defines the entries of
// web/page_setup.h; the page knows nothing of what their text says:
// - before the program's first frames (canvasMainLoop) the text after '#' of
//   the address is given to the program, decoded, and the program takes it
//   whole or refuses it whole; an address longer than `longest` characters is
//   refused without being read;
// - once the pictures have stayed still for `stillMs`, the address follows the
//   program's set-up (history.replaceState: no history entry per key), the
//   bare address for the set-up the program started with;
// - an address changed by hand in the same tab is given to the program too;
// - a saved picture carries the page's link in a PNG text chunk of keyword
//   `pngKeyword` (tagPicture), and a PNG given back to the page is searched
//   for it (pngLink).
// What the page shows of all this (the lines, the share panel, the picture
// given back) is web/share.js's.

var VeloraneLinkLibrary = {
  $VeloraneLink: {
    // The longest text after '#' given to the program, in characters.
    longest: 1024,
    // Milliseconds the pictures stay still before the address follows them.
    stillMs: 400,
    // Keyword of the PNG text chunk (tEXt) that holds a saved picture's link.
    pngKeyword: 'URL',
    // The bytes every PNG file starts with.
    pngSignature: [137, 80, 78, 71, 13, 10, 26, 10],
    // The most bytes of a file searched for the link.
    longestPicture: 16 * 1024 * 1024,
    timer: null,
    crcTable: null,

    // Whether the program takes a set-up from the address.
    available: function () {
      return typeof _webSetupRead === 'function' && typeof _webSetupWrite === 'function';
    },

    // Give the program the set-up `text` (decoded); null when it was taken,
    // else the part it refused.
    read: function (text) {
      var stack = stackSave();
      try {
        var refused = _webSetupRead(allocateUTF8OnStack(text));
        return refused ? UTF8ToString(refused) : null;
      } finally {
        stackRestore(stack);
      }
    },

    // The program's set-up now, as the text after '#' ('' at its start).
    write: function () { return UTF8ToString(_webSetupWrite()); },

    // The page's address without its fragment.
    base: function () { return location.href.split('#')[0]; },

    // The link to the page with the program's set-up now.
    link: function () {
      var setup = VeloraneLink.write();
      return VeloraneLink.base() + (setup ? '#' + setup : '');
    },

    // Give the program the set-up of `raw`, the text after '#' as an address
    // has it (percent-encoded), from a running page's event: what became of it,
    // { taken: true }, { refused: part } or { tooLong: characters }.
    take: function (raw) {
      if (raw.length > VeloraneLink.longest) return { tooLong: raw.length };
      var text;
      try {
        text = decodeURIComponent(raw);
      } catch (e) {
        return { refused: raw };
      }
      var refused = null;
      VeloranePage.call(function () { refused = VeloraneLink.read(text); });
      return refused === null ? { taken: true } : { refused: refused };
    },

    // The text after '#' of a link or of the address ('' without one).
    fragment: function (url) {
      var at = url.indexOf('#');
      return at < 0 ? '' : url.slice(at + 1);
    },

    // Bring the address up to the program's set-up, unless the page has ended.
    follow: function () {
      if (VeloranePage.ended) return;
      var setup = VeloraneLink.write();
      if (VeloraneLink.fragment(location.href) === setup) return;
      history.replaceState(history.state, '', VeloraneLink.base() + (setup ? '#' + setup : ''));
    },

    // The address follows the set-up once the frames have stopped for stillMs.
    watch: function () {
      var frames = new MutationObserver(function () {
        clearTimeout(VeloraneLink.timer);
        VeloraneLink.timer = setTimeout(VeloraneLink.follow, VeloraneLink.stillMs);
      });
      frames.observe(document.body, { subtree: true, attributes: true,
                                      attributeFilter: ['data-frames'] });
    },

    // CRC-32 of bytes[from, to) as PNG chunks have it.
    crc: function (bytes, from, to) {
      var table = VeloraneLink.crcTable;
      if (!table) {
        table = VeloraneLink.crcTable = new Uint32Array(256);
        for (var n = 0; n < 256; ++n) {
          var c = n;
          for (var k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
          table[n] = c >>> 0;
        }
      }
      var crc = 0xffffffff;
      for (var i = from; i < to; ++i) crc = table[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
      return (crc ^ 0xffffffff) >>> 0;
    },

    isPng: function (bytes) {
      return bytes.length >= 8 && VeloraneLink.pngSignature.every(function (b, i) {
        return bytes[i] === b;
      });
    },

    // A PNG's data URL with a text chunk of the page's link after its header.
    tagPicture: function (url) {
      var L = VeloraneLink;
      if (!L.available()) return url;
      var comma = url.indexOf(',');
      var binary = atob(url.slice(comma + 1));
      var bytes = new Uint8Array(binary.length);
      for (var i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
      if (!L.isPng(bytes)) return url;
      // Keyword, a zero byte and the text, in Latin-1 (a link is ASCII).
      var text = L.pngKeyword + '\0' + L.link();
      var chunk = new Uint8Array(12 + text.length);
      var view = new DataView(chunk.buffer);
      view.setUint32(0, text.length);
      'tEXt'.split('').forEach(function (c, k) { chunk[4 + k] = c.charCodeAt(0); });
      for (var j = 0; j < text.length; ++j) chunk[8 + j] = text.charCodeAt(j) & 0xff;
      view.setUint32(8 + text.length, L.crc(chunk, 4, 8 + text.length));
      // After the signature and the header chunk (IHDR), which must come first.
      var at = 8 + 12 + new DataView(bytes.buffer).getUint32(8);
      var out = new Uint8Array(bytes.length + chunk.length);
      out.set(bytes.subarray(0, at), 0);
      out.set(chunk, at);
      out.set(bytes.subarray(at), at + chunk.length);
      var parts = [];
      for (var p = 0; p < out.length; p += 0x8000) {
        parts.push(String.fromCharCode.apply(null, out.subarray(p, p + 0x8000)));
      }
      return url.slice(0, comma + 1) + btoa(parts.join(''));
    },

    // What a file's first bytes hold: { png: false }, or { png: true, link }
    // with the link of its text chunk, null when it has none (or a broken one).
    pngLink: function (bytes) {
      var L = VeloraneLink;
      if (!L.isPng(bytes)) return { png: false };
      var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      var at = 8;
      while (at + 12 <= bytes.length) {
        var length = view.getUint32(at);
        var type = String.fromCharCode(bytes[at + 4], bytes[at + 5], bytes[at + 6], bytes[at + 7]);
        var end = at + 8 + length;
        if (end + 4 > bytes.length || type === 'IEND') break;
        if (type === 'tEXt' && view.getUint32(end) === L.crc(bytes, at + 4, end)) {
          var data = bytes.subarray(at + 8, end);
          var zero = data.indexOf(0);
          var keyword = String.fromCharCode.apply(null, data.subarray(0, Math.max(zero, 0)));
          if (zero > 0 && keyword === L.pngKeyword) {
            var text = [];
            for (var i = zero + 1; i < data.length; ++i) text.push(String.fromCharCode(data[i]));
            return { png: true, link: text.join('') };
          }
        }
        at = end + 4;
      }
      return { png: true, link: null };
    },

    // The program is set up: it gets the address's set-up before its first
    // frame (or, refused, starts as it is), then the address follows it.
    start: function () {
      var L = VeloraneLink;
      if (!L.available()) return;
      // The first call, with the empty set-up, makes the program note the
      // set-up it starts with.
      L.read('');
      var raw = L.fragment(location.href);
      var result = { taken: true };
      if (raw.length > L.longest) {
        result = { tooLong: raw.length };
      } else if (raw) {
        var text = null;
        try {
          text = decodeURIComponent(raw);
        } catch (e) {
          result = { refused: raw };
        }
        var refused = text === null ? null : L.read(text);
        if (refused !== null) result = { refused: refused };
      }
      L.watch();
      // The address the event was for: the address may have followed the
      // program's set-up since.
      window.addEventListener('hashchange', function (e) {
        var now = L.fragment(e.newURL);
        if (now === L.write()) return;
        var r = L.take(now);
        if (typeof VeloraneShare !== 'undefined') VeloraneShare.opened(r, null);
      });
      if (typeof VeloraneShare !== 'undefined') VeloraneShare.setup(result);
    }
  },
  $VeloraneLink__deps: ['$VeloranePage'],

  canvasMainLoop: function () { VeloraneLink.start(); }
};

autoAddDeps(VeloraneLinkLibrary, '$VeloraneLink');
mergeInto(LibraryManager.library, VeloraneLinkLibrary);
