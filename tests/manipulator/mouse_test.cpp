// Mouse side of the view manipulator: button events, drag steps in every
// mode with their figures, the bounded zoom, the guarded pan, the bound
// parameters, the view transform, the timed spin and the redraw requests.
#include "manipulator/mouse.h"

#include <cmath>
#include <functional>

#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"
#include "tests/support/test_clock.h"

namespace {

int hookCalls = 0;
void countHook() { ++hookCalls; }

class MouseTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
    useGlutClock();
    hookCalls = 0;
  }
  // Press the left button at (x, y) with a combination held.
  static void press(int combination, int x, int y) {
    ASSERT_EQ(manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y, combination), 1);
    ASSERT_EQ(dragActive, 1);
  }
};

TEST_F(MouseTest, PlainLeftPressIsLeftToTheApplication) {
  EXPECT_EQ(manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, 5, 6, modNone), 0);
  EXPECT_EQ(dragActive, 0);
  EXPECT_EQ(lastMouseX, 0) << "an unconsumed press keeps the last position";
  EXPECT_EQ(manipulatorHandleMotion(50, 60), 0);
  // Called directly, the real handler sees no modifiers outside a callback.
  EXPECT_EQ(manipulatorHandleMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 5, 6), 0);
  EXPECT_EQ(dragActive, 0);
}

TEST_F(MouseTest, EveryButtonEventRecordsProjectionWidthAndButton) {
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10.0, 10.0, -5.0, 5.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  const std::array<float, 16> projection = projectionMatrix();
  EXPECT_EQ(manipulatorHandleMouseAs(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 1, 2, modShift), 0);
  EXPECT_EQ(lastMouseButton, GLUT_MIDDLE_BUTTON);
  EXPECT_EQ(dragWindowWidth, kTestWindowWidth);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dragProjection[i], projection[i]) << i;
  EXPECT_EQ(dragProjection[0], 0.1f);
  EXPECT_EQ(currentModifiers, modNone) << "other buttons do not decode the modifiers";
}

TEST_F(MouseTest, MiddleButtonStopsTheDragUntilTheNextLeftButtonEvent) {
  press(modShift, 100, 100);
  EXPECT_EQ(manipulatorHandleMouseAs(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 100, 100, modNone), 0);
  EXPECT_EQ(manipulatorHandleMotion(130, 110), 0);
  EXPECT_EQ(mouseRotationY, 0.0f);
  press(modShift, 100, 100);
  EXPECT_EQ(manipulatorHandleMotion(130, 110), 1);
  EXPECT_EQ(mouseRotationY, 30.0f);
}

TEST_F(MouseTest, ModifiedReleaseEndsTheDrag) {
  press(modCtrl, 10, 10);
  EXPECT_EQ(manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_UP, 12, 14, modCtrl), 1);
  EXPECT_EQ(dragActive, 0);
  EXPECT_EQ(lastMouseX, 12);
  EXPECT_EQ(lastMouseY, 14);
  EXPECT_EQ(manipulatorHandleMotion(50, 50), 0);
}

TEST_F(MouseTest, ReleaseAfterLettingGoOfTheModifiersStillEndsTheDrag) {
  press(modShift, 10, 10);
  EXPECT_EQ(manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_UP, 20, 20, modNone), 0);
  EXPECT_EQ(dragActive, 0);
  // A later plain drag during which Shift+key sets a mode must not turn the
  // view by the distance from the old drag.
  EXPECT_EQ(manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, 200, 200, modNone), 0);
  currentModifiers = modShift;
  EXPECT_EQ(manipulatorHandleMotion(210, 210), 0);
  EXPECT_EQ(mouseRotationX, 0.0f);
}

