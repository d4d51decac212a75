// Vector operations: differences, distances, unit vectors, dot and cross
// products, and the angle between two directions with the axis that turns
// one onto the other. Every function reads x, y, z only and writes w = 0
// into the vectors it produces (normalize leaves w alone).
#pragma once

// Four single-precision floats: points carry w = 1, directions w = 0.
struct Vector4 {
  float x, y, z, w;
};

// Direction from point a to point b: out = b - a, out.w = 0.
void vectorBetween(const Vector4* a, const Vector4* b, Vector4* out);

// Unit direction from point a to point b, out.w = 0. Coinciding points give
// the zero direction (0, 0, 0, 0).
void unitVectorBetween(const Vector4* a, const Vector4* b, Vector4* out);

// Distance between points a and b (differences in float, the root in double).
float distanceBetween(const Vector4* a, const Vector4* b);

// Scale x, y, z of v in place to unit length; w is untouched. Returns 1, or 0
// without changing v when v has zero length.
int normalize(Vector4* v);

// Dot product of x, y, z, computed and returned in double precision.
double dot(const Vector4* a, const Vector4* b);

// Cross product a x b, out.w = 0. out must not be a or b.
void cross(const Vector4* a, const Vector4* b, Vector4* out);

// Angle in degrees between directions a and b; axis receives the cross
// product of their normalised copies (its length is the sine of the angle),
// about which a turns onto b. Zero vectors give 90 degrees and a zero axis.
float angleBetween(const Vector4* a, const Vector4* b, Vector4* axis);
