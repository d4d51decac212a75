// The view manipulator's keyboard side: modifier decoding, the keyboard
// rotation, the spin switch and speed, the full-screen toggle, and the exit
// and redisplay hooks. Builds on GLUT and OpenGL only.
#include "manipulator/keyboard.h"

#include <GL/glut.h>

#include <cstdlib>

// Turn of the letter keys, in degrees.
static const float kLetterStep = 2.0f;
// Turn of the arrow and page keys without Alt and with Alt, in degrees.
static const float kFineStep = 1.0f;
static const float kCoarseStep = 10.0f;
// Change of the spin speed per Shift+arrow or page key.
static const float kSpinStep = 1.1f;
// Bounds of the spin speed, so that it never reaches 0 or infinity.
static const float kSpinFactorMin = 1e-6f;
static const float kSpinFactorMax = 1e6f;

int currentModifiers = modNone;           // combination at the latest input event
float keyRotationX = 0.0f;                // keyboard rotation about X, degrees
float keyRotationY = 0.0f;                // keyboard rotation about Y, degrees
float keyRotationZ = 0.0f;                // keyboard rotation about Z, degrees
float mouseRotationX = 0.0f;              // mouse rotation about X, degrees
float mouseRotationY = 0.0f;              // mouse rotation about Y, degrees
float mouseRotationZ = 0.0f;              // mouse rotation about Z, degrees
int spinEnabled = 0;                      // timed spin on (1) or off (0)
float spinFactor = 1.0f;                  // speed factor of the timed spin
int fullScreenActive = 0;                 // window last switched to full screen
int windowedX = 0;                        // saved window x before full screen, pixels
int windowedY = 0;                        // saved window y before full screen, pixels
int windowedWidth = 0;                    // saved window width before full screen, pixels
int windowedHeight = 0;                   // saved window height before full screen, pixels
ManipulatorHook exitHook = nullptr;       // called before exit on Esc
ManipulatorHook redisplayHook = nullptr;  // replaces glutPostRedisplay

// Keep the spin speed within its bounds (a non-number goes to the lower one).
static float clampSpinFactor(float factor) {
  if (!(factor >= kSpinFactorMin)) return kSpinFactorMin;
  if (factor > kSpinFactorMax) return kSpinFactorMax;
  return factor;
}

// Switch the current window to full screen, saving its place, or back.
static void toggleFullScreen() {
  fullScreenActive = !fullScreenActive;
  if (fullScreenActive) {
    windowedX = glutGet(GLUT_WINDOW_X);
    windowedY = glutGet(GLUT_WINDOW_Y);
    windowedWidth = glutGet(GLUT_WINDOW_WIDTH);
    windowedHeight = glutGet(GLUT_WINDOW_HEIGHT);
    glutFullScreen();
  } else {
    glutPositionWindow(windowedX, windowedY);
    glutReshapeWindow(windowedWidth, windowedHeight);
  }
}

// Set the keyboard rotation and clear the mouse rotation (the Ctrl keys).
static void resetRotation(float x, float y, float z) {
  setKeyRotation(x, y, z);
  mouseRotationX = 0.0f;
  mouseRotationY = 0.0f;
  mouseRotationZ = 0.0f;
}

// Turn the keyboard rotation by step for one of the six keys.
static void turnByKey(int key, float step) {
  switch (key) {
    case GLUT_KEY_LEFT: keyRotationY -= step; break;
    case GLUT_KEY_UP: keyRotationX -= step; break;
    case GLUT_KEY_RIGHT: keyRotationY += step; break;
    case GLUT_KEY_DOWN: keyRotationX += step; break;
    case GLUT_KEY_PAGE_UP: keyRotationZ -= step; break;
    case GLUT_KEY_PAGE_DOWN: keyRotationZ += step; break;
  }
}

// Speed the spin up (LEFT, UP, PAGE_UP) or slow it down (the others).
static void changeSpinByKey(int key) {
  if (key == GLUT_KEY_LEFT || key == GLUT_KEY_UP || key == GLUT_KEY_PAGE_UP) {
    spinFactor = clampSpinFactor(spinFactor * kSpinStep);
  } else {
    spinFactor = clampSpinFactor(spinFactor / kSpinStep);
  }
}

