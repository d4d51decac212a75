// The values window as a person sees it: five lines of the standard bitmap
// font, pixel for pixel, in their colours, anchored to the top-left corner,
// following the light from either window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/program_driver.h"
#include "text/glyphs.h"

namespace {

struct Rgb {
  int r, g, b;
};
const Rgb kYellow{255, 255, 0};
const Rgb kMagenta{255, 0, 255};
const Rgb kRed{255, 0, 0};

struct Line {
  std::string text;
  Rgb color;
};

// The pixels of `text` drawn in the standard font, left-aligned with glyph
// row 2 on pixel row `baselineFromTop` (counted from the top) and column 0 at
// `left`, that do not show `color`, plus the pixels of the glyph cells that
// are lit although their bit is clear.
int mismatchedPixels(const Image& image, const Line& line, int left, int baselineFromTop) {
  int mismatched = 0;
  for (size_t i = 0; i < line.text.size(); ++i) {
    const unsigned char* glyph = standardGlyphs[static_cast<unsigned char>(line.text[i]) - 32];
    for (int row = 0; row < 13; ++row) {
      const int y = baselineFromTop - (row - 2);
      for (int column = 0; column < 10; ++column) {
        const int x = left + 10 * static_cast<int>(i) + column;
        if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
        const bool set = column < 8 && (glyph[row] & (0x80 >> column)) != 0;
        const std::uint8_t* p = image.pixel(x, y);
        const Rgb& c = line.color;
        if (set && (p[0] != c.r || p[1] != c.g || p[2] != c.b)) ++mismatched;
        if (!set && (p[0] | p[1] | p[2]) != 0) ++mismatched;
      }
    }
  }
  return mismatched;
}

// Mismatched pixels of the five lines, 5 pixels from the left edge and 20
// rows apart, in a window whose top edge is row 0 of `image`.
std::vector<int> mismatchesPerLine(const Image& image, const std::vector<Line>& lines) {
  std::vector<int> counts;
  for (size_t i = 0; i < lines.size(); ++i) {
    counts.push_back(mismatchedPixels(image, lines[i], 5, 20 * static_cast<int>(i + 1) - 1));
  }
  return counts;
}

bool showsLines(const Image& image, const std::vector<Line>& lines) {
  if (image.width == 0) return false;
  for (int count : mismatchesPerLine(image, lines)) {
    if (count != 0) return false;
  }
  return true;
}

void expectLines(const Image& image, const std::vector<Line>& lines) {
  ASSERT_GT(image.width, 0) << "the values window cannot be captured";
  const std::vector<int> counts = mismatchesPerLine(image, lines);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(counts[i], 0) << "line " << i + 1 << ": " << lines[i].text;
  }
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

// The five lines for a light at (lx, ly, lz), computed here from the light.
std::vector<Line> linesFor(float lx, float ly, float lz) {
  const float length = std::sqrt(lx * lx + ly * ly + lz * lz);
  const float ix = lx / length, iy = ly / length, iz = lz / length;
  const float angle = static_cast<float>(std::acos(static_cast<double>(iy)) * 180.0 / 3.14159f);
  return {
      {vectorLine("INCIDENT     ", ix, iy, iz), kYellow},
      {vectorLine("NORMALE      ", 0, 1, 0), kMagenta},
      {vectorLine("REFLEXION    ", -ix, iy, -iz), kRed},
      {angleLine("THETA I      ", angle), kYellow},
      {angleLine("THETA R      ", angle), kRed},
  };
}

// Wait until the values window shows the lines, then check them, so that a
// failure names the lines that differ.
void expectLinesSoon(ProgramDriver& program, unsigned long values,
                     const std::vector<Line>& lines) {
  ProgramDriver::waitFor([&] { return showsLines(program.capture(values), lines); });
  expectLines(program.capture(values), lines);
}

class ValuesWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.start());
    ASSERT_TRUE(program.waitForWindows(&diagram, &values));
  }
  void TearDown() override {
    if (!program.running()) return;
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
  ASSERT_EQ(image.height, 110);
  // The texts of the first frame, for the light at (-9, 9, 0).
  expectLines(image, {
                         {"INCIDENT     : -0.707  0.707  0.000", kYellow},
                         {"NORMALE      :  0.000  1.000  0.000", kMagenta},
                         {"REFLEXION    :  0.707  0.707 -0.000", kRed},
                         {"THETA I      :  45.000 degres", kYellow},
                         {"THETA R      :  45.000 degres", kRed},
                     });
}

TEST_F(ValuesWindow, FollowsTheLightMovedFromEitherWindow) {
  ASSERT_TRUE(program.key(diagram, "4 4 5"));
  ASSERT_TRUE(program.key(values, "6 6 6 1"));
  // Three steps of 0.2 along z, one net step along x, one along y.
  float x = -9.0f, y = 9.0f, z = 0.0f;
  x += 0.2f;
  x += 0.2f;
  y += 0.2f;
  z += 0.2f;
  z += 0.2f;
  z += 0.2f;
  x -= 0.2f;
  expectLinesSoon(program, values, linesFor(x, y, z));
}

TEST_F(ValuesWindow, OtherKeysInEitherWindowChangeNothingAndKeepItRunning) {
  // Each window ends with a key that moves the light one step along x: once
  // the values show both steps, every key before them has arrived.
  ASSERT_TRUE(program.key(diagram, "a Return space 9 0 shift+q 4"));
  ASSERT_TRUE(program.key(values, "x y z a Return 0 7 numbersign 4"));
  float x = -9.0f;
  x += 0.2f;
  x += 0.2f;
  expectLinesSoon(program, values, linesFor(x, 9, 0));
  EXPECT_TRUE(program.running());
}

TEST_F(ValuesWindow, StaysAnchoredToTheTopLeftWhenResized) {
  ASSERT_TRUE(program.resize(values, 420, 160));
  ASSERT_TRUE(ProgramDriver::waitFor([&] {
    const Image image = program.capture(values);
    return image.width == 420 && image.height == 160 && showsLines(image, linesFor(-9, 9, 0));
  })) << "the resized window does not show the lines at the top left";
}

}  // namespace
