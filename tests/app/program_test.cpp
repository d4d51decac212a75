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
// each window inside its frame. On Windows the frame Windows draws goes at
// the asked place; under Wine on a bare X server that frame is no X window,
// so each window lies lower and to the right of its place by the frame's
// left border and its top (border and title bar), the same for both.
TEST(Program, OpensBothWindowsWithTheirTitlesSizesAndPositions) {
  ProgramDriver program;
  ASSERT_TRUE(program.start());
  unsigned long diagram = 0, values = 0;
  ASSERT_TRUE(program.waitForWindows(&diagram, &values));
  const struct {
    unsigned long window;
    int x, y, width, height;
  } cases[] = {{diagram, 50, 50, 310, 250}, {values, 60, 340, 360, 110}};
  WindowGeometry windowsFrame[2];  // each window's offset in its Windows frame
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window == diagram ? "Velorane" : "Valeurs");
    const WindowGeometry window = program.geometry(c.window);
    const WindowGeometry placed = program.frame(c.window);
    if (ProgramDriver::windowsProgram()) {
      EXPECT_EQ(window.width, c.width);
      EXPECT_EQ(window.height, c.height);
      WindowGeometry& offset = windowsFrame[&c - cases];
      offset.x = window.x - c.x;
      offset.y = window.y - c.y;
      EXPECT_GE(offset.x, 0) << "left of its frame's place";
      EXPECT_GT(offset.y, offset.x) << "no title bar above the window";
      continue;
    }
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
  if (ProgramDriver::windowsProgram()) {
    EXPECT_EQ(windowsFrame[0].x, windowsFrame[1].x) << "the windows' frames differ";
    EXPECT_EQ(windowsFrame[0].y, windowsFrame[1].y) << "the windows' frames differ";
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
