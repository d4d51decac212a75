// The view manipulator's mouse side: modified left-button drags that turn,
// zoom and pan the view or change bound floats, the view transform, and the
// timed spin. Builds on the keyboard side (modifier decoding, the mouse
// rotation, the spin switch and speed, the redisplay hook), GLUT and OpenGL.
#include "manipulator/mouse.h"

#include <GL/glut.h>

#include <cmath>

// Zoom base per 5 pixels of vertical drag, used in double as 1.0199999809265137.
static const float kZoomBase = 1.02f;
// Pixels of vertical drag per application of the zoom base.
static const float kZoomPixels = 5.0f;
// Bounds of the zoom, so that it never reaches 0 or infinity.
static const float kZoomMin = 1e-6f;
static const float kZoomMax = 1e6f;
// Spin speed at spinFactor 1, degrees per millisecond.
static const float kSpinDegreesPerMs = 0.01f;

int dragActive = 0;                           // a modified left-button drag is on: 0 or 1
int lastMouseButton = 0;                      // button of the latest button event
int lastMouseX = 0;                           // x of the press or latest step, pixels
int lastMouseY = 0;                           // y of the press or latest step, pixels
float dragProjection[16] = {};                // projection at the latest button event
int dragWindowWidth = 0;                      // window width at the latest button event, pixels
float panX = 0.0f;                            // pan along x, scene units
float panY = 0.0f;                            // pan along y, scene units
float zoomFactor = 1.0f;                      // uniform scale
float panFactor = 1.0f;                       // multiplier of the pan speed
float* dragParameterX = nullptr;              // float changed by horizontal Ctrl+Alt drags
float dragParameterXMin = 0.0f;               // lower bound of dragParameterX
float dragParameterXMax = 0.0f;               // upper bound of dragParameterX
float dragParameterXScale = 0.0f;             // units of dragParameterX per pixel
float* dragParameterY = nullptr;              // float changed by vertical Ctrl+Alt drags
float dragParameterYMin = 0.0f;               // lower bound of dragParameterY
float dragParameterYMax = 0.0f;               // upper bound of dragParameterY
float dragParameterYScale = 0.0f;             // units of dragParameterY per pixel
ManipulatorHook dragParameterHook = nullptr;  // called after each Ctrl+Alt step
int redisplayWindow = -1;                     // window the spin redraws; -1 current
int lastSpinTime = 0;                         // elapsed time at the previous spin step, ms

// Keep the zoom within its bounds (a non-number goes to the lower one).
static float clampZoom(float zoom) {
  if (!(zoom >= kZoomMin)) return kZoomMin;
  if (zoom > kZoomMax) return kZoomMax;
  return zoom;
}

// Zoom by a vertical drag of dy pixels: down enlarges, up shrinks.
static void zoomBy(int dy) {
  const double base = static_cast<double>(kZoomBase);
  if (dy > 0) {
    const float e = static_cast<float>(dy) / kZoomPixels;
    const double scaled =
        static_cast<double>(zoomFactor) * std::pow(base, static_cast<double>(e));
    zoomFactor = clampZoom(static_cast<float>(scaled));
  } else if (dy < 0) {
    const float e = static_cast<float>(-dy) / kZoomPixels;
    const double scaled =
        static_cast<double>(zoomFactor) / std::pow(base, static_cast<double>(e));
    zoomFactor = clampZoom(static_cast<float>(scaled));
  }
}

// Pan by a drag of dx, dy pixels, measured against the window width and the
// projection's x scale at the press. A step that is not a finite number (a
// zero-width window, a projection without x scale) leaves the pan as it is.
static void panBy(int dx, int dy) {
  const float width = static_cast<float>(dragWindowWidth);
  const float scale = dragProjection[0];
  const float stepX = ((2.0f * static_cast<float>(dx) / width) / scale) * panFactor;
  const float stepY = ((2.0f * static_cast<float>(dy) / width) / scale) * panFactor;
  if (!std::isfinite(stepX) || !std::isfinite(stepY)) return;
  panX = panX + stepX;
  panY = panY - stepY;
}

// Move a bound float by pixels times scale, then apply the lower bound and
// then the upper one (so a minimum above the maximum gives the maximum).
static void moveParameter(float* parameter, int pixels, float minimum, float maximum,
                          float scale) {
  if (parameter == nullptr) return;
  *parameter = *parameter + static_cast<float>(pixels) * scale;
  if (minimum > *parameter) *parameter = minimum;
  if (*parameter > maximum) *parameter = maximum;
}

