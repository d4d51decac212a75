// Keyboard side of the view manipulator: modifier decoding, keys and special
// keys under every combination, the spin switch and speed, full screen, Esc,
// the redisplay requests and the keyboard rotation matrix.
#include "manipulator/keyboard.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "manipulator/mouse.h"
#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"

// The X id of the current GLX drawable (the current freeglut window), declared
// here since the GLX header's X11 macros clash with GoogleTest's names.
extern "C" unsigned long glXGetCurrentDrawable(void);

namespace {

const int kCombinations[] = {modNone, modShift, modShiftCtrl, modCtrl, modAlt, modCtrlAlt};

int hookCalls = 0;
void countHook() { ++hookCalls; }

class KeyboardTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
    setKeyRotation(25.0f, 15.0f, 0.0f);
    setMouseRotation(11.0f, 13.0f, 17.0f);
    panX = 3.0f;
    panY = 4.0f;
    zoomFactor = 2.0f;
    hookCalls = 0;
  }
};

void expectKeyRotation(float x, float y, float z) {
  EXPECT_EQ(keyRotationX, x);
  EXPECT_EQ(keyRotationY, y);
  EXPECT_EQ(keyRotationZ, z);
}

TEST(ModifierCombination, DecodesAllEightBitPatternsInPriorityOrder) {
  const struct {
    int bits;
    int combination;
  } cases[] = {
      {0, modNone},
      {GLUT_ACTIVE_SHIFT, modShift},
      {GLUT_ACTIVE_CTRL, modCtrl},
      {GLUT_ACTIVE_ALT, modAlt},
      {GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL, modShiftCtrl},
      {GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_ALT, modShift},
      {GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT, modCtrlAlt},
      {GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT, modCtrlAlt},
      {-1, modNone},  // GLUT's answer outside an input callback
  };
  for (const auto& c : cases) {
    EXPECT_EQ(modifierCombination(c.bits), c.combination) << "bits " << c.bits;
  }
}

TEST_F(KeyboardTest, DecodesModifiersHeldAtARealSpecialKeyEvent) {
  EXPECT_EQ(decodeModifiers(), modNone) << "outside a callback";
  // The X window of the test window is the current GLX drawable; xdotool
  // sends it key events that carry the modifier state.
  const std::string window = std::to_string(glXGetCurrentDrawable());
  glutSpecialFunc(manipulatorSpecialFunc);
  const struct {
    const char* keys;
    int combination;
  } cases[] = {
      {"F1", modNone},
      {"shift+F1", modShift},
      {"ctrl+F1", modCtrl},
      {"alt+F1", modAlt},
      {"shift+ctrl+F1", modShiftCtrl},
      {"shift+alt+F1", modShift},
      {"ctrl+alt+F1", modCtrlAlt},
      {"shift+ctrl+alt+F1", modCtrlAlt},
  };
  for (const auto& c : cases) {
    currentModifiers = -1;
    const std::string command =
        "xdotool key --window " + window + " " + c.keys + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(waitFor("the special key", [] { return currentModifiers != -1; })) << c.keys;
    EXPECT_EQ(currentModifiers, c.combination) << c.keys;
  }
  glutSpecialFunc(nullptr);
  expectKeyRotation(25.0f, 15.0f, 0.0f);
}

TEST_F(KeyboardTest, LetterKeysTurnTwoDegreesUnderEveryCombination) {
  const struct {
    unsigned char key;
    float x, y, z;
  } cases[] = {
      {'x', 27, 15, 0}, {'y', 25, 17, 0}, {'z', 25, 15, 2},
      {'X', 23, 15, 0}, {'Y', 25, 13, 0}, {'Z', 25, 15, -2},
  };
  for (const auto& c : cases) {
    for (int combination : kCombinations) {
      setKeyRotation(25.0f, 15.0f, 0.0f);
      EXPECT_EQ(manipulatorHandleKeyAs(c.key, combination), 1) << c.key;
      EXPECT_EQ(currentModifiers, combination);
      expectKeyRotation(c.x, c.y, c.z);
    }
  }
  setKeyRotation(25.0f, 15.0f, 0.0f);
  manipulatorHandleKeyAs('x', modNone);
  manipulatorHandleKeyAs('X', modNone);
  manipulatorHandleKeyAs('X', modNone);
  expectKeyRotation(23.0f, 15.0f, 0.0f);
  EXPECT_EQ(mouseRotationX, 11.0f) << "keys leave the mouse rotation";
}

