// The program as a person meets it: started on the display, its two windows,
// and every way it ends.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/end_to_end.h"
#include "tests/support/program_driver.h"

namespace {

TEST(Program, OpensBothWindowsWithTheirTitlesSizesAndPositions) {
  ProgramDriver program;
  ASSERT_TRUE(program.start());
  unsigned long diagram = 0, values = 0;
  ASSERT_TRUE(program.waitForWindows(&diagram, &values));
  const WindowGeometry d = program.geometry(diagram);
  EXPECT_EQ(d.x, 50);
  EXPECT_EQ(d.y, 50);
  EXPECT_EQ(d.width, 310);
  EXPECT_EQ(d.height, 250);
  const WindowGeometry v = program.geometry(values);
  EXPECT_EQ(v.x, 60);
  EXPECT_EQ(v.y, 340);
  EXPECT_EQ(v.width, 360);
  EXPECT_EQ(v.height, 110);
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
