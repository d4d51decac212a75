// Velorane: an interactive diagram of the law of reflection in two windows,
// the 3D diagram "Velorane" and the numbers behind it, "Valeurs". The program
// takes no options of its own: the command line goes to GLUT. It ends with
// Esc or the "Quitter" menu entry, in either window.
#include <GL/glut.h>

#include "app/model.h"
#include "app/scene.h"
#include "app/values.h"
#include "app/windows.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "menu/quit_menu.h"
#include "projection/reshape.h"
#ifdef __EMSCRIPTEN__
#include "app/web_page.h"
#endif

int main(int argc, char** argv) {
  glutInit(&argc, argv);
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
#ifdef __EMSCRIPTEN__
  glutDisplayFunc(displayDescribedDiagram);
#else
  glutDisplayFunc(displayDiagram);
#endif
  glutMotionFunc(manipulatorMotionFunc);
  glutMouseFunc(manipulatorMouseFunc);

  glutInitWindowSize(360, 110);
  glutInitWindowPosition(60, 340);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  valuesWindow = glutCreateWindow("Valeurs");
  attachQuitMenu();
  glutDisplayFunc(displayValues);
  glutReshapeFunc(reshapeValues);
  glutKeyboardFunc(handleApplicationKey);
  glutSpecialFunc(valuesSpecial);

  glutMainLoop();
  return 0;
}
