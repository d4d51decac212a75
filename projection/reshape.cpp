// Reshape handlers: keep an orthographic, frustum or perspective view
// undistorted when a window changes size, and record what the last reshape
// computed. Parameters are stored as doubles widened from the setters'
// floats. Builds on OpenGL, GLU and GLUT.
#include "projection/reshape.h"

#include <GL/glu.h>
#include <GL/glut.h>

// Bounds written by the last orthographic or frustum reshape.
struct LastVolume {
  double left, right, bottom, top;
};

// Volume that a square window shows under reshapeOrtho; projection units.
static ViewVolume orthoVolume = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
// Volume that a square window shows under reshapeFrustum; projection units.
static ViewVolume frustumVolume = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
// Modelview translation after a frustum reshape (x, y, z); model units.
static double frustumTranslation[3] = {0.0, 0.0, 0.0};
// Vertical field of view of the perspective at the reference aspect; degrees.
static double perspectiveFovy = 0.0;
// Width / height below which the perspective's field of view widens.
static double perspectiveReferenceAspect = 0.0;
// Near and far distances of the perspective; model units.
static double perspectiveNear = 0.0;
static double perspectiveFar = 0.0;
// Modelview translation after a perspective reshape (x, y, z); model units.
static double perspectiveTranslation[3] = {0.0, 0.0, 0.0};
// GLUT id of a window to redraw after each perspective reshape; -1 for none.
static int perspectiveRedisplayWindow = -1;

// Bounds of the last orthographic or frustum reshape; projection units.
static LastVolume lastVolume = {0.0, 0.0, 0.0, 0.0};
// Height of one pixel at the last orthographic or frustum reshape.
static float unitsPerPixel = 0.0f;
// Field of view (degrees) and aspect of the last perspective reshape.
static float lastFovy = 0.0f;
static float lastAspect = 0.0f;

// Whether a window of this size has an area to project onto; a minimised
// window may report 0, which would put infinities into the projection.
static bool hasArea(int width, int height) { return width > 0 && height > 0; }

// The shared steps of the orthographic and frustum handlers, up to the
// projection itself: stretch the bounds along the window's longer side,
// record them, and leave the projection matrix current and the identity.
static LastVolume stretchedVolume(const ViewVolume* volume, int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double w = static_cast<double>(width);
  const double h = static_cast<double>(height);
  LastVolume stretched = {volume->left, volume->right, volume->bottom, volume->top};
  if (width > height) {
    stretched.left = w * volume->left / h;
    stretched.right = w * volume->right / h;
  } else {
    stretched.bottom = h * volume->bottom / w;
    stretched.top = h * volume->top / w;
  }
  lastVolume = stretched;
  unitsPerPixel =
      static_cast<float>(stretched.top - stretched.bottom) / static_cast<float>(height);
  return stretched;
}

void setOrthoVolume(float left, float right, float bottom, float top, float zNear, float zFar) {
  orthoVolume = ViewVolume{left, right, bottom, top, zNear, zFar};
}

void setFrustumVolume(float left, float right, float bottom, float top, float zNear, float zFar,
                      float x, float y, float z) {
  frustumVolume = ViewVolume{left, right, bottom, top, zNear, zFar};
  frustumTranslation[0] = x;
  frustumTranslation[1] = y;
  frustumTranslation[2] = z;
}

void setPerspective(float fovy, float referenceAspect, float zNear, float zFar, float x,
                    float y, float z) {
  perspectiveFovy = fovy;
  perspectiveReferenceAspect = referenceAspect;
  perspectiveNear = zNear;
  perspectiveFar = zFar;
  perspectiveTranslation[0] = x;
  perspectiveTranslation[1] = y;
  perspectiveTranslation[2] = z;
}

void setPerspectiveWithRedisplay(float fovy, float referenceAspect, float zNear, float zFar,
                                 float x, float y, float z, int window) {
  setPerspective(fovy, referenceAspect, zNear, zFar, x, y, z);
  perspectiveRedisplayWindow = window;
}

void reshapeOrtho(int width, int height) {
  if (!hasArea(width, height)) return;
  const LastVolume v = stretchedVolume(&orthoVolume, width, height);
  glOrtho(v.left, v.right, v.bottom, v.top, orthoVolume.zNear, orthoVolume.zFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void reshapeFrustum(int width, int height) {
  if (!hasArea(width, height)) return;
  const LastVolume v = stretchedVolume(&frustumVolume, width, height);
  glFrustum(v.left, v.right, v.bottom, v.top, frustumVolume.zNear, frustumVolume.zFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(static_cast<float>(frustumTranslation[0]),
               static_cast<float>(frustumTranslation[1]),
               static_cast<float>(frustumTranslation[2]));
}

void reshapePerspective(int width, int height) {
  if (!hasArea(width, height)) return;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const float aspect = static_cast<float>(width) / static_cast<float>(height);
  lastAspect = aspect;
  float fovy = static_cast<float>(perspectiveFovy);
  if (perspectiveReferenceAspect > static_cast<double>(aspect)) {
    // A window narrower than designed: widen the field of view linearly.
    fovy = static_cast<float>(perspectiveFovy / static_cast<double>(aspect) *
                              perspectiveReferenceAspect);
  }
  lastFovy = fovy;
  gluPerspective(static_cast<double>(fovy), static_cast<double>(aspect), perspectiveNear,
                 perspectiveFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(static_cast<float>(perspectiveTranslation[0]),
               static_cast<float>(perspectiveTranslation[1]),
               static_cast<float>(perspectiveTranslation[2]));
  if (perspectiveRedisplayWindow != -1) glutPostWindowRedisplay(perspectiveRedisplayWindow);
}

float getLastLeft() { return static_cast<float>(lastVolume.left); }
float getLastRight() { return static_cast<float>(lastVolume.right); }
float getLastBottom() { return static_cast<float>(lastVolume.bottom); }
float getLastTop() { return static_cast<float>(lastVolume.top); }
float getUnitsPerPixel() { return unitsPerPixel; }
float getLastFovy() { return lastFovy; }
float getLastAspect() { return lastAspect; }
