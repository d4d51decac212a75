/// @file
/// Raster text: labels that belong to a point of the 3D scene but are drawn flat and
/// screen-aligned at a fixed pixel size. A caller fixes an anchor (a point projected to a
/// window position), may give a one-shot pixel offset, and prints printf-style text in a
/// bitmap font (text/fonts.h) or a GLUT bitmap font, aligned left, right or centred on
/// the anchor, with or without the depth test. All state is shared by every window.
///
/// Call the prints and drawAnchoredLine outside glBegin/glEnd with GL_MODELVIEW the
/// matrix mode; both matrix stacks, the matrix mode and the depth-test setting are as
/// before afterwards. Texts take the current colour latched at their raster position,
/// lines the current colour: set it before setRasterPosition, with lighting off.
#pragma once

#include <cstdarg>

#include "maths/vector.h"

/// Size of textBuffer: a formatted text keeps at most 1999 bytes, longer ones are cut.
constexpr int kTextBufferSize = 2000;

/// Current raster position read back by setRasterPosition: x, y in window pixels from
/// the lower-left corner, z the window depth (0 to 1), w the clip-space w.
extern Vector4 textAnchor;
/// 1 when that raster position was valid (the point lay inside the view volume), else 0.
extern int textAnchorValid;
/// @name Alignments of the texts on their anchor
/// For setTextAlignment and setGlutTextStyle.
///@{
constexpr int kTextCentred = 0;       ///< centred on the anchor
constexpr int kTextRightAligned = 1;  ///< ending at the anchor
constexpr int kTextLeftAligned =
    2;  ///< starting at the anchor (the default; so is any other value)
///@}

/// @name The depthTest argument of printText and drawTextBuffer
///@{
constexpr int kTextOverEverything = 0;  ///< drawn over everything, the depth test off
constexpr int kTextDepthTested = 1;     ///< hidden by nearer geometry (any value but 0)
///@}

/// One-shot offset of the next text: pixels right, pixels down, depth added; the next
/// print sets it back to 0.
extern float textOffset[3];
/// kTextCentred, kTextRightAligned, or any other value for left-aligned.
extern int textAlignment;
/// GLUT bitmap font of printGlutText and printGlutTextAt (GLUT_BITMAP_8_BY_13 at start).
extern void* glutTextFont;
/// The formatted text of the latest print, zero-terminated.
extern char textBuffer[kTextBufferSize];

/// Project a model point with the current matrices and keep it as the anchor.
/// @param x, y, z  the point, in model units
void setRasterPosition(float x, float y, float z);

/// Offset the next text.
/// @param dx  pixels to the right
/// @param dy  pixels down
/// @param dz  window depth added
void setTextOffset(float dx, float dy, float dz);

/// Align later texts.
/// @param alignment  kTextCentred, kTextRightAligned or kTextLeftAligned
void setTextAlignment(int alignment);

/// Choose the GLUT bitmap font of later GLUT-font texts and the alignment of all texts.
/// @param font       a GLUT bitmap font (GLUT_BITMAP_8_BY_13, ...)
/// @param alignment  as for setTextAlignment
void setGlutTextStyle(void* font, int alignment);

/// Print a formatted text at the anchor in a bitmap font.
/// @param depthTest  kTextDepthTested (not 0): hidden by nearer geometry;
///                   kTextOverEverything: drawn over everything
/// @param font       a font number of text/fonts.h (any other number draws
///                   FontStandard)
/// @param format     printf's format, followed by its arguments
void printText(int depthTest, int font, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

/// Print a formatted text at the anchor in a bitmap font, over everything drawn.
/// @param font    a font number of text/fonts.h
/// @param format  printf's format, followed by its arguments
void printTextOnTop(int font, const char* format, ...) __attribute__((format(printf, 2, 3)));

/// Print a formatted text at the anchor in FontStandard with the depth test on.
/// @param format  printf's format, followed by its arguments
void printStandardText(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// Anchor at a model point, then print a formatted text there in the given GLUT bitmap
/// font, over everything drawn.
/// @param x, y, z  the point, in model units
/// @param font     a GLUT bitmap font
/// @param format   printf's format, followed by its arguments
void printGlutTextAtWithFont(float x, float y, float z, void* font, const char* format, ...)
    __attribute__((format(printf, 5, 6)));

/// Anchor at a model point, then print a formatted text there in glutTextFont.
/// @param x, y, z  the point, in model units
/// @param format   printf's format, followed by its arguments
void printGlutTextAt(float x, float y, float z, const char* format, ...)
    __attribute__((format(printf, 4, 5)));

/// Print a formatted text at the current anchor in glutTextFont, over everything drawn.
/// @param format  printf's format, followed by its arguments
void printGlutText(const char* format, ...) __attribute__((format(printf, 1, 2)));

/// Format into textBuffer and draw it at the anchor in a GLUT bitmap font (8-pixel
/// advance for the alignment), over everything drawn; draws nothing for an empty text.
/// @param font       a GLUT bitmap font
/// @param format     printf's format
/// @param arguments  its arguments
void vprintGlutText(void* font, const char* format, va_list arguments)
    __attribute__((format(printf, 2, 0)));

/// Draw a line in the current colour between two pixel offsets from the anchor, over
/// everything drawn. Leaves textOffset alone.
/// @param x1, y1  one end, in pixels (x to the right, y downward)
/// @param x2, y2  the other end, likewise
void drawAnchoredLine(int x1, int y1, int x2, int y2);

/// Draw textBuffer at the anchor in a bitmap font; compiles the current window's font
/// lists on its first text.
/// @param depthTest  as for printText: the depth test is on when it is not 0
/// @param font       a font number of text/fonts.h
void drawTextBuffer(int depthTest, int font);
