// The values window: five lines of numbers in the standard bitmap font, at
// fixed distances from the top-left corner. It computes nothing: it prints
// what the diagram's last frame computed. Builds on the reflection model, the
// palette, raster text and the keyboard manipulator.
#include "app/values.h"

#include <GL/glut.h>

#include "app/model.h"
#include "app/windows.h"
#include "colors/colors.h"
#include "manipulator/keyboard.h"
#include "text/fonts.h"
#include "text/raster_text.h"

// Left margin of the lines and the distance between them, in pixels.
static const float kMargin = 5.0f;
static const float kLineStep = 20.0f;

// Anchor the line `row` (1 to 5) in its colour: 5 pixels from the left
// edge, 20 pixels per line below the top edge.
static void anchorLine(int row, const float* color) {
  glColor4fv(color);
  setRasterPosition(kMargin, -kLineStep * static_cast<float>(row), 0);
}

void displayValues() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Set after the clear: it governs the next frame.
  glClearColor(0, 0, 0, 1);
  glPushMatrix();
  anchorLine(1, colorYellow());
  printText(kTextDepthTested, FontStandard, "INCIDENT     : %6.3f %6.3f %6.3f",
            incidentDirection.x, incidentDirection.y, incidentDirection.z);
  anchorLine(2, colorMagenta());
  printText(kTextDepthTested, FontStandard, "NORMALE      : %6.3f %6.3f %6.3f", surfaceNormal.x,
            surfaceNormal.y, surfaceNormal.z);
  anchorLine(3, colorRed());
  printText(kTextDepthTested, FontStandard, "REFLEXION    : %6.3f %6.3f %6.3f",
            reflectedDirection.x, reflectedDirection.y, reflectedDirection.z);
  // Both angles are the same number: reflection mirrors incidence.
  anchorLine(4, colorYellow());
  printText(kTextDepthTested, FontStandard, "THETA I      :  %6.3f degres", reflectionAngle);
  anchorLine(5, colorRed());
  printText(kTextDepthTested, FontStandard, "THETA R      :  %6.3f degres", reflectionAngle);
  glPopMatrix();
  glutSwapBuffers();
}

void reshapeValues(int width, int height) {
  // A minimised window reports no area: keep the last projection.
  if (width <= 0 || height <= 0) return;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, -height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void valuesSpecial(int key, int x, int y) {
  if (manipulatorHandleSpecial(key, x, y)) glutPostWindowRedisplay(diagramWindow);
}
