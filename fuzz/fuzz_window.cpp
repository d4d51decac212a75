// The fuzz targets' OpenGL context: a freeglut window of 64 x 48 pixels and
// checks that a drawing call left the matrix stacks as it found them. Builds
// on GLUT and OpenGL.
#include "fuzz/fuzz_window.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

// Size of the fuzz window, in pixels.
static const int kWidth = 64;
static const int kHeight = 48;

static void displayNothing() {}

int openFuzzWindow(const char* title) {
  if (std::getenv("DISPLAY") == nullptr) {
    std::fprintf(stderr, "%s: needs an X display (DISPLAY is not set)\n", title);
    std::exit(2);
  }
  int argc = 1;
  char name[] = "fuzz";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(kWidth, kHeight);
  const int window = glutCreateWindow(title);
  glutDisplayFunc(displayNothing);
  glutMainLoopEvent();
  return window;
}

static int stackDepth(GLenum which) {
  GLint depth = 0;
  glGetIntegerv(which, &depth);
  return depth;
}

void checkContextRestored(const char* what) {
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  const int modelview = stackDepth(GL_MODELVIEW_STACK_DEPTH);
  const int projection = stackDepth(GL_PROJECTION_STACK_DEPTH);
  const int attributes = stackDepth(GL_ATTRIB_STACK_DEPTH);
  GLenum error = glGetError();
  bool stackError = false;
  for (; error != GL_NO_ERROR; error = glGetError()) {
    if (error == GL_STACK_OVERFLOW || error == GL_STACK_UNDERFLOW) stackError = true;
  }
  if (mode != GL_MODELVIEW || modelview != 1 || projection != 1 || attributes != 0 ||
      stackError) {
    std::fprintf(stderr,
                 "%s left the context changed: matrix mode 0x%x, modelview depth %d, "
                 "projection depth %d, attribute depth %d, stack error %d\n",
                 what, static_cast<unsigned>(mode), modelview, projection, attributes,
                 stackError ? 1 : 0);
    std::abort();
  }
}

void resetContext() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glViewport(0, 0, kWidth, kHeight);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
