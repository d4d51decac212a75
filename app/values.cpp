// The values window's frames.
#include "app/values.h"

#include <GL/glut.h>

void displayValues() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glutSwapBuffers();
}
