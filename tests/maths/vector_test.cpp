// Vector operations: the exact float and double figures the diagram relies on.
#include "maths/vector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectVector(const Vector4& v, float x, float y, float z, float w) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, z);
  EXPECT_EQ(v.w, w);
}

TEST(Normalize, ScalesToUnitLengthAndKeepsW) {
  Vector4 v{3, 0, 4, 1};
  EXPECT_EQ(normalize(&v), 1);
  expectVector(v, 0.6f, 0.0f, 0.8f, 1.0f);
}

TEST(Normalize, ZeroVectorIsLeftUntouchedAndReported) {
  Vector4 v{0, 0, 0, 7};
  EXPECT_EQ(normalize(&v), 0);
  EXPECT_EQ(v.x, 0.0f);
  EXPECT_EQ(v.w, 7.0f);
}

TEST(Normalize, NanComponentIsDividedAndCountsAsDone) {
  Vector4 v{NAN, 1, 0, 0};
  EXPECT_EQ(normalize(&v), 1);
  EXPECT_TRUE(std::isnan(v.y));
}

TEST(PointsBetween, DifferenceDistanceAndUnitDirection) {
  const Vector4 a{1, 2, 3, 1};
  const Vector4 b{4, 6, 8, 1};
  Vector4 out{9, 9, 9, 9};
  vectorBetween(&a, &b, &out);
  expectVector(out, 3, 4, 5, 0);
  EXPECT_EQ(distanceBetween(&a, &b), static_cast<float>(std::sqrt(50.0)));
  EXPECT_FLOAT_EQ(distanceBetween(&a, &b), 7.0710678f);

  const Vector4 origin{0, 0, 0, 1};
  const Vector4 p{0, 3, 4, 1};
  unitVectorBetween(&origin, &p, &out);
  expectVector(out, 0, 0.6f, 0.8f, 0);
}

TEST(PointsBetween, OutputMayAliasAnInput) {
  Vector4 a{1, 2, 3, 1};
  const Vector4 b{4, 6, 8, 1};
  vectorBetween(&a, &b, &a);
  expectVector(a, 3, 4, 5, 0);
  Vector4 c{0, 0, 0, 1};
  const Vector4 d{0, 3, 4, 1};
  unitVectorBetween(&d, &c, &c);
  expectVector(c, 0, -0.6f, -0.8f, 0);
}

TEST(PointsBetween, CoincidingPointsGiveTheZeroDirectionNotNan) {
  const Vector4 a{1, 2, 3, 1};
  Vector4 out{9, 9, 9, 9};
  unitVectorBetween(&a, &a, &out);
  EXPECT_EQ(out.x, 0.0f);
  EXPECT_EQ(out.y, 0.0f);
  EXPECT_EQ(out.z, 0.0f);
  EXPECT_EQ(out.w, 0.0f);
}

TEST(Dot, IsTheDoubleProductOfTheFloats) {
  const Vector4 a{0.1f, 0, 0, 0};
  EXPECT_EQ(dot(&a, &a), 0.010000000298023226);
  EXPECT_NE(dot(&a, &a), static_cast<double>(0.01f));
}

TEST(Cross, FollowsTheRightHandRule) {
  const Vector4 x{1, 0, 0, 5};
  const Vector4 y{0, 1, 0, 5};
  Vector4 out;
  cross(&x, &y, &out);
  expectVector(out, 0, 0, 1, 0);
  cross(&y, &x, &out);
  expectVector(out, 0, 0, -1, 0);
}

TEST(AngleBetween, UsesTheFloatPiAndGivesTheUnnormalisedAxis) {
  const Vector4 up{0, 1, 0, 0};
  const Vector4 diagonal{1, 1, 0, 0};
  Vector4 axis;
  EXPECT_EQ(angleBetween(&up, &diagonal, &axis), 45.000038f);
  EXPECT_EQ(axis.x, 0.0f);
  EXPECT_EQ(axis.y, 0.0f);
  EXPECT_FLOAT_EQ(axis.z, -0.70710677f);
  EXPECT_EQ(axis.w, 0.0f);
}

TEST(AngleBetween, OppositeEqualAndZeroDirections) {
  const Vector4 up{0, 1, 0, 0};
  const Vector4 down{0, -1, 0, 0};
  const Vector4 longUp{0, 2, 0, 0};
  const Vector4 zero{0, 0, 0, 0};
  Vector4 axis;
  EXPECT_EQ(angleBetween(&up, &down, &axis), 180.00015258789062f);
  EXPECT_EQ(std::fabs(axis.x) + std::fabs(axis.y) + std::fabs(axis.z), 0.0f);
  EXPECT_EQ(angleBetween(&up, &longUp, &axis), 0.0f);
  EXPECT_EQ(angleBetween(&zero, &up, &axis), 90.00007629394531f);
  EXPECT_EQ(angleBetween(&up, &zero, &axis), 90.00007629394531f);
  EXPECT_EQ(std::fabs(axis.x) + std::fabs(axis.y) + std::fabs(axis.z), 0.0f);
}

TEST(AngleBetween, CosineJustAboveOneGivesZeroNotNan) {
  // Normalised, (0.6, 0.8, 0) has a double cosine with itself of about
  // 1.0000000477: acos of that would be NaN.
  const Vector4 a{0.6f, 0.8f, 0, 0};
  Vector4 unit = a;
  normalize(&unit);
  ASSERT_GT(dot(&unit, &unit), 1.0);
  Vector4 axis;
  EXPECT_EQ(angleBetween(&a, &a, &axis), 0.0f);
  const Vector4 opposite{-0.6f, -0.8f, 0, 0};
  EXPECT_EQ(angleBetween(&a, &opposite, &axis), 180.00015258789062f);
}

TEST(AngleBetween, LeavesTheCallersVectorsAlone) {
  const Vector4 a{0, 3, 0, 1};
  const Vector4 b{2, 0, 0, 1};
  Vector4 axis;
  angleBetween(&a, &b, &axis);
  EXPECT_EQ(a.y, 3.0f);
  EXPECT_EQ(b.x, 2.0f);
}

}  // namespace
