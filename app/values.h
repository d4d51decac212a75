// The values window "Valeurs": the three unit vectors and the two angles of
// the diagram's last frame, one per line, in the diagram's colours.
#pragma once

// Display callback of the values window: prints the five lines.
void displayValues();

// Reshape callback of the values window: one unit per pixel, origin at the
// top-left corner, y negative downwards, so the lines keep their place.
void reshapeValues(int width, int height);

// Special-key callback of the values window: the arrow and page keys turn
// the diagram's view and redraw the diagram window.
void valuesSpecial(int key, int x, int y);