TEST_F(KeyboardTest, OnlyShiftEnterTogglesTheSpin) {
  for (int combination : kCombinations) {
    const int expected = combination == modShift ? 1 : 0;
    EXPECT_EQ(manipulatorHandleKeyAs(kKeyEnter, combination), expected) << combination;
    EXPECT_EQ(spinEnabled, expected) << combination;
    EXPECT_EQ(currentModifiers, combination);
    spinEnabled = 0;
  }
  manipulatorHandleKeyAs(kKeyEnter, modShift);
  EXPECT_EQ(manipulatorHandleKeyAs(kKeyEnter, modShift), 1);
  EXPECT_EQ(spinEnabled, 0) << "a second Shift+Enter switches the spin off";
}

TEST_F(KeyboardTest, OtherKeysAreNotConsumedAndChangeOnlyTheModifiers) {
  const unsigned char keys[] = {'a', '4', ' ', 'w', 200};
  for (unsigned char key : keys) {
    for (int combination : kCombinations) {
      EXPECT_EQ(manipulatorHandleKeyAs(key, combination), 0) << key;
      EXPECT_EQ(currentModifiers, combination);
    }
  }
  expectKeyRotation(25.0f, 15.0f, 0.0f);
  EXPECT_EQ(spinEnabled, 0);
}

// Start (25, 15, 0), mouse (11, 13, 17), spin factor 1. Shift+Ctrl turns by
// 1 degree like no modifier; Ctrl+Alt by 10 like Alt (Alt held: coarse).
TEST_F(KeyboardTest, SpecialKeysUnderEveryCombination) {
  const float sped = 1.0f * 1.1f;
  const float slowed = 1.0f / 1.1f;
  const struct {
    int key;
    int combination;
    float x, y, z;
    bool mouseReset;
    float spin;
  } cases[] = {
      {GLUT_KEY_LEFT, modNone, 25, 14, 0, false, 1},
      {GLUT_KEY_UP, modNone, 24, 15, 0, false, 1},
      {GLUT_KEY_RIGHT, modNone, 25, 16, 0, false, 1},
      {GLUT_KEY_DOWN, modNone, 26, 15, 0, false, 1},
      {GLUT_KEY_PAGE_UP, modNone, 25, 15, -1, false, 1},
      {GLUT_KEY_PAGE_DOWN, modNone, 25, 15, 1, false, 1},
      {GLUT_KEY_LEFT, modAlt, 25, 5, 0, false, 1},
      {GLUT_KEY_UP, modAlt, 15, 15, 0, false, 1},
      {GLUT_KEY_RIGHT, modAlt, 25, 25, 0, false, 1},
      {GLUT_KEY_DOWN, modAlt, 35, 15, 0, false, 1},
      {GLUT_KEY_PAGE_UP, modAlt, 25, 15, -10, false, 1},
      {GLUT_KEY_PAGE_DOWN, modAlt, 25, 15, 10, false, 1},
      {GLUT_KEY_LEFT, modShiftCtrl, 25, 14, 0, false, 1},
      {GLUT_KEY_UP, modShiftCtrl, 24, 15, 0, false, 1},
      {GLUT_KEY_RIGHT, modShiftCtrl, 25, 16, 0, false, 1},
      {GLUT_KEY_DOWN, modShiftCtrl, 26, 15, 0, false, 1},
      {GLUT_KEY_PAGE_UP, modShiftCtrl, 25, 15, -1, false, 1},
      {GLUT_KEY_PAGE_DOWN, modShiftCtrl, 25, 15, 1, false, 1},
      {GLUT_KEY_LEFT, modCtrlAlt, 25, 5, 0, false, 1},
      {GLUT_KEY_UP, modCtrlAlt, 15, 15, 0, false, 1},
      {GLUT_KEY_RIGHT, modCtrlAlt, 25, 25, 0, false, 1},
      {GLUT_KEY_DOWN, modCtrlAlt, 35, 15, 0, false, 1},
      {GLUT_KEY_PAGE_UP, modCtrlAlt, 25, 15, -10, false, 1},
      {GLUT_KEY_PAGE_DOWN, modCtrlAlt, 25, 15, 10, false, 1},
      {GLUT_KEY_LEFT, modShift, 25, 15, 0, false, sped},
      {GLUT_KEY_UP, modShift, 25, 15, 0, false, sped},
      {GLUT_KEY_RIGHT, modShift, 25, 15, 0, false, slowed},
      {GLUT_KEY_DOWN, modShift, 25, 15, 0, false, slowed},
      {GLUT_KEY_PAGE_UP, modShift, 25, 15, 0, false, sped},
      {GLUT_KEY_PAGE_DOWN, modShift, 25, 15, 0, false, slowed},
      {GLUT_KEY_LEFT, modCtrl, 0, 0, 0, true, 1},
      {GLUT_KEY_UP, modCtrl, 0, 0, 0, true, 1},
      {GLUT_KEY_RIGHT, modCtrl, 0, 180, 0, true, 1},
      {GLUT_KEY_DOWN, modCtrl, 180, 0, 0, true, 1},
      {GLUT_KEY_PAGE_UP, modCtrl, 0, 0, 180, true, 1},
      {GLUT_KEY_PAGE_DOWN, modCtrl, 0, 0, 0, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " combination " << c.combination);
    setKeyRotation(25.0f, 15.0f, 0.0f);
    setMouseRotation(11.0f, 13.0f, 17.0f);
    spinFactor = 1.0f;
    EXPECT_EQ(manipulatorHandleSpecialAs(c.key, c.combination), 1);
    EXPECT_EQ(currentModifiers, c.combination);
    expectKeyRotation(c.x, c.y, c.z);
    EXPECT_EQ(spinFactor, c.spin);
    EXPECT_EQ(mouseRotationX, c.mouseReset ? 0.0f : 11.0f);
    EXPECT_EQ(mouseRotationY, c.mouseReset ? 0.0f : 13.0f);
    EXPECT_EQ(mouseRotationZ, c.mouseReset ? 0.0f : 17.0f);
    EXPECT_EQ(panX, 3.0f) << "the Ctrl resets leave the pan";
    EXPECT_EQ(zoomFactor, 2.0f) << "the Ctrl resets leave the zoom";
  }
}

