// The values window "Valeurs": the three unit vectors and the two angles of
// the diagram's last frame, one per line.
#pragma once

// Display callback of the values window.
void displayValues();
