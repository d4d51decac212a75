// The values window as a person sees it: five lines of the standard bitmap
// font, pixel for pixel, in their colours, anchored to the top-left corner,
// following the light from either window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "tests/support/program_driver.h"
#include "text/glyphs.h"

namespace {

struct Rgb {
  int r, g, b;
};
const Rgb kYellow{255, 255, 0};
const Rgb kMagenta{255, 0, 255};
const Rgb kRed{255, 0, 0};

// Count the pixels of `text` drawn in the standard font, left-aligned with
// glyph row 2 on pixel row `baselineFromTop` (counted from the top) and
// column 0 at `left`, that do not show `color`, and the pixels of the glyph
// cells that are lit although their bit is clear.
struct Mismatch {
  int missing = 0;
  int extra = 0;
};
Mismatch compareText(const Image& image, const std::string& text, int left, int baselineFromTop,
                     Rgb color) {
  Mismatch m;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char* glyph = standardGlyphs[static_cast<unsigned char>(text[i]) - 32];
    for (int row = 0; row < 13; ++row) {
      const int y = baselineFromTop - (row - 2);
      for (int column = 0; column < 10; ++column) {
        const int x = left + 10 * static_cast<int>(i) + column;
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
        const bool set = column < 8 && (glyph[row] & (0x80 >> column)) != 0;
        const std::uint8_t* p = image.pixel(x, y);
        if (set && (p[0] != color.r || p[1] != color.g || p[2] != color.b)) ++m.missing;
        if (!set && (p[0] | p[1] | p[2]) != 0) ++m.extra;
      }
    }
  }
  return m;
}

std::string vectorLine(const char* label, float x, float y, float z) {
  char line[100];
  std::snprintf(line, sizeof line, "%s: %6.3f %6.3f %6.3f", label, x, y, z);
  return line;
}

std::string angleLine(const char* label, float angle) {
  char line[100];
  std::snprintf(line, sizeof line, "%s:  %6.3f degres", label, angle);
  return line;
}

// Expect the five lines for a light at (lx, ly, lz), in a window whose top
// edge is row 0 of `image`.
void expectLinesFor(const Image& image, float lx, float ly, float lz) {
  const float length = std::sqrt(lx * lx + ly * ly + lz * lz);
  const float ix = lx / length, iy = ly / length, iz = lz / length;
  const float angle = static_cast<float>(std::acos(static_cast<double>(iy)) * 180.0 / 3.14159f);
  const struct {
    std::string text;
    Rgb color;
  } lines[] = {
      {vectorLine("INCIDENT     ", ix, iy, iz), kYellow},
      {vectorLine("NORMALE      ", 0, 1, 0), kMagenta},
      {vectorLine("REFLEXION    ", -ix, iy, -iz), kRed},
      {angleLine("THETA I      ", angle), kYellow},
      {angleLine("THETA R      ", angle), kRed},
  };
  for (int i = 0; i < 5; ++i) {
    const Mismatch m = compareText(image, lines[i].text, 5, 20 * (i + 1) - 1, lines[i].color);
    EXPECT_EQ(m.missing, 0) << "line " << i + 1 << ": " << lines[i].text;
    EXPECT_EQ(m.extra, 0) << "line " << i + 1 << ": " << lines[i].text;
  }
}

class ValuesWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.start());
    ASSERT_TRUE(program.waitForWindows(&diagram, &values));
  }
  void TearDown() override {
    program.key(diagram, "Escape");
    EXPECT_EQ(program.waitForExit(), 0);
  }
  ProgramDriver program;
  unsigned long diagram = 0;
  unsigned long values = 0;
};

TEST_F(ValuesWindow, ShowsTheStartingValuesPixelForPixel) {
  const Image image = program.capture(values);
  ASSERT_EQ(image.width, 360);
  expectLinesFor(image, -9, 9, 0);
  // The exact texts of the first frame.
  EXPECT_EQ(vectorLine("REFLEXION    ", 0.7071068f, 0.7071068f, -0.0f),
            "REFLEXION    :  0.707  0.707 -0.000");
  EXPECT_EQ(angleLine("THETA I      ", 45.000038f), "THETA I      :  45.000 degres");
}

TEST_F(ValuesWindow, FollowsTheLightMovedFromEitherWindow) {
  program.key(diagram, "4 4 5");
  program.key(values, "6 6 6 1");
  program.settle();
  // Four steps of 0.2 along z, one net step along x, one along y.
  float x = -9.0f, y = 9.0f, z = 0.0f;
  x += 0.2f; x += 0.2f; y += 0.2f;
  z += 0.2f; z += 0.2f; z += 0.2f; x -= 0.2f;
  expectLinesFor(program.capture(values), x, y, z);
}

TEST_F(ValuesWindow, KeysThatAreNotTheApplicationsChangeNothing) {
  const Image before = program.capture(values);
  program.key(values, "x y z a Return 0 7 numbersign");
  program.settle();
  EXPECT_EQ(program.capture(values).rgb, before.rgb);
}

TEST_F(ValuesWindow, StaysAnchoredToTheTopLeftWhenResized) {
  ProgramDriver::shell("xdotool windowsize " + std::to_string(values) + " 420 160");
  program.settle(500);
  const Image image = program.capture(values);
  ASSERT_EQ(image.width, 420);
  ASSERT_EQ(image.height, 160);
  expectLinesFor(image, -9, 9, 0);
}

}  // namespace
