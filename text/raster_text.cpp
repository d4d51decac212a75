// Raster text: flat, fixed-size labels anchored at a point of the 3D scene. The anchor
// is a raster position read back from OpenGL; each text is then drawn in window pixel
// space (one unit per pixel, depth as the anchor's window depth) at the anchor plus a
// one-shot pixel offset, in the bitmap fonts of text/fonts.h with one glCallLists per
// text, or in a GLUT bitmap font. Builds on the font lists, GLUT and OpenGL.
#include "text/raster_text.h"

#include <GL/glut.h>

#include <cstdio>
#include <cstring>

#include "text/fonts.h"

// Pixels by which centred and right-aligned texts drop below the anchor's row.
static const float kAlignedDrop = 6.0f;
// Advance in pixels of the GLUT bitmap fonts, for the width of an aligned text.
static const int kGlutFontAdvance = 8;

// Anchor: window x, y in pixels, window depth z (0 to 1), clip-space w.
Vector4 textAnchor = {0.0f, 0.0f, 0.0f, 0.0f};
// 1 when the anchor's raster position was valid, else 0.
int textAnchorValid = 0;
// Offset of the next text: pixels right, pixels down, window depth added.
float textOffset[3] = {0.0f, 0.0f, 0.0f};
// kTextCentred, kTextRightAligned, anything else left-aligned.
int textAlignment = kTextLeftAligned;
// GLUT bitmap font handle of printGlutText and printGlutTextAt.
void* glutTextFont = GLUT_BITMAP_8_BY_13;
// Formatted text of the latest print, at most kTextBufferSize - 1 bytes.
char textBuffer[kTextBufferSize] = "";

// Format into textBuffer, cutting the text at the buffer's end. The text is formatted
// into a scratch buffer first, so textBuffer itself may be one of the arguments.
__attribute__((format(printf, 1, 0))) static void formatText(const char* format,
                                                             va_list arguments) {
  char formatted[kTextBufferSize];
  if (vsnprintf(formatted, sizeof formatted, format, arguments) < 0) formatted[0] = '\0';
  memcpy(textBuffer, formatted, strlen(formatted) + 1);
}

// Switch to window pixel space: model units are pixels from the lower-left corner and
// model z = -d lies at window depth d. A window without pixels is treated as 1 x 1,
// which keeps the projection a valid one.
static void enterPixelSpace() {
  const int width = glutGet(GLUT_WINDOW_WIDTH);
  const int height = glutGet(GLUT_WINDOW_HEIGHT);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, static_cast<double>(width > 0 ? width : 1), 0.0,
          static_cast<double>(height > 0 ? height : 1), 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
}

// Return from pixel space to the caller's matrices, GL_MODELVIEW the matrix mode.
static void leavePixelSpace() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

// Set the raster position where a text of the given width in pixels starts, from the
// anchor, the alignment and the offset, and use up the offset. The anchor's x and y are
// already window pixels, so the point is given with w = 1: under a perspective view the
// anchor's own clip w would divide them a second time.
static void placeText(float width, float halfWidth) {
  float x = textAnchor.x + textOffset[0];
  float y = textAnchor.y - textOffset[1];
  if (textAlignment == kTextCentred) {
    x = textAnchor.x - halfWidth + textOffset[0];
    y = textAnchor.y - kAlignedDrop - textOffset[1];
  } else if (textAlignment == kTextRightAligned) {
    x = textAnchor.x - width + textOffset[0];
    y = textAnchor.y - kAlignedDrop - textOffset[1];
  }
  const float depth = -textAnchor.z - textOffset[2];
  glRasterPos4f(x, y, depth, 1.0f);
  textOffset[0] = 0.0f;
  textOffset[1] = 0.0f;
  textOffset[2] = 0.0f;
}

// Advance in pixels by which a bitmap font's text is measured.
static float fontAdvance(int font) {
  if (font == FontSmall) return 6.0f;
  if (font == FontVector) return 8.0f;
  return 10.0f;
}

