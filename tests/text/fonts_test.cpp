// Font lists in the real context: every glyph compiled bit for bit with its advance,
// codes without a glyph, and the lists of each window, built once and only in slots
// 1 to 9.
#include "text/fonts.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/failing_lists.h"
#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"
#include "tests/text/text_pictures.h"
#include "text/glyphs.h"
#include "text/raster_text.h"

namespace {

std::array<float, 4> rasterPosition() {
  std::array<float, 4> p{};
  glGetFloatv(GL_CURRENT_RASTER_POSITION, p.data());
  return p;
}

class FontsTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
    usePixelProjection();
    const int w = glutGetWindow();
    if (fontListsBuilt[w] == 0) {
      buildFontLists(w);
      fontListsBuilt[w] = 1;
    }
  }
  // Call the lists of a text in a font of the current window, from pixel (x, y).
  static void callText(int font, const std::string& text, int x, int y) {
    glRasterPos2f(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
    glListBase(fontListBase[font][glutGetWindow()]);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    glListBase(0);
  }
};

TEST_F(FontsTest, EveryGlyphIsCompiledBitForBitAndAdvancesByItsFontsWidth) {
  for (int font = FontStandard; font <= FontVector; ++font) {
    SCOPED_TRACE("font " + std::to_string(font));
    glClear(GL_COLOR_BUFFER_BIT);
    TextPicture expected;
    for (int line = 0; line < 4; ++line) {
      std::string codes;
      for (int c = 32 + 24 * line; c < 32 + 24 * (line + 1) && c <= 125; ++c) {
        codes += static_cast<char>(c);
      }
      const int y = 200 - 30 * line;
      int x = 10;
      callText(font, codes, x, y);
      for (unsigned char c : codes) {
        expected.glyph(font, c, x, y);
        x += advanceOf(font, c);
      }
      EXPECT_NEAR(rasterPosition()[0], static_cast<float>(x) + 0.5f, 1e-3) << "line " << line;
      EXPECT_NEAR(rasterPosition()[1], static_cast<float>(y) + 0.5f, 1e-3) << "line " << line;
    }
    expectPicture(expected);
  }
}

TEST_F(FontsTest, SmallFontAdvancesFourAfterFThreeAfterIAndSixAfterBlankCodes) {
  for (const auto& [text, advance] : std::vector<std::pair<std::string, float>>{
           {"f", 4}, {"i", 3}, {"fi", 7}, {"b", 6}, {"eA", 12}}) {
    callText(FontSmall, text, 10, 10);
    EXPECT_NEAR(rasterPosition()[0], 10.5f + advance, 1e-3) << text;
  }
  glClear(GL_COLOR_BUFFER_BIT);
  callText(FontSmall, "beA", 10, 10);
  EXPECT_EQ(litCount(), 0) << "b, e and A have no glyph in the small font";
}

TEST_F(FontsTest, CodesWithoutAGlyphNeitherDrawNorMoveTheRasterInAnyFont) {
  const std::string codes = {'\0', '\x01', '\x1f', '~', '\x7f', '\x80', '\xc8', '\xff'};
  for (int font = FontStandard; font <= FontVector; ++font) {
    for (char c : codes) {
      callText(font, std::string(1, c), 50, 50);
      EXPECT_NEAR(rasterPosition()[0], 50.5f, 1e-3)
          << "font " << font << " code " << (c & 0xff);
    }
  }
  EXPECT_EQ(litCount(), 0);
}

TEST_F(FontsTest, VectorTFDrawsOneUnbrokenFifteenPixelArrowEightRowsUp) {
  callText(FontVector, "TF", 100, 100);
  const Pixels pixels = readPixels();
  for (int x = 100; x < 115; ++x) EXPECT_TRUE(pixels.lit(x, 108)) << "gap at " << x;
  EXPECT_FALSE(pixels.lit(99, 108));
  EXPECT_FALSE(pixels.lit(115, 108));
  EXPECT_TRUE(pixels.lit(113, 109));  // the head's barbs
  EXPECT_TRUE(pixels.lit(113, 107));
}

// A second window, current and ready for drawing; destroyed by the caller.
int createWindow(const char* title) {
  const int window = createTestWindow(title);
  usePixelProjection();
  return window;
}

