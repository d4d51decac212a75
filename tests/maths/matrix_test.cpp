// Matrices: the builders against OpenGL's own rotation, the exact figures of
// the axis rotations, products and vector transforms that may write over
// their inputs, and the printed listing.
#include "maths/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/gl_test.h"

namespace {

// A matrix full of a value no builder writes, to see that builders overwrite.
Matrix4 garbage() {
  Matrix4 m;
  for (float& e : m.m) e = 7.5f;
  return m;
}

void expectMatrix(const Matrix4& actual, const float (&expected)[16]) {
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(actual.m[i], expected[i]) << "row " << i / 4 << " column " << i % 4;
  }
}

void expectSameMatrix(const Matrix4& actual, const Matrix4& expected) {
  expectMatrix(actual, expected.m);
}

void expectVector(const Vector4& v, float x, float y, float z, float w) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
  EXPECT_EQ(v.w, w);
}

// Cosine of 90 degrees in the builders' precision: the float of cos(pi / 2).
const float kCos90 = static_cast<float>(std::cos(3.141592653589793 / 2.0));

TEST(MatrixBuilders, OverwriteEveryElement) {
  Matrix4 m = garbage();
  matrixIdentity(&m);
  expectMatrix(m, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  m = garbage();
  matrixScale(&m, 2, -3, 0.5f);
  expectMatrix(m, {2, 0, 0, 0, 0, -3, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1});
  m = garbage();
  matrixTranslation(&m, 1, 2, 3);
  expectMatrix(m, {1, 0, 0, 1, 0, 1, 0, 2, 0, 0, 1, 3, 0, 0, 0, 1});
  m = garbage();
  matrixRotationZ(&m, 90);
  expectMatrix(m, {kCos90, -1, 0, 0, 1, kCos90, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  m = garbage();
  matrixRotation(&m, 0, 0.3f, 0.4f, 0.5f);
  expectMatrix(m, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

TEST(MatrixRotationAxes, QuarterTurnsKeepTheFloatCosineOfHalfPi) {
  EXPECT_EQ(kCos90, 6.123234e-17f);
  Matrix4 m;
  Vector4 v{1, 0, 0, 0};
  matrixRotationZ(&m, 90);
  matrixTimesVector(&m, &v, &v);
  expectVector(v, kCos90, 1, 0, 0);

  v = Vector4{0, 1, 0, 0};
  matrixRotationX(&m, 90);
  matrixTimesVector(&m, &v, &v);
  expectVector(v, 0, kCos90, 1, 0);

  v = Vector4{0, 0, 1, 0};
  matrixRotationY(&m, 90);
  matrixTimesVector(&m, &v, &v);
  expectVector(v, 1, 0, kCos90, 0);
}

TEST(MatrixRotationAxes, GeneralRotationAboutAnAxisEqualsTheAxisRotation) {
  using Builder = void (*)(Matrix4*, float);
  const struct {
    Builder build;
    float ax, ay, az;
  } axes[] = {
      {matrixRotationX, 1, 0, 0}, {matrixRotationY, 0, 1, 0}, {matrixRotationZ, 0, 0, 1}};
  for (const auto& axis : axes) {
    for (const float angle : {-135.0f, -8.0f, 0.0f, 33.3f, 90.0f, 180.0f, 271.5f}) {
      SCOPED_TRACE(testing::Message()
                   << "axis " << axis.ax << axis.ay << axis.az << " angle " << angle);
      Matrix4 general;
      Matrix4 special;
      matrixRotation(&general, angle, axis.ax, axis.ay, axis.az);
      axis.build(&special, angle);
      expectSameMatrix(general, special);
    }
  }
}

TEST(MatrixRotation, ZeroAxisScalesByTheCosine) {
  Matrix4 m;
  matrixRotation(&m, 60, 0, 0, 0);
  const float c = static_cast<float>(std::cos((60.0 / 180.0) * 3.141592653589793));
  expectMatrix(m, {c, 0, 0, 0, 0, c, 0, 0, 0, 0, c, 0, 0, 0, 0, 1});
  matrixRotation(&m, 0, 0, 0, 0);
  expectMatrix(m, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

TEST(MatrixRotation, AxisLengthDoesNotMatter) {
  Matrix4 unit;
  Matrix4 longer;
  matrixRotation(&unit, 37, 0, 0, 1);
  matrixRotation(&longer, 37, 0, 0, 2);
  expectSameMatrix(longer, unit);
  matrixRotation(&unit, -52, 0, -1, 0);
  matrixRotation(&longer, -52, 0, -3, 0);
  expectSameMatrix(longer, unit);
}

class MatrixRotationGl : public GlTest {};

// OpenGL rounds its own sine and cosine in float, so the two agree to the
// last bit or two of a float, not bit for bit: within one unit in the last
// place of 1.
TEST_F(MatrixRotationGl, EqualsGlRotateTransposed) {
  const struct {
    float angle, x, y, z;
  } cases[] = {{30, 0, 0, 1},           {90, 1, 0, 0},     {-45, 0, 1, 0},
               {8, 0.48f, 0.6f, 0.64f}, {123.4f, 1, 2, 3}, {-200, -0.3f, 0.1f, 2},
               {45.000038f, 0, 0, -1}};
  for (const auto& r : cases) {
    SCOPED_TRACE(testing::Message() << "glRotatef(" << r.angle << ", " << r.x << ", " << r.y
                                    << ", " << r.z << ")");
    glLoadIdentity();
    glRotatef(r.angle, r.x, r.y, r.z);
    const std::array<float, 16> gl = modelviewMatrix();
    Matrix4 m;
    matrixRotation(&m, r.angle, r.x, r.y, r.z);
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 4; ++column) {
        EXPECT_NEAR(m.m[4 * row + column], gl[4 * column + row], 1.2e-7f)
            << "row " << row << " column " << column;
      }
    }
  }
}

TEST(MatrixTimesVector, TranslationMovesPointsNotDirections) {
  Matrix4 m;
  matrixTranslation(&m, 1, 2, 3);
  Vector4 point{0, 0, 0, 1};
  Vector4 direction{0, 0, 1, 0};
  matrixTimesVector(&m, &point, &point);
  matrixTimesVector(&m, &direction, &direction);
  expectVector(point, 1, 2, 3, 1);
  expectVector(direction, 0, 0, 1, 0);
}

TEST(MatrixTimesVector, OutputMayBeTheInputVector) {
  // Every row reads every component, so an in-place write would show.
  const Matrix4 m{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
  const Vector4 v{1, -1, 2, 0.5f};
  Vector4 separate;
  matrixTimesVector(&m, &v, &separate);
  expectVector(separate, 1 - 2 + 6 + 2, 5 - 6 + 14 + 4, 9 - 10 + 22 + 6, 13 - 14 + 30 + 8);
  Vector4 same = v;
  matrixTimesVector(&m, &same, &same);
  expectVector(same, separate.x, separate.y, separate.z, separate.w);
}

TEST(MatrixProduct, MultipliesWithTheLeftMatrixAppliedLast) {
  Matrix4 translate;
  Matrix4 scale;
  Matrix4 product;
  matrixTranslation(&translate, 1, 2, 3);
  matrixScale(&scale, 2, 4, 8);
  matrixProduct(&translate, &scale, &product);
  expectMatrix(product, {2, 0, 0, 1, 0, 4, 0, 2, 0, 0, 8, 3, 0, 0, 0, 1});
  matrixProduct(&scale, &translate, &product);
  expectMatrix(product, {2, 0, 0, 2, 0, 4, 0, 8, 0, 0, 8, 24, 0, 0, 0, 1});
}

TEST(MatrixProduct, OutputMayBeEitherInput) {
  const Matrix4 a{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
  const Matrix4 b{{2, 0, 1, 0, -1, 3, 0, 1, 0, 1, 4, -2, 1, 0, 0, 5}};
  Matrix4 expected;
  matrixProduct(&a, &b, &expected);
  // Row 0 of a times each column of b, worked by hand.
  EXPECT_EQ(expected.m[0], 4);
  EXPECT_EQ(expected.m[1], 9);
  EXPECT_EQ(expected.m[2], 13);
  EXPECT_EQ(expected.m[3], 16);

  Matrix4 left = a;
  matrixProduct(&left, &b, &left);
  expectSameMatrix(left, expected);
  Matrix4 right = b;
  matrixProduct(&a, &right, &right);
  expectSameMatrix(right, expected);
  Matrix4 square = a;
  Matrix4 squared;
  matrixProduct(&a, &a, &squared);
  matrixProduct(&square, &square, &square);
  expectSameMatrix(square, squared);
}

std::string printed(const Matrix4& m) {
  testing::internal::CaptureStdout();
  printMatrix(&m);
  return testing::internal::GetCapturedStdout();
}

TEST(PrintMatrix, ListsFourRowsOfTenCharacterFieldsAndAnEmptyLine) {
  Matrix4 m;
  matrixIdentity(&m);
  EXPECT_EQ(printed(m),
            "  1.000000  0.000000  0.000000  0.000000\n"
            "  0.000000  1.000000  0.000000  0.000000\n"
            "  0.000000  0.000000  1.000000  0.000000\n"
            "  0.000000  0.000000  0.000000  1.000000\n"
            "\n");
  // Negative, wide and unrepresentable values: the field only sets a minimum
  // width, and a float prints with its own double value.
  const Matrix4 wide{{-0.5f, 0.1f, 12345.678f, -1234567.0f, 1e-7f, 2.0f / 3.0f, -0.0f, 100, 0,
                      0, 0, 0, 0, 0, 0, 1}};
  EXPECT_EQ(printed(wide),
            " -0.500000  0.100000"
            "12345.677734-1234567.000000\n"
            "  0.000000  0.666667 -0.000000100.000000\n"
            "  0.000000  0.000000  0.000000  0.000000\n"
            "  0.000000  0.000000  0.000000  1.000000\n"
            "\n");
}

}  // namespace
