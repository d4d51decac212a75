// GLUT as Velorane calls it, in a web page: each window is a canvas of the
// page with a GL state of its own (web/gl.cpp), its callbacks are run by the
// page's events (web/canvas.js calls the web* functions below), and frames
// are drawn at the page's repaints.
//
// Calls covered, and how each differs from the real one:
// - glutInit takes no options; glutInitDisplayMode is kept but every window is
//   RGB, double-buffered (the page shows a frame when the callback returns)
//   and has a depth buffer.
// - glutInitWindowPosition/glutInitWindowSize, glutCreateWindow: a canvas of
//   the given size in CSS pixels, named by the title (aria-label); the page
//   lays the canvases out, so positions are only reported back by glutGet.
//   Without WebGL the page says so and the program ends with status 1.
// - glutMainLoop: draws the first frames at once, then returns to the page
//   and never comes back; a window's reshape callback runs before its first
//   frame, then whenever its size changes (without one, the viewport follows
//   the canvas). Before them the page may give the program its set-up from
//   the address (web/page_setup.h).
// - glutDisplayFunc, glutReshapeFunc, glutKeyboardFunc, glutSpecialFunc,
//   glutMouseFunc, glutMotionFunc: for the current window. Keys come from the
//   focused canvas: characters as their Latin-1 codes (with Ctrl, letters as
//   control codes, as X11 gives them), Enter 13, Esc 27, Backspace 8, Delete
//   127; arrows, page, Home, End, Insert and F1 to F12 as special keys. Repeats
//   arrive like presses. Tab is left to the page (it moves the focus). Mouse
//   positions are in canvas pixels from the top-left corner; a drag keeps its
//   canvas while the button is held, and one whose release is lost (focus gone,
//   pointer capture lost) gets its release at the last position.
// - glutPostRedisplay, glutPostWindowRedisplay: the frame is drawn at the next
//   repaint (none while the page is hidden); glutSwapBuffers sends the frame.
// - glutGetWindow, glutGet (window x, y, width, height; elapsed time; 0 for the
//   rest), glutGetModifiers (Shift, Ctrl, Alt of the event being handled).
// - glutFullScreen: the canvas asks the browser for full screen and is then
//   reshaped to the screen; glutPositionWindow and glutReshapeWindow leave full
//   screen, and the size asked for is given at the next repaint. When the
//   browser refuses full screen or leaves it by itself (Esc), the canvas keeps
//   or gets back its size in the page.
// - glutCreateMenu, glutAddMenuEntry, glutAttachMenu: a pop-up list in the
//   page, opened by pressing the attached button on the canvas (the browser's
//   context menu is suppressed there), chosen by a click or by releasing the
//   button on an entry, closed by Esc or a click elsewhere.
// - glutBitmapCharacter: GLUT's seven bitmap fonts, freeglut's own glyphs
//   (web/glut_fonts.h), drawn with the layer's glBitmap at the raster position
//   in the raster colour and moving it on by the glyph's width. Each glyph
//   goes to the window's atlas at its first use (and stays there, so a text
//   costs no more than its quads); character codes 1 to 255, others and
//   unknown fonts draw nothing. It does not change the unpack alignment.
// - glutStrokeCharacter: GLUT_STROKE_ROMAN and GLUT_STROKE_MONO_ROMAN,
//   freeglut's own strokes, each strip a GL_LINE_STRIP of glVertex3f in the
//   plane z = 0 (so with the line width and smoothing of web/gl.cpp), then
//   glTranslatef by the character's advance; codes 0 to 127, a code without a
//   character draws nothing and does not move.
// - A canvas whose WebGL context the browser took away and gave back is drawn
//   anew (webContextRestored), with the state it had.
#include <GL/glut.h>
#include <emscripten.h>
#include <malloc.h>

#include <map>
#include <string>
#include <vector>

#include "web/canvas.h"
#include "web/gl_state.h"
#include "web/glut_fonts.h"
#include "web/page_entries.h"

