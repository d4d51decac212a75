// The OpenGL context of the fuzz targets that draw: one small freeglut window
// on the display, created once in LLVMFuzzerInitialize and current for the
// whole run.
#pragma once

// Open the window and make its context current; exits with a message when no
// display can be opened. Returns the GLUT window id.
int openFuzzWindow(const char* title);

// Abort (a finding for the fuzzer) unless both matrix stacks are back at depth
// 1, the matrix mode is GL_MODELVIEW and OpenGL reports no stack error: the
// drawing functions leave the context as they found it.
void checkContextRestored(const char* what);

// Load an identity modelview and projection and clear the window, so that
// every input starts from the same context.
void resetContext();
