// The browser layer's own seam between its GLUT and its OpenGL: each GLUT
// window (a canvas) owns one GL state, as each window of the real GLUT owns
// one OpenGL context, and the GLUT side says which one is current.
#pragma once

#include <GL/gl.h>

// Create the GL state of window `window` (1 or more), drawing on its canvas of
// width x height pixels, and make it current. False when the canvas has no
// WebGL.
bool glStateCreate(int window, int width, int height);
// Make the GL state of window `window` the current one.
void glStateMakeCurrent(int window);
// Tell window `window`'s state the new size of its canvas, in pixels.
void glStateResize(int window, int width, int height);
// Draw what the current state still holds back (at the swap of its window).
void glStateFinish();
// Multiply the current matrix by a column-major matrix of doubles, which is
// rounded to floats first (as GLU's results are by OpenGL).
void webMultiplyMatrix(const double* m);
// Draw a bitmap as glBitmap does with unpack alignment 1, keeping its pixels
// in the current window's atlas under `key` from its first use on (GLUT's
// font glyphs, by the address of their data).
void webCachedBitmap(const void* key, GLsizei width, GLsizei height, GLfloat xorig,
                     GLfloat yorig, GLfloat xmove, GLfloat ymove, const GLubyte* bitmap);
