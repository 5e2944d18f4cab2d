#pragma once

#include "boundary/math/Vector3D.h"

// A 4×4 transform acting on column vectors: p' = M × p, translation in the last column.
//
// `m` is the first member, so the object's first 16 doubles are the elements row by row;
// callers that hand a matrix to a host with row vectors read it that way and transpose.
// shift, rot and hmtr are factories returning a new matrix: M = Matrix3D::shift(v).
class Matrix3D {
 public:
  double m[4][4];

  // The identity.
  Matrix3D();
  // Sixteen elements, row by row: m00, m01, m02, m03, m10, ...
  Matrix3D(double m00, double m01, double m02, double m03, double m10, double m11, double m12,
           double m13, double m20, double m21, double m22, double m23, double m30, double m31,
           double m32, double m33);

  double& operator()(int row, int col) { return m[row][col]; }
  double operator()(int row, int col) const { return m[row][col]; }

  // Translation by v.
  static Matrix3D shift(const Vector3D& v);
  // Right-handed rotation by `angle` radians about `axis`, which may have any nonzero length.
  // A zero (or non-finite) axis gives the identity for angle 0 and otherwise a rotation about
  // +x, a direction perpendicular to z: so turning (0, 0, 1) by π about the zero axis that
  // (0, 0, 1) × (0, 0, -1) yields still lands on (0, 0, -1).
  static Matrix3D rot(const Vector3D& axis, double angle);
  // The right-handed frame whose x and z axes point along `xAxis` and `zAxis`, with its origin
  // at `origin`: columns x, y = z × x, z and origin. Both axes are normalised and x is made
  // perpendicular to z; when x is zero or parallel to z, a perpendicular x is chosen.
  static Matrix3D hmtr(const Vector3D& xAxis, const Vector3D& zAxis, const Vector3D& origin);

  Matrix3D operator*(const Matrix3D& o) const;
  // The vector taken as a point (w = 1): rotation and translation apply.
  Vector3D operator*(const Vector3D& p) const;
  // The vector taken as a direction: only the upper-left 3×3 applies.
  Vector3D rotateVector(const Vector3D& v) const;

  // The upper-left 3×3 with no translation (last row and column of the identity).
  Matrix3D get_rotate() const;
  // The translation column.
  Vector3D get_shift() const;
  Matrix3D transposed() const;

  bool operator==(const Matrix3D& o) const;
  bool operator!=(const Matrix3D& o) const { return !(*this == o); }
};
