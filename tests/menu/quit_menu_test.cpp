// The quit menu: its one entry on the right button, the exit through it with
// the hook, and the redraw for any other entry.
#include "menu/quit_menu.h"

#include <unistd.h>

#include <cstdio>
#include <functional>

#include "tests/support/gl_test.h"

namespace {

// Frame counting. Test programs running at the same time map their windows
// at the top left of the screen, and a covered window draws nothing while an
// uncovered one redraws by itself; so redraws are counted on a small window
// of their own, placed by process id away from the top left, and a count is
// kept only when that window's visibility did not change while it was taken.
int countingWindow = 0;
int framesDrawn = 0;
int visibilityChanges = 0;

// Frames that the counting window draws for the redraw requests of `action`,
// run with that window current after it has drawn everything pending; -1
// when no undisturbed count could be had. The action may run more than once.
// The shared test window is current again afterwards.
int redrawFramesOf(const std::function<void()>& action) {
  if (countingWindow == 0) {
    testWindow();
    const int slots = 20;
    const int pid = static_cast<int>(getpid());
    const int x = glutGet(GLUT_SCREEN_WIDTH) / 2 + (pid % slots) * 24;
    const int y = glutGet(GLUT_SCREEN_HEIGHT) / 2 + (pid / slots % slots) * 24;
    glutInitWindowPosition(x, y);
    glutInitWindowSize(16, 16);
    countingWindow = glutCreateWindow("velorane-redraw-count");
    glutDisplayFunc([] { ++framesDrawn; });
    glutWindowStatusFunc([](int) { ++visibilityChanges; });
  }
  int frames = -1;
  for (int attempt = 0; attempt < 20 && frames < 0; ++attempt) {
    glutSetWindow(countingWindow);
    framesDrawn = 0;
    glutPostRedisplay();
    for (int i = 0; i < 500 && framesDrawn == 0; ++i) {
      pumpEvents();
      usleep(1000);
    }
    if (framesDrawn == 0) continue;
    pumpEvents();
    visibilityChanges = 0;
    framesDrawn = 0;
    glutSetWindow(countingWindow);
    action();
    for (int i = 0; i < 5; ++i) {
      usleep(2000);
      pumpEvents();
    }
    if (visibilityChanges == 0) frames = framesDrawn;
  }
  testWindow();
  return frames;
}

class QuitMenuTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    setQuitMenuExitHook(nullptr);
  }
};

void printHookCall() {
  static int calls = 0;
  std::fprintf(stderr, "quit hook %d;", ++calls);
}

TEST_F(QuitMenuTest, AttachCreatesAOneEntryMenuPerCall) {
  attachQuitMenu();
  const int first = glutGetMenu();
  EXPECT_NE(first, 0);
  EXPECT_EQ(glutGet(GLUT_MENU_NUM_ITEMS), 1);
  attachQuitMenu();
  const int second = glutGetMenu();
  EXPECT_NE(second, 0);
  EXPECT_NE(second, first) << "each window gets a menu of its own";
  EXPECT_EQ(glutGet(GLUT_MENU_NUM_ITEMS), 1);
  glutDetachMenu(GLUT_RIGHT_BUTTON);
  glutDestroyMenu(second);
  glutDestroyMenu(first);
}

TEST_F(QuitMenuTest, QuitterExitsWithStatusZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(quitMenuSelect(0), testing::ExitedWithCode(0), "");
}

TEST_F(QuitMenuTest, ExitHookRunsOnceBeforeTheExit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setQuitMenuExitHook(printHookCall);
        quitMenuSelect(0);
      },
      testing::ExitedWithCode(0), "quit hook 1;$");
}

TEST_F(QuitMenuTest, OtherEntriesRedrawTheWindow) {
  EXPECT_EQ(redrawFramesOf([] {
              quitMenuSelect(1);
              quitMenuSelect(-3);
            }),
            1);
}

}  // namespace
