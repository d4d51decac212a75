// One place that sets the toolkit's and the diagram's module variables back
// to what a fresh process starts with, so that tests and benchmarks running
// one after another in a process do not inherit each other's settings. A new
// module variable needs one new line here.
#pragma once

// Reset the manipulator (rotations, spin, pan, zoom, drag state and bound
// parameters, full screen, hooks, the spin's window), the raster text
// (anchor, offset, alignment, GLUT font, buffer), the stroke text settings,
// the reshape handlers' volumes, perspective and redisplay window, the quit
// menu's hook and the reflection model (light, directions, angle) to their
// start values. Left alone: the window ids of app/windows.h and the font
// lists, which belong to windows that exist, and the figures of the last
// reshape, which every reshape writes anew.
void resetModuleState();

// resetModuleState, then the settings the program's main gives before its
// first frame: the orthographic volume -10 to 10 (-500 to 500 deep), pan
// factor 1 and the keyboard rotation (25, 15, 0).
void resetToProgramStart();
