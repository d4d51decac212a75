// Reshape handlers: GLUT reshape callbacks that set the viewport to the whole
// window and a projection keeping a designed view volume undistorted at the
// window's size (orthographic, frustum by bounds, or perspective by field of
// view), their setters, and getters for what the last reshape computed.
// Set the parameters before the window's first reshape. A window without
// area (a width or height of 0, as for a minimised window) leaves the
// viewport, both matrices and the recorded results as they were.
#pragma once

// A view volume in projection units: the six bounds of glOrtho/glFrustum.
struct ViewVolume {
  double left, right, bottom, top;
  double zNear, zFar;  // near and far planes
};

// Set the orthographic volume that a square window shows.
void setOrthoVolume(float left, float right, float bottom, float top, float zNear, float zFar);

// Set the frustum that a square window shows, and the translation (x, y, z)
// applied to the modelview matrix after each frustum reshape.
void setFrustumVolume(float left, float right, float bottom, float top, float zNear, float zFar,
                      float x, float y, float z);

// Set the perspective: vertical field of view in degrees for windows at
// least as wide (relative to height) as `referenceAspect`, near and far
// distances, and the modelview translation (x, y, z) after each reshape.
void setPerspective(float fovy, float referenceAspect, float zNear, float zFar, float x,
                    float y, float z);

// setPerspective, plus the GLUT id of a window to redraw after each
// perspective reshape (-1: none, the default).
void setPerspectiveWithRedisplay(float fovy, float referenceAspect, float zNear, float zFar,
                                 float x, float y, float z, int window);

// Reshape callback: viewport, then glOrtho of the orthographic volume with
// its bounds along the window's longer side stretched by the aspect ratio;
// the modelview matrix ends as the identity. Width and height in pixels.
void reshapeOrtho(int width, int height);

// Reshape callback: as reshapeOrtho with glFrustum of the frustum volume,
// then the frustum translation on the modelview matrix.
void reshapeFrustum(int width, int height);

// Reshape callback: gluPerspective at the window's aspect ratio, widening the
// field of view linearly when the window is narrower than the reference
// aspect; then the perspective translation, and the redisplay request if set.
void reshapePerspective(int width, int height);

// Bounds of the last orthographic or frustum reshape, in projection units.
float getLastLeft();
float getLastRight();
float getLastBottom();
float getLastTop();

// Height of one pixel in projection units at the last orthographic or
// frustum reshape.
float getUnitsPerPixel();

// Field of view in degrees and aspect ratio (width / height) of the last
// perspective reshape.
float getLastFovy();
float getLastAspect();