// The page's names of what it passes are GLUT's values.
static_assert(kPagePressed == GLUT_DOWN && kPageReleased == GLUT_UP, "button states");
static_assert(kPageShift == GLUT_ACTIVE_SHIFT && kPageCtrl == GLUT_ACTIVE_CTRL &&
                  kPageAlt == GLUT_ACTIVE_ALT,
              "modifier bits");

struct Window {
  int width = 0, height = 0;
  int x = 0, y = 0;
  // The size in the page, kept while the canvas is on the whole screen.
  int pageWidth = 0, pageHeight = 0;
  bool fullScreen = false;
  bool needsReshape = true;
  bool needsDisplay = true;
  void (*display)() = nullptr;
  void (*reshape)(int, int) = nullptr;
  void (*keyboard)(unsigned char, int, int) = nullptr;
  void (*special)(int, int, int) = nullptr;
  void (*mouse)(int, int, int, int) = nullptr;
  void (*motion)(int, int) = nullptr;
};

struct Menu {
  void (*callback)(int) = nullptr;
  std::vector<std::string> labels;
  std::vector<int> values;
};

static std::map<int, Window> windows;
static std::map<int, Menu> menus;
static int currentWindow = 0;
static int currentMenu = 0;
static int nextWindow = 1;
static int nextMenu = 1;
static int initialX = -1, initialY = -1;
static int initialWidth = 300, initialHeight = 300;
static int eventModifiers = 0;
static bool frameRequested = false;

// Make window `id` current, its GL state with it.
static void makeCurrent(int id) {
  if (windows.count(id) == 0) return;
  currentWindow = id;
  glStateMakeCurrent(id);
}

static Window* current() {
  auto found = windows.find(currentWindow);
  return found == windows.end() ? nullptr : &found->second;
}

static void requestFrame() {
  if (frameRequested) return;
  frameRequested = true;
  canvasRequestFrame();
}

// Give window `id` a new size at the next repaint.
static void resize(int id, int width, int height) {
  Window& w = windows[id];
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  w.width = width;
  w.height = height;
  w.needsReshape = true;
  w.needsDisplay = true;
  requestFrame();
}

void glutInit(int* argc, char** argv) {
  (void)argc;
  (void)argv;
}

void glutInitDisplayMode(unsigned int mode) { (void)mode; }

void glutInitWindowPosition(int x, int y) {
  initialX = x;
  initialY = y;
}

void glutInitWindowSize(int width, int height) {
  initialWidth = width > 0 ? width : 300;
  initialHeight = height > 0 ? height : 300;
}

int glutCreateWindow(const char* title) {
  const int id = nextWindow++;
  if (canvasCreate(id, title, initialWidth, initialHeight) == 0) {
    // The page has said that WebGL is missing.
    emscripten_force_exit(1);
  }
  Window& w = windows[id];
  w.width = w.pageWidth = initialWidth;
  w.height = w.pageHeight = initialHeight;
  w.x = initialX;
  w.y = initialY;
  glStateCreate(id, initialWidth, initialHeight);
  makeCurrent(id);
  requestFrame();
  return id;
}

void glutMainLoop(void) {
  canvasMainLoop();
  // The first frames are drawn now rather than at the next repaint: the page
  // shows them as soon as the script returns.
  webFrame();
  emscripten_exit_with_live_runtime();
}

void glutDisplayFunc(void (*callback)(void)) {
  if (current() != nullptr) current()->display = callback;
}

void glutReshapeFunc(void (*callback)(int width, int height)) {
  if (current() != nullptr) current()->reshape = callback;
}

void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y)) {
  if (current() != nullptr) current()->keyboard = callback;
}

void glutSpecialFunc(void (*callback)(int key, int x, int y)) {
  if (current() != nullptr) current()->special = callback;
}

void glutMouseFunc(void (*callback)(int button, int state, int x, int y)) {
  if (current() != nullptr) current()->mouse = callback;
}

void glutMotionFunc(void (*callback)(int x, int y)) {
  if (current() != nullptr) current()->motion = callback;
}

void glutPostRedisplay(void) { glutPostWindowRedisplay(currentWindow); }

