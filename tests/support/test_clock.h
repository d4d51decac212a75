// GLUT's elapsed time, set by the test. A test program linked with
// -Wl,--wrap=glutGet and this file (velorane_test_clock(target)) has the
// glutGet calls of its statically linked code routed through here, so a test
// of something timed reads a clock it sets instead of one that runs on while
// the machine is busy.
#pragma once

// From now on glutGet(GLUT_ELAPSED_TIME) answers `milliseconds`; every other
// query still reaches GLUT.
void setElapsedTime(int milliseconds);
// glutGet(GLUT_ELAPSED_TIME) reads GLUT's own clock again.
void useGlutClock();
