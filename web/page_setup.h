// A program's set-up in the page's address: what a program may give the
// page so that a link (the address, its QR code, a saved picture) reopens
// the program as it was. Two entries of C linkage that the program defines
// itself, in a file built only for the browser, kept by EMSCRIPTEN_KEEPALIVE;
// the page (web/setup_link.js) calls them and carries their text between the
// address after '#' and the program, knowing nothing of what it says. A
// program without them has no set-up in its address and no share controls.
#pragma once

extern "C" {
// The program's set-up now, as the text after '#' of the page's address (""
// for the set-up it started with). Owned by the program, valid until its next
// call.
const char* webSetupWrite(void);

// Take the set-up `text` (UTF-8, the address after '#', "" for the set-up the
// program started with) as a whole and redraw, and return null; or change
// nothing and return the part of `text` refused (owned by the program, valid
// until its next call). The page's first call, before the first frame, comes
// once the program has set itself up.
const char* webSetupRead(const char* text);
}
