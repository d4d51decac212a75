// The quit menu: its one entry on the right button, the exit through it with
// the hook, and the redraw for any other entry.
#include "menu/quit_menu.h"

#include <cstdio>
#include <functional>

#include "tests/support/gl_test.h"

namespace {

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

TEST_F(QuitMenuTest, QuitterExitsWithStatusZeroAfterTheHookOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const bool hook : {false, true}) {
    EXPECT_EXIT(
        {
          setQuitMenuExitHook(hook ? printHookCall : nullptr);
          quitMenuSelect(kQuitMenuQuitValue);
        },
        testing::ExitedWithCode(0), hook ? "quit hook 1;$" : "")
        << (hook ? "with the hook" : "without a hook");
  }
}

TEST_F(QuitMenuTest, OtherEntriesRedrawTheWindow) {
  EXPECT_EQ(redrawFramesOf([] {
              quitMenuSelect(1);
              quitMenuSelect(-3);
            }),
            1);
}

}  // namespace
