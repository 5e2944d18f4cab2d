#include <maya/MEulerRotation.h>

#include <cmath>

#include <maya/MMatrix.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

namespace {

struct Axes {
  int i, j, k;
  double parity;  // +1 for the cyclic orders, -1 for the others
};

Axes axesOf(MEulerRotation::RotationOrder order) {
  switch (order) {
    case MEulerRotation::kXYZ:
      return {0, 1, 2, 1.0};
    case MEulerRotation::kYZX:
      return {1, 2, 0, 1.0};
    case MEulerRotation::kZXY:
      return {2, 0, 1, 1.0};
    case MEulerRotation::kXZY:
      return {0, 2, 1, -1.0};
    case MEulerRotation::kYXZ:
      return {1, 0, 2, -1.0};
    case MEulerRotation::kZYX:
      return {2, 1, 0, -1.0};
  }
  return {0, 1, 2, 1.0};
}

// Rotation about one axis for row vectors (v * R).
MMatrix axisRotation(int axis, double angle) {
  MMatrix m;
  double c = std::cos(angle), s = std::sin(angle);
  int a = (axis + 1) % 3, b = (axis + 2) % 3;
  m.matrix[a][a] = c;
  m.matrix[a][b] = s;
  m.matrix[b][a] = -s;
  m.matrix[b][b] = c;
  return m;
}

}  // namespace

const MEulerRotation MEulerRotation::identity;

MEulerRotation::MEulerRotation() : x(0), y(0), z(0), order(kXYZ) {}
MEulerRotation::MEulerRotation(const MEulerRotation& other) = default;
MEulerRotation::MEulerRotation(const MVector& v, RotationOrder ord)
    : x(v.x), y(v.y), z(v.z), order(ord) {}
MEulerRotation::MEulerRotation(double xx, double yy, double zz, RotationOrder ord)
    : x(xx), y(yy), z(zz), order(ord) {}
MEulerRotation::~MEulerRotation() = default;

MEulerRotation& MEulerRotation::operator=(const MEulerRotation& other) = default;
double MEulerRotation::operator[](unsigned int i) const {
  return i == 0 ? x : i == 1 ? y : z;
}
double& MEulerRotation::operator[](unsigned int i) {
  return i == 0 ? x : i == 1 ? y : z;
}
bool MEulerRotation::operator==(const MEulerRotation& o) const {
  return x == o.x && y == o.y && z == o.z && order == o.order;
}
bool MEulerRotation::operator!=(const MEulerRotation& o) const {
  return !(*this == o);
}
MEulerRotation MEulerRotation::operator-() const {
  // The inverse rotation applies the negated angles in the reverse order.
  static const RotationOrder reversed[] = {kZYX, kXZY, kYXZ, kYZX, kZXY, kXYZ};
  return MEulerRotation(-x, -y, -z, reversed[order]);
}
bool MEulerRotation::isEquivalent(const MEulerRotation& o, double tolerance) const {
  return asMatrix().isEquivalent(o.asMatrix(), tolerance);
}

MMatrix MEulerRotation::asMatrix() const {
  Axes a = axesOf(order);
  const double angles[3] = {x, y, z};
  return axisRotation(a.i, angles[a.i]) * axisRotation(a.j, angles[a.j]) *
         axisRotation(a.k, angles[a.k]);
}

MVector MEulerRotation::asVector() const {
  return MVector(x, y, z);
}

MEulerRotation& MEulerRotation::setValue(double xx, double yy, double zz, RotationOrder ord) {
  x = xx;
  y = yy;
  z = zz;
  order = ord;
  return *this;
}

MEulerRotation MEulerRotation::reorder(RotationOrder ord) const {
  return decompose(asMatrix(), ord);
}

MStatus MEulerRotation::reorderIt(RotationOrder ord) {
  *this = reorder(ord);
  return MS::kSuccess;
}

MEulerRotation MEulerRotation::decompose(const MMatrix& m, RotationOrder ord) {
  // Work on the column-vector form C = M^T, in which the rotation reads R_k R_j R_i.
  Axes a = axesOf(ord);
  auto C = [&](int r, int c) { return m.matrix[c][r]; };
  double angles[3] = {0, 0, 0};
  double sj = -a.parity * C(a.k, a.i);
  if (sj > 1.0)
    sj = 1.0;
  if (sj < -1.0)
    sj = -1.0;
  angles[a.j] = std::asin(sj);
  if (std::fabs(sj) < 1.0 - 1e-12) {
    angles[a.i] = std::atan2(a.parity * C(a.k, a.j), C(a.k, a.k));
    angles[a.k] = std::atan2(a.parity * C(a.j, a.i), C(a.i, a.i));
  } else {
    // Gimbal lock: the first and last axes coincide; put the whole turn on the first.
    angles[a.i] = std::atan2(-a.parity * C(a.j, a.k), C(a.j, a.j));
    angles[a.k] = 0.0;
  }
  return MEulerRotation(angles[0], angles[1], angles[2], ord);
}

OPENMAYA_NAMESPACE_CLOSE
