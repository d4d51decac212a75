// print_glyphs [standard|small|greek|vector]: draw every glyph of a bitmap font (all
// four when no font is named) as a text picture, top row first, '#' for a set pixel
// and '.' for a clear one, with the baseline row marked. For checking a glyph table
// by eye after editing it.
#include <cstdio>
#include <cstring>

#include "text/glyphs.h"

// Row of a glyph that lands on the raster position's row.
static const int kBaselineRow = 2;

// A glyph table seen as rows of bytes: entry c - 32 starts at rows * (c - 32).
struct FontTable {
  const char* name;
  const unsigned char* bytes;
  int rows;
};

static const FontTable kFonts[] = {
    {"standard", &standardGlyphs[0][0], 13},
    {"small", &smallGlyphs[0][0], 10},
    {"greek", &greekGlyphs[0][0], 13},
    {"vector", &vectorGlyphs[0][0], 13},
};

// Print one glyph: a header naming its code and character, then its rows top first.
static void printGlyph(const FontTable* font, int code) {
  const unsigned char* glyph = font->bytes + font->rows * (code - 32);
  std::printf("%s %d '%c'\n", font->name, code, code);
  for (int row = font->rows - 1; row >= 0; --row) {
    char line[9];
    for (int column = 0; column < 8; ++column) {
      line[column] = (glyph[row] & (0x80 >> column)) ? '#' : '.';
    }
    line[8] = '\0';
    std::printf("  %s%s\n", line, row == kBaselineRow ? " <- baseline" : "");
  }
  std::printf("\n");
}

// Print every glyph of a font, codes 32 to 125.
static void printFont(const FontTable* font) {
  for (int code = 32; code <= 125; ++code) {
    printGlyph(font, code);
  }
}

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: print_glyphs [standard|small|greek|vector]\n");
    return 2;
  }
  bool printed = false;
  for (const FontTable& font : kFonts) {
    if (argc == 1 || std::strcmp(argv[1], font.name) == 0) {
      printFont(&font);
      printed = true;
    }
  }
  if (!printed) {
    std::fprintf(stderr, "print_glyphs: no font named '%s'\n", argv[1]);
    std::fprintf(stderr, "usage: print_glyphs [standard|small|greek|vector]\n");
    return 2;
  }
  return 0;
}
