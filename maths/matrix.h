// 4x4 matrices that transform Vector4 values on the processor, apart from
// OpenGL's own matrix stack: identity, rotations, scaling, translation,
// products, matrix times vector, and a printed listing.
//
// A Matrix4 is row-major: element (row r, column c) sits at m[4 * r + c], and
// vectors are columns multiplied on the right, so a translation occupies the
// last column. That is the transpose of OpenGL's memory order.
//
// Angles are in degrees. Every builder overwrites the whole matrix.
#pragma once

#include "maths/vector.h"

// Sixteen single-precision floats, row-major (m[4 * row + column]).
struct Matrix4 {
  float m[16];
};

// Set m to the identity.
void matrixIdentity(Matrix4* m);

// Rotation by `angle` degrees about the axis (ax, ay, az), right-hand rule;
// the axis need not be unit length. A zero axis gives diag(c, c, c, 1).
void matrixRotation(Matrix4* m, float angle, float ax, float ay, float az);

// Rotation by `angle` degrees about the x axis.
void matrixRotationX(Matrix4* m, float angle);

// Rotation by `angle` degrees about the y axis.
void matrixRotationY(Matrix4* m, float angle);

// Rotation by `angle` degrees about the z axis.
void matrixRotationZ(Matrix4* m, float angle);

// Scaling: the diagonal (sx, sy, sz, 1).
void matrixScale(Matrix4* m, float sx, float sy, float sz);

// Translation by (tx, ty, tz): the identity with the offset in the last column.
void matrixTranslation(Matrix4* m, float tx, float ty, float tz);

// out = m * v, all four components (a direction with w = 0 is not translated).
// out may be v.
void matrixTimesVector(const Matrix4* m, const Vector4* v, Vector4* out);

// out = a * b, a on the left. out may be a or b.
void matrixProduct(const Matrix4* a, const Matrix4* b, Matrix4* out);

// Print m to standard output: four rows of four "%10f" fields, then an empty
// line.
void printMatrix(const Matrix4* m);
