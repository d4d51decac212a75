// Misuses of the browser layer's OpenGL, each made twice, in a debug build of
// the layer run under Node.js: the browser test (page.test.mjs) expects on the
// console each case's name followed by one report, however often it is made.
#include <GL/gl.h>

#include <cstdio>

#include "web/gl_state.h"

// GL_TRIANGLES, a primitive the program never draws (the layer's header does
// not name it).
static const GLenum kTriangles = 0x0004;
// Wider than the glyph atlas of a window (512 pixels).
static const GLsizei kWideBitmap = 600;
static const GLubyte wideRows[kWideBitmap / 8] = {};

struct Misuse {
  const char* name;
  void (*make)();
};

static const Misuse kMisuses[] = {
    // First: before any window exists.
    {"a call with no window", [] { glLoadIdentity(); }},
    {"a push on a full matrix stack",
     [] {
       for (int i = 0; i < 40; ++i) glPushMatrix();
       for (int i = 1; i < 32; ++i) glPopMatrix();
     }},
    {"a pop of the last matrix", [] { glPopMatrix(); }},
    {"glBegin inside glBegin",
     [] {
       glBegin(GL_LINES);
       glBegin(GL_LINES);
       glEnd();
     }},
    {"a primitive the layer does not draw", [] { glBegin(kTriangles); }},
    {"glEnd without glBegin", [] { glEnd(); }},
    {"a bitmap wider than the atlas",
     [] { glBitmap(kWideBitmap, 1, 0.0f, 0.0f, 0.0f, 0.0f, wideRows); }},
};

int main() {
  for (const Misuse& misuse : kMisuses) {
    std::fprintf(stderr, "case: %s\n", misuse.name);
    misuse.make();
    misuse.make();
    if (&misuse == &kMisuses[0]) glStateCreate(1, 16, 16);
  }
  return 0;
}
