// The two windows of the diagram, opened for the benchmarks as the program
// opens them, and the helpers that the frame measurements share.
#pragma once

// Initialise GLUT with the command line and open the diagram window and the
// values window with the program's state, settings and callbacks; let both
// show their first frames. The diagram window is current afterwards.
void openBenchWindows(int* argc, char** argv);

// Make the diagram window current at width x height pixels, at the top-left
// corner of the screen when it is larger than the program's, and wait until
// its reshape callback has run.
void sizeDiagramWindow(int width, int height);

// Wait until the current frame has been drawn and its swap has reached the X
// server, so that a timed frame includes all of its work.
void finishFrame();

// The floor frame of the current window: clear and swap, nothing else.
void floorFrame();

// The OpenGL renderer string of the current context.
const char* rendererName();

// Resident set of this process now, kilobytes (VmRSS), or -1.
long residentKb();
