// A first program on the Velorane toolkit: a rotation matrix on standard
// output, then a window with a yellow arrow and its label that the arrow
// keys, the letters x y z and modified left drags turn. Esc, or the right
// button's "Quitter", ends it.
#include <GL/glut.h>

#include "colors/colors.h"
#include "geometry/arrows.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "maths/matrix.h"
#include "menu/quit_menu.h"
#include "projection/reshape.h"
#include "text/fonts.h"
#include "text/raster_text.h"

static void display() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  applyKeyRotation();
  applyManipulator();
  glColor4fv(colorYellow());
  drawArrow(6, 6, 0, 0.6f, 1.5f, 0.2f);
  setRasterPosition(6, 6, 0);
  printText(kTextOverEverything, FontStandard, " I");
  glPopMatrix();
  glutSwapBuffers();
}

int main(int argc, char** argv) {
  Matrix4 turn;
  matrixRotationZ(&turn, 90);
  printMatrix(&turn);

  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowPosition(50, 50);
  glutInitWindowSize(300, 300);
  glutCreateWindow("Toolkit example");
  attachQuitMenu();
  setOrthoVolume(-10, 10, -10, 10, -10, 10);
  glutReshapeFunc(reshapeOrtho);
  glutDisplayFunc(display);
  glutKeyboardFunc(manipulatorKeyboardFunc);
  glutSpecialFunc(manipulatorSpecialFunc);
  glutMouseFunc(manipulatorMouseFunc);
  glutMotionFunc(manipulatorMotionFunc);
  glutMainLoop();
  return 0;
}
