// Raster text: labels that belong to a point of the 3D scene but are drawn flat and
// screen-aligned at a fixed pixel size. A caller fixes an anchor (a point projected to a
// window position), may give a one-shot pixel offset, and prints printf-style text in a
// bitmap font (text/fonts.h) or a GLUT bitmap font, aligned left, right or centred on
// the anchor, with or without the depth test. All state is shared by every window.
//
// Call the prints and drawAnchoredLine outside glBegin/glEnd with GL_MODELVIEW the
// matrix mode; both matrix stacks, the matrix mode and the depth-test setting are as
// before afterwards. Texts take the current colour latched at their raster position,
// lines the current colour: set it before setRasterPosition, with lighting off.
#pragma once

#include <cstdarg>

#include "maths/vector.h"

// Size of textBuffer: a formatted text keeps at most 1999 bytes, longer ones are cut.
constexpr int kTextBufferSize = 2000;

// Current raster position read back by setRasterPosition: x, y in window pixels from
// the lower-left corner, z the window depth (0 to 1), w the clip-space w.
extern Vector4 textAnchor;
// 1 when that raster position was valid (the point lay inside the view volume), else 0.
extern int textAnchorValid;
// Alignments of the texts on their anchor (setTextAlignment, setGlutTextStyle).
constexpr int kTextCentred = 0;       // centred on the anchor
constexpr int kTextRightAligned = 1;  // ending at the anchor
constexpr int kTextLeftAligned =
    2;  // starting at the anchor (the default; so is any other value)

// The depthTest argument of printText and drawTextBuffer.
constexpr int kTextOverEverything = 0;  // drawn over everything, the depth test off
constexpr int kTextDepthTested = 1;     // hidden by nearer geometry (any value but 0)

// One-shot offset of the next text: pixels right, pixels down, depth added; the next
// print sets it back to 0.
extern float textOffset[3];
// kTextCentred, kTextRightAligned, or any other value for left-aligned.
extern int textAlignment;
// GLUT bitmap font of printGlutText and printGlutTextAt (GLUT_BITMAP_8_BY_13 at start).
extern void* glutTextFont;
// The formatted text of the latest print, zero-terminated.
extern char textBuffer[kTextBufferSize];

// Project the model point (x, y, z) with the current matrices and keep it as the anchor.
void setRasterPosition(float x, float y, float z);

// Offset the next text by dx pixels right, dy pixels down and dz in window depth.
void setTextOffset(float dx, float dy, float dz);

// Align later texts: kTextCentred, kTextRightAligned or kTextLeftAligned.
void setTextAlignment(int alignment);

// Choose the GLUT bitmap font of later GLUT-font texts and the alignment of all texts.
void setGlutTextStyle(void* font, int alignment);

// Print a formatted text at the anchor in a bitmap font (1 to 4, any other number
// FontStandard), hidden by nearer geometry when depthTest is kTextDepthTested (not 0).
void printText(int depthTest, int font, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// Print a formatted text at the anchor in a bitmap font, over everything drawn.
void printTextOnTop(int font, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Print a formatted text at the anchor in FontStandard with the depth test on.
void printStandardText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Anchor at the model point (x, y, z), then print a formatted text there in the given
// GLUT bitmap font, over everything drawn.
void printGlutTextAtWithFont(float x, float y, float z, void* font, const char* format, ...)
    __attribute__((format(printf, 5, 6)));

// Anchor at the model point (x, y, z), then print a formatted text there in glutTextFont.
void printGlutTextAt(float x, float y, float z, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

// Print a formatted text at the current anchor in glutTextFont, over everything drawn.
void printGlutText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Format into textBuffer and draw it at the anchor in a GLUT bitmap font (8-pixel
// advance for the alignment), over everything drawn; draws nothing for an empty text.
void vprintGlutText(void* font, const char* format, va_list arguments)
    __attribute__((format(printf, 2, 0)));

// Draw a line in the current colour between two pixel offsets from the anchor (x to the
// right, y downward), over everything drawn. Leaves textOffset alone.
void drawAnchoredLine(int x1, int y1, int x2, int y2);

// Draw textBuffer at the anchor in a bitmap font, with the depth test on when depthTest
// is not 0; compiles the current window's font lists on its first text.
void drawTextBuffer(int depthTest, int font);
