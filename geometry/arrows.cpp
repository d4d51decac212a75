// Arrows, rods, double arrows and angle cones, built from the faceted meshes
// (standing on y) and GLUT's solid cone (standing on z), turned onto the
// vector with the modelview matrix stack. No state: each function is a
// sequence of OpenGL calls. Builds on geometry/mesh.
#include "geometry/arrows.h"

#include <GL/glut.h>

#include <cmath>

#include "geometry/mesh.h"

// pi as the double 3.14159, for the orientation angle.
static const double kOrientationPi = 3.14159;

// pi as the float 3.14159 widened to double, for the angle cone's half-angle.
static const double kHalfAnglePi = static_cast<double>(3.14159f);

// Facets of the meshes of arrows and rods, and of the angle cone.
static const int kArrowFacets = 36;
static const int kAngleConeFacets = 120;

// Slices and stacks of GLUT's cone at the head of a line arrow.
static const int kLineArrowSlices = 10;
static const int kLineArrowStacks = 10;

// Length of (x, y, z): squares and sum in float, the root in double.
static double vectorLength(float x, float y, float z) {
  const float sum = x * x + y * y + z * z;
  return std::pow(static_cast<double>(sum), 0.5);
}

// Whether a vector of this length has a direction to orient along: not the
// zero vector (nor one whose float squares vanish), and not an overflow.
static bool hasDirection(double len) { return len > 0.0 && std::isfinite(len); }

// The line from the origin to the vector's end.
static void drawVectorLine(float x, float y, float z) {
  glBegin(GL_LINES);
  {
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(x, y, z);
  }
  glEnd();
}

// Turn the +z axis onto the direction of (x, y, z) of length len > 0.
static void orientAlongVector(float x, float y, float z, double len) {
  const float cz = static_cast<float>(z / len);
  if (nearlyEqual(cz, -1.0f)) {
    glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
  } else if (!nearlyEqual(cz, 1.0f)) {
    const double acosDegrees = std::acos(static_cast<double>(cz)) * 180.0 / kOrientationPi;
    const float angle = static_cast<float>(acosDegrees);
    // (-y, x, 0) / len is +z cross the unit vector; glRotatef normalises it.
    const float axisX = static_cast<float>(-(y / len));
    const float axisY = static_cast<float>(x / len);
    glRotatef(angle, axisX, axisY, 0.0f);
  }
}

// Draw a mesh of the y axis turned onto the z axis.
static void drawCylinderAlongZ(double height, double radius, int facets) {
  glPushMatrix();
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  drawCylinder(height, radius, facets);
  glPopMatrix();
}

static void drawConeAlongZ(double height, double radius, int facets) {
  glPushMatrix();
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  drawCone(height, radius, facets);
  glPopMatrix();
}

void drawArrow(float x, float y, float z, float headRadius, float headLength,
               float shaftRadius) {
  glPushMatrix();
  drawVectorLine(x, y, z);
  const double len = vectorLength(x, y, z);
  if (hasDirection(len)) {
    glPushMatrix();
    orientAlongVector(x, y, z, len);
    const double shaftLength = len - static_cast<double>(headLength);
    glTranslatef(0.0f, 0.0f, static_cast<float>(shaftLength) * 0.5f);
    drawCylinderAlongZ(shaftLength, shaftRadius, kArrowFacets);
    // With the first translation this centres the head at len - headLength / 2.
    glTranslatef(0.0f, 0.0f, static_cast<float>(len) * 0.5f);
    drawConeAlongZ(headLength, headRadius, kArrowFacets);
    glPopMatrix();
  }
  glPopMatrix();
}

void drawRod(float x, float y, float z, float radius) {
  glPushMatrix();
  drawVectorLine(x, y, z);
  const double len = vectorLength(x, y, z);
  if (hasDirection(len)) {
    glPushMatrix();
    orientAlongVector(x, y, z, len);
    glTranslatef(0.0f, 0.0f, static_cast<float>(len * 0.5));
    drawCylinderAlongZ(len, radius, kArrowFacets);
    glPopMatrix();
  }
  glPopMatrix();
}

void drawDoubleArrow(float x, float y, float z, float headRadius, float headLength,
                     float shaftRadius) {
  glPushMatrix();
  glTranslatef(x * 0.5f, y * 0.5f, z * 0.5f);
  drawArrow(x * 0.5f, y * 0.5f, z * 0.5f, headRadius, headLength, shaftRadius);
  drawArrow(x * -0.5f, y * -0.5f, z * -0.5f, headRadius, headLength, shaftRadius);
  glPopMatrix();
}

void drawAngleCone(float x, float y, float z, float halfAngle) {
  const double len = vectorLength(x, y, z);
  if (!hasDirection(len)) return;
  glPushMatrix();
  orientAlongVector(x, y, z, len);
  glPushMatrix();
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
  glTranslatef(0.0f, static_cast<float>(len * -0.5), 0.0f);
  const double baseRadius =
      std::tan(static_cast<double>(halfAngle) / 180.0 * kHalfAnglePi) * len;
  drawCone(len, baseRadius, kAngleConeFacets);
  glPopMatrix();
  glPopMatrix();
}

void drawLineArrow(float x, float y, float z, float headRadius, float headLength) {
  glPushMatrix();
  drawVectorLine(x, y, z);
  glPushMatrix();
  const double len = vectorLength(x, y, z);
  if (hasDirection(len)) {
    orientAlongVector(x, y, z, len);
    glTranslatef(0.0f, 0.0f, static_cast<float>(len) - headLength);
    glutSolidCone(headRadius, headLength, kLineArrowSlices, kLineArrowStacks);
  }
  glPopMatrix();
  glPopMatrix();
}
