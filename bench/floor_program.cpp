// The floor of the start-up and memory figures: the least a two-window GLUT
// program on the same stack can do. It opens the two windows of the diagram
// with the same titles, places, sizes and display mode, and each frame only
// clears (to a grey, so that the first frame can be seen) and swaps. Esc
// ends it.
//
// Started as "floor_program triangle", each frame also draws one triangle:
// the least drawing there is, which shows what drawing anything at all costs
// on the renderer (Mesa's software renderer compiles its first pipeline then).
#include <GL/glut.h>

#include <cstdlib>
#include <cstring>

// Grey level of the clear colour.
static const float kGrey = 0.25f;

// Whether each frame draws a triangle too.
static bool drawsTriangle = false;

// Display callback of both windows: clear and swap.
static void displayFloor() {
  glClearColor(kGrey, kGrey, kGrey, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (drawsTriangle) {
    glBegin(GL_TRIANGLES);
    {
      glVertex2f(0.0f, 0.0f);
      glVertex2f(0.5f, 0.0f);
      glVertex2f(0.0f, 0.5f);
    }
    glEnd();
  }
  glutSwapBuffers();
}

// Keyboard callback of both windows: Esc ends the program.
static void keyboardFloor(unsigned char key, int, int) {
  if (key == 27) std::exit(0);
}

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  drawsTriangle = argc > 1 && std::strcmp(argv[1], "triangle") == 0;
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowPosition(50, 50);
  glutInitWindowSize(310, 250);
  glutCreateWindow("Velorane");
  glutDisplayFunc(displayFloor);
  glutKeyboardFunc(keyboardFloor);

  glutInitWindowSize(360, 110);
  glutInitWindowPosition(60, 340);
  glutCreateWindow("Valeurs");
  glutDisplayFunc(displayFloor);
  glutKeyboardFunc(keyboardFloor);

  glutMainLoop();
  return 0;
}
