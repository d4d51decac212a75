// Reflection model: the light's position, the mirror's normal, and the unit
// vectors and angle derived from them; the application's keys move the light.
#pragma once

#include "maths/vector.h"

// Position of the light source; the keys 1 to 6 move it in steps of 0.2.
extern Vector4 lightPosition;
// Normal of the mirror plate y = 0: (0, 1, 0, 0), never changed.
extern Vector4 surfaceNormal;
// Unit vector from the point of impact (the origin) towards the light.
extern Vector4 incidentDirection;
// Unit vector of the reflected ray, pointing away from the point of impact.
extern Vector4 reflectedDirection;
// Angle of reflection (and of incidence) in degrees.
extern float reflectionAngle;

// Recompute the incident and reflected directions and the angle for a light
// at x, y, z of light.
void computeReflection(const Vector4* light);

// The application's keys, a GLUT keyboard callback: 1/4, 2/5, 3/6 move the
// light by -/+0.2 along x, y, z and redraw the diagram; Esc ends the program.
// The pointer position is ignored.
void handleApplicationKey(unsigned char key, int x, int y);
