#include "boundary/math/Matrix3D.h"

#include <cmath>

Matrix3D::Matrix3D()
    : Matrix3D(1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0) {}

Matrix3D::Matrix3D(double m00, double m01, double m02, double m03, double m10, double m11,
                   double m12, double m13, double m20, double m21, double m22, double m23,
                   double m30, double m31, double m32, double m33)
    : m{{m00, m01, m02, m03}, {m10, m11, m12, m13}, {m20, m21, m22, m23}, {m30, m31, m32, m33}} {}

Matrix3D Matrix3D::shift(const Vector3D& v) {
  Matrix3D r;
  r.m[0][3] = v.x;
  r.m[1][3] = v.y;
  r.m[2][3] = v.z;
  return r;
}

Matrix3D Matrix3D::rot(const Vector3D& axis, double angle) {
  Vector3D u = axis.normalised();
  if (u.x == 0.0 && u.y == 0.0 && u.z == 0.0) {
    if (angle == 0.0)
      return Matrix3D();
    u = Vector3D(1.0, 0.0, 0.0);
  }
  // Rodrigues: R = cI + s[u]x + (1 - c) u uᵀ.
  double c = std::cos(angle);
  double s = std::sin(angle);
  double t = 1.0 - c;
  return Matrix3D(t * u.x * u.x + c, t * u.x * u.y - s * u.z, t * u.x * u.z + s * u.y, 0.0,
                  t * u.x * u.y + s * u.z, t * u.y * u.y + c, t * u.y * u.z - s * u.x, 0.0,
                  t * u.x * u.z - s * u.y, t * u.y * u.z + s * u.x, t * u.z * u.z + c, 0.0, 0.0,
                  0.0, 0.0, 1.0);
}

Matrix3D Matrix3D::hmtr(const Vector3D& xAxis, const Vector3D& zAxis, const Vector3D& origin) {
  Vector3D z = zAxis.normalised();
  if (z == Vector3D())
    z = Vector3D(0.0, 0.0, 1.0);
  // Gram-Schmidt: the part of x along z is dropped so the frame is a true rotation.
  Vector3D x = (xAxis - z * xAxis.dot(z)).normalised();
  if (x == Vector3D()) {
    // Any direction perpendicular to z: cross z with the world axis it is least aligned with.
    Vector3D helper = std::fabs(z.x) < 0.9 ? Vector3D(1.0, 0.0, 0.0) : Vector3D(0.0, 1.0, 0.0);
    x = (helper * z).normalised();
  }
  Vector3D y = z * x;
  return Matrix3D(x.x, y.x, z.x, origin.x, x.y, y.y, z.y, origin.y, x.z, y.z, z.z, origin.z, 0.0,
                  0.0, 0.0, 1.0);
}

Matrix3D Matrix3D::operator*(const Matrix3D& o) const {
  Matrix3D r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k)
        sum += m[i][k] * o.m[k][j];
      r.m[i][j] = sum;
    }
  }
  return r;
}

Vector3D Matrix3D::operator*(const Vector3D& p) const {
  double w = m[3][0] * p.x + m[3][1] * p.y + m[3][2] * p.z + m[3][3];
  Vector3D r(m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3],
             m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3],
             m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3]);
  // Affine matrices have w = 1; a projective one is divided through, unless w vanishes.
  if (w != 1.0 && w != 0.0)
    r = r * (1.0 / w);
  return r;
}

Vector3D Matrix3D::rotateVector(const Vector3D& v) const {
  return Vector3D(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
                  m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                  m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

Matrix3D Matrix3D::get_rotate() const {
  return Matrix3D(m[0][0], m[0][1], m[0][2], 0.0, m[1][0], m[1][1], m[1][2], 0.0, m[2][0], m[2][1],
                  m[2][2], 0.0, 0.0, 0.0, 0.0, 1.0);
}

Vector3D Matrix3D::get_shift() const {
  return Vector3D(m[0][3], m[1][3], m[2][3]);
}

Matrix3D Matrix3D::transposed() const {
  Matrix3D r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = m[j][i];
  }
  return r;
}

bool Matrix3D::operator==(const Matrix3D& o) const {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      if (m[i][j] != o.m[i][j])
        return false;
    }
  }
  return true;
}
