// Matrices on the processor: builders, products and a printed listing. Builds
// on the vector operations (the rotation normalises its axis with normalize).
// Angles turn into radians with the full double pi; sine and cosine are taken
// in double and rounded to float, everything after that runs in float.
#include "maths/matrix.h"

#include <cmath>
#include <cstdio>

// pi in full double precision, for degree to radian conversion.
static const double kPi = 3.141592653589793;

// Sine and cosine of `angle` degrees, each rounded to float.
static void sineCosine(float angle, float* s, float* c) {
  const double rad = (static_cast<double>(angle) / 180.0) * kPi;
  *s = static_cast<float>(std::sin(rad));
  *c = static_cast<float>(std::cos(rad));
}

// Element (row, column) of m, for reading and writing.
static float& at(Matrix4* m, int row, int column) { return m->m[4 * row + column]; }
static float at(const Matrix4* m, int row, int column) { return m->m[4 * row + column]; }

void matrixIdentity(Matrix4* m) {
  for (int i = 0; i < 16; ++i) m->m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void matrixRotation(Matrix4* m, float angle, float ax, float ay, float az) {
  matrixIdentity(m);
  Vector4 axis{ax, ay, az, 0.0f};
  normalize(&axis);  // a zero axis stays zero
  const float x = axis.x;
  const float y = axis.y;
  const float z = axis.z;
  float s = 0.0f;
  float c = 0.0f;
  sineCosine(angle, &s, &c);
  const float t = 1.0f - c;

  at(m, 0, 0) = (1.0f - x * x) * c + x * x;
  at(m, 0, 1) = x * y * t - z * s;
  at(m, 0, 2) = x * z * t + y * s;

  at(m, 1, 0) = x * y * t + z * s;
  at(m, 1, 1) = (1.0f - y * y) * c + y * y;
  at(m, 1, 2) = y * z * t - x * s;

  at(m, 2, 0) = x * z * t - y * s;
  at(m, 2, 1) = y * z * t + x * s;
  at(m, 2, 2) = (1.0f - z * z) * c + z * z;
}

void matrixRotationX(Matrix4* m, float angle) {
  matrixIdentity(m);
  float s = 0.0f;
  float c = 0.0f;
  sineCosine(angle, &s, &c);
  at(m, 1, 1) = c;
  at(m, 1, 2) = -s;
  at(m, 2, 1) = s;
  at(m, 2, 2) = c;
}

void matrixRotationY(Matrix4* m, float angle) {
  matrixIdentity(m);
  float s = 0.0f;
  float c = 0.0f;
  sineCosine(angle, &s, &c);
  at(m, 0, 0) = c;
  at(m, 0, 2) = s;
  at(m, 2, 0) = -s;
  at(m, 2, 2) = c;
}

void matrixRotationZ(Matrix4* m, float angle) {
  matrixIdentity(m);
  float s = 0.0f;
  float c = 0.0f;
  sineCosine(angle, &s, &c);
  at(m, 0, 0) = c;
  at(m, 0, 1) = -s;
  at(m, 1, 0) = s;
  at(m, 1, 1) = c;
}

void matrixScale(Matrix4* m, float sx, float sy, float sz) {
  matrixIdentity(m);
  at(m, 0, 0) = sx;
  at(m, 1, 1) = sy;
  at(m, 2, 2) = sz;
}

void matrixTranslation(Matrix4* m, float tx, float ty, float tz) {
  matrixIdentity(m);
  at(m, 0, 3) = tx;
  at(m, 1, 3) = ty;
  at(m, 2, 3) = tz;
}

void matrixTimesVector(const Matrix4* m, const Vector4* v, Vector4* out) {
  const float in[4] = {v->x, v->y, v->z, v->w};
  float result[4];
  for (int row = 0; row < 4; ++row) {
    float sum = 0.0f;
    for (int k = 0; k < 4; ++k) sum += at(m, row, k) * in[k];
    result[row] = sum;
  }
  *out = Vector4{result[0], result[1], result[2], result[3]};
}

void matrixProduct(const Matrix4* a, const Matrix4* b, Matrix4* out) {
  Matrix4 result;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += at(a, row, k) * at(b, k, column);
      at(&result, row, column) = sum;
    }
  }
  *out = result;
}

void printMatrix(const Matrix4* m) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      std::printf("%10f", static_cast<double>(at(m, row, column)));
    }
    std::printf("\n");
  }
  std::printf("\n");
}
