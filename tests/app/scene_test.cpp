// The diagram's frame in a real context: the state it leaves, the order of
// its groups and the redraw it asks of the values window.
#include "app/scene.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/model.h"
#include "app/values.h"
#include "app/windows.h"
#include "manipulator/keyboard.h"
#include "projection/reshape.h"
#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"

namespace {

// The diagram draws into the shared test window.
class SceneTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
    diagramWindow = testWindow();
    valuesWindow = redrawCountingWindow();
    initGraphicsState();
    setOrthoVolume(-10, 10, -10, 10, -500, 500);
    reshapeOrtho(kTestWindowWidth, kTestWindowHeight);
    setKeyRotation(25, 15, 0);
  }
};

TEST_F(SceneTest, FrameLeavesTheMatrixStackAndSwitchesAsItFoundThem) {
  const int depth = modelviewStackDepth();
  const auto before = modelviewMatrix();
  displayDiagram();
  EXPECT_EQ(modelviewStackDepth(), depth);
  EXPECT_EQ(modelviewMatrix(), before);
  EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_FALSE(isEnabled(GL_LIGHTING));
  EXPECT_FALSE(isEnabled(GL_CULL_FACE));
  EXPECT_FALSE(isEnabled(GL_DEPTH_TEST));
  // The last colour and material the frame set: magenta, and the plate's
  // white with alpha 0.5.
  std::array<float, 4> color{};
  glGetFloatv(GL_CURRENT_COLOR, color.data());
  EXPECT_EQ(color, (std::array<float, 4>{1, 0, 1, 1}));
  std::array<float, 4> diffuse{};
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
  EXPECT_EQ(diffuse, (std::array<float, 4>{1, 1, 1, 0.5f}));
}

TEST_F(SceneTest, EveryFrameAsksOneRedrawOfTheValuesWindow) {
  EXPECT_EQ(redrawFramesOf([] {
              glutSetWindow(diagramWindow);
              displayDiagram();
            }),
            1);
}

TEST_F(SceneTest, FrameRecomputesTheModelFromTheLight) {
  lightPosition = Vector4{3, 4, 0, 1};
  displayDiagram();
  EXPECT_FLOAT_EQ(incidentDirection.x, 0.6f);
  EXPECT_FLOAT_EQ(reflectedDirection.x, -0.6f);
}

// The first vertex of each line from the origin, in drawing order.
std::vector<FeedbackVertex> raysFromTheOrigin(const std::vector<FeedbackPrimitive>& prims) {
  std::vector<FeedbackVertex> ends;
  for (const FeedbackPrimitive& p : prims) {
    if (p.token != GL_LINE_TOKEN && p.token != GL_LINE_RESET_TOKEN) continue;
    const FeedbackVertex& a = p.vertices[0];
    if (std::fabs(a.x) + std::fabs(a.y) + std::fabs(a.z) < 1e-3f) ends.push_back(p.vertices[1]);
  }
  return ends;
}

TEST_F(SceneTest, GroupsComeInOrderReflectedIncidentRodNormal) {
  lightPosition = Vector4{-3, 4, 0, 1};
  const auto prims = captureFeedback([] { drawScene(); }, 32.0f);
  const auto ends = raysFromTheOrigin(prims);
  const float expected[][3] = {{6, 8, 0}, {-6, 8, 0}, {-3, 4, 0}, {0, 10, 0}};
  ASSERT_EQ(ends.size(), 4u);
  for (size_t i = 0; i < ends.size(); ++i) {
    EXPECT_NEAR(ends[i].x, expected[i][0], 1e-3) << i;
    EXPECT_NEAR(ends[i].y, expected[i][1], 1e-3) << i;
    EXPECT_NEAR(ends[i].z, expected[i][2], 1e-3) << i;
  }
  // Ten labels reach the raster, a bitmap per glyph: the letters R, I and N
  // and the two thetas, the subscripts r and i, and the vector mark of each
  // ray's letter, two glyphs each.
  // Drawn in the window under the program's view, as a frame draws them.
  int bitmaps = 0;
  for (const FeedbackPrimitive& p : captureWindowFeedback([] { drawScene(); })) {
    bitmaps += p.token == GL_BITMAP_TOKEN;
  }
  EXPECT_EQ(bitmaps, 5 + 2 + 3 * 2);
}

TEST_F(SceneTest, ValuesWindowSpecialKeysTurnTheDiagramAndRedrawIt) {
  diagramWindow = redrawCountingWindow();
  EXPECT_EQ(redrawFramesOf([] {
              setKeyRotation(25, 15, 0);
              valuesSpecial(GLUT_KEY_DOWN, 0, 0);
            }),
            1);
  EXPECT_EQ(keyRotationX, 26.0f);
  EXPECT_EQ(redrawFramesOf([] { valuesSpecial(GLUT_KEY_HOME, 0, 0); }), 0)
      << "a key the manipulator leaves asks for nothing";
}

TEST_F(SceneTest, ValuesWindowWithoutAreaKeepsItsViewportAndProjection) {
  reshapeValues(200, 100);
  const std::array<float, 16> projection = projectionMatrix();
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 200, 100}));
  const int sizes[][2] = {{0, 100}, {200, 0}, {0, 0}, {-1, 5}};
  for (const auto& size : sizes) {
    reshapeValues(size[0], size[1]);
    EXPECT_EQ(projectionMatrix(), projection) << size[0] << " x " << size[1];
    std::array<GLint, 4> now{};
    glGetIntegerv(GL_VIEWPORT, now.data());
    EXPECT_EQ(now, viewport) << size[0] << " x " << size[1];
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
