// Gestures shared by the end-to-end tests of the program.
#pragma once

#include "tests/support/program_driver.h"

// Open the right-button menu with a click at (x, y) of `window`, which puts
// the menu's top-left corner under the pointer, then click its only entry,
// "Quitter". The menu must open and the program must still run until the
// entry is clicked.
void chooseQuitter(ProgramDriver& program, unsigned long diagram, unsigned long values,
                   unsigned long window, int x, int y);