void glutPostWindowRedisplay(int window) {
  auto found = windows.find(window);
  if (found == windows.end()) return;
  found->second.needsDisplay = true;
  requestFrame();
}

void glutSwapBuffers(void) {
  glStateFinish();
  canvasFrameShown(currentWindow);
}

int glutGetWindow(void) { return currentWindow; }

int glutGet(GLenum state) {
  const Window* w = current();
  switch (state) {
    case GLUT_WINDOW_X: return w != nullptr ? w->x : 0;
    case GLUT_WINDOW_Y: return w != nullptr ? w->y : 0;
    case GLUT_WINDOW_WIDTH: return w != nullptr ? w->width : 0;
    case GLUT_WINDOW_HEIGHT: return w != nullptr ? w->height : 0;
    case GLUT_ELAPSED_TIME: return static_cast<int>(canvasNow());
    default: return 0;
  }
}

int glutGetModifiers(void) { return eventModifiers; }

void glutFullScreen(void) {
  Window* w = current();
  if (w == nullptr || w->fullScreen) return;
  w->fullScreen = true;
  canvasFullScreen(currentWindow, 1);
}

void glutPositionWindow(int x, int y) {
  Window* w = current();
  if (w == nullptr) return;
  w->x = x;
  w->y = y;
  if (w->fullScreen) {
    w->fullScreen = false;
    canvasFullScreen(currentWindow, 0);
  }
}

void glutReshapeWindow(int width, int height) {
  Window* w = current();
  if (w == nullptr) return;
  if (w->fullScreen) {
    w->fullScreen = false;
    canvasFullScreen(currentWindow, 0);
  }
  w->pageWidth = width > 0 ? width : 1;
  w->pageHeight = height > 0 ? height : 1;
  resize(currentWindow, w->pageWidth, w->pageHeight);
}

int glutCreateMenu(void (*callback)(int value)) {
  const int id = nextMenu++;
  menus[id].callback = callback;
  currentMenu = id;
  return id;
}

void glutAddMenuEntry(const char* label, int value) {
  auto found = menus.find(currentMenu);
  if (found == menus.end()) return;
  found->second.labels.push_back(label);
  found->second.values.push_back(value);
}

void glutAttachMenu(int button) {
  auto found = menus.find(currentMenu);
  if (found == menus.end() || current() == nullptr) return;
  std::string joined;
  for (const std::string& label : found->second.labels) {
    if (!joined.empty()) joined += '\n';
    joined += label;
  }
  canvasAttachMenu(currentWindow, currentMenu, button, joined.c_str());
}

// The bitmap font of a GLUT font handle, or none.
static const SFG_Font* bitmapFont(void* font) {
  if (font == GLUT_BITMAP_9_BY_15) return &fgFontFixed9x15;
  if (font == GLUT_BITMAP_8_BY_13) return &fgFontFixed8x13;
  if (font == GLUT_BITMAP_TIMES_ROMAN_10) return &fgFontTimesRoman10;
  if (font == GLUT_BITMAP_TIMES_ROMAN_24) return &fgFontTimesRoman24;
  if (font == GLUT_BITMAP_HELVETICA_10) return &fgFontHelvetica10;
  if (font == GLUT_BITMAP_HELVETICA_12) return &fgFontHelvetica12;
  if (font == GLUT_BITMAP_HELVETICA_18) return &fgFontHelvetica18;
  return nullptr;
}

void glutBitmapCharacter(void* font, int character) {
  const SFG_Font* f = bitmapFont(font);
  if (f == nullptr || character < 1 || character >= f->Quantity || character > 255) return;
  const GLubyte* glyph = f->Characters[character];
  const float width = static_cast<float>(glyph[0]);
  webCachedBitmap(glyph, glyph[0], f->Height, f->xorig, f->yorig, width, 0.0f, glyph + 1);
}

