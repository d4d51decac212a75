// Reflection model: a horizontal mirror in the plane y = 0 hit at the origin
// by a ray from the light. Builds on the vector operations.
#include "app/model.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdlib>

#include "app/windows.h"
#include "manipulator/keyboard.h"

// Step of the light per key press, in scene units.
static const float kLightStep = 0.2f;
// pi as the single-precision 3.14159f, widened to double.
static const double kAnglePi = 3.14159f;

Vector4 lightPosition = {-9.0f, 9.0f, 0.0f, 1.0f};
Vector4 surfaceNormal = {0.0f, 1.0f, 0.0f, 0.0f};
Vector4 incidentDirection = {0.0f, 0.0f, 0.0f, 0.0f};
Vector4 reflectedDirection = {0.0f, 0.0f, 0.0f, 0.0f};
float reflectionAngle = 0.0f;

void computeReflection(const Vector4* light) {
  // The mirror image of the ray from the light to the origin: the normal
  // (0, 1, 0) shows in which signs flip. A 0 becomes -0.
  reflectedDirection.x = -light->x;
  reflectedDirection.y = light->y;
  reflectedDirection.z = -light->z;
  normalize(&reflectedDirection);
  incidentDirection.x = light->x;
  incidentDirection.y = light->y;
  incidentDirection.z = light->z;
  normalize(&incidentDirection);
  const double cosine = dot(&reflectedDirection, &surfaceNormal);
  reflectionAngle = static_cast<float>(std::acos(cosine) * 180.0 / kAnglePi);
}

void handleApplicationKey(unsigned char key, int /*x*/, int /*y*/) {
  switch (key) {
    case '1': lightPosition.x -= kLightStep; break;
    case '2': lightPosition.y -= kLightStep; break;
    case '3': lightPosition.z -= kLightStep; break;
    case '4': lightPosition.x += kLightStep; break;
    case '5': lightPosition.y += kLightStep; break;
    case '6': lightPosition.z += kLightStep; break;
    case kKeyEscape: std::exit(0);
    default: return;
  }
  glutPostWindowRedisplay(diagramWindow);
}
