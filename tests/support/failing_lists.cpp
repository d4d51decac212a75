// glGenLists wrapper for the reservation-failure tests.
#include "tests/support/failing_lists.h"

#include <GL/gl.h>

extern "C" GLuint __real_glGenLists(GLsizei range);

// Reservations left to succeed; -1 for all of them.
static int successesLeft = -1;
// Blocks reserved since the latest glGenListsFailAfter.
static std::vector<unsigned> reserved;

void glGenListsFailAfter(int successes) {
  successesLeft = successes;
  reserved.clear();
}

void glGenListsSucceedAlways() { successesLeft = -1; }

const std::vector<unsigned>& reservedListBases() { return reserved; }

extern "C" GLuint __wrap_glGenLists(GLsizei range) {
  if (successesLeft == 0) return 0;
  if (successesLeft > 0) --successesLeft;
  const GLuint base = __real_glGenLists(range);
  if (base != 0) reserved.push_back(base);
  return base;
}
