// Velorane: an interactive diagram of the law of reflection in two windows,
// the 3D diagram "Velorane" and the numbers behind it, "Valeurs".
#include <GL/glut.h>

#include "app/model.h"
#include "app/scene.h"
#include "app/values.h"
#include "app/windows.h"

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowPosition(50, 50);
  glutInitWindowSize(310, 250);
  diagramWindow = glutCreateWindow("Velorane");
  initGraphicsState();
  glutKeyboardFunc(diagramKeyboard);
  glutDisplayFunc(displayDiagram);

  glutInitWindowSize(360, 110);
  glutInitWindowPosition(60, 340);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  valuesWindow = glutCreateWindow("Valeurs");
  glutDisplayFunc(displayValues);
  glutKeyboardFunc(handleApplicationKey);

  glutMainLoop();
  return 0;
}
