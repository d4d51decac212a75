// Raster text in the real context: where texts land, judged pixel by pixel against the
// glyph tables, and what the operations leave behind in the OpenGL state.
#include "text/raster_text.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"
#include "tests/text/text_pictures.h"
#include "text/fonts.h"
#include "text/glyphs.h"

namespace {

constexpr int W = kTestWindowWidth;
constexpr int H = kTestWindowHeight;

class RasterTextTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
    usePixelProjection();
  }
  // Anchor on the centre of pixel (x, y).
  static void anchorAt(int x, int y) {
    setRasterPosition(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, 0.0f);
  }
};

TEST_F(RasterTextTest, EveryFontPutsGlyphRowTwoOnTheAnchorRowAndColumnZeroOnItsColumn) {
  TextPicture expected;
  const struct {
    int font;
    const char* text;
    int x, y;
  } cases[] = {{FontStandard, "Iq9", 10, 200},
               {FontSmall, "fi1r", 60, 160},
               {FontGreek, "qAw", 110, 120},
               {FontVector, "TF", 170, 80}};
  for (const auto& c : cases) {
    anchorAt(c.x, c.y);
    printText(kTextDepthTested, c.font, "%s", c.text);
    expected.text(c.font, c.text, c.x, c.y);
  }
  expectPicture(expected);
}

TEST_F(RasterTextTest, OffsetServesOneTextAndTheNextStartsAtTheAnchor) {
  anchorAt(100, 100);
  setTextOffset(-15, 15, 0);
  printText(kTextDepthTested, FontStandard, "I");
  setTextOffset(-18, 10, 0);
  printText(kTextDepthTested, FontVector, "TF");
  printText(kTextDepthTested, FontStandard, "N");
  TextPicture expected;
  expected.text(FontStandard, "I", 85, 85);
  expected.text(FontVector, "TF", 82, 90);
  expected.text(FontStandard, "N", 100, 100);
  expectPicture(expected);
  EXPECT_EQ(textOffset[0], 0.0f);
  EXPECT_EQ(textOffset[1], 0.0f);
  EXPECT_EQ(textOffset[2], 0.0f);
}

