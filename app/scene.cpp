// The diagram window's frames. Builds on the reflection model.
#include "app/scene.h"

#include <GL/glut.h>

#include "app/model.h"
#include "app/windows.h"

void displayDiagram() {
  computeReflection(&lightPosition);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glFlush();
  glutSwapBuffers();
  glutPostWindowRedisplay(valuesWindow);
}
