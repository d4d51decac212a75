// The diagram window's fixed OpenGL state, read back from a real context.
#include "app/windows.h"

#include <gtest/gtest.h>

#include "tests/support/gl_test.h"

namespace {

using WindowsTest = GlTest;

std::array<float, 4> light(GLenum light, GLenum name) {
  std::array<float, 4> v{};
  glGetLightfv(light, name, v.data());
  return v;
}

TEST_F(WindowsTest, GraphicsStateHasTwoEyeFixedLightsBlendingAndTwoSidedLighting) {
  // initGraphicsState runs right after window creation, under the identity
  // (as here), so the lights' positions are their eye-space ones. What it
  // sets is first set otherwise, so that GL's defaults cannot pass for it.
  const GLfloat grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, grey);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, grey);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, grey);
  glDepthFunc(GL_GREATER);
  initGraphicsState();
  EXPECT_EQ(light(GL_LIGHT0, GL_AMBIENT), (std::array<float, 4>{0, 0, 0, 1}));
  EXPECT_EQ(light(GL_LIGHT0, GL_DIFFUSE), (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_EQ(light(GL_LIGHT0, GL_SPECULAR), (std::array<float, 4>{0, 0, 0, 1}));
  EXPECT_EQ(light(GL_LIGHT1, GL_DIFFUSE), (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_EQ(light(GL_LIGHT1, GL_AMBIENT), (std::array<float, 4>{0, 0, 0, 1}));
  EXPECT_EQ(light(GL_LIGHT1, GL_SPECULAR), (std::array<float, 4>{0, 0, 0, 1}));
  EXPECT_EQ(light(GL_LIGHT0, GL_POSITION), (std::array<float, 4>{1, 0, 1, 0}));
  EXPECT_EQ(light(GL_LIGHT1, GL_POSITION), (std::array<float, 4>{-1, 0, 1, 0}));
  EXPECT_TRUE(isEnabled(GL_LIGHT0));
  EXPECT_TRUE(isEnabled(GL_LIGHT1));
  EXPECT_TRUE(isEnabled(GL_AUTO_NORMAL));
  EXPECT_TRUE(isEnabled(GL_NORMALIZE));
  EXPECT_EQ(getInteger(GL_DEPTH_FUNC), GL_LESS);
  EXPECT_TRUE(isEnabled(GL_ALPHA_TEST));
  EXPECT_EQ(getInteger(GL_ALPHA_TEST_FUNC), GL_ALWAYS);
  EXPECT_TRUE(isEnabled(GL_BLEND));
  EXPECT_EQ(getInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(getInteger(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(getInteger(GL_LIGHT_MODEL_TWO_SIDE), GL_TRUE);
  EXPECT_FALSE(isEnabled(GL_LIGHTING));
  EXPECT_FALSE(isEnabled(GL_DEPTH_TEST));
}

}  // namespace