TEST_F(RasterTextTest, AlignmentsCentreEndOrStartTheTextOnTheAnchor) {
  const struct {
    int alignment, shift, drop;
  } cases[] = {
      {kTextCentred, -25, 6}, {kTextRightAligned, -50, 6}, {kTextLeftAligned, 0, 0}, {7, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE("alignment " + std::to_string(c.alignment));
    glClear(GL_COLOR_BUFFER_BIT);
    setTextAlignment(c.alignment);
    anchorAt(150, 100);
    printText(kTextOverEverything, FontStandard, "AB%dDE", 3);
    TextPicture expected;
    expected.text(FontStandard, "AB3DE", 150 + c.shift, 100 - c.drop);
    expectPicture(expected);
  }
}

TEST_F(RasterTextTest, FontNumbersOutsideOneToFourDrawAndMeasureTheStandardFont) {
  for (int font : {0, 7, -3}) {
    SCOPED_TRACE("font " + std::to_string(font));
    glClear(GL_COLOR_BUFFER_BIT);
    setTextAlignment(kTextRightAligned);
    anchorAt(150, 100);
    printText(kTextOverEverything, font, "qR");
    TextPicture expected;
    expected.text(FontStandard, "qR", 130, 94);
    expectPicture(expected);
  }
}

TEST_F(RasterTextTest, NarrowSmallGlyphsStillMeasureSixPixelsWhenAligned) {
  setTextAlignment(kTextCentred);
  anchorAt(150, 100);
  printText(kTextOverEverything, FontSmall, "fi");
  TextPicture expected;
  expected.text(FontSmall, "fi", 144, 94);
  expectPicture(expected);
}

TEST_F(RasterTextTest, BytesWithoutGlyphNeitherDrawNorMoveButCountInTheWidth) {
  anchorAt(40, 150);
  printText(kTextOverEverything, FontStandard, "%s",
            "A~\x7f\x01\x1f\x80\xc8\xff"
            "B");
  setTextAlignment(kTextCentred);
  anchorAt(200, 100);
  printText(kTextOverEverything, FontGreek, "%s",
            "A\x80\xff"
            "B");
  TextPicture expected;
  expected.text(FontStandard, "AB", 40, 150);
  expected.text(FontGreek, "AB", 180, 94);
  expectPicture(expected);
}

TEST_F(RasterTextTest, DepthTestedTextIsHiddenBehindNearerGeometryAndOnTopTextIsNot) {
  const int listBase = 33;
  for (bool callerDepthTest : {false, true}) {
    SCOPED_TRACE(callerDepthTest ? "caller depth test on" : "caller depth test off");
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // A blue square at depth 0.25 over the left half; the anchors lie at depth 0.5.
    glEnable(GL_DEPTH_TEST);
    glColor3f(0, 0, 1);
    glBegin(GL_QUADS);
    {
      glVertex3f(0, 0, 0.5f);
      glVertex3f(160, 0, 0.5f);
      glVertex3f(160, H, 0.5f);
      glVertex3f(0, H, 0.5f);
    }
    glEnd();
    if (!callerDepthTest) glDisable(GL_DEPTH_TEST);
    glListBase(listBase);
    const int attribDepth = attribStackDepth();
    glColor3f(1, 0, 0);
    const int rows[] = {200, 160, 120, 80, 40};
    anchorAt(100, rows[0]);
    printText(kTextDepthTested, FontStandard, "I");  // hidden
    anchorAt(100, rows[1]);
    printTextOnTop(FontStandard, "I");  // drawn over the square
    anchorAt(100, rows[2]);
    setTextOffset(0, 0, -0.4f);
    printText(kTextDepthTested, FontStandard, "I");  // brought in front of the square
    anchorAt(100, rows[3]);
    printStandardText("I");  // hidden
    anchorAt(200, rows[4]);
    printText(kTextDepthTested, FontStandard, "I");  // nothing in front
    EXPECT_EQ(isEnabled(GL_DEPTH_TEST), callerDepthTest);
    EXPECT_EQ(attribStackDepth(), attribDepth);
    EXPECT_EQ(getInteger(GL_LIST_BASE), listBase);
    glListBase(0);
    const bool visible[] = {false, true, true, false, true};
    const Pixels pixels = readPixels();
    for (int i = 0; i < 5; ++i) {
      const int x = i == 4 ? 200 : 100;
      int red = 0;
      for (int y = rows[i] - 2; y < rows[i] + 11; ++y) {
        for (int col = 0; col < 8; ++col) red += pixels.at(x + col, y)[0] > 128 ? 1 : 0;
      }
      EXPECT_EQ(red > 0, visible[i]) << "text " << i << " has " << red << " red pixels";
    }
  }
}

TEST_F(RasterTextTest, AnchorOutsideTheViewDrawsNothingYetUsesUpTheOffset) {
  setRasterPosition(1000, 120, 0);
  EXPECT_EQ(textAnchorValid, 0);
  setTextOffset(-900, 0, 0);
  printText(kTextOverEverything, FontStandard, "III");
  EXPECT_EQ(textOffset[0], 0.0f);
  setTextOffset(-900, 0, 0);
  printGlutText("III");
  EXPECT_EQ(textOffset[0], 0.0f);
  drawAnchoredLine(-900, 0, -700, 0);
  EXPECT_EQ(litCount(), 0);
  anchorAt(60, 60);
  EXPECT_EQ(textAnchorValid, 1);
  printText(kTextOverEverything, FontStandard, "I");
  TextPicture expected;
  expected.text(FontStandard, "I", 60, 60);
  expectPicture(expected);
}

TEST_F(RasterTextTest, EmptyTextDrawsNothingButUsesUpTheOffset) {
  anchorAt(60, 60);
  setTextOffset(5, 5, 0);
  printText(kTextOverEverything, FontStandard, "%s", "");
  EXPECT_EQ(textOffset[0], 0.0f);
  EXPECT_EQ(textOffset[1], 0.0f);
  EXPECT_EQ(litCount(), 0);
}

TEST_F(RasterTextTest, ValuesWindowProjectionAnchorsFromTheTopLeftCorner) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, W, -H, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  setRasterPosition(5, -20, 0);
  EXPECT_EQ(textAnchor.w, 1.0f);
  printText(kTextDepthTested, FontStandard, "E: %.1f", 0.5);
  TextPicture expected;
  expected.text(FontStandard, "E: 0.5", 5, H - 20);
  expectPicture(expected);
}