// One drag step from the press in each mode, under a projection of 0.1
// units per pixel across the 320-pixel window: only the mode's own figures
// change, and the position is kept (the zoom keeps x at the press).
TEST_F(MouseTest, EachDragModeChangesOnlyItsOwnFigures) {
  const struct {
    int combination;
    int pressX, pressY, x, y;
    float rotationX, rotationY, rotationZ, zoom, panX, panY;
    int lastX, lastY;
  } cases[] = {
      // Shift turns about Y and X, a degree per pixel.
      {modShift, 100, 100, 130, 110, 10, 30, 0, 1, 0, 0, 130, 110},
      // Shift+Ctrl turns about Z and X.
      {modShiftCtrl, 100, 100, 80, 103, 3, 0, -20, 1, 0, 0, 80, 103},
      // Ctrl zooms by 1.02 per 5 pixels down.
      {modCtrl, 50, 100, 70, 105, 0, 0, 0, 1.02f, 0, 0, 50, 105},
      // Alt pans with the pointer: 20 units over 320 pixels.
      {modAlt, 100, 100, 110, 110, 0, 0, 0, 1, 0.625f, -0.625f, 110, 110},
      // Ctrl+Alt with nothing bound only records the position.
      {modCtrlAlt, 10, 20, 30, 50, 0, 0, 0, 1, 0, 0, 30, 50},
  };
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10.0, 10.0, -7.5, 7.5, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  for (const auto& c : cases) {
    SCOPED_TRACE("combination " + std::to_string(c.combination));
    setMouseRotation(0.0f, 0.0f, 0.0f);
    zoomFactor = 1.0f;
    panX = 0.0f;
    panY = 0.0f;
    press(c.combination, c.pressX, c.pressY);
    EXPECT_EQ(manipulatorHandleMotion(c.x, c.y), 1);
    EXPECT_EQ(mouseRotationX, c.rotationX);
    EXPECT_EQ(mouseRotationY, c.rotationY);
    EXPECT_EQ(mouseRotationZ, c.rotationZ);
    EXPECT_EQ(zoomFactor, c.zoom);
    EXPECT_EQ(panX, c.panX);
    EXPECT_EQ(panY, c.panY);
    EXPECT_EQ(lastMouseX, c.lastX);
    EXPECT_EQ(lastMouseY, c.lastY);
  }
}

TEST_F(MouseTest, DragStepsMeasureFromTheLatestPosition) {
  press(modShift, 100, 100);
  manipulatorHandleMotion(130, 110);
  EXPECT_EQ(manipulatorHandleMotion(125, 110), 1);
  EXPECT_EQ(mouseRotationY, 25.0f);
}

TEST_F(MouseTest, CtrlDragZoomsByPowersOfOnePointZeroTwo) {
  const double base = static_cast<double>(1.02f);
  press(modCtrl, 50, 105);
  manipulatorHandleMotion(90, 115);
  EXPECT_EQ(zoomFactor, static_cast<float>(base * base));
  manipulatorHandleMotion(90, 105);
  EXPECT_NEAR(zoomFactor, 1.0f, 1.2e-7f) << "back up returns within float rounding";
  const float before = zoomFactor;
  manipulatorHandleMotion(300, 105);
  EXPECT_EQ(zoomFactor, before) << "sideways moves do not zoom";
  EXPECT_EQ(lastMouseX, 50);
}

TEST_F(MouseTest, ZoomStaysFiniteAndPositiveAndComesBack) {
  press(modCtrl, 0, 0);
  manipulatorHandleMotion(0, 100000);
  EXPECT_EQ(zoomFactor, 1e6f);
  manipulatorHandleMotion(0, 100000 - 50);
  EXPECT_LT(zoomFactor, 1e6f) << "a drag back up shrinks the view again";
  manipulatorHandleMotion(0, -100000);
  EXPECT_EQ(zoomFactor, 1e-6f);
  manipulatorHandleMotion(0, -100000 + 50);
  EXPECT_GT(zoomFactor, 1e-6f) << "a drag back down enlarges the view again";
}

TEST_F(MouseTest, AltDragPansWithThePointerUsingTheProjectionAtThePress) {
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10.0, 10.0, -7.5, 7.5, -1.0, 1.0);  // x scale 0.1, 20 units over 320 px
  glMatrixMode(GL_MODELVIEW);
  press(modAlt, 100, 100);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();  // changes after the press do not count
  glMatrixMode(GL_MODELVIEW);
  EXPECT_EQ(manipulatorHandleMotion(110, 110), 1);
  EXPECT_EQ(panX, 0.625f);

  setPanFactor(2.0f);
  EXPECT_EQ(manipulatorHandleMotion(120, 120), 1);
  EXPECT_EQ(panX, 1.875f);
  EXPECT_EQ(panY, -1.875f);
  EXPECT_EQ(lastMouseX, 120);
  EXPECT_EQ(lastMouseY, 120);
}

