// The browser layer's calls into the page (web/canvas.js): canvases, their
// WebGL contexts, the event listeners, the menu and full screen. Plain
// functions of C linkage, implemented in JavaScript; windows are named by
// their GLUT ids.
#pragma once

extern "C" {
// Add a canvas of width x height pixels named `title` to the page, with its
// WebGL 1 context and listeners; 0 when the browser has no WebGL, else 1.
int canvasCreate(int window, const char* title, int width, int height);
// Give the canvas of `window` width x height pixels.
void canvasResize(int window, int width, int height);
// Set the viewport used by later draws of `window`.
void canvasViewport(int window, int x, int y, int width, int height);
// Clear the colour (mask bit 1) and depth (mask bit 2) buffers.
void canvasClear(int window, int mask, float red, float green, float blue, float alpha);
// Draw `count` vertices of 14 floats each (clip position, front colour, back
// colour, atlas coordinates) as points (0), lines (1) or triangles (4), with
// the state bits of web/gl.cpp's kDraw* constants.
void canvasDraw(int window, int primitive, const float* vertices, int count, int flags,
                int blendSource, int blendDestination, int depthFunction);
// Upload the bitmap atlas (one byte a pixel, 0 or 255) of `window`.
void canvasAtlas(int window, const unsigned char* pixels, int width, int height);
// Count a finished frame of `window` (its canvas's data-frames attribute).
void canvasFrameShown(int window);
// Ask the page for a frame callback (webFrame) at the next repaint.
void canvasRequestFrame(void);
// Show the canvas of `window` on the whole screen (1) or in the page (0).
void canvasFullScreen(int window, int on);
// Give `window`'s canvas a menu on `button` with the entries' labels joined
// by newlines.
void canvasAttachMenu(int window, int menu, int button, const char* labels);
// Milliseconds since the page opened.
double canvasNow(void);
}