int manipulatorHandleMouse(int button, int state, int x, int y) {
  const int combination = button == GLUT_LEFT_BUTTON ? decodeModifiers() : modNone;
  return manipulatorHandleMouseAs(button, state, x, y, combination);
}

int manipulatorHandleMouseAs(int button, int state, int x, int y, int combination) {
  glGetFloatv(GL_PROJECTION_MATRIX, dragProjection);
  dragWindowWidth = glutGet(GLUT_WINDOW_WIDTH);
  lastMouseButton = button;
  if (button != GLUT_LEFT_BUTTON) return 0;
  currentModifiers = combination;
  // A released left button ends any drag, also when the modifiers were let
  // go first.
  if (state == GLUT_UP) dragActive = 0;
  if (combination == modNone) return 0;
  lastMouseX = x;
  lastMouseY = y;
  if (state == GLUT_DOWN) dragActive = 1;
  return 1;
}

int manipulatorHandleMotion(int x, int y) {
  if (lastMouseButton != GLUT_LEFT_BUTTON || dragActive != 1) return 0;
  const int dx = x - lastMouseX;
  const int dy = y - lastMouseY;
  switch (currentModifiers) {
    case modShift:
      mouseRotationY += static_cast<float>(dx);
      mouseRotationX += static_cast<float>(dy);
      break;
    case modShiftCtrl:
      mouseRotationZ += static_cast<float>(dx);
      mouseRotationX += static_cast<float>(dy);
      break;
    case modCtrl:
      // The zoom follows y only: x stays at the press for the whole drag.
      zoomBy(dy);
      lastMouseY = y;
      return 1;
    case modAlt: panBy(dx, dy); break;
    case modCtrlAlt:
      moveParameter(dragParameterX, dx, dragParameterXMin, dragParameterXMax,
                    dragParameterXScale);
      moveParameter(dragParameterY, dy, dragParameterYMin, dragParameterYMax,
                    dragParameterYScale);
      lastMouseX = x;
      lastMouseY = y;
      if (dragParameterHook != nullptr) dragParameterHook();
      return 1;
    default: return 1;
  }
  lastMouseX = x;
  lastMouseY = y;
  return 1;
}

void manipulatorMouseFunc(int button, int state, int x, int y) {
  if (manipulatorHandleMouse(button, state, x, y) == 1) manipulatorPostRedisplay();
}

void manipulatorMotionFunc(int x, int y) {
  if (manipulatorHandleMotion(x, y) == 1) manipulatorPostRedisplay();
}

void applyManipulator() {
  glTranslatef(panX, panY, 0.0f);
  glRotatef(mouseRotationX, 1.0f, 0.0f, 0.0f);
  glRotatef(mouseRotationY, 0.0f, 1.0f, 0.0f);
  glRotatef(mouseRotationZ, 0.0f, 0.0f, 1.0f);
  glScalef(zoomFactor, zoomFactor, zoomFactor);
}

void manipulatorIdleFunc() {
  const int now = glutGet(GLUT_ELAPSED_TIME);
  if (spinEnabled == 1) {
    const float d = static_cast<float>(now - lastSpinTime) * kSpinDegreesPerMs * spinFactor;
    mouseRotationX += d;
    mouseRotationY += d;
    mouseRotationZ += d;
    if (redisplayWindow == -1) {
      manipulatorPostRedisplay();
    } else {
      glutPostWindowRedisplay(redisplayWindow);
    }
  }
  lastSpinTime = now;
}

void setPanFactor(float factor) { panFactor = factor; }

void setMouseRotation(float x, float y, float z) {
  mouseRotationX = x;
  mouseRotationY = y;
  mouseRotationZ = z;
}

void setRedisplayWindow(int window) { redisplayWindow = window; }

void setDragParameterX(float* parameter, float minimum, float maximum, float scale) {
  dragParameterX = parameter;
  dragParameterXMin = minimum;
  dragParameterXMax = maximum;
  dragParameterXScale = scale;
}

void setDragParameterY(float* parameter, float minimum, float maximum, float scale) {
  dragParameterY = parameter;
  dragParameterYMin = minimum;
  dragParameterYMax = maximum;
  dragParameterYScale = scale;
}

void setDragParameterHook(ManipulatorHook hook) { dragParameterHook = hook; }
