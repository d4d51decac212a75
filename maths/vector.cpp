// Vector operations over Vector4. Pure functions, no state; some steps run in
// double precision and are rounded back to float as the types below show.
#include "maths/vector.h"

#include <cmath>

// pi as the single-precision 3.14159f, widened to double for angleBetween.
static const double kAnglePi = 3.14159f;

void vectorBetween(const Vector4* a, const Vector4* b, Vector4* out) {
  const float x = b->x - a->x;
  const float y = b->y - a->y;
  const float z = b->z - a->z;
  *out = Vector4{x, y, z, 0.0f};
}

float distanceBetween(const Vector4* a, const Vector4* b) {
  const double dx = a->x - b->x;
  const double dy = a->y - b->y;
  const double dz = a->z - b->z;
  const double sum = dx * dx + dy * dy + dz * dz;
  return static_cast<float>(std::pow(sum, 0.5));
}

void unitVectorBetween(const Vector4* a, const Vector4* b, Vector4* out) {
  const double d = distanceBetween(a, b);
  if (d == 0.0) {
    *out = Vector4{0.0f, 0.0f, 0.0f, 0.0f};
    return;
  }
  const float dx = b->x - a->x;
  const float dy = b->y - a->y;
  const float dz = b->z - a->z;
  *out = Vector4{static_cast<float>(dx / d), static_cast<float>(dy / d),
                 static_cast<float>(dz / d), 0.0f};
}

int normalize(Vector4* v) {
  const float s = v->x * v->x + v->y * v->y + v->z * v->z;
  const double len = static_cast<float>(std::pow(static_cast<double>(s), 0.5));
  if (len == 0.0) return 0;
  v->x = static_cast<float>(v->x / len);
  v->y = static_cast<float>(v->y / len);
  v->z = static_cast<float>(v->z / len);
  return 1;
}

double dot(const Vector4* a, const Vector4* b) {
  return static_cast<double>(a->y) * b->y + static_cast<double>(a->x) * b->x +
         static_cast<double>(a->z) * b->z;
}

void cross(const Vector4* a, const Vector4* b, Vector4* out) {
  out->x = a->y * b->z - a->z * b->y;
  out->y = a->z * b->x - a->x * b->z;
  out->z = a->x * b->y - a->y * b->x;
  out->w = 0.0f;
}

float angleBetween(const Vector4* a, const Vector4* b, Vector4* axis) {
  Vector4 unitA{a->x, a->y, a->z, 0.0f};
  Vector4 unitB{b->x, b->y, b->z, 0.0f};
  normalize(&unitA);
  normalize(&unitB);
  // Normalised floats can give a cosine a hair outside [-1, 1] for equal or
  // opposite directions; acos would then be NaN instead of 0 or 180.
  double c = dot(&unitA, &unitB);
  if (c > 1.0) c = 1.0;
  if (c < -1.0) c = -1.0;
  const float angle = static_cast<float>(std::acos(c) * 180.0 / kAnglePi);
  cross(&unitA, &unitB, axis);
  return angle;
}
