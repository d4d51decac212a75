/// @file
/// 4x4 matrices that transform Vector4 values on the processor, apart from
/// OpenGL's own matrix stack: identity, rotations, scaling, translation,
/// products, matrix times vector, and a printed listing.
///
/// A Matrix4 is row-major: element (row r, column c) sits at m[4 * r + c], and
/// vectors are columns multiplied on the right, so a translation occupies the
/// last column. That is the transpose of OpenGL's memory order.
///
/// Angles are in degrees. Every builder overwrites the whole matrix.
#pragma once

#include "maths/vector.h"

/// Sixteen single-precision floats, row-major (m[4 * row + column]).
struct Matrix4 {
  float m[16];  ///< the elements, row after row
};

/// Set m to the identity.
/// @param m  the matrix to overwrite
void matrixIdentity(Matrix4* m);

/// Rotation by `angle` degrees about the axis (ax, ay, az), right-hand rule;
/// the axis need not be unit length. A zero axis gives diag(c, c, c, 1).
/// @param m           the matrix to overwrite
/// @param angle       the angle, in degrees
/// @param ax, ay, az  the axis
void matrixRotation(Matrix4* m, float angle, float ax, float ay, float az);

/// Rotation by `angle` degrees about the x axis.
/// @param m      the matrix to overwrite
/// @param angle  the angle, in degrees
void matrixRotationX(Matrix4* m, float angle);

/// Rotation by `angle` degrees about the y axis.
/// @param m      the matrix to overwrite
/// @param angle  the angle, in degrees
void matrixRotationY(Matrix4* m, float angle);

/// Rotation by `angle` degrees about the z axis.
/// @param m      the matrix to overwrite
/// @param angle  the angle, in degrees
void matrixRotationZ(Matrix4* m, float angle);

/// Scaling: the diagonal (sx, sy, sz, 1).
/// @param m           the matrix to overwrite
/// @param sx, sy, sz  the factors along x, y and z
void matrixScale(Matrix4* m, float sx, float sy, float sz);

/// Translation by (tx, ty, tz): the identity with the offset in the last column.
/// @param m           the matrix to overwrite
/// @param tx, ty, tz  the offset
void matrixTranslation(Matrix4* m, float tx, float ty, float tz);

/// out = m * v, all four components (a direction with w = 0 is not translated).
/// out may be v.
/// @param m    the matrix
/// @param v    the vector, a column
/// @param out  receives m * v
void matrixTimesVector(const Matrix4* m, const Vector4* v, Vector4* out);

/// out = a * b, a on the left. out may be a or b.
/// @param a, b  the matrices
/// @param out   receives a * b
void matrixProduct(const Matrix4* a, const Matrix4* b, Matrix4* out);

/// Print m to standard output: four rows of four "%10f" fields, then an empty
/// line.
/// @param m  the matrix to print
void printMatrix(const Matrix4* m);