TEST_F(KeyboardTest, OtherSpecialKeysAreNotConsumedButRecordTheModifiers) {
  for (int key : {GLUT_KEY_F1, GLUT_KEY_F12, GLUT_KEY_HOME, GLUT_KEY_END, GLUT_KEY_INSERT}) {
    for (int combination : kCombinations) {
      EXPECT_EQ(manipulatorHandleSpecialAs(key, combination), 0) << key;
      EXPECT_EQ(currentModifiers, combination);
    }
  }
  expectKeyRotation(25.0f, 15.0f, 0.0f);
  EXPECT_EQ(spinFactor, 1.0f);
  EXPECT_EQ(mouseRotationX, 11.0f);
}

TEST_F(KeyboardTest, ShiftArrowsBringTheSpinFactorBackExactly) {
  manipulatorHandleSpecialAs(GLUT_KEY_LEFT, modShift);
  manipulatorHandleSpecialAs(GLUT_KEY_LEFT, modShift);
  EXPECT_EQ(spinFactor, 1.1f * 1.1f);
  manipulatorHandleSpecialAs(GLUT_KEY_RIGHT, modShift);
  manipulatorHandleSpecialAs(GLUT_KEY_RIGHT, modShift);
  EXPECT_EQ(spinFactor, 1.0f);
}

TEST_F(KeyboardTest, SpinFactorStaysWithinBoundsAndRecovers) {
  for (int i = 0; i < 2000; ++i) manipulatorHandleSpecialAs(GLUT_KEY_DOWN, modShift);
  EXPECT_EQ(spinFactor, 1e-6f);
  manipulatorHandleSpecialAs(GLUT_KEY_UP, modShift);
  EXPECT_GT(spinFactor, 1e-6f) << "a slowed-down spin can be sped up again";
  for (int i = 0; i < 2000; ++i) manipulatorHandleSpecialAs(GLUT_KEY_UP, modShift);
  EXPECT_EQ(spinFactor, 1e6f);
  manipulatorHandleSpecialAs(GLUT_KEY_DOWN, modShift);
  EXPECT_LT(spinFactor, 1e6f);
}

void printHookCall() {
  static int calls = 0;
  std::fprintf(stderr, "exit hook %d;", ++calls);
}

TEST_F(KeyboardTest, EscExitsWithStatusZeroUnderEveryCombinationAfterTheHookOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    int combination;
    bool hook;
  } cases[] = {{modNone, false}, {modShift, false}, {modShiftCtrl, false},
               {modCtrl, false}, {modAlt, false},   {modCtrlAlt, false},
               {modNone, true},  {modCtrlAlt, true}};
  for (const auto& c : cases) {
    EXPECT_EXIT(
        {
          setExitHook(c.hook ? printHookCall : nullptr);
          manipulatorHandleKeyAs(kKeyEscape, c.combination);
        },
        testing::ExitedWithCode(0), c.hook ? "exit hook 1;$" : "")
        << "combination " << c.combination << (c.hook ? " with the hook" : "");
  }
}