void glutStrokeCharacter(void* font, int character) {
  const SFG_StrokeFont* f = font == GLUT_STROKE_ROMAN        ? &fgStrokeRoman
                            : font == GLUT_STROKE_MONO_ROMAN ? &fgStrokeMonoRoman
                                                             : nullptr;
  if (f == nullptr || character < 0 || character >= f->Quantity) return;
  const SFG_StrokeChar* c = f->Characters[character];
  if (c == nullptr) return;
  for (int i = 0; i < c->Number; ++i) {
    const SFG_StrokeStrip& strip = c->Strips[i];
    glBegin(GL_LINE_STRIP);
    {
      for (int j = 0; j < strip.Number; ++j) {
        glVertex3f(strip.Vertices[j].X, strip.Vertices[j].Y, 0.0f);
      }
    }
    glEnd();
  }
  glTranslatef(c->Right, 0.0f, 0.0f);
}

// The page's side: events and repaints (web/page_entries.h).
extern "C" {

EMSCRIPTEN_KEEPALIVE void webFrame() {
  frameRequested = false;
  for (auto& entry : windows) {
    Window& w = entry.second;
    if (!w.needsReshape) continue;
    w.needsReshape = false;
    canvasResize(entry.first, w.width, w.height);
    glStateResize(entry.first, w.width, w.height);
    makeCurrent(entry.first);
    if (w.reshape != nullptr) {
      w.reshape(w.width, w.height);
    } else {
      glViewport(0, 0, w.width, w.height);
    }
  }
  for (auto& entry : windows) {
    Window& w = entry.second;
    if (!w.needsDisplay) continue;
    w.needsDisplay = false;
    makeCurrent(entry.first);
    if (w.display != nullptr) w.display();
  }
}

EMSCRIPTEN_KEEPALIVE void webKey(int window, int kind, int key, int x, int y, int modifiers) {
  auto found = windows.find(window);
  if (found == windows.end()) return;
  makeCurrent(window);
  eventModifiers = modifiers;
  if (kind == kPageSpecial) {
    if (found->second.special != nullptr) found->second.special(key, x, y);
  } else if (found->second.keyboard != nullptr) {
    found->second.keyboard(static_cast<unsigned char>(key), x, y);
  }
  eventModifiers = 0;
}

EMSCRIPTEN_KEEPALIVE void webMouse(int window, int button, int state, int x, int y,
                                   int modifiers) {
  auto found = windows.find(window);
  if (found == windows.end()) return;
  makeCurrent(window);
  eventModifiers = modifiers;
  if (found->second.mouse != nullptr) found->second.mouse(button, state, x, y);
  eventModifiers = 0;
}

EMSCRIPTEN_KEEPALIVE void webMotion(int window, int x, int y) {
  auto found = windows.find(window);
  if (found == windows.end()) return;
  makeCurrent(window);
  if (found->second.motion != nullptr) found->second.motion(x, y);
}

EMSCRIPTEN_KEEPALIVE void webMenu(int window, int menu, int entry) {
  auto found = menus.find(menu);
  if (found == menus.end() || windows.count(window) == 0) return;
  if (entry < 0 || entry >= static_cast<int>(found->second.values.size())) return;
  makeCurrent(window);
  currentMenu = menu;
  if (found->second.callback != nullptr) {
    found->second.callback(found->second.values[static_cast<size_t>(entry)]);
  }
}

// The layer gives the new context what it needs again and the window is
// drawn anew.
EMSCRIPTEN_KEEPALIVE void webContextRestored(int window) {
  if (windows.count(window) == 0) return;
  glStateRestored(window);
  glutPostWindowRedisplay(window);
}

// Asked for or by the browser's own choice.
EMSCRIPTEN_KEEPALIVE void webScreen(int window, int width, int height) {
  auto found = windows.find(window);
  if (found == windows.end()) return;
  Window& w = found->second;
  if (width > 0 && height > 0) {
    resize(window, width, height);
  } else {
    w.fullScreen = false;
    resize(window, w.pageWidth, w.pageHeight);
  }
}
}

// Hooks for the tests alone (web/page_entries.h).
extern "C" {
EMSCRIPTEN_KEEPALIVE int webHeapInUse() { return static_cast<int>(mallinfo().uordblks); }
}
