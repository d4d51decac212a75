// The two windows of the diagram: their GLUT ids, the diagram window's fixed
// OpenGL state and its keyboard callback.
#pragma once

// GLUT id of the diagram window "Velorane"; 0 until it is created.
extern int diagramWindow;
// GLUT id of the values window "Valeurs"; 0 until it is created.
extern int valuesWindow;

// Give the current (diagram) window its fixed state: two directional lights
// fixed in eye space, the depth function, blending, two-sided lighting.
void initGraphicsState();

// Keyboard callback of the diagram window: the view manipulator sees every
// key first, the application's keys get the rest.
void diagramKeyboard(unsigned char key, int x, int y);
