// The benchmarks' windows: the same start-up as the program's main, the
// window sizes the frames are measured at, and the end of a timed frame.
// Builds on the application's windows and callbacks, GLUT, GLX and Xlib.
#include "bench/bench_windows.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <cstdio>
#include <cstring>

#include "app/model.h"
#include "app/scene.h"
#include "app/values.h"
#include "app/windows.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "menu/quit_menu.h"
#include "projection/reshape.h"

// Event rounds to wait for a window to take its new size.
static const int kReshapeRounds = 2000;

// Let GLUT handle the pending events a few times.
static void pumpEvents(int rounds) {
  for (int i = 0; i < rounds; ++i) glutMainLoopEvent();
}

void openBenchWindows(int* argc, char** argv) {
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowPosition(50, 50);
  glutInitWindowSize(310, 250);
  diagramWindow = glutCreateWindow("Velorane");
  initGraphicsState();
  attachQuitMenu();
  setOrthoVolume(-10, 10, -10, 10, -500, 500);
  setPanFactor(1);
  setKeyRotation(25, 15, 0);
  glutReshapeFunc(reshapeOrtho);
  glutKeyboardFunc(diagramKeyboard);
  glutSpecialFunc(manipulatorSpecialFunc);
  glutDisplayFunc(displayDiagram);
  glutMotionFunc(manipulatorMotionFunc);
  glutMouseFunc(manipulatorMouseFunc);

  glutInitWindowSize(360, 110);
  glutInitWindowPosition(60, 340);
  valuesWindow = glutCreateWindow("Valeurs");
  attachQuitMenu();
  glutDisplayFunc(displayValues);
  glutReshapeFunc(reshapeValues);
  glutKeyboardFunc(handleApplicationKey);
  glutSpecialFunc(valuesSpecial);

  pumpEvents(50);
  glutSetWindow(diagramWindow);
}

void sizeDiagramWindow(int width, int height) {
  glutSetWindow(diagramWindow);
  if (width > 310 || height > 250) {
    glutPositionWindow(0, 0);
  } else {
    glutPositionWindow(50, 50);
  }
  glutReshapeWindow(width, height);
  for (int i = 0; i < kReshapeRounds; ++i) {
    glutMainLoopEvent();
    glutSetWindow(diagramWindow);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height &&
        viewport[2] == width && viewport[3] == height) {
      break;
    }
  }
  pumpEvents(10);
  glutSetWindow(diagramWindow);
}

void finishFrame() {
  glFinish();
  XSync(glXGetCurrentDisplay(), False);
}

void floorFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}

const char* rendererName() {
  const GLubyte* name = glGetString(GL_RENDERER);
  return name != nullptr ? reinterpret_cast<const char*>(name) : "(unknown)";
}

long residentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "VmRSS:", 6) == 0) std::sscanf(line + 6, "%ld", &kb);
  }
  std::fclose(status);
  return kb;
}
