// The browser's stand-in for <GL/glu.h>: the one GLU call of the toolkit,
// implemented in web/glu.cpp over the matrices of web/gl.cpp.
#pragma once

#include <GL/gl.h>

// Multiply the current matrix by a perspective projection of vertical angle
// fovy degrees and the given aspect and depth range.
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
