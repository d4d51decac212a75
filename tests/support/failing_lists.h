// Display-list reservations that fail on demand for the code under test. A
// test program linked with -Wl,--wrap=glGenLists and `failinglists` has the
// glGenLists calls of its statically linked code routed through here, so a
// test can make a later reservation fail after earlier ones succeeded.
#pragma once

#include <vector>

// Let `successes` more glGenLists calls reserve their names, then make every
// later one fail (return 0, reserving nothing) until glGenListsSucceedAlways.
// Forgets the names reserved before.
void glGenListsFailAfter(int successes);
void glGenListsSucceedAlways();

// First names of the blocks that glGenLists reserved since the latest
// glGenListsFailAfter, in order.
const std::vector<unsigned>& reservedListBases();