TEST_F(MouseTest, AltDragMeasuresAgainstTheWidthOfTheWindowAtThePress) {
  ASSERT_TRUE(resizeCurrentWindow(400, kTestWindowHeight));
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10.0, 10.0, -7.5, 7.5, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  press(modAlt, 0, 0);
  ASSERT_TRUE(resizeCurrentWindow(kTestWindowWidth, kTestWindowHeight));
  EXPECT_EQ(dragWindowWidth, 400);
  manipulatorHandleMotion(10, 10);
  EXPECT_EQ(panX, 0.5f);
  EXPECT_EQ(panY, -0.5f);
}

TEST_F(MouseTest, PanWithoutWindowWidthOrProjectionScaleStaysFinite) {
  const GLfloat zero[16] = {};
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(zero);
  glMatrixMode(GL_MODELVIEW);
  press(modAlt, 0, 0);
  EXPECT_EQ(manipulatorHandleMotion(10, 10), 1);
  EXPECT_EQ(manipulatorHandleMotion(10, 10), 1);
  EXPECT_EQ(panX, 0.0f);
  EXPECT_EQ(panY, 0.0f);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  press(modAlt, 0, 0);
  dragWindowWidth = 0;
  EXPECT_EQ(manipulatorHandleMotion(0, 0), 1);
  EXPECT_EQ(manipulatorHandleMotion(10, -10), 1);
  EXPECT_EQ(panX, 0.0f);
  EXPECT_EQ(panY, 0.0f);
  EXPECT_EQ(lastMouseX, 10);
}

TEST_F(MouseTest, CtrlAltDragMovesBoundParametersWithinTheirBounds) {
  float x = 0.95f;
  float y = 2.0f;
  setDragParameterX(&x, 0.0f, 1.0f, 0.01f);
  setDragParameterY(&y, -10.0f, 10.0f, 0.5f);
  setDragParameterHook(countHook);
  press(modCtrlAlt, 100, 100);
  EXPECT_EQ(manipulatorHandleMotion(110, 104), 1);
  EXPECT_EQ(x, 1.0f) << "clamped to the maximum";
  EXPECT_EQ(y, 4.0f);
  EXPECT_EQ(hookCalls, 1);
  manipulatorHandleMotion(-90, 104);
  EXPECT_EQ(x, 0.0f) << "clamped to the minimum";
  EXPECT_EQ(hookCalls, 2);
  EXPECT_EQ(lastMouseX, -90);

  setDragParameterX(&x, 5.0f, 2.0f, 0.0f);
  manipulatorHandleMotion(-90, 104);
  EXPECT_EQ(x, 2.0f) << "a minimum above the maximum gives the maximum";
}

TEST_F(MouseTest, CtrlAltDragCallsTheHookAlsoWithNothingBound) {
  press(modCtrlAlt, 10, 20);
  setDragParameterHook(countHook);
  manipulatorHandleMotion(31, 50);
  EXPECT_EQ(hookCalls, 1);
}

TEST_F(MouseTest, KeyDuringADragChangesTheDragMode) {
  press(modShift, 100, 100);
  manipulatorHandleMotion(110, 100);
  EXPECT_EQ(mouseRotationY, 10.0f);
  EXPECT_EQ(manipulatorHandleSpecialAs(GLUT_KEY_F1, modCtrl), 0);
  manipulatorHandleMotion(110, 105);
  EXPECT_EQ(zoomFactor, 1.02f);
  EXPECT_EQ(mouseRotationX, 0.0f);
}

