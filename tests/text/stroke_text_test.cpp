// Stroke text in a real context: the state it leaves, blending and width
// while it draws, size, spacing and position of the vertices it sends, and
// the cut of over-long texts.
#include "text/stroke_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"

namespace {

// The settings as the process starts with them, read before main and so
// before any test changes them, in whatever order the tests run.
const int kBoldAtStart = getStrokeBold();
const int kSmoothAtStart = getStrokeSmooth();
const float kSpacingAtStart = getStrokeSpacing();

TEST(StrokeTextSettings, StartWithoutBoldSmoothingOrSpacing) {
  EXPECT_EQ(kBoldAtStart, 0);
  EXPECT_EQ(kSmoothAtStart, 0);
  EXPECT_EQ(kSpacingAtStart, 0.0f);
}

TEST(StrokeTextSettings, SettersStoreTheirArgumentAsGiven) {
  resetModuleState();
  setStrokeBold(5);
  setStrokeSmooth(-3);
  setStrokeSpacing(-2.5f);
  EXPECT_EQ(getStrokeBold(), 5);
  EXPECT_EQ(getStrokeSmooth(), -3);
  EXPECT_EQ(getStrokeSpacing(), -2.5f);
  resetModuleState();
}

// The shared context with the start settings and OpenGL's state as the
// fixture saved it around each test.
class StrokeText : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
  }
};

// Every vertex of the line segments in the order they were sent.
std::vector<FeedbackVertex> lineVertices(const std::vector<FeedbackPrimitive>& primitives) {
  std::vector<FeedbackVertex> vertices;
  for (const FeedbackPrimitive& p : primitives) {
    EXPECT_TRUE(p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) << p.token;
    vertices.insert(vertices.end(), p.vertices.begin(), p.vertices.end());
  }
  return vertices;
}

// Number of lit pixels of the back buffer.
int litPixels() {
  const Pixels pixels = readPixels();
  int lit = 0;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) lit += pixels.lit(x, y) ? 1 : 0;
  }
  return lit;
}

void setSwitch(GLenum capability, bool on) {
  if (on) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

// One window pixel per model unit, origin at the bottom left.
void pixelProjection() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kTestWindowWidth, 0, kTestWindowHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
}

