// The diagram window's display: the light, the mirror, the three rays with
// their angle arcs and labels.
#pragma once

#include "maths/vector.h"

// Display callback of the diagram window: one frame of the diagram, then a
// redraw request for the values window.
void displayDiagram();