TEST_F(RasterTextTest, PerspectiveAnchorPlacesTheTextOnTheAnchorPixel) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -0.75, 0.75, 1, 10);
  glMatrixMode(GL_MODELVIEW);
  setRasterPosition(0.1f, 0.1f, -5.0f);
  EXPECT_EQ(textAnchor.w, 5.0f);
  EXPECT_NEAR(textAnchor.x, 163.2f, 1e-3f);
  EXPECT_NEAR(textAnchor.y, 123.2f, 1e-3f);
  printText(kTextDepthTested, FontStandard, "R");
  setTextOffset(0, 20, 0);
  printText(kTextDepthTested, FontStandard, "I");
  drawAnchoredLine(0, 40, 30, 40);
  TextPicture expected;
  expected.text(FontStandard, "R", 163, 123);
  expected.text(FontStandard, "I", 163, 103);
  for (int x = 164; x < 192; ++x) expected.set(x, 83);
  const Pixels pixels = readPixels();
  EXPECT_FALSE(pixels.lit(160, 83)) << "line starts left of the anchor";
  EXPECT_FALSE(pixels.lit(195, 83)) << "line ends beyond 30 pixels";
  // Line end pixels depend on the rasteriser's rule; leave them out of the comparison.
  TextPicture trimmed = expected;
  for (int x : {163, 192, 193}) trimmed.on[83 * W + x] = pixels.lit(x, 83) ? 1 : 0;
  expectPicture(trimmed);
}

TEST_F(RasterTextTest, EveryDrawingOperationRestoresMatricesAndMatrixMode) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -0.75, 0.75, 1, 10);
  glPushMatrix();
  glTranslatef(0.1f, 0, 0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(0, 0, -5);
  glRotatef(30, 1, 2, 3);
  const auto projection = projectionMatrix();
  const auto modelview = modelviewMatrix();
  const int projectionDepth = projectionStackDepth();
  const int modelviewDepth = modelviewStackDepth();
  const std::function<void()> operations[] = {
      [] { printText(kTextDepthTested, FontGreek, "q"); },
      [] { printTextOnTop(FontSmall, "i"); },
      [] { printStandardText("N"); },
      [] { printGlutText("x"); },
      [] { printGlutTextAt(0, 0, 0, "x"); },
      [] { printGlutTextAtWithFont(0, 0, 0, GLUT_BITMAP_HELVETICA_10, "x"); },
      [] { drawAnchoredLine(0, 0, 10, 10); },
  };
  setRasterPosition(0, 0, 0);
  ASSERT_EQ(textAnchorValid, 1);
  for (size_t i = 0; i < std::size(operations); ++i) {
    SCOPED_TRACE("operation " + std::to_string(i));
    operations[i]();
    EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(projectionMatrix(), projection);
    EXPECT_EQ(modelviewMatrix(), modelview);
    EXPECT_EQ(projectionStackDepth(), projectionDepth);
    EXPECT_EQ(modelviewStackDepth(), modelviewDepth);
  }
  EXPECT_GT(litCount(), 0);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

// Bounds of the lit pixels: {minX, minY, maxX, maxY}, or minX > maxX when none.
std::array<int, 4> litBounds() {
  const Pixels pixels = readPixels();
  std::array<int, 4> b = {W, H, -1, -1};
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      if (!pixels.lit(x, y)) continue;
      b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
    }
  }
  return b;
}

