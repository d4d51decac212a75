// glutGet wrapper for the tests of timed behaviour.
#include "tests/support/test_clock.h"

#include <GL/glut.h>

extern "C" int __real_glutGet(GLenum state);

// Whether the test's clock stands in for GLUT's, and its reading in ms.
static bool testClock = false;
static int elapsed = 0;

void setElapsedTime(int milliseconds) {
  testClock = true;
  elapsed = milliseconds;
}

void useGlutClock() { testClock = false; }

extern "C" int __wrap_glutGet(GLenum state) {
  if (testClock && state == GLUT_ELAPSED_TIME) return elapsed;
  return __real_glutGet(state);
}
