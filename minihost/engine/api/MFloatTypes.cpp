// Single-precision vector and point.
#include <cmath>

#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

MFloatVector::MFloatVector(const MVector& o)
    : x(static_cast<float>(o.x)), y(static_cast<float>(o.y)), z(static_cast<float>(o.z)) {}
float MFloatVector::operator[](unsigned int i) const {
  return i == 0 ? x : i == 1 ? y : z;
}
float& MFloatVector::operator[](unsigned int i) {
  return i == 0 ? x : i == 1 ? y : z;
}
MFloatVector MFloatVector::operator^(const MFloatVector& r) const {
  return MFloatVector(y * r.z - z * r.y, z * r.x - x * r.z, x * r.y - y * r.x);
}
float MFloatVector::operator*(const MFloatVector& r) const {
  return x * r.x + y * r.y + z * r.z;
}
MFloatVector MFloatVector::operator*(float s) const {
  return MFloatVector(x * s, y * s, z * s);
}
MFloatVector MFloatVector::operator/(float s) const {
  return MFloatVector(x / s, y / s, z / s);
}
MFloatVector MFloatVector::operator+(const MFloatVector& o) const {
  return MFloatVector(x + o.x, y + o.y, z + o.z);
}
MFloatVector MFloatVector::operator-(const MFloatVector& o) const {
  return MFloatVector(x - o.x, y - o.y, z - o.z);
}
MFloatVector MFloatVector::operator-() const {
  return MFloatVector(-x, -y, -z);
}
bool MFloatVector::operator==(const MFloatVector& o) const {
  return isEquivalent(o);
}
bool MFloatVector::operator!=(const MFloatVector& o) const {
  return !isEquivalent(o);
}
float MFloatVector::length() const {
  return std::sqrt(x * x + y * y + z * z);
}
MFloatVector MFloatVector::normal() const {
  MFloatVector r(*this);
  r.normalize();
  return r;
}
MStatus MFloatVector::normalize() {
  float len = length();
  if (len <= 0.0f)
    return MS::kFailure;
  x /= len;
  y /= len;
  z /= len;
  return MS::kSuccess;
}
bool MFloatVector::isEquivalent(const MFloatVector& o, float t) const {
  return std::fabs(x - o.x) <= t && std::fabs(y - o.y) <= t && std::fabs(z - o.z) <= t;
}
MStatus MFloatVector::get(float d[3]) const {
  d[0] = x;
  d[1] = y;
  d[2] = z;
  return MS::kSuccess;
}
MFloatVector operator*(float s, const MFloatVector& v) {
  return v * s;
}

MFloatPoint::MFloatPoint() : x(0), y(0), z(0), w(1) {}
MFloatPoint::MFloatPoint(const MFloatPoint& other) = default;
MFloatPoint::MFloatPoint(const MPoint& o)
    : x(static_cast<float>(o.x)),
      y(static_cast<float>(o.y)),
      z(static_cast<float>(o.z)),
      w(static_cast<float>(o.w)) {}
MFloatPoint::MFloatPoint(float xx, float yy, float zz, float ww) : x(xx), y(yy), z(zz), w(ww) {}
MFloatPoint::~MFloatPoint() = default;
MFloatPoint& MFloatPoint::operator=(const MFloatPoint& other) = default;
float MFloatPoint::operator[](unsigned int i) const {
  return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}
float& MFloatPoint::operator[](unsigned int i) {
  return i == 0 ? x : i == 1 ? y : i == 2 ? z : w;
}
MFloatPoint MFloatPoint::operator+(const MFloatVector& v) const {
  return MFloatPoint(x + v.x, y + v.y, z + v.z, w);
}
MFloatVector MFloatPoint::operator-(const MFloatPoint& o) const {
  return MFloatVector(x - o.x, y - o.y, z - o.z);
}
bool MFloatPoint::operator==(const MFloatPoint& o) const {
  return isEquivalent(o);
}
bool MFloatPoint::operator!=(const MFloatPoint& o) const {
  return !isEquivalent(o);
}
bool MFloatPoint::isEquivalent(const MFloatPoint& o, float t) const {
  return std::fabs(x - o.x) <= t && std::fabs(y - o.y) <= t && std::fabs(z - o.z) <= t &&
         std::fabs(w - o.w) <= t;
}
MStatus MFloatPoint::setCast(const MPoint& o) {
  *this = MFloatPoint(o);
  return MS::kSuccess;
}

OPENMAYA_NAMESPACE_CLOSE
