// Reshape handlers in the real context: the recorded figures, the viewport
// and matrices read back with glGet against what glOrtho, glFrustum and
// gluPerspective build from the expected figures, redisplay requests counted
// on a window of their own, and windows without area.
#include "projection/reshape.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"

namespace {

class Reshape : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
  }
};

// The projection matrix that `build` leaves, from the identity.
std::array<float, 16> projectionOf(const std::function<void()>& build) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  build();
  const std::array<float, 16> m = projectionMatrix();
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return m;
}

std::array<float, 16> translation(float x, float y, float z) {
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(x, y, z);
  const std::array<float, 16> m = modelviewMatrix();
  glPopMatrix();
  return m;
}

void expectViewport(int width, int height) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], width);
  EXPECT_EQ(viewport[3], height);
}

struct Bounds {
  int width, height;
  float left, right, bottom, top, unitsPerPixel;
};
// The volume -10..10 square, stretched along the window's longer side.
const Bounds kStretched[] = {
    {310, 250, -12.4f, 12.4f, -10, 10, 0.08f},  // the diagram window's start
    {250, 310, -10, 10, -12.4f, 12.4f, 0.08f},
    {200, 200, -10, 10, -10, 10, 0.1f},
    {1, 1, -10, 10, -10, 10, 20},
    {400, 100, -40, 40, -10, 10, 0.2f},
};

void expectLastBounds(const Bounds& b) {
  EXPECT_EQ(getLastLeft(), b.left);
  EXPECT_EQ(getLastRight(), b.right);
  EXPECT_EQ(getLastBottom(), b.bottom);
  EXPECT_EQ(getLastTop(), b.top);
  EXPECT_EQ(getUnitsPerPixel(), b.unitsPerPixel);
}

TEST_F(Reshape, OrthoStretchesTheLongerSideAndSetsTheMatchingProjection) {
  setOrthoVolume(-10, 10, -10, 10, -500, 500);
  for (const Bounds& b : kStretched) {
    SCOPED_TRACE(std::to_string(b.width) + " x " + std::to_string(b.height));
    glTranslatef(5, 5, 5);
    reshapeOrtho(b.width, b.height);
    expectLastBounds(b);
    expectViewport(b.width, b.height);
    EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(modelviewMatrix(), translation(0, 0, 0));
    EXPECT_EQ(projectionMatrix(),
              projectionOf([&] { glOrtho(b.left, b.right, b.bottom, b.top, -500, 500); }));
  }
}

TEST_F(Reshape, FrustumStretchesLikeOrthoAndTranslatesTheModelview) {
  setFrustumVolume(-1, 1, -1, 1, 2, 50, 0.5f, 0, -10);
  reshapeFrustum(310, 250);
  EXPECT_EQ(getLastLeft(), -1.24f);
  EXPECT_EQ(getLastRight(), 1.24f);
  EXPECT_EQ(getLastBottom(), -1.0f);
  EXPECT_EQ(getLastTop(), 1.0f);
  EXPECT_EQ(getUnitsPerPixel(), 2.0f / 250.0f);
  expectViewport(310, 250);
  EXPECT_EQ(projectionMatrix(),
            projectionOf([] { glFrustum(310 * -1.0 / 250, 310 * 1.0 / 250, -1, 1, 2, 50); }));
  EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(modelviewMatrix(), translation(0.5f, 0, -10));
}

