// The program as a person meets it: started on the display, its two windows,
// and every way it ends.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/end_to_end.h"
#include "tests/support/program_driver.h"

namespace {

// The windows have the sizes the program asks for; the places it asks for
// are those of the top-level windows: the windows themselves on a bare X
// server, the frames around them under a window manager, which then holds
// each window inside its frame.
TEST(Program, OpensBothWindowsWithTheirTitlesSizesAndPositions) {
  ProgramDriver program;
  ASSERT_TRUE(program.start());
  unsigned long diagram = 0, values = 0;
  ASSERT_TRUE(program.waitForWindows(&diagram, &values));
  const struct {
    unsigned long window;
    int x, y, width, height;
  } cases[] = {{diagram, 50, 50, 310, 250}, {values, 60, 340, 360, 110}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window == diagram ? "Velorane" : "Valeurs");
    const WindowGeometry window = program.geometry(c.window);
    const WindowGeometry placed = program.frame(c.window);
    EXPECT_EQ(placed.x, c.x);
    EXPECT_EQ(placed.y, c.y);
    EXPECT_EQ(window.width, c.width);
    EXPECT_EQ(window.height, c.height);
    if (ProgramDriver::windowManaged()) {
      EXPECT_GT(placed.height, window.height) << "no title bar in the frame";
      EXPECT_GE(window.x, placed.x);
      EXPECT_GT(window.y, placed.y);
      EXPECT_LE(window.x + window.width, placed.x + placed.width);
      EXPECT_LE(window.y + window.height, placed.y + placed.height);
    } else {
      EXPECT_EQ(window.x, placed.x);
      EXPECT_EQ(window.y, placed.y);
    }
  }
  EXPECT_TRUE(program.running());
}

TEST(Program, EachWayToQuitEndsWithStatusZero) {
  enum Trigger { kEscape, kQuitter };
  const struct {
    const char* window;
    Trigger trigger;
    int x, y;  // where the menu is opened, in window pixels
  } cases[] = {
      {"Velorane", kEscape, 0, 0},
      {"Valeurs", kEscape, 0, 0},
      {"Velorane", kQuitter, 100, 100},
      {"Valeurs", kQuitter, 100, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.window) + (c.trigger == kEscape ? ", Esc" : ", Quitter"));
    ProgramDriver program;
    ASSERT_TRUE(program.start());
    unsigned long diagram = 0, values = 0;
    ASSERT_TRUE(program.waitForWindows(&diagram, &values));
    const unsigned long window = std::string(c.window) == "Velorane" ? diagram : values;
    if (c.trigger == kEscape) {
      program.key(window, "Escape");
    } else {
      chooseQuitter(program, diagram, values, window, c.x, c.y);
    }
    EXPECT_EQ(program.waitForExit(), 0);
  }
}

}  // namespace