TEST_F(FontsTest, EachWindowCompilesItsOwnListsOnceOnItsFirstText) {
  const int first = glutGetWindow();
  const int second = createWindow("second");
  if (second >= kFontWindowSlots) {
    destroyTestWindow(second);
    GTEST_SKIP() << "window ids 1 to 9 are used up in this run; run the test alone";
  }
  EXPECT_EQ(fontListsBuilt[second], 0);
  setRasterPosition(20.5f, 20.5f, 0);
  printText(kTextOverEverything, FontStandard, "N");
  ASSERT_EQ(fontListsBuilt[second], 1);
  unsigned int bases[5] = {};
  for (int font = FontStandard; font <= FontVector; ++font) {
    bases[font] = fontListBase[font][second];
    EXPECT_EQ(glIsList(bases[font] + 'T'), GL_TRUE) << "font " << font;
  }
  setRasterPosition(40.5f, 20.5f, 0);
  printText(kTextOverEverything, FontGreek, "q");
  for (int font = FontStandard; font <= FontVector; ++font) {
    EXPECT_EQ(fontListBase[font][second], bases[font]) << "lists rebuilt for font " << font;
  }
  TextPicture expected;
  expected.glyph(FontStandard, 'N', 20, 20);
  expected.glyph(FontGreek, 'q', 40, 20);
  expectPicture(expected);
  destroyTestWindow(second);
  // The first window keeps its own lists, still defined in its own context.
  EXPECT_EQ(fontListsBuilt[first], 1);
  for (int font = FontStandard; font <= FontVector; ++font) {
    EXPECT_EQ(glIsList(fontListBase[font][first] + 'T'), GL_TRUE);
  }
}

TEST_F(FontsTest, FailedReservationGivesBackTheBlocksBeforeItAndTheNextTextTriesAgain) {
  const int window = createWindow("no names");
  if (window >= kFontWindowSlots) {
    destroyTestWindow(window);
    GTEST_SKIP() << "window ids 1 to 9 are used up in this run; run the test alone";
  }
  // Each of the four reservations fails in turn, the ones before it succeeding.
  for (int failing = 0; failing < 4; ++failing) {
    SCOPED_TRACE("reservation " + std::to_string(failing + 1) + " of 4 fails");
    glGenListsFailAfter(failing);
    setRasterPosition(30.5f, 30.5f, 0);
    printText(kTextOverEverything, FontStandard, "A");
    glGenListsSucceedAlways();
    EXPECT_EQ(fontListsBuilt[window], 0);
    for (int font = FontStandard; font <= FontVector; ++font) {
      EXPECT_EQ(fontListBase[font][window], 0u) << "font " << font;
    }
    ASSERT_EQ(reservedListBases().size(), static_cast<size_t>(failing));
    for (unsigned base : reservedListBases()) {
      EXPECT_EQ(glIsList(base), GL_FALSE) << "the block from " << base << " was not given back";
      EXPECT_EQ(glIsList(base + kFontBlockSize - 1), GL_FALSE) << "block from " << base;
    }
    EXPECT_EQ(litCount(), 0);
  }
  setRasterPosition(30.5f, 30.5f, 0);
  printText(kTextOverEverything, FontStandard, "A");
  EXPECT_EQ(fontListsBuilt[window], 1);
  TextPicture expected;
  expected.glyph(FontStandard, 'A', 30, 30);
  expectPicture(expected);
  destroyTestWindow(window);
}

TEST_F(FontsTest, WindowIdsBeyondTheTenSlotsGetNoListsAndLeaveTheTablesAlone) {
  unsigned int bases[5][kFontWindowSlots];
  int built[kFontWindowSlots];
  std::memcpy(bases, fontListBase, sizeof bases);
  std::memcpy(built, fontListsBuilt, sizeof built);
  int window = 0;
  for (int tries = 0; window < kFontWindowSlots && tries < 20; ++tries) {
    if (window != 0) destroyTestWindow(window);
    window = createWindow("window beyond the slots");
  }
  ASSERT_GE(window, kFontWindowSlots);
  setRasterPosition(30.5f, 30.5f, 0);
  printText(kTextOverEverything, FontStandard, "AB");
  buildFontLists(window);
  EXPECT_EQ(litCount(), 0);
  EXPECT_EQ(glIsList(1), GL_FALSE);
  EXPECT_EQ(std::memcmp(bases, fontListBase, sizeof bases), 0);
  EXPECT_EQ(std::memcmp(built, fontListsBuilt, sizeof built), 0);
  printGlutText("AB");  // texts in GLUT's fonts need no lists
  EXPECT_GT(litCount(), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "in the window's own context";
  destroyTestWindow(window);
}

}  // namespace