TEST_F(KeyboardTest, FullScreenKeyTwiceRestoresPositionAndSize) {
  glutPositionWindow(40, 30);
  ASSERT_TRUE(resizeCurrentWindow(200, 100));
  ASSERT_TRUE(waitFor("the window at (40, 30)", [] {
    return glutGet(GLUT_WINDOW_X) == 40 && glutGet(GLUT_WINDOW_Y) == 30;
  }));

  EXPECT_EQ(manipulatorHandleKeyAs(kKeyFullScreen, modNone), 0);
  EXPECT_EQ(fullScreenActive, 1);
  EXPECT_EQ(windowedX, 40);
  EXPECT_EQ(windowedY, 30);
  EXPECT_EQ(windowedWidth, 200);
  EXPECT_EQ(windowedHeight, 100);
  // Without a window manager freeglut resizes the window to the screen.
  EXPECT_TRUE(waitFor("the window covering the screen", [] {
    return glutGet(GLUT_WINDOW_WIDTH) == glutGet(GLUT_SCREEN_WIDTH) &&
           glutGet(GLUT_WINDOW_HEIGHT) == glutGet(GLUT_SCREEN_HEIGHT);
  }));

  EXPECT_EQ(manipulatorHandleKeyAs(kKeyFullScreen, modShift), 0);
  EXPECT_EQ(fullScreenActive, 0);
  EXPECT_TRUE(waitFor("the window back at (40, 30), 200 x 100", [] {
    return glutGet(GLUT_WINDOW_X) == 40 && glutGet(GLUT_WINDOW_Y) == 30 &&
           glutGet(GLUT_WINDOW_WIDTH) == 200 && glutGet(GLUT_WINDOW_HEIGHT) == 100;
  }));
}

TEST_F(KeyboardTest, CallbacksRequestARedrawOrCallTheHookOnlyForConsumedKeys) {
  // Outside a real input event the modifiers read as none.
  const struct {
    const char* name;
    void (*press)();
    bool hook;
    int frames, hookCalls;
  } cases[] = {
      {"x", [] { manipulatorKeyboardFunc('x', 0, 0); }, false, 1, 0},
      {"a", [] { manipulatorKeyboardFunc('a', 0, 0); }, false, 0, 0},
      {"left", [] { manipulatorSpecialFunc(GLUT_KEY_LEFT, 0, 0); }, false, 1, 0},
      {"F1", [] { manipulatorSpecialFunc(GLUT_KEY_F1, 0, 0); }, false, 0, 0},
      {"y", [] { manipulatorKeyboardFunc('y', 0, 0); }, true, 0, 1},
      {"up", [] { manipulatorSpecialFunc(GLUT_KEY_UP, 0, 0); }, true, 0, 1},
      {"b", [] { manipulatorKeyboardFunc('b', 0, 0); }, true, 0, 0},
      {"home", [] { manipulatorSpecialFunc(GLUT_KEY_HOME, 0, 0); }, true, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.hook ? " with the redisplay hook" : ""));
    setRedisplayHook(c.hook ? countHook : nullptr);
    EXPECT_EQ(redrawFramesOf([&c] {
                setKeyRotation(25.0f, 15.0f, 0.0f);
                hookCalls = 0;
                c.press();
              }),
              c.frames);
    EXPECT_EQ(hookCalls, c.hookCalls);
  }
  setRedisplayHook(nullptr);
  setKeyRotation(25.0f, 15.0f, 0.0f);
  manipulatorKeyboardFunc('x', 0, 0);
  expectKeyRotation(27.0f, 15.0f, 0.0f);
}

TEST_F(KeyboardTest, KeyRotationTurnsAboutXThenYThenZ) {
  setKeyRotation(30.0f, -45.0f, 100.0f);
  glTranslatef(1.0f, 2.0f, 3.0f);
  const int depth = modelviewStackDepth();
  applyKeyRotation();
  EXPECT_EQ(modelviewStackDepth(), depth);
  const std::array<float, 16> applied = modelviewMatrix();
  glLoadIdentity();
  glTranslatef(1.0f, 2.0f, 3.0f);
  glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
  glRotatef(-45.0f, 0.0f, 1.0f, 0.0f);
  glRotatef(100.0f, 0.0f, 0.0f, 1.0f);
  EXPECT_EQ(applied, modelviewMatrix());
}

TEST_F(KeyboardTest, AnglesGrowPastFullTurnsUnwrappedUntilAStepNoLongerChangesTheFloat) {
  // 180 presses of x add a whole turn to 25 degrees: the angle reads 385, and
  // the view is turned as by 25.
  for (int i = 0; i < 180; ++i) ASSERT_EQ(manipulatorHandleKeyAs('x', modNone), 1);
  expectKeyRotation(385.0f, 15.0f, 0.0f);
  applyKeyRotation();
  const std::array<float, 16> turned = modelviewMatrix();
  glLoadIdentity();
  setKeyRotation(25.0f, 15.0f, 0.0f);
  applyKeyRotation();
  const std::array<float, 16> once = modelviewMatrix();
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(turned[i], once[i], 1e-5f) << "element " << i;
  // From 2^25 degrees on, the float's neighbours lie 4 apart: a 2-degree step
  // is lost and the turn stays where it is, a finite number.
  setKeyRotation(33554432.0f, 0.0f, 0.0f);
  EXPECT_EQ(manipulatorHandleKeyAs('x', modNone), 1);
  EXPECT_EQ(keyRotationX, 33554432.0f);
}

}  // namespace
