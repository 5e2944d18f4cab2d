#include "shell/HostGeometry.h"

Matrix3D fromHostMatrix(const MMatrix& host) {
  Matrix3D rows;
  for (unsigned i = 0; i < 4; ++i) {
    for (unsigned j = 0; j < 4; ++j)
      rows.m[i][j] = host(i, j);
  }
  return rows.transposed();
}

MMatrix toHostMatrix(const Matrix3D& matrix) {
  return MMatrix(matrix.transposed().m);
}

Vector3D fromHostVector(const MVector& host) {
  return Vector3D(host.x, host.y, host.z);
}

Vector3D fromHostPoint(const MPoint& host) {
  return Vector3D(host.x, host.y, host.z);
}