TEST_F(Reshape, PerspectiveWidensTheFieldOfViewForNarrowWindowsOnly) {
  setPerspective(60, 1, 1, 100, 0, 0, -5);
  struct Case {
    int width, height;
    float fovy, aspect;
  };
  const Case cases[] = {
      {200, 100, 60, 2},
      {100, 200, 120, 0.5f},
      {150, 150, 60, 1},
      {300, 400, 80, 0.75f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    reshapePerspective(c.width, c.height);
    EXPECT_EQ(getLastFovy(), c.fovy);
    EXPECT_EQ(getLastAspect(), c.aspect);
    expectViewport(c.width, c.height);
    EXPECT_EQ(projectionMatrix(),
              projectionOf([&] { gluPerspective(c.fovy, c.aspect, 1, 100); }));
    EXPECT_EQ(getInteger(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(modelviewMatrix(), translation(0, 0, -5));
  }
}

TEST_F(Reshape, PerspectiveKeepsItsOwnResultsApartFromOrthoAndFrustum) {
  setOrthoVolume(-10, 10, -10, 10, -500, 500);
  reshapeOrtho(310, 250);
  setPerspective(45, 1, 1, 100, 0, 0, 0);
  reshapePerspective(100, 50);
  expectLastBounds(kStretched[0]);
  EXPECT_EQ(getLastFovy(), 45.0f);
}

TEST_F(Reshape, PerspectiveRedrawsOnlyTheWindowItWasGiven) {
  const int window = redrawCountingWindow();
  // Each reshape runs in the shared test window, not the one to redraw.
  EXPECT_EQ(redrawFramesOf([] {
              setPerspective(60, 1, 1, 100, 0, 0, 0);
              testWindow();
              reshapePerspective(200, 100);
            }),
            0)
      << "a redisplay was posted with no window set";
  EXPECT_EQ(redrawFramesOf([window] {
              setPerspectiveWithRedisplay(60, 1, 1, 100, 0, 0, 0, window);
              testWindow();
              reshapePerspective(200, 100);
            }),
            1);
  EXPECT_EQ(getLastFovy(), 60.0f);
  EXPECT_EQ(redrawFramesOf([] {
              setPerspectiveWithRedisplay(60, 1, 1, 100, 0, 0, 0, -1);
              testWindow();
              reshapePerspective(200, 100);
            }),
            0);
}

TEST_F(Reshape, WindowWithoutAreaKeepsTheLastProjectionAndResults) {
  setOrthoVolume(-10, 10, -10, 10, -500, 500);
  setFrustumVolume(-1, 1, -1, 1, 2, 50, 0, 0, -10);
  setPerspectiveWithRedisplay(60, 1, 1, 100, 0, 0, -5, -1);
  const std::function<void(int, int)> handlers[] = {reshapeOrtho, reshapeFrustum,
                                                    reshapePerspective};
  for (const auto& reshape : handlers) {
    reshapeOrtho(310, 250);
    reshapePerspective(200, 100);
    reshape(310, 250);
    const std::array<float, 16> projection = projectionMatrix();
    glTranslatef(1, 2, 3);
    const std::array<float, 16> modelview = modelviewMatrix();
    const float left = getLastLeft(), units = getUnitsPerPixel();
    const float fovy = getLastFovy(), aspect = getLastAspect();
    for (const auto& [width, height] : {std::pair{0, 250}, {310, 0}, {0, 0}, {-1, 250}}) {
      SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
      reshape(width, height);
      expectViewport(310, 250);
      EXPECT_EQ(projectionMatrix(), projection);
      for (float v : projectionMatrix()) EXPECT_TRUE(std::isfinite(v));
      EXPECT_EQ(modelviewMatrix(), modelview);
      EXPECT_EQ(getLastLeft(), left);
      EXPECT_EQ(getUnitsPerPixel(), units);
      EXPECT_EQ(getLastFovy(), fovy);
      EXPECT_EQ(getLastAspect(), aspect);
    }
  }
}

TEST_F(Reshape, VolumeWithoutExtentIsRejectedAndLeavesTheIdentity) {
  setOrthoVolume(0, 0, 0, 0, 0, 0);
  glMatrixMode(GL_PROJECTION);
  glTranslatef(1, 2, 3);
  glMatrixMode(GL_MODELVIEW);
  reshapeOrtho(310, 250);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_VALUE));
  EXPECT_EQ(projectionMatrix(), projectionOf([] {}));
  EXPECT_EQ(getUnitsPerPixel(), 0.0f);
}

}  // namespace
