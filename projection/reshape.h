/// @file
/// Reshape handlers: GLUT reshape callbacks that set the viewport to the whole
/// window and a projection keeping a designed view volume undistorted at the
/// window's size (orthographic, frustum by bounds, or perspective by field of
/// view), their setters, and getters for what the last reshape computed.
/// Set the parameters before the window's first reshape. A window without
/// area (a width or height of 0, as for a minimised window) leaves the
/// viewport, both matrices and the recorded results as they were.
#pragma once

/// A view volume in projection units: the six bounds of glOrtho/glFrustum.
struct ViewVolume {
  /// The sides.
  ///@{
  double left, right, bottom, top;
  ///@}
  /// The near and far planes.
  ///@{
  double zNear, zFar;
  ///@}
};

/// Set the orthographic volume that a square window shows.
/// @param left, right, bottom, top, zNear, zFar  its bounds, as for glOrtho
void setOrthoVolume(float left, float right, float bottom, float top, float zNear, float zFar);

/// Set the frustum that a square window shows, and the translation applied
/// to the modelview matrix after each frustum reshape.
/// @param left, right, bottom, top, zNear, zFar  its bounds, as for glFrustum
/// @param x, y, z                                the translation, in scene
///                                               units
void setFrustumVolume(float left, float right, float bottom, float top, float zNear, float zFar,
                      float x, float y, float z);

/// Set the perspective, and the modelview translation after each reshape.
/// @param fovy             the vertical field of view, in degrees, of windows
///                         at least as wide (relative to height) as
///                         referenceAspect
/// @param referenceAspect  width / height
/// @param zNear, zFar      the distances of the near and far planes
/// @param x, y, z          the translation, in scene units
void setPerspective(float fovy, float referenceAspect, float zNear, float zFar, float x,
                    float y, float z);

/// setPerspective, plus a window to redraw after each perspective reshape.
/// @param fovy, referenceAspect, zNear, zFar, x, y, z  as for setPerspective
/// @param window  the GLUT id of the window, or -1 for none (the default)
void setPerspectiveWithRedisplay(float fovy, float referenceAspect, float zNear, float zFar,
                                 float x, float y, float z, int window);

/// Reshape callback: viewport, then glOrtho of the orthographic volume with
/// its bounds along the window's longer side stretched by the aspect ratio;
/// the modelview matrix ends as the identity.
/// @param width, height  the window's size, in pixels
void reshapeOrtho(int width, int height);

/// Reshape callback: as reshapeOrtho with glFrustum of the frustum volume,
/// then the frustum translation on the modelview matrix.
/// @param width, height  the window's size, in pixels
void reshapeFrustum(int width, int height);

/// Reshape callback: gluPerspective at the window's aspect ratio, widening the
/// field of view linearly when the window is narrower than the reference
/// aspect; then the perspective translation, and the redisplay request if set.
/// @param width, height  the window's size, in pixels
void reshapePerspective(int width, int height);

/// Bounds of the last orthographic or frustum reshape.
/// @return the bound, in projection units
///@{
float getLastLeft();
float getLastRight();
float getLastBottom();
float getLastTop();
///@}

/// Height of one pixel at the last orthographic or frustum reshape.
/// @return the height, in projection units
float getUnitsPerPixel();

/// Vertical field of view of the last perspective reshape.
/// @return the angle, in degrees
float getLastFovy();
/// Aspect ratio of the last perspective reshape.
/// @return width / height
float getLastAspect();
