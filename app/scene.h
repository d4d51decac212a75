// The diagram window's display: the light, the mirror, the three rays with
// their angle arcs and labels.
#pragma once

#include "maths/vector.h"

// Display callback of the diagram window: clears, applies the view of the
// manipulator, draws the scene and the half-transparent mirror plate, swaps,
// then asks for a redraw of the values window.
void displayDiagram();

// Draw everything but the plate: the reflected ray group, the light, the
// incident ray group, the rod to the light and the normal.
void drawScene();

// Recompute the reflection for a light at `light`, then draw the reflected
// ray with its arc and labels in red.
void drawReflectedRay(const Vector4* light);