TEST_F(RasterTextTest, GlutFontTextIsPlacedAtTheAnchorAndBuildsNoLists) {
  const int window = createTestWindow("glut-font text");
  usePixelProjection();
  const struct {
    int alignment, left, right, drop;
  } cases[] = {
      {kTextLeftAligned, 0, 24, 0}, {kTextCentred, -12, 12, 6}, {kTextRightAligned, -24, 0, 6}};
  for (const auto& c : cases) {
    SCOPED_TRACE("alignment " + std::to_string(c.alignment));
    glClear(GL_COLOR_BUFFER_BIT);
    setGlutTextStyle(GLUT_BITMAP_8_BY_13, c.alignment);
    printGlutTextAt(150.5f, 100.5f, 0, "W%d", 88);
    const std::array<int, 4> b = litBounds();
    EXPECT_GE(b[0], 150 + c.left);
    EXPECT_LE(b[2], 150 + c.right - 1);
    EXPECT_GE(b[1], 100 - c.drop - 4);
    EXPECT_LE(b[3], 100 - c.drop + 13);
    EXPECT_LE(b[0], 150 + c.left + 2) << "text does not start at its place";
    EXPECT_GE(b[2], 150 + c.right - 3) << "text does not end at its place";
  }
  glClear(GL_COLOR_BUFFER_BIT);
  setTextOffset(4, 4, 0);
  printGlutText("%s", "");
  EXPECT_EQ(textOffset[0], 0.0f);
  EXPECT_EQ(litCount(), 0);
  // A fresh context: had anything reserved list names, name 1 would be one of them.
  EXPECT_EQ(glIsList(1), GL_FALSE);
  if (window < kFontWindowSlots) {
    EXPECT_EQ(fontListsBuilt[window], 0);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "in the window's own context";
  destroyTestWindow(window);
}

TEST_F(RasterTextTest, AnchoredLineJoinsTwoPixelOffsetsAndKeepsTheTextOffset) {
  anchorAt(100, 100);
  setTextOffset(3, 4, 0);
  drawAnchoredLine(0, 10, 20, 10);
  EXPECT_EQ(textOffset[0], 3.0f);
  EXPECT_EQ(textOffset[1], 4.0f);
  const std::array<int, 4> b = litBounds();
  EXPECT_EQ(b[1], 90);
  EXPECT_EQ(b[3], 90);
  EXPECT_GE(b[0], 100);
  EXPECT_LE(b[0], 101);
  EXPECT_GE(b[2], 118);
  EXPECT_LE(b[2], 120);
  const Pixels pixels = readPixels();
  for (int x = 101; x < 119; ++x) EXPECT_TRUE(pixels.lit(x, 90)) << "gap at " << x;
}

TEST_F(RasterTextTest, TextsLongerThanTheBufferAreCutAtItsEnd) {
  const std::string text(2500, 'x');
  anchorAt(10, 10);
  printText(kTextOverEverything, FontStandard, "%s", text.c_str());
  EXPECT_EQ(std::strlen(textBuffer), static_cast<size_t>(kTextBufferSize - 1));
  EXPECT_EQ(std::string(textBuffer), text.substr(0, kTextBufferSize - 1));
  printGlutText("%s%s", "ab", text.c_str());
  EXPECT_EQ(std::string(textBuffer), "ab" + text.substr(0, kTextBufferSize - 3));
  // The latest text may itself be printed again.
  printText(kTextOverEverything, FontStandard, "<%s>", "abc");
  printText(kTextOverEverything, FontStandard, "%s!", textBuffer);
  EXPECT_STREQ(textBuffer, "<abc>!");
}

}  // namespace
