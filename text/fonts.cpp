// Bitmap fonts: compiles the glyph tables into one display list per character, font
// and window. Each list draws its glyph with glBitmap, row 2 on the raster position,
// and moves the raster position on by the font's advance. Builds on the glyph tables
// and OpenGL display lists.
#include "text/fonts.h"

#include <GL/gl.h>

#include "text/glyphs.h"

// Character codes that have a glyph in every font.
static const int kFirstGlyphCode = 32;
static const int kLastGlyphCode = 125;

// List blocks per font and window slot: first name of each block, 0 for none.
unsigned int fontListBase[5][kFontWindowSlots] = {};

// Whether window slot w has its lists (1) or not yet (0).
int fontListsBuilt[kFontWindowSlots] = {};

// Rows of one glyph, bottom row first, for code c of a font (c from 32 to 125).
static const GLubyte* glyphRows(int font, int c) {
  switch (font) {
    case FontSmall: return smallGlyphs[c - kFirstGlyphCode];
    case FontGreek: return greekGlyphs[c - kFirstGlyphCode];
    case FontVector: return vectorGlyphs[c - kFirstGlyphCode];
    default: return standardGlyphs[c - kFirstGlyphCode];
  }
}

// Pixel rows of every glyph of a font.
static GLsizei glyphHeight(int font) { return font == FontSmall ? 10 : 13; }

// Pixels by which the raster position moves on after code c of a font.
static GLfloat glyphAdvance(int font, int c) {
  switch (font) {
    case FontSmall:
      if (c == 'f') return 4.0f;
      if (c == 'i') return 3.0f;
      return 6.0f;
    case FontVector: return 8.0f;
    default: return 10.0f;
  }
}

// Compile and store the lists of all four fonts for one window.
void buildFontLists(int windowId) {
  if (windowId < 1 || windowId >= kFontWindowSlots) return;
  const int w = windowId;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  GLuint bases[5] = {};
  for (int font = FontStandard; font <= FontVector; ++font) {
    bases[font] = glGenLists(kFontBlockSize);
    if (bases[font] == 0) {
      // Give back what was reserved: the window stays without lists until a later call.
      for (int f = FontStandard; f < font; ++f) glDeleteLists(bases[f], kFontBlockSize);
      for (int f = FontStandard; f <= FontVector; ++f) fontListBase[f][w] = 0;
      return;
    }
  }
  for (int font = FontStandard; font <= FontVector; ++font) {
    fontListBase[font][w] = bases[font];
    const GLsizei rows = glyphHeight(font);
    for (int c = kFirstGlyphCode; c <= kLastGlyphCode; ++c) {
      glNewList(bases[font] + static_cast<GLuint>(c), GL_COMPILE);
      glBitmap(8, rows, 0.0f, 2.0f, glyphAdvance(font, c), 0.0f, glyphRows(font, c));
      glEndList();
    }
  }
}
