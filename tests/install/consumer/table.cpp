// A table of the toolkit's drawings in one window, "Toolkit table", 400 x 320
// pixels, one unit a pixel: stroke text in each of its settings, text in
// GLUT's bitmap fonts, the line arrow, the double arrow, the angle cone, arcs
// with each head mode, wide lines, and the colour ramps. The same sources are
// built natively and as a page; the browser test compares the two pictures.
// Esc, or the right button's "Quitter", ends it.
#include <GL/glut.h>

#include <cstdlib>

#include "colors/colors.h"
#include "colors/ramps.h"
#include "geometry/arrows.h"
#include "maths/arc.h"
#include "menu/quit_menu.h"
#include "text/raster_text.h"
#include "text/stroke_text.h"

static const int kWidth = 400;
static const int kHeight = 320;

// One row of stroke text per setting: bold, smooth, extra spacing.
struct StrokeRow {
  int bold, smooth;
  float spacing;
  const char* text;
};
static const StrokeRow kStrokeRows[] = {
    {0, 0, 0.0f, "Plain 123"},   {1, 0, 0.0f, "Bold Ray"}, {0, 1, 0.0f, "Smooth angle"},
    {1, 1, 0.0f, "Bold smooth"}, {0, 0, 40.0f, "Spaced"},
};

// The GLUT bitmap fonts, one line each.
static void* const kGlutFonts[] = {GLUT_BITMAP_8_BY_13,       GLUT_BITMAP_9_BY_15,
                                   GLUT_BITMAP_HELVETICA_10,  GLUT_BITMAP_HELVETICA_12,
                                   GLUT_BITMAP_HELVETICA_18,  GLUT_BITMAP_TIMES_ROMAN_10,
                                   GLUT_BITMAP_TIMES_ROMAN_24};
static const int kGlutFontRows[] = {306, 290, 276, 262, 244, 230, 206};

static ColorRamp rainbow;
static ColorRamp grey;

static void drawStrokeRows() {
  float y = 300.0f;
  for (const StrokeRow& row : kStrokeRows) {
    setStrokeBold(row.bold);
    setStrokeSmooth(row.smooth);
    setStrokeSpacing(row.spacing);
    glColor4fv(row.smooth ? colorWhite() : colorYellow());
    printStrokeText(8.0f, y, 28.0f, "%s", row.text);
    y -= 24.0f;
  }
}

static void drawGlutFontRows() {
  glColor4fv(colorCyan());
  for (int i = 0; i < 7; ++i) {
    printGlutTextAtWithFont(200.0f, static_cast<float>(kGlutFontRows[i]), 0.0f, kGlutFonts[i],
                            "GLUT font %d: Ag", i + 1);
  }
}

// The solids, flat in their colour: line arrow, double arrow, angle cone.
static void drawSolids() {
  glPushMatrix();
  {
    glTranslatef(20.0f, 70.0f, 0.0f);
    glColor4fv(colorGreen());
    drawLineArrow(70.0f, 30.0f, 0.0f, 7.0f, 18.0f);
    glTranslatef(0.0f, -45.0f, 0.0f);
    glColor4fv(colorMagenta());
    drawDoubleArrow(90.0f, 0.0f, 0.0f, 6.0f, 14.0f, 2.0f);
    glTranslatef(110.0f, 10.0f, 0.0f);
    glColor4fv(colorRed());
    drawAngleCone(0.0f, 50.0f, 0.0f, 20.0f);
  }
  glPopMatrix();
}

// Four arcs from +x to +y, head modes none, start, end and both.
static void drawArcs() {
  const Vector4 from = {1.0f, 0.0f, 0.0f, 0.0f};
  const Vector4 to = {0.0f, 1.0f, 0.0f, 0.0f};
  const int modes[] = {kArcHeadNone, kArcHeadAtStart, kArcHeadAtEnd, kArcHeadAtBothEnds};
  glColor4fv(colorWhite());
  for (int i = 0; i < 4; ++i) {
    glPushMatrix();
    {
      glTranslatef(150.0f + 45.0f * static_cast<float>(i), 110.0f, 0.0f);
      drawArc(&from, &to, 12, 36.0f, 1, modes[i], 20.0f, 5.0f);
    }
    glPopMatrix();
  }
}

// Lines 3 and 5 pixels wide, fanned from a point, and a square of them.
static void drawWideLines() {
  glColor4fv(colorYellow());
  glLineWidth(3.0f);
  glBegin(GL_LINES);
  {
    const float ends[][2] = {{60, 0}, {60, 20}, {50, 50}, {20, 60}, {0, 60}, {-30, 50}};
    for (const auto& end : ends) {
      glVertex3f(330.0f, 110.0f, 0.0f);
      glVertex3f(330.0f + end[0] * 0.9f, 110.0f + end[1] * 0.9f, 0.0f);
    }
  }
  glEnd();
  glLineWidth(5.0f);
  glBegin(GL_LINE_STRIP);
  {
    glVertex3f(300.0f, 80.0f, 0.0f);
    glVertex3f(380.0f, 80.0f, 0.0f);
    glVertex3f(380.0f, 30.0f, 0.0f);
    glVertex3f(300.0f, 40.0f, 0.0f);
  }
  glEnd();
  glLineWidth(1.0f);
}

// The rainbow and the grey ramp, one pixel column per entry.
static void drawRamps() {
  const ColorRamp ramps[] = {rainbow, grey};
  for (int r = 0; r < 2; ++r) {
    const float y = 4.0f + 9.0f * static_cast<float>(1 - r);
    glBegin(GL_QUADS);
    {
      for (int i = 0; i < kColorRampSize; ++i) {
        const float x = 8.0f + static_cast<float>(i);
        glColor4fv(ramps[r][i]);
        glVertex3f(x, y, 0.0f);
        glVertex3f(x + 1.0f, y, 0.0f);
        glVertex3f(x + 1.0f, y + 8.0f, 0.0f);
        glVertex3f(x, y + 8.0f, 0.0f);
      }
    }
    glEnd();
  }
}

static void display() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, kWidth, 0.0, kHeight, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  drawStrokeRows();
  drawGlutFontRows();
  drawSolids();
  drawArcs();
  drawWideLines();
  drawRamps();
  glutSwapBuffers();
}

static void keyboard(unsigned char key, int, int) {
  if (key == 27) std::exit(0);
}

int main(int argc, char** argv) {
  rainbow = rainbowRamp();
  grey = greyRamp();
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowPosition(50, 50);
  glutInitWindowSize(kWidth, kHeight);
  glutCreateWindow("Toolkit table");
  attachQuitMenu();
  glutDisplayFunc(display);
  glutKeyboardFunc(keyboard);
  glutMainLoop();
  return 0;
}
