#include <maya/MPoint.h>

#include <cmath>
#include <ostream>

#include <maya/MFloatPoint.h>
#include <maya/MMatrix.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

const MPoint MPoint::origin(0, 0, 0, 1);

MPoint::MPoint(const MVector& v) : x(v.x), y(v.y), z(v.z), w(1) {}
MPoint::MPoint(const MFloatPoint& o) : x(o.x), y(o.y), z(o.z), w(o.w) {}
double MPoint::operator[](unsigned int i) const {
  return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}
double& MPoint::operator[](unsigned int i) {
  return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}
MPoint MPoint::operator+(const MVector& v) const {
  return MPoint(x + v.x, y + v.y, z + v.z, w);
}
MPoint& MPoint::operator+=(const MVector& v) {
  return *this = *this + v;
}
MPoint MPoint::operator-(const MVector& v) const {
  return MPoint(x - v.x, y - v.y, z - v.z, w);
}
MPoint& MPoint::operator-=(const MVector& v) {
  return *this = *this - v;
}
MVector MPoint::operator-(const MPoint& o) const {
  return MVector(x - o.x, y - o.y, z - o.z);
}
MPoint MPoint::operator*(const MMatrix& m) const {
  const auto& a = m.matrix;
  return MPoint(x * a[0][0] + y * a[1][0] + z * a[2][0] + w * a[3][0],
                x * a[0][1] + y * a[1][1] + z * a[2][1] + w * a[3][1],
                x * a[0][2] + y * a[1][2] + z * a[2][2] + w * a[3][2],
                x * a[0][3] + y * a[1][3] + z * a[2][3] + w * a[3][3]);
}
MPoint& MPoint::operator*=(const MMatrix& m) {
  return *this = *this * m;
}
MPoint MPoint::operator*(double s) const {
  return MPoint(x * s, y * s, z * s, w);
}
MPoint MPoint::operator/(double s) const {
  return MPoint(x / s, y / s, z / s, w);
}
bool MPoint::operator==(const MPoint& o) const {
  return isEquivalent(o);
}
bool MPoint::operator!=(const MPoint& o) const {
  return !isEquivalent(o);
}

MPoint& MPoint::cartesianize() {
  if (w != 0.0 && w != 1.0) {
    x /= w;
    y /= w;
    z /= w;
    w = 1.0;
  }
  return *this;
}
MPoint& MPoint::rationalize() {
  if (w != 0.0) {
    x /= w;
    y /= w;
    z /= w;
  }
  return *this;
}
MPoint& MPoint::homogenize() {
  x *= w;
  y *= w;
  z *= w;
  return *this;
}
double MPoint::distanceTo(const MPoint& o) const {
  return (*this - o).length();
}
bool MPoint::isEquivalent(const MPoint& o, double t) const {
  return std::fabs(x - o.x) <= t && std::fabs(y - o.y) <= t && std::fabs(z - o.z) <= t &&
         std::fabs(w - o.w) <= t;
}
MStatus MPoint::get(double d[4]) const {
  d[0] = x;
  d[1] = y;
  d[2] = z;
  d[3] = w;
  return MS::kSuccess;
}

MPoint operator*(double s, const MPoint& p) {
  return p * s;
}
std::ostream& operator<<(std::ostream& out, const MPoint& p) {
  return out << "[" << p.x << ", " << p.y << ", " << p.z << ", " << p.w << "]";
}

OPENMAYA_NAMESPACE_CLOSE
