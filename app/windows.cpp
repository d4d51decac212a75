// The diagram window's fixed OpenGL state and keyboard routing.
// Builds on the palette, the view manipulator and the reflection model.
#include "app/windows.h"

#include <GL/glut.h>

#include "app/model.h"
#include "colors/colors.h"
#include "manipulator/keyboard.h"

int diagramWindow = 0;
int valuesWindow = 0;

void initGraphicsState() {
  // Directional lights (w = 0), given while the modelview matrix is the
  // identity, so they stay fixed in eye space: right and left of the viewer.
  const GLfloat rightFront[4] = {1.0f, 0.0f, 1.0f, 0.0f};
  const GLfloat leftFront[4] = {-1.0f, 0.0f, 1.0f, 0.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, colorBlack());
  glLightfv(GL_LIGHT0, GL_DIFFUSE, colorWhite());
  glLightfv(GL_LIGHT1, GL_DIFFUSE, colorWhite());
  glLightfv(GL_LIGHT0, GL_SPECULAR, colorBlack());
  glLightfv(GL_LIGHT0, GL_POSITION, rightFront);
  glLightfv(GL_LIGHT1, GL_POSITION, leftFront);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_NORMALIZE);
  glDepthFunc(GL_LESS);
  // No alpha function is set: the default GL_ALWAYS passes every fragment.
  glEnable(GL_ALPHA_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}

void diagramKeyboard(unsigned char key, int x, int y) {
  if (manipulatorHandleKey(key, x, y)) {
    glutPostWindowRedisplay(diagramWindow);
    return;
  }
  handleApplicationKey(key, x, y);
}
