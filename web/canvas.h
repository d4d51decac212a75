// The browser layer's calls into the page (web/canvas.js): canvases, their
// WebGL contexts, the event listeners, the menu and full screen. Plain
// functions of C linkage, implemented in JavaScript; windows are named by
// their GLUT ids.
#pragma once

// One vertex as the page draws it, finished by web/gl.cpp: 14 floats, read by
// the page through canvas.js's vertexLayout (change both together).
struct CanvasVertex {
  float position[4];  // clip space
  float front[4];     // colour of a front face (or of a point or line), RGBA 0 to 1
  float back[4];      // colour of a back face
  float atlas[2];     // atlas coordinates of a bitmap's corner, 0 to 1
};

// A vertex of one colour for both faces: 10 floats, what most draws need
// (canvasDraw with kCanvasPlain), read by the page through canvas.js's
// plainLayout (change both together).
struct CanvasPlainVertex {
  float position[4];  // clip space
  float colour[4];    // colour of both faces (or of a point or line), RGBA 0 to 1
  float atlas[2];     // atlas coordinates of a bitmap's corner, 0 to 1
};

// What a draw asks of the page (canvasDraw's flags, or-ed); canvas.js's
// drawFlags names the same bits.
enum CanvasDrawFlag {
  kCanvasDepthTest = 1,     // depth-test with the given function and write depth
  kCanvasBlend = 2,         // blend with the given factors
  kCanvasCull = 4,          // cull back faces (counter-clockwise faces are front)
  kCanvasTextured = 8,      // keep only the fragments whose atlas pixel is set
  kCanvasWindowSpace = 16,  // clip positions span the whole canvas, not the viewport
  kCanvasPlain = 32,        // the vertices are CanvasPlainVertex, not CanvasVertex
};

// What canvasClear clears (its mask, or-ed); canvas.js's clearBits names the
// same bits.
enum CanvasClearBit {
  kCanvasClearColor = 1,
  kCanvasClearDepth = 2,
};

extern "C" {
// Add a canvas of width x height pixels named `title` to the page, with its
// WebGL 1 context and listeners; 0 when the browser has no WebGL, else 1.
int canvasCreate(int window, const char* title, int width, int height);
// Give the canvas of `window` width x height pixels.
void canvasResize(int window, int width, int height);
// Set the viewport used by later draws of `window`.
void canvasViewport(int window, int x, int y, int width, int height);
// Clear the buffers of the CanvasClearBit bits in `mask`.
void canvasClear(int window, int mask, float red, float green, float blue, float alpha);
// Draw `count` vertices (CanvasVertex, or CanvasPlainVertex with kCanvasPlain)
// in the order of the `indexCount` `indices` as points (0), lines (1) or
// triangles (4), with the CanvasDrawFlag bits in `flags`.
void canvasDraw(int window, int primitive, const void* vertices, int count,
                const unsigned short* indices, int indexCount, int flags, int blendSource,
                int blendDestination, int depthFunction);
// Upload the bitmap atlas (one byte a pixel, 0 or 255) of `window`.
void canvasAtlas(int window, const unsigned char* pixels, int width, int height);
// Give the page the texts `window` drew in its last frame, `length` bytes of
// Latin-1, one text a line (the bytes of each glCallLists), for the words that
// screen readers read in place of the picture.
void canvasTexts(int window, const char* texts, int length);
// Say on the page's console that the program misused the layer (debug builds).
void canvasReportMisuse(const char* what);
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
// The program is set up and its first frames come next: the page gives it
// the set-up of its address, where it takes one (web/setup_link.js).
void canvasMainLoop(void);
}
