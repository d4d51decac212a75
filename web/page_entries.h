// The page's calls into the browser layer (web/canvas.js and web/controls.js
// call the web* functions, defined in web/glut.cpp): events and repaints, and
// apart from them, hooks that only the tests use. Plain functions of C
// linkage, exported from the WebAssembly; windows are named by their GLUT ids.
// Every number that crosses has a name here, and canvas.js's VeloranePage
// names the same (buttonState, modifierBits, keyKind, specialKeys,
// namedKeys): change both together.
#pragma once

// A mouse button's state in webMouse: GLUT_DOWN and GLUT_UP.
enum PageButtonState {
  kPagePressed = 0,
  kPageReleased = 1,
};

// The modifiers of webKey and webMouse, or-ed: GLUT_ACTIVE_SHIFT, _CTRL, _ALT.
enum PageModifier {
  kPageShift = 1,
  kPageCtrl = 2,
  kPageAlt = 4,
};

// What webKey's key is: a character (the keyboard callback's) or a special
// key (the special callback's, a GLUT_KEY_* code).
enum PageKeyKind {
  kPageCharacter = 0,
  kPageSpecial = 1,
};

// The characters of the keys that have a name (canvas.js's namedKeys); the
// special keys are GLUT's codes as <GL/glut.h> has them (canvas.js's
// specialKeys: F1 to F12 1 to 12, arrows 100 to 103, page keys 104 and 105,
// Home 106, End 107, Insert 108).
enum PageNamedKey {
  kPageBackspace = 8,
  kPageEnter = 13,
  kPageEscape = 27,
  kPageDelete = 127,
};

extern "C" {
// A repaint: reshape and draw every window that asked for it, in id order.
void webFrame();
// A key of `window`: a character or a special key (PageKeyKind `kind`), at
// the pointer's last canvas pixel, with PageModifier bits.
void webKey(int window, int kind, int key, int x, int y, int modifiers);
// Mouse button `button` (0 left, 1 middle, 2 right, as GLUT and the browser
// number them) pressed or released (PageButtonState) at a canvas pixel.
void webMouse(int window, int button, int state, int x, int y, int modifiers);
// The pointer moved to a canvas pixel with a button held in `window`.
void webMotion(int window, int x, int y);
// Entry `entry` (from 0, in the order added) of menu `menu` chosen in `window`.
void webMenu(int window, int menu, int entry);
// The canvas of `window` has a new WebGL context, the old one lost.
void webContextRestored(int window);
// The canvas of `window` went on the whole screen (width x height) or, for 0
// x 0, came back into the page.
void webScreen(int window, int width, int height);

// Hooks for the tests alone; no page control calls them.

// Bytes of the heap in use, from the allocator (the soak checks that they
// stay flat: the heap cannot grow).
int webHeapInUse();
}
