#include "engine/RigMath.h"

#include <cmath>

#include <maya/MEulerRotation.h>

namespace minihost {

MVector rowOf(const MMatrix& m, int row) {
  return MVector(m.matrix[row][0], m.matrix[row][1], m.matrix[row][2]);
}

MMatrix rotationPart(const MMatrix& m) {
  MMatrix r;
  for (int i = 0; i < 3; ++i) {
    MVector row = rowOf(m, i);
    double len = row.length();
    if (len > 0.0)
      row = row * (1.0 / len);
    r.matrix[i][0] = row.x;
    r.matrix[i][1] = row.y;
    r.matrix[i][2] = row.z;
  }
  return r;
}

Quat quatFromMatrix(const MMatrix& source) {
  // Rows are the images of the axes (row vectors); the column-vector matrix is its transpose.
  MMatrix r = rotationPart(source);
  auto m = [&](int row, int col) { return r.matrix[col][row]; };
  Quat q;
  double trace = m(0, 0) + m(1, 1) + m(2, 2);
  if (trace > 0.0) {
    double s = std::sqrt(trace + 1.0) * 2.0;
    q.w = 0.25 * s;
    q.x = (m(2, 1) - m(1, 2)) / s;
    q.y = (m(0, 2) - m(2, 0)) / s;
    q.z = (m(1, 0) - m(0, 1)) / s;
  } else if (m(0, 0) > m(1, 1) && m(0, 0) > m(2, 2)) {
    double s = std::sqrt(1.0 + m(0, 0) - m(1, 1) - m(2, 2)) * 2.0;
    q.w = (m(2, 1) - m(1, 2)) / s;
    q.x = 0.25 * s;
    q.y = (m(0, 1) + m(1, 0)) / s;
    q.z = (m(0, 2) + m(2, 0)) / s;
  } else if (m(1, 1) > m(2, 2)) {
    double s = std::sqrt(1.0 + m(1, 1) - m(0, 0) - m(2, 2)) * 2.0;
    q.w = (m(0, 2) - m(2, 0)) / s;
    q.x = (m(0, 1) + m(1, 0)) / s;
    q.y = 0.25 * s;
    q.z = (m(1, 2) + m(2, 1)) / s;
  } else {
    double s = std::sqrt(1.0 + m(2, 2) - m(0, 0) - m(1, 1)) * 2.0;
    q.w = (m(1, 0) - m(0, 1)) / s;
    q.x = (m(0, 2) + m(2, 0)) / s;
    q.y = (m(1, 2) + m(2, 1)) / s;
    q.z = 0.25 * s;
  }
  double n = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
  if (n > 0.0) {
    q.x /= n;
    q.y /= n;
    q.z /= n;
    q.w /= n;
  }
  return q;
}

MMatrix matrixFromQuat(const Quat& q) {
  double x = q.x, y = q.y, z = q.z, w = q.w;
  // Column-vector rotation, stored transposed for row vectors.
  double c[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                    {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                    {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
  MMatrix m;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      m.matrix[i][j] = c[j][i];
  return m;
}

Quat slerp(const Quat& a, const Quat& bIn, double t) {
  Quat b = bIn;
  double d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  if (d < 0.0) {
    d = -d;
    b = Quat{-b.x, -b.y, -b.z, -b.w};
  }
  double wa = 1.0 - t, wb = t;
  if (d < 0.9999999) {
    double angle = std::acos(d < 1.0 ? d : 1.0);
    double s = std::sin(angle);
    wa = std::sin((1.0 - t) * angle) / s;
    wb = std::sin(t * angle) / s;
  }
  Quat q{wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w};
  double n = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
  return n > 0.0 ? Quat{q.x / n, q.y / n, q.z / n, q.w / n} : a;
}

Quat quatAxisAngle(const MVector& axis, double angle) {
  MVector a = axis.normal();
  double s = std::sin(angle / 2.0);
  return Quat{a.x * s, a.y * s, a.z * s, std::cos(angle / 2.0)};
}

Quat arcBetween(const MVector& from, const MVector& to) {
  double d = from * to;
  if (d > 1.0 - 1e-12)
    return Quat{};
  if (d < -1.0 + 1e-12) {
    // Half a turn about any axis perpendicular to `from`.
    MVector axis = from ^ MVector(1.0, 0.0, 0.0);
    if (axis.length() < 1e-6)
      axis = from ^ MVector(0.0, 1.0, 0.0);
    return quatAxisAngle(axis, M_PI);
  }
  return quatAxisAngle(from ^ to, std::acos(d));
}

MMatrix eulerMatrix(double x, double y, double z, int rotateOrder) {
  if (rotateOrder < 0 || rotateOrder > 5)
    rotateOrder = 0;
  return MEulerRotation(x, y, z, static_cast<MEulerRotation::RotationOrder>(rotateOrder))
      .asMatrix();
}

MVector eulerAngles(const MMatrix& rotation, int rotateOrder) {
  if (rotateOrder < 0 || rotateOrder > 5)
    rotateOrder = 0;
  MEulerRotation e =
      MEulerRotation::decompose(rotation, static_cast<MEulerRotation::RotationOrder>(rotateOrder));
  return MVector(e.x, e.y, e.z);
}

MMatrix translationMatrix(const MVector& t) {
  MMatrix m;
  m.matrix[3][0] = t.x;
  m.matrix[3][1] = t.y;
  m.matrix[3][2] = t.z;
  return m;
}

MVector pointTimes(const MVector& p, const MMatrix& m) {
  return MVector(
      p.x * m.matrix[0][0] + p.y * m.matrix[1][0] + p.z * m.matrix[2][0] + m.matrix[3][0],
      p.x * m.matrix[0][1] + p.y * m.matrix[1][1] + p.z * m.matrix[2][1] + m.matrix[3][1],
      p.x * m.matrix[0][2] + p.y * m.matrix[1][2] + p.z * m.matrix[2][2] + m.matrix[3][2]);
}

MVector directionTimes(const MVector& d, const MMatrix& m) {
  return MVector(d.x * m.matrix[0][0] + d.y * m.matrix[1][0] + d.z * m.matrix[2][0],
                 d.x * m.matrix[0][1] + d.y * m.matrix[1][1] + d.z * m.matrix[2][1],
                 d.x * m.matrix[0][2] + d.y * m.matrix[1][2] + d.z * m.matrix[2][2]);
}

}  // namespace minihost
