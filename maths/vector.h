/// @file
/// Vector operations: differences, distances, unit vectors, dot and cross
/// products, and the angle between two directions with the axis that turns
/// one onto the other. Every function reads x, y, z only and writes w = 0
/// into the vectors it produces (normalize leaves w alone).
#pragma once

/// Four single-precision floats: points carry w = 1, directions w = 0.
struct Vector4 {
  /// The coordinates, in the units of the scene.
  ///@{
  float x, y, z, w;
  ///@}
};

/// Direction from point a to point b: out = b - a, out.w = 0.
/// @param a, b  the points
/// @param out   receives the direction
void vectorBetween(const Vector4* a, const Vector4* b, Vector4* out);

/// Unit direction from point a to point b, out.w = 0. Coinciding points give
/// the zero direction (0, 0, 0, 0).
/// @param a, b  the points
/// @param out   receives the unit direction
void unitVectorBetween(const Vector4* a, const Vector4* b, Vector4* out);

/// Distance between points a and b (differences in float, the root in double).
/// @param a, b  the points
/// @return the distance, in the units of the points
float distanceBetween(const Vector4* a, const Vector4* b);

/// Scale x, y, z of v in place to unit length; w is untouched.
/// @param v  the vector to scale
/// @return 1, or 0 without changing v when v has zero length
int normalize(Vector4* v);

/// Dot product of x, y, z, computed and returned in double precision.
/// @param a, b  the vectors
/// @return a.x b.x + a.y b.y + a.z b.z
double dot(const Vector4* a, const Vector4* b);

/// Cross product a x b, out.w = 0. out must not be a or b.
/// @param a, b  the vectors, a on the left
/// @param out   receives a x b
void cross(const Vector4* a, const Vector4* b, Vector4* out);

/// Angle in degrees between directions a and b; axis receives the cross
/// product of their normalised copies (its length is the sine of the angle),
/// about which a turns onto b. Zero vectors give 90 degrees and a zero axis.
/// @param a, b  the directions (their lengths do not matter)
/// @param axis  receives the axis that turns a onto b
/// @return the angle, in degrees from 0 to 180
float angleBetween(const Vector4* a, const Vector4* b, Vector4* axis);
