// The program as a person meets it: started on the display, its two windows,
// its keys, its end.
#include <gtest/gtest.h>

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

TEST(Program, EscapeInEitherWindowEndsWithStatusZero) {
  for (const char* title : {"Velorane", "Valeurs"}) {
    ProgramDriver program;
    ASSERT_TRUE(program.start());
    unsigned long diagram = 0, values = 0;
    ASSERT_TRUE(program.waitForWindows(&diagram, &values));
    program.key(std::string(title) == "Velorane" ? diagram : values, "Escape");
    EXPECT_EQ(program.waitForExit(), 0) << title;
  }
}

TEST(Program, OtherKeysKeepItRunning) {
  ProgramDriver program;
  ASSERT_TRUE(program.start());
  unsigned long diagram = 0, values = 0;
  ASSERT_TRUE(program.waitForWindows(&diagram, &values));
  program.key(diagram, "4 a Return space 9 shift+q");
  program.key(values, "1 b Return x");
  program.settle();
  EXPECT_TRUE(program.running());
  program.key(diagram, "Escape");
  EXPECT_EQ(program.waitForExit(), 0);
}

}  // namespace
