// GLUT's fonts as freeglut's source lays them out, for the browser layer's
// glutBitmapCharacter and glutStrokeCharacter (web/glut.cpp). The data itself
// is not part of this repository: web/CMakeLists.txt takes freeglut's
// src/fg_font_data.c, src/fg_stroke_roman.c and src/fg_stroke_mono_roman.c
// from Debian's source package at build time and compiles them against this
// header, which stands in for the internal header they include. C and C++.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned char GLubyte;
typedef float GLfloat;

// A bitmap font: per character code (0 to Quantity - 1) a glyph whose first
// byte is its width and advance in pixels, followed by Height rows of bits
// from the bottom row up, each row ceil(width / 8) bytes, most significant
// bit leftmost; xorig and yorig place the glyph as glBitmap's origin does.
typedef struct tagSFG_Font {
  const char* Name;
  int Quantity;
  int Height;
  const GLubyte** Characters;
  float xorig, yorig;
} SFG_Font;

// A point of a stroke character, in font units.
typedef struct tagSFG_StrokeVertex {
  GLfloat X, Y;
} SFG_StrokeVertex;

// A line strip of a stroke character.
typedef struct tagSFG_StrokeStrip {
  int Number;
  const SFG_StrokeVertex* Vertices;
} SFG_StrokeStrip;

// A stroke character: its advance (Right) and its strips.
typedef struct tagSFG_StrokeChar {
  GLfloat Right;
  int Number;
  const SFG_StrokeStrip* Strips;
} SFG_StrokeChar;

// A stroke font: per character code a character, or none.
typedef struct tagSFG_StrokeFont {
  const char* Name;
  int Quantity;
  GLfloat Height;
  const SFG_StrokeChar** Characters;
} SFG_StrokeFont;

extern SFG_Font fgFontFixed8x13, fgFontFixed9x15, fgFontHelvetica10, fgFontHelvetica12,
    fgFontHelvetica18, fgFontTimesRoman10, fgFontTimesRoman24;
extern SFG_StrokeFont fgStrokeRoman, fgStrokeMonoRoman;

#ifdef __cplusplus
}
#endif
