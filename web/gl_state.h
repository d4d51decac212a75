// The browser layer's own seam between its GLUT and its OpenGL: each GLUT
// window (a canvas) owns one GL state, as each window of the real GLUT owns
// one OpenGL context, and the GLUT side says which one is current.
#pragma once

#include <GL/gl.h>

// Create the GL state of window `window` (1 or more), in OpenGL's initial
// state, drawing on its canvas of width x height pixels (which already has its
// WebGL context), and make it current. Until a first window is made current,
// GL calls are refused: they draw nowhere, and debug builds report them.
void glStateCreate(int window, int width, int height);
// Make the GL state of window `window` the current one.
void glStateMakeCurrent(int window);
// Tell window `window`'s state the new size of its canvas, in pixels.
void glStateResize(int window, int width, int height);
// End the frame of the current state (at the swap of its window): draw what it
// still holds back, and give the page the texts of the frame if they changed.
void glStateFinish();
// Window `window`'s canvas has a new WebGL context in place of one the browser
// took away: the page gets the state's viewport again now, and its bitmap
// atlas with the next draw. The window then needs drawing anew.
void glStateRestored(int window);
// Multiply the current matrix by a column-major matrix of doubles, which is
// rounded to floats first (as GLU's results are by OpenGL).
void webMultiplyMatrix(const double* m);
// Draw a bitmap as glBitmap does with unpack alignment 1, keeping its pixels
// in the current window's atlas under `key` from its first use on (GLUT's
// font glyphs, by the address of their data).
void webCachedBitmap(const void* key, GLsizei width, GLsizei height, GLfloat xorig,
                     GLfloat yorig, GLfloat xmove, GLfloat ymove, const GLubyte* bitmap);