// Project a model point and keep its raster position and validity as the anchor.
void setRasterPosition(float x, float y, float z) {
  glRasterPos4f(x, y, z, 1.0f);
  GLboolean valid = GL_FALSE;
  glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  textAnchorValid = valid ? 1 : 0;
  GLfloat position[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
  textAnchor = {position[0], position[1], position[2], position[3]};
}

// Set the pixel offset of the next text.
void setTextOffset(float dx, float dy, float dz) {
  textOffset[0] = dx;
  textOffset[1] = dy;
  textOffset[2] = dz;
}

// Set the alignment of later texts.
void setTextAlignment(int alignment) { textAlignment = alignment; }

// Set the GLUT font of later GLUT-font texts and the alignment of all texts.
void setGlutTextStyle(void* font, int alignment) {
  glutTextFont = font;
  textAlignment = alignment;
}

// Format and draw a bitmap-font text, depth-tested or not.
void printText(int depthTest, int font, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  formatText(format, arguments);
  va_end(arguments);
  drawTextBuffer(depthTest, font);
}

// Format and draw a bitmap-font text over everything.
void printTextOnTop(int font, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  formatText(format, arguments);
  va_end(arguments);
  drawTextBuffer(kTextOverEverything, font);
}

// Format and draw a depth-tested text in FontStandard.
void printStandardText(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  formatText(format, arguments);
  va_end(arguments);
  drawTextBuffer(kTextDepthTested, FontStandard);
}

// Anchor at a model point and draw a GLUT-font text there in the given font.
void printGlutTextAtWithFont(float x, float y, float z, void* font, const char* format, ...) {
  setRasterPosition(x, y, z);
  va_list arguments;
  va_start(arguments, format);
  vprintGlutText(font, format, arguments);
  va_end(arguments);
}

// Anchor at a model point and draw a GLUT-font text there in glutTextFont.
void printGlutTextAt(float x, float y, float z, const char* format, ...) {
  setRasterPosition(x, y, z);
  va_list arguments;
  va_start(arguments, format);
  vprintGlutText(glutTextFont, format, arguments);
  va_end(arguments);
}

// Draw a GLUT-font text at the current anchor in glutTextFont.
void printGlutText(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  vprintGlutText(glutTextFont, format, arguments);
  va_end(arguments);
}

// Format and draw a text with glutBitmapCharacter, over everything.
void vprintGlutText(void* font, const char* format, va_list arguments) {
  formatText(format, arguments);
  const size_t length = strlen(textBuffer);
  const int width = static_cast<int>(length) * kGlutFontAdvance;
  enterPixelSpace();
  placeText(static_cast<float>(width), static_cast<float>(width / 2));
  glPushAttrib(GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  if (textAnchorValid != 0 && length > 0) {
    for (size_t i = 0; i < length; ++i) {
      glutBitmapCharacter(font, static_cast<unsigned char>(textBuffer[i]));
    }
  }
  glPopAttrib();
  leavePixelSpace();
}

// Draw a line between two pixel offsets from the anchor (given with w = 1, as texts).
void drawAnchoredLine(int x1, int y1, int x2, int y2) {
  enterPixelSpace();
  glPushAttrib(GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  if (textAnchorValid != 0) {
    glBegin(GL_LINES);
    {
      glVertex4f(textAnchor.x + static_cast<float>(x1), textAnchor.y - static_cast<float>(y1),
                 -textAnchor.z, 1.0f);
      glVertex4f(textAnchor.x + static_cast<float>(x2), textAnchor.y - static_cast<float>(y2),
                 -textAnchor.z, 1.0f);
    }
    glEnd();
  }
  glPopAttrib();
  leavePixelSpace();
}

// Draw textBuffer in a bitmap font with one glCallLists over its bytes.
void drawTextBuffer(int depthTest, int font) {
  const int window = glutGetWindow();
  const bool hasSlot = window >= 1 && window < kFontWindowSlots;
  if (hasSlot && fontListsBuilt[window] == 0) {
    // A window whose blocks could not be reserved stays unbuilt and tries again later.
    buildFontLists(window);
    fontListsBuilt[window] = fontListBase[FontStandard][window] != 0 ? 1 : 0;
  }
  const size_t length = strlen(textBuffer);
  const float width = static_cast<float>(length) * fontAdvance(font);
  enterPixelSpace();
  placeText(width, width * 0.5f);
  glPushAttrib(GL_DEPTH_BUFFER_BIT);
  if (depthTest != kTextOverEverything) {
    glEnable(GL_DEPTH_TEST);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  if (textAnchorValid != 0 && hasSlot && fontListsBuilt[window] != 0) {
    GLuint base = fontListBase[FontStandard][window];
    if (font == FontSmall || font == FontGreek || font == FontVector) {
      base = fontListBase[font][window];
    }
    glPushAttrib(GL_LIST_BIT);
    glListBase(base);
    glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, textBuffer);
    glPopAttrib();
  }
  glPopAttrib();
  leavePixelSpace();
}
