// Gestures shared by the end-to-end tests of the program.
#include "tests/app/end_to_end.h"

#include <gtest/gtest.h>

void chooseQuitter(ProgramDriver& program, unsigned long diagram, unsigned long values,
                   unsigned long window, int x, int y) {
  ASSERT_TRUE(program.click(window, 3, x, y));
  ASSERT_NE(program.waitForOtherWindow(diagram, values), 0u) << "the menu did not open";
  EXPECT_TRUE(program.running()) << "opening the menu must not end the program";
  // The pointer crosses the entry as a hand would, which highlights it.
  program.moveTo(window, x + 8, y + 4);
  program.moveTo(window, x + 16, y + 10);
  program.click(window, 1, x + 16, y + 10);
}