// Reset the view for one of the six keys: three face the front, the other
// three turn one axis by 180 degrees.
static void resetByKey(int key) {
  switch (key) {
    case GLUT_KEY_RIGHT: resetRotation(0.0f, 180.0f, 0.0f); break;
    case GLUT_KEY_DOWN: resetRotation(180.0f, 0.0f, 0.0f); break;
    case GLUT_KEY_PAGE_UP: resetRotation(0.0f, 0.0f, 180.0f); break;
    default: resetRotation(0.0f, 0.0f, 0.0f); break;
  }
}

int modifierCombination(int glutModifierBits) {
  if (glutModifierBits < 0) return modNone;
  const bool shift = (glutModifierBits & GLUT_ACTIVE_SHIFT) != 0;
  const bool ctrl = (glutModifierBits & GLUT_ACTIVE_CTRL) != 0;
  const bool alt = (glutModifierBits & GLUT_ACTIVE_ALT) != 0;
  if (ctrl && alt) return modCtrlAlt;
  if (shift) return ctrl ? modShiftCtrl : modShift;
  if (ctrl) return modCtrl;
  if (alt) return modAlt;
  return modNone;
}

int decodeModifiers() { return modifierCombination(glutGetModifiers()); }

int manipulatorHandleKey(unsigned char key, int x, int y) {
  (void)x;
  (void)y;
  return manipulatorHandleKeyAs(key, decodeModifiers());
}

int manipulatorHandleKeyAs(unsigned char key, int combination) {
  currentModifiers = combination;
  if (combination == modShift && key == kKeyEnter) {
    spinEnabled = (spinEnabled + 1) % 2;
    return 1;
  }
  switch (key) {
    case kKeyEscape:
      if (exitHook != nullptr) exitHook();
      exit(0);
    case kKeyFullScreen: toggleFullScreen(); return 0;
    case 'X': keyRotationX -= kLetterStep; return 1;
    case 'Y': keyRotationY -= kLetterStep; return 1;
    case 'Z': keyRotationZ -= kLetterStep; return 1;
    case 'x': keyRotationX += kLetterStep; return 1;
    case 'y': keyRotationY += kLetterStep; return 1;
    case 'z': keyRotationZ += kLetterStep; return 1;
    default: return 0;
  }
}

int manipulatorHandleSpecial(int key, int x, int y) {
  (void)x;
  (void)y;
  return manipulatorHandleSpecialAs(key, decodeModifiers());
}

int manipulatorHandleSpecialAs(int key, int combination) {
  currentModifiers = combination;
  if (key < GLUT_KEY_LEFT || key > GLUT_KEY_PAGE_DOWN) return 0;
  switch (combination) {
    case modShift: changeSpinByKey(key); break;
    case modCtrl: resetByKey(key); break;
    // Alt held (alone or with Ctrl) turns in coarse steps, otherwise fine.
    case modAlt:
    case modCtrlAlt: turnByKey(key, kCoarseStep); break;
    default: turnByKey(key, kFineStep); break;
  }
  return 1;
}

void manipulatorPostRedisplay() {
  if (redisplayHook != nullptr) {
    redisplayHook();
  } else {
    glutPostRedisplay();
  }
}

void manipulatorKeyboardFunc(unsigned char key, int x, int y) {
  if (manipulatorHandleKey(key, x, y) == 1) manipulatorPostRedisplay();
}

void manipulatorSpecialFunc(int key, int x, int y) {
  if (manipulatorHandleSpecial(key, x, y) == 1) manipulatorPostRedisplay();
}

void applyKeyRotation() {
  glRotatef(keyRotationX, 1.0f, 0.0f, 0.0f);
  glRotatef(keyRotationY, 0.0f, 1.0f, 0.0f);
  glRotatef(keyRotationZ, 0.0f, 0.0f, 1.0f);
}

void setKeyRotation(float x, float y, float z) {
  keyRotationX = x;
  keyRotationY = y;
  keyRotationZ = z;
}

void setExitHook(ManipulatorHook hook) { exitHook = hook; }

void setRedisplayHook(ManipulatorHook hook) { redisplayHook = hook; }
