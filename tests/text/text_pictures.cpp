// Expected pictures of bitmap text, for the font and raster-text tests.
#include "tests/text/text_pictures.h"

#include "text/fonts.h"
#include "text/glyphs.h"

static constexpr int W = kTestWindowWidth;
static constexpr int H = kTestWindowHeight;

const unsigned char* glyphOf(int font, int c, int* rows) {
  *rows = font == FontSmall ? 10 : 13;
  if (font == FontSmall) return smallGlyphs[c - 32];
  if (font == FontGreek) return greekGlyphs[c - 32];
  if (font == FontVector) return vectorGlyphs[c - 32];
  return standardGlyphs[c - 32];
}

int advanceOf(int font, int c) {
  if (font == FontSmall) return c == 'f' ? 4 : c == 'i' ? 3 : 6;
  if (font == FontVector) return 8;
  return 10;
}

void TextPicture::set(int x, int y) {
  if (x >= 0 && x < W && y >= 0 && y < H) on[y * W + x] = 1;
}

void TextPicture::glyph(int font, int c, int x, int y) {
  int rows = 0;
  const unsigned char* g = glyphOf(font, c, &rows);
  for (int r = 0; r < rows; ++r) {
    for (int col = 0; col < 8; ++col) {
      if (g[r] & (0x80 >> col)) set(x + col, y - 2 + r);
    }
  }
}

void TextPicture::text(int font, const std::string& s, int x, int y) {
  for (unsigned char c : s) {
    if (c < 32 || c > 125) continue;
    glyph(font, c, x, y);
    x += advanceOf(font, c);
  }
}

void expectPicture(const TextPicture& expected) {
  const Pixels pixels = readPixels();
  int wrong = 0;
  std::string first;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (pixels.lit(x, y) == (expected.on[y * W + x] != 0)) continue;
      if (wrong++ < 5) {
        first += " (" + std::to_string(x) + "," + std::to_string(y) +
                 (pixels.lit(x, y) ? " lit)" : " dark)");
      }
    }
  }
  EXPECT_EQ(wrong, 0) << "pixels differing from the glyph tables:" << first;
}

int litCount() {
  const Pixels pixels = readPixels();
  int n = 0;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) n += pixels.lit(x, y) ? 1 : 0;
  }
  return n;
}

void usePixelProjection() {
  glViewport(0, 0, W, H);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, W, 0, H, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glColor3f(1, 1, 1);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