TEST_F(StrokeText, LeavesMatrixLineWidthAndSwitchesAsFoundInEveryCombination) {
  for (int mask = 0; mask < 16; ++mask) {
    const bool callerBlend = (mask & 1) != 0;
    const bool callerLineSmooth = (mask & 2) != 0;
    const int smooth = (mask & 4) != 0 ? 1 : 0;
    const int bold = (mask & 8) != 0 ? 1 : 0;
    SCOPED_TRACE(testing::Message()
                 << "caller blend " << callerBlend << ", caller smooth " << callerLineSmooth
                 << ", smooth " << smooth << ", bold " << bold);
    setStrokeSmooth(smooth);
    setStrokeBold(bold);
    setSwitch(GL_BLEND, callerBlend);
    setSwitch(GL_LINE_SMOOTH, callerLineSmooth);
    glBlendFunc(GL_ONE, GL_ZERO);
    glLineWidth(3.0f);
    glLoadIdentity();
    glTranslatef(1.0f, -2.0f, 3.0f);
    glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
    const std::array<float, 16> matrix = modelviewMatrix();
    const int depth = modelviewStackDepth();

    printStrokeText(4.0f, 5.0f, 50.0f, "A%db", 7);

    EXPECT_EQ(modelviewMatrix(), matrix);
    EXPECT_EQ(modelviewStackDepth(), depth);
    EXPECT_EQ(getFloat(GL_LINE_WIDTH), 3.0f);
    EXPECT_EQ(isEnabled(GL_BLEND), callerBlend);
    EXPECT_EQ(isEnabled(GL_LINE_SMOOTH), callerLineSmooth);
    // Smooth text leaves its blend function behind; plain text keeps the caller's.
    EXPECT_EQ(getInteger(GL_BLEND_SRC), smooth ? GL_SRC_ALPHA : GL_ONE);
    EXPECT_EQ(getInteger(GL_BLEND_DST), smooth ? GL_ONE_MINUS_SRC_ALPHA : GL_ZERO);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

TEST_F(StrokeText, EmptyTextDrawsNothingButStillSetsTheBlendFunction) {
  setStrokeSmooth(1);
  glLineWidth(3.0f);
  glTranslatef(2.0f, 0.0f, 0.0f);
  const std::array<float, 16> matrix = modelviewMatrix();
  const auto primitives =
      captureFeedback([] { printStrokeText(0.0f, 0.0f, 100.0f, "%s", ""); });
  EXPECT_TRUE(primitives.empty());
  EXPECT_EQ(modelviewMatrix(), matrix);
  EXPECT_EQ(getFloat(GL_LINE_WIDTH), 3.0f);
  EXPECT_FALSE(isEnabled(GL_BLEND));
  EXPECT_FALSE(isEnabled(GL_LINE_SMOOTH));
  EXPECT_EQ(getInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(getInteger(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(StrokeText, WithoutSmoothingBlendingIsOffWhileDrawingEvenIfTheCallerHadItOn) {
  pixelProjection();
  // This blend function keeps the destination: blended lines leave no trace.
  glEnable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_ONE);
  // clang-format off
  glBegin(GL_LINES);
  {
    glVertex2f(10.0f, 10.0f);
    glVertex2f(300.0f, 200.0f);
  }
  glEnd();
  // clang-format on
  ASSERT_EQ(litPixels(), 0) << "blended control line was drawn";

  printStrokeText(20.0f, 60.0f, 200.0f, "H");
  EXPECT_GT(litPixels(), 100);
  EXPECT_TRUE(isEnabled(GL_BLEND));
}

TEST_F(StrokeText, SmoothTextBlendsWithSourceAlpha) {
  pixelProjection();
  glColor4f(1.0f, 1.0f, 1.0f, 0.0f);  // fully transparent when blended
  printStrokeText(20.0f, 60.0f, 200.0f, "H");
  ASSERT_GT(litPixels(), 100) << "plain text must draw even with alpha 0";

  glClear(GL_COLOR_BUFFER_BIT);
  setStrokeSmooth(1);
  printStrokeText(20.0f, 60.0f, 200.0f, "H");
  EXPECT_EQ(litPixels(), 0);
  EXPECT_FALSE(isEnabled(GL_BLEND));
}

TEST_F(StrokeText, BoldDrawsWiderLines) {
  pixelProjection();
  printStrokeText(20.0f, 60.0f, 200.0f, "H");
  const int thin = litPixels();
  glClear(GL_COLOR_BUFFER_BIT);
  setStrokeBold(1);
  printStrokeText(20.0f, 60.0f, 200.0f, "H");
  const int bold = litPixels();
  EXPECT_GT(thin, 100);
  EXPECT_GT(bold, thin * 3 / 2);
}

TEST_F(StrokeText, SizeScalesAndPositionTranslatesInTheZeroPlane) {
  auto capture = [](float x, float y, float size) {
    return lineVertices(captureFeedback([&] { printStrokeText(x, y, size, "R"); }, 128.0f));
  };
  const auto unit = capture(0.0f, 0.0f, 200.0f);  // one model unit per font unit
  const auto half = capture(0.0f, 0.0f, 100.0f);
  const auto moved = capture(10.0f, -20.0f, 100.0f);
  ASSERT_GT(half.size(), 4u);
  ASSERT_EQ(unit.size(), half.size());
  ASSERT_EQ(moved.size(), half.size());
  float top = 0.0f;
  for (size_t i = 0; i < half.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(unit[i].x, 2.0f * half[i].x, 1e-3f);
    EXPECT_NEAR(unit[i].y, 2.0f * half[i].y, 1e-3f);
    EXPECT_NEAR(moved[i].x, half[i].x + 10.0f, 1e-3f);
    EXPECT_NEAR(moved[i].y, half[i].y - 20.0f, 1e-3f);
    EXPECT_NEAR(half[i].z, 0.0f, 1e-3f);
    top = std::max(top, unit[i].y);
  }
  // A capital of the font stands about 100 font units tall.
  EXPECT_GT(top, 80.0f);
  EXPECT_LT(top, 125.0f);
}

TEST_F(StrokeText, SpacingTenAtSizeHundredMovesTheNextCharacterFiveUnits) {
  auto capture = [](const char* text) {
    return lineVertices(
        captureFeedback([&] { printStrokeText(-60.0f, -30.0f, 100.0f, "%s", text); }, 128.0f));
  };
  const size_t first = capture("A").size();
  const auto plain = capture("AV");
  setStrokeSpacing(10.0f);
  const auto spaced = capture("AV");
  ASSERT_GT(first, 0u);
  ASSERT_GT(plain.size(), first);
  ASSERT_EQ(spaced.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    SCOPED_TRACE(i);
    const float shift = i < first ? 0.0f : 5.0f;
    EXPECT_NEAR(spaced[i].x - plain[i].x, shift, 1e-3f);
    EXPECT_NEAR(spaced[i].y, plain[i].y, 1e-3f);
  }
}

TEST_F(StrokeText, FormatsItsArgumentsLikePrintf) {
  auto capture = [](auto print) {
    return lineVertices(captureFeedback([&] { print(); }, 128.0f));
  };
  const auto formatted =
      capture([] { printStrokeText(-100.0f, 0.0f, 50.0f, "%d-%s%.1f", 42, "x", 0.5); });
  const auto literal = capture([] { printStrokeText(-100.0f, 0.0f, 50.0f, "%s", "42-x0.5"); });
  ASSERT_FALSE(literal.empty());
  ASSERT_EQ(formatted.size(), literal.size());
  for (size_t i = 0; i < literal.size(); ++i) {
    EXPECT_EQ(formatted[i].x, literal[i].x) << i;
    EXPECT_EQ(formatted[i].y, literal[i].y) << i;
  }
}

TEST_F(StrokeText, TextLongerThan1999CharactersIsCutAfter1999) {
  // Small enough that even 3000 characters would stay inside the cube, so
  // anything missing was not drawn rather than clipped.
  auto count = [](int characters) {
    const std::string text(static_cast<size_t>(characters), 'A');
    return lineVertices(
               captureFeedback(
                   [&] { printStrokeText(-120.0f, 0.0f, 0.1f, "%s", text.c_str()); }, 128.0f))
        .size();
  };
  const size_t one = count(1);
  ASSERT_GT(one, 0u);
  EXPECT_EQ(count(1999), 1999 * one);
  EXPECT_EQ(count(2000), 1999 * one);
  EXPECT_EQ(count(3000), 1999 * one);
}

TEST_F(StrokeText, BytesAbove127DrawNothingAndMoveOnlyByTheSpacing) {
  // The stroke font has glyphs for codes 0 to 127 only: a higher byte is
  // skipped by GLUT, and only the spacing moves on past it.
  auto capture = [](const char* text) {
    return lineVertices(
        captureFeedback([&] { printStrokeText(-60.0f, -30.0f, 100.0f, "%s", text); }, 128.0f));
  };
  const auto plain = capture("AV");
  const auto high = capture("A\x80\xc8\xffV");
  ASSERT_FALSE(plain.empty());
  ASSERT_EQ(high.size(), plain.size());
  for (size_t i = 0; i < plain.size(); ++i) {
    EXPECT_EQ(high[i].x, plain[i].x) << i;
    EXPECT_EQ(high[i].y, plain[i].y) << i;
  }
  const size_t first = capture("A").size();
  setStrokeSpacing(10.0f);
  const auto spaced = capture("A\x80\xffV");
  ASSERT_EQ(spaced.size(), plain.size());
  // Three spacings of 10 at size 100 before the V: 15 units.
  EXPECT_NEAR(spaced[first].x - plain[first].x, 15.0f, 1e-3f);
}

}  // namespace
