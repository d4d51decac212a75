// Reflection model: the start figures, the light's steps and the keys.
#include "app/model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/windows.h"
#include "manipulator/keyboard.h"
#include "tests/support/gl_test.h"
#include "tests/support/module_state.h"

namespace {

// The keys redraw the diagram window: here a window that counts its frames.
class ModelTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    resetModuleState();
    diagramWindow = redrawCountingWindow();
  }
};

TEST_F(ModelTest, StartingLightGivesFortyFiveDegreesAndTheMirroredUnitVectors) {
  computeReflection(&lightPosition);
  EXPECT_EQ(reflectionAngle, 45.000038f);
  EXPECT_FLOAT_EQ(incidentDirection.x, -0.7071068f);
  EXPECT_FLOAT_EQ(incidentDirection.y, 0.7071068f);
  EXPECT_EQ(incidentDirection.z, 0.0f);
  EXPECT_FALSE(std::signbit(incidentDirection.z));
  EXPECT_FLOAT_EQ(reflectedDirection.x, 0.7071068f);
  EXPECT_FLOAT_EQ(reflectedDirection.y, 0.7071068f);
  EXPECT_EQ(reflectedDirection.z, 0.0f);
  EXPECT_TRUE(std::signbit(reflectedDirection.z)) << "the mirrored 0 is -0";
  EXPECT_EQ(incidentDirection.w, 0.0f);
  EXPECT_EQ(reflectedDirection.w, 0.0f);
  EXPECT_EQ(surfaceNormal.y, 1.0f);
}

TEST_F(ModelTest, LightStraightAboveGivesTheNormalAndZeroDegrees) {
  const Vector4 above{0, 4, 0, 1};
  computeReflection(&above);
  EXPECT_EQ(reflectionAngle, 0.0f);
  EXPECT_EQ(incidentDirection.y, 1.0f);
  EXPECT_EQ(reflectedDirection.y, 1.0f);
  EXPECT_TRUE(std::signbit(reflectedDirection.x));
  EXPECT_TRUE(std::signbit(reflectedDirection.z));
}

TEST_F(ModelTest, LightAtTheOriginGivesZeroDirectionsAndNinetyDegrees) {
  const Vector4 origin{0, 0, 0, 1};
  computeReflection(&origin);
  EXPECT_EQ(reflectionAngle, 90.000076f);
  EXPECT_EQ(incidentDirection.x, 0.0f);
  EXPECT_EQ(reflectedDirection.y, 0.0f);
}

TEST_F(ModelTest, LightBelowThePlateGivesMoreThanNinetyDegrees) {
  const Vector4 below{-3, -3, 0, 1};
  computeReflection(&below);
  EXPECT_NEAR(reflectionAngle, 135.0f, 0.001f);
}

TEST_F(ModelTest, KeysMoveTheLightInFloatStepsOfPointTwo) {
  const struct {
    unsigned char key;
    float dx, dy, dz;
  } keys[] = {{'1', -0.2f, 0, 0}, {'2', 0, -0.2f, 0}, {'3', 0, 0, -0.2f},
              {'4', 0.2f, 0, 0},  {'5', 0, 0.2f, 0},  {'6', 0, 0, 0.2f}};
  for (const auto& k : keys) {
    const unsigned char key = k.key;
    EXPECT_EQ(redrawFramesOf([key] {
                lightPosition = Vector4{-9, 9, 0, 1};
                handleApplicationKey(key, 100, 200);
              }),
              1)
        << "each of the keys 1 to 6 redraws the diagram";
    EXPECT_EQ(lightPosition.x, -9.0f + k.dx) << k.key;
    EXPECT_EQ(lightPosition.y, 9.0f + k.dy) << k.key;
    EXPECT_EQ(lightPosition.z, 0.0f + k.dz) << k.key;
    EXPECT_EQ(lightPosition.w, 1.0f);
  }
}

TEST_F(ModelTest, FortyFivePressesOfFourMissZeroByFloatRounding) {
  for (int i = 0; i < 45; ++i) handleApplicationKey('4', 0, 0);
  EXPECT_NE(lightPosition.x, 0.0f);
  EXPECT_NEAR(lightPosition.x, -4.08e-6f, 0.01e-6f);
}

TEST_F(ModelTest, OtherKeysChangeNothingAndRedrawNothing) {
  EXPECT_EQ(redrawFramesOf([] {
              for (int key = 0; key < 256; ++key) {
                if ((key >= '1' && key <= '6') || key == kKeyEscape) continue;
                handleApplicationKey(static_cast<unsigned char>(key), 0, 0);
              }
            }),
            0);
  EXPECT_EQ(lightPosition.x, -9.0f);
  EXPECT_EQ(lightPosition.y, 9.0f);
  EXPECT_EQ(lightPosition.z, 0.0f);
}

TEST_F(ModelTest, EscapeEndsTheProgramWithStatusZero) {
  // A forked child would share the parent's X connection; start afresh.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(handleApplicationKey(kKeyEscape, 0, 0), ::testing::ExitedWithCode(0), "");
}

TEST_F(ModelTest, LightStopsWhereAStepOfPointTwoNoLongerChangesTheFloat) {
  // The light has no bounds, but beyond 2^22 a float's neighbours lie 0.5
  // apart and a step of 0.2 outwards is lost: the light stays at 2^22, and
  // its angles stay what they are. Inwards it moves on, by a float's 0.25.
  lightPosition = Vector4{-4194304.0f, 4194304.0f, 0.0f, 1.0f};
  handleApplicationKey('1', 0, 0);
  handleApplicationKey('5', 0, 0);
  EXPECT_EQ(lightPosition.x, -4194304.0f);
  EXPECT_EQ(lightPosition.y, 4194304.0f);
  handleApplicationKey('4', 0, 0);
  EXPECT_EQ(lightPosition.x, -4194303.75f);
  handleApplicationKey('1', 0, 0);
  EXPECT_EQ(lightPosition.x, -4194304.0f);
  computeReflection(&lightPosition);
  EXPECT_NEAR(reflectionAngle, 45.0f, 1e-4f);
  EXPECT_NEAR(incidentDirection.x, -0.7071068f, 1e-6f);
  EXPECT_NEAR(reflectedDirection.y, 0.7071068f, 1e-6f);
}

}  // namespace