TEST_F(MouseTest, ManipulatorTransformIsPanRotationsThenZoom) {
  panX = 1.5f;
  panY = -2.0f;
  setMouseRotation(20.0f, -35.0f, 80.0f);
  zoomFactor = 1.25f;
  glRotatef(10.0f, 0.0f, 0.0f, 1.0f);
  const int depth = modelviewStackDepth();
  applyManipulator();
  EXPECT_EQ(modelviewStackDepth(), depth);
  const std::array<float, 16> applied = modelviewMatrix();
  glLoadIdentity();
  glRotatef(10.0f, 0.0f, 0.0f, 1.0f);
  glTranslatef(1.5f, -2.0f, 0.0f);
  glRotatef(20.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(-35.0f, 0.0f, 1.0f, 0.0f);
  glRotatef(80.0f, 0.0f, 0.0f, 1.0f);
  glScalef(1.25f, 1.25f, 1.25f);
  EXPECT_EQ(applied, modelviewMatrix());
}

TEST_F(MouseTest, SpinTurnsTenDegreesPerSecondAndRedraws) {
  spinEnabled = 1;
  EXPECT_EQ(redrawFramesOf([] {
              setMouseRotation(0.0f, 0.0f, 0.0f);
              setElapsedTime(1000);
              lastSpinTime = 500;
              manipulatorIdleFunc();
            }),
            1);
  EXPECT_FLOAT_EQ(mouseRotationX, 5.0f);
  EXPECT_EQ(mouseRotationY, mouseRotationX);
  EXPECT_EQ(mouseRotationZ, mouseRotationX);
  EXPECT_EQ(lastSpinTime, 1000);

  spinFactor = 2.0f;
  setRedisplayHook(countHook);
  EXPECT_EQ(redrawFramesOf([] {
              hookCalls = 0;
              setMouseRotation(0.0f, 0.0f, 0.0f);
              setElapsedTime(1500);
              lastSpinTime = 1000;
              manipulatorIdleFunc();
            }),
            0)
      << "the hook replaces the redraw request";
  EXPECT_FLOAT_EQ(mouseRotationX, 10.0f);
  EXPECT_EQ(hookCalls, 1);
}

TEST_F(MouseTest, SpinRedrawsItsOwnWindowWithoutTheHook) {
  spinEnabled = 1;
  setRedisplayHook(countHook);
  EXPECT_EQ(redrawFramesOf([] {
              hookCalls = 0;
              setRedisplayWindow(glutGetWindow());
              testWindow();  // another window current: the spin still redraws its own
              manipulatorIdleFunc();
            }),
            1);
  EXPECT_EQ(hookCalls, 0);
}

TEST_F(MouseTest, SpinOffKeepsTheAnglesButAdvancesTheClock) {
  EXPECT_EQ(redrawFramesOf([] {
              setElapsedTime(20000);
              lastSpinTime = 10000;
              manipulatorIdleFunc();
            }),
            0);
  EXPECT_EQ(mouseRotationX, 0.0f);
  EXPECT_EQ(lastSpinTime, 20000);
  spinEnabled = 1;
  setElapsedTime(20100);
  manipulatorIdleFunc();
  EXPECT_FLOAT_EQ(mouseRotationX, 1.0f) << "switching the spin on later does not jump";
}

TEST_F(MouseTest, CallbacksRequestARedrawOrCallTheHookOnlyWhenConsumed) {
  // Outside a real input event the modifiers read as none.
  const struct {
    const char* name;
    void (*events)();
    bool hook;
    int frames, hookCalls;
    float rotationY;
  } cases[] = {
      {"plain press, motion and middle press",
       [] {
         manipulatorMouseFunc(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);
         manipulatorMotionFunc(10, 10);
         manipulatorMouseFunc(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 0, 0);
       },
       false, 0, 0, 0},
      {"Shift drag step",
       [] {
         manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0, modShift);
         manipulatorMotionFunc(10, 10);
       },
       false, 1, 0, 10},
      {"Shift drag step",
       [] {
         manipulatorHandleMouseAs(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0, modShift);
         manipulatorMotionFunc(20, 10);
       },
       true, 0, 1, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.hook ? " with the redisplay hook" : ""));
    setRedisplayHook(c.hook ? countHook : nullptr);
    EXPECT_EQ(redrawFramesOf([&c] {
                dragActive = 0;
                setMouseRotation(0.0f, 0.0f, 0.0f);
                hookCalls = 0;
                c.events();
              }),
              c.frames);
    EXPECT_EQ(hookCalls, c.hookCalls);
    EXPECT_EQ(mouseRotationY, c.rotationY);
  }
}

TEST_F(MouseTest, DragTurnsAndPanAccumulateWithoutBound) {
  // A degree per pixel, never folded back into one turn.
  press(modShift, 0, 0);
  for (int step = 1; step <= 10; ++step) manipulatorHandleMotion(100000 * step, 0);
  EXPECT_EQ(mouseRotationY, 1e6f);
  // 0.625 units per 10 pixels under this projection, summed without limit.
  glMatrixMode(GL_PROJECTION);
  glOrtho(-10.0, 10.0, -7.5, 7.5, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  press(modAlt, 0, 0);
  for (int step = 1; step <= 1000; ++step) manipulatorHandleMotion(10 * step, 0);
  EXPECT_EQ(panX, 625.0f);
  EXPECT_EQ(panY, 0.0f);
}

}  // namespace
