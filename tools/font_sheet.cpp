// font_sheet: a window showing every glyph of the four bitmap fonts as the
// program draws them, for reviewing the faces on screen (capture it with
// capture_window). Esc closes it.
#include <GL/glut.h>

#include <cstdlib>

#include "text/fonts.h"
#include "text/raster_text.h"

// Characters per line of the sheet, and the sheet's size in pixels.
static const int kPerLine = 32;
static const int kWidth = 360;
static const int kHeight = 330;

// Print the codes 32 to 125 of a font in lines of 32, from the pixel row `top`.
static void printFont(int font, int top) {
  char line[kPerLine + 1];
  for (int first = 32; first <= 125; first += kPerLine) {
    int n = 0;
    for (int code = first; code < first + kPerLine && code <= 125; ++code) {
      line[n++] = static_cast<char>(code);
    }
    line[n] = '\0';
    setRasterPosition(10, static_cast<float>(top - 20 * ((first - 32) / kPerLine)), 0);
    printText(kTextOverEverything, font, "%s", line);
  }
}

static void display() {
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  const int fonts[] = {FontStandard, FontSmall, FontGreek, FontVector};
  for (int i = 0; i < 4; ++i) printFont(fonts[i], kHeight - 25 - 75 * i);
  glutSwapBuffers();
}

static void reshape(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
}

static void keyboard(unsigned char key, int, int) {
  if (key == 27) std::exit(0);
}

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
  glutInitWindowPosition(10, 10);
  glutInitWindowSize(kWidth, kHeight);
  glutCreateWindow("Velorane fonts");
  glutDisplayFunc(display);
  glutReshapeFunc(reshape);
  glutKeyboardFunc(keyboard);
  glutMainLoop();
  return 0;
}
