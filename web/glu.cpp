// GLU as the toolkit calls it: gluPerspective only, the same matrix as GLU's,
// computed in double precision and multiplied onto the current matrix of
// web/gl.cpp. An angle or aspect that gives no projection leaves the matrix
// as it was, as GLU does.
#include <GL/glu.h>

#include <cmath>

#include "web/gl_state.h"

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  const double radians = fovy / 2.0 * M_PI / 180.0;
  const double depth = zFar - zNear;
  const double sine = std::sin(radians);
  if (depth == 0.0 || sine == 0.0 || aspect == 0.0) return;
  const double cotangent = std::cos(radians) / sine;
  double m[16] = {};
  m[0] = cotangent / aspect;
  m[5] = cotangent;
  m[10] = -(zFar + zNear) / depth;
  m[11] = -1.0;
  m[14] = -2.0 * zNear * zFar / depth;
  webMultiplyMatrix(m);
}
