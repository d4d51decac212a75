// Expected pictures of bitmap text, built from the glyph tables, and their
// comparison with what the shared test window shows.
#pragma once

#include <string>
#include <vector>

#include "tests/support/gl_test.h"

// Glyph rows of code c (32 to 125) in a font, and their number in *rows.
const unsigned char* glyphOf(int font, int c, int* rows);

// Advance of code c in a font, in pixels.
int advanceOf(int font, int c);

// Which pixels of the test window a correct drawing lights.
struct TextPicture {
  std::vector<char> on = std::vector<char>(kTestWindowWidth * kTestWindowHeight, 0);
  // Light one pixel; pixels outside the window are ignored.
  void set(int x, int y);
  // One glyph with column 0 on pixel column x and row 2 on pixel row y.
  void glyph(int font, int c, int x, int y);
  // A text starting like glyph; bytes without a glyph neither draw nor advance.
  void text(int font, const std::string& s, int x, int y);
};

// Expect the back buffer's lit pixels to be exactly those of the picture.
void expectPicture(const TextPicture& expected);

// Number of lit pixels in the back buffer.
int litCount();

// Clear the current window and project model (x, y) onto window pixel (x, y),
// model z = 0 onto depth 0.5; white, unlit drawing without depth test.
void usePixelProjection();
