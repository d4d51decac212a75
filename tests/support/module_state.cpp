// The start values of every module variable, set again in one call.
#include "tests/support/module_state.h"

#include <GL/glut.h>

#include "app/model.h"
#include "manipulator/keyboard.h"
#include "manipulator/mouse.h"
#include "menu/quit_menu.h"
#include "projection/reshape.h"
#include "text/raster_text.h"
#include "text/stroke_text.h"

// The keyboard side of the manipulator and the state it shares.
static void resetKeyboard() {
  currentModifiers = modNone;
  setKeyRotation(0.0f, 0.0f, 0.0f);
  setMouseRotation(0.0f, 0.0f, 0.0f);
  spinEnabled = 0;
  spinFactor = 1.0f;
  fullScreenActive = 0;
  windowedX = 0;
  windowedY = 0;
  windowedWidth = 0;
  windowedHeight = 0;
  setExitHook(nullptr);
  setRedisplayHook(nullptr);
}

// The mouse side of the manipulator.
static void resetMouse() {
  dragActive = 0;
  lastMouseButton = 0;
  lastMouseX = 0;
  lastMouseY = 0;
  for (float& element : dragProjection) element = 0.0f;
  dragWindowWidth = 0;
  panX = 0.0f;
  panY = 0.0f;
  zoomFactor = 1.0f;
  setPanFactor(1.0f);
  setDragParameterX(nullptr, 0.0f, 0.0f, 0.0f);
  setDragParameterY(nullptr, 0.0f, 0.0f, 0.0f);
  setDragParameterHook(nullptr);
  setRedisplayWindow(-1);
  lastSpinTime = 0;
}

// The raster and stroke text.
static void resetText() {
  textAnchor = Vector4{0.0f, 0.0f, 0.0f, 0.0f};
  textAnchorValid = 0;
  setTextOffset(0.0f, 0.0f, 0.0f);
  setGlutTextStyle(GLUT_BITMAP_8_BY_13, kTextLeftAligned);
  textBuffer[0] = '\0';
  setStrokeBold(0);
  setStrokeSmooth(0);
  setStrokeSpacing(0.0f);
}

// The reshape handlers' parameters.
static void resetReshape() {
  setOrthoVolume(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  setFrustumVolume(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
  setPerspectiveWithRedisplay(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, -1);
}

// The reflection model: the light where the program starts it.
static void resetModel() {
  lightPosition = Vector4{-9.0f, 9.0f, 0.0f, 1.0f};
  surfaceNormal = Vector4{0.0f, 1.0f, 0.0f, 0.0f};
  incidentDirection = Vector4{0.0f, 0.0f, 0.0f, 0.0f};
  reflectedDirection = Vector4{0.0f, 0.0f, 0.0f, 0.0f};
  reflectionAngle = 0.0f;
}

void resetModuleState() {
  resetKeyboard();
  resetMouse();
  resetText();
  resetReshape();
  setQuitMenuExitHook(nullptr);
  resetModel();
}

void resetToProgramStart() {
  resetModuleState();
  setOrthoVolume(-10, 10, -10, 10, -500, 500);
  setPanFactor(1);
  setKeyRotation(25, 15, 0);
}
