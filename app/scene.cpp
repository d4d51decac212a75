// The diagram window's frames: the scene in world coordinates with y up, the
// mirror plate in the plane y = 0 and the point of impact at the origin.
// Builds on the reflection model, the palette, arrows, arcs, raster text and
// the view manipulator.
#include "app/scene.h"

#include <GL/glut.h>

#include "app/model.h"
#include "app/windows.h"
#include "colors/colors.h"
#include "geometry/arrows.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "maths/arc.h"
#include "text/fonts.h"
#include "text/raster_text.h"

// Length of each ray's arrow, in scene units.
static const float kRayLength = 10.0f;
// Distance of the I and R labels from the origin along their rays.
static const float kLetterDistance = 5.0f;
// The arrows' cone heads and shafts, in scene units.
static const float kHeadRadius = 0.35f;
static const float kHeadLength = 1.5f;
static const float kShaftRadius = 0.07f;
// The angle arcs: radius, straight pieces, heads at the end of the arc, the
// heads' angle back along the arc (degrees) and their barbs' radial offset.
static const float kArcRadius = 7.0f;
static const int kArcSegments = 30;
static const float kArcHeadAngle = 8.0f;
static const float kArcHeadSize = 0.5f;
// The light source: a sphere of radius 0.5 with 10 slices and 10 stacks.
static const double kLightRadius = 0.5;
static const int kLightSlices = 10;
// The mirror plate: a unit cube flattened to 16 x 0.0001 x 14, half-transparent.
static const float kPlateWidth = 16.0f;
static const float kPlateThickness = 1e-4f;
static const float kPlateDepth = 14.0f;
static const float kPlateAlpha = 0.5f;
// Alpha of the faint rod from the origin to the light.
static const float kRodAlpha = 0.3f;

// Draw a ray's arrow from the origin to `length` times a unit direction.
static void drawRay(const Vector4* direction) {
  drawArrow(kRayLength * direction->x, kRayLength * direction->y, kRayLength * direction->z,
            kHeadRadius, kHeadLength, kShaftRadius);
}

// Anchor a label at `distance` times a unit direction.
static void anchorAlong(const Vector4* direction, float distance) {
  setRasterPosition(distance * direction->x, distance * direction->y, distance * direction->z);
}

// A theta with the subscript `subscript` at the middle of the arc from the
// normal to `direction`.
static void drawAngleLabel(const Vector4* direction, const char* subscript) {
  Vector4 mid;
  arcMidpoint(&surfaceNormal, direction, kArcRadius, &mid);
  setRasterPosition(mid.x, mid.y, mid.z);
  setTextOffset(0, -10, 0);
  printText(kTextDepthTested, FontGreek, "q");
  setTextOffset(7, -8, 0);
  printText(kTextDepthTested, FontSmall, "%s", subscript);
}

// The arc from the normal to `direction`, with a head where it meets the ray.
static void drawAngleArc(const Vector4* direction) {
  drawArc(&surfaceNormal, direction, kArcSegments, kArcRadius, 1, kArcHeadAtEnd, kArcHeadAngle,
          kArcHeadSize);
}

void drawReflectedRay(const Vector4* light) {
  glColor4fv(colorRed());
  computeReflection(light);
  drawRay(&reflectedDirection);
  drawAngleArc(&reflectedDirection);
  drawAngleLabel(&reflectedDirection, "r");
  anchorAlong(&reflectedDirection, kLetterDistance);
  setTextOffset(5, 15, 0);
  printText(kTextDepthTested, FontStandard, "R");
  setTextOffset(2, 10, 0);
  printText(kTextDepthTested, FontVector, "TF");
}

void drawScene() {
  drawReflectedRay(&lightPosition);
  glPushMatrix();
  glMaterialfv(GL_FRONT, GL_DIFFUSE, colorYellow());

  // The light: a lit sphere, back faces culled.
  glPushMatrix();
  glTranslatef(lightPosition.x, lightPosition.y, lightPosition.z);
  glEnable(GL_LIGHTING);
  glEnable(GL_CULL_FACE);
  glutSolidSphere(kLightRadius, kLightSlices, kLightSlices);
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glPopMatrix();

  // The incident ray: its letter first, then the arrow, the arc and theta.
  glColor4fv(colorYellow());
  anchorAlong(&incidentDirection, kLetterDistance);
  setTextOffset(-15, 15, 0);
  printText(kTextDepthTested, FontStandard, "I");
  setTextOffset(-18, 10, 0);
  printText(kTextDepthTested, FontVector, "TF");
  drawRay(&incidentDirection);
  drawAngleArc(&incidentDirection);
  drawAngleLabel(&incidentDirection, "i");

  // The faint rod from the point of impact to the light.
  glColor4fv(colorYellowAlpha(kRodAlpha));
  drawRod(lightPosition.x, lightPosition.y, lightPosition.z, kShaftRadius);

  // The normal, at fixed coordinates.
  glColor4fv(colorMagenta());
  setRasterPosition(0, 8, 0);
  setTextOffset(10, 0, 0);
  printText(kTextDepthTested, FontStandard, "N");
  setTextOffset(7, -5, 0);
  printText(kTextDepthTested, FontVector, "TF");
  drawArrow(0, kRayLength, 0, kHeadRadius, kHeadLength, kShaftRadius);
  glPopMatrix();
}

void displayDiagram() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glPushMatrix();
  // The whole picture sits 2 units low in the window.
  glTranslatef(0, -2, 0);
  applyManipulator();
  applyKeyRotation();
  drawScene();

  // The plate comes last, so what lies behind it shows through its blending.
  glEnable(GL_LIGHTING);
  glPushMatrix();
  glMaterialfv(GL_FRONT, GL_DIFFUSE, colorWhiteAlpha(kPlateAlpha));
  glScalef(kPlateWidth, kPlateThickness, kPlateDepth);
  glEnable(GL_CULL_FACE);
  glutSolidCube(1.0);
  glDisable(GL_CULL_FACE);
  glPopMatrix();
  glDisable(GL_LIGHTING);

  glPopMatrix();
  glDisable(GL_DEPTH_TEST);
  glFlush();
  glutSwapBuffers();
  glutPostWindowRedisplay(valuesWindow);
}
