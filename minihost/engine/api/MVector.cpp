#include <maya/MVector.h>

#include <cmath>
#include <ostream>

#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

const MVector MVector::zero(0, 0, 0);
const MVector MVector::one(1, 1, 1);
const MVector MVector::xAxis(1, 0, 0);
const MVector MVector::yAxis(0, 1, 0);
const MVector MVector::zAxis(0, 0, 1);
const MVector MVector::xNegAxis(-1, 0, 0);
const MVector MVector::yNegAxis(0, -1, 0);
const MVector MVector::zNegAxis(0, 0, -1);

MVector::MVector(const MFloatVector& o) : x(o.x), y(o.y), z(o.z) {}
MVector::MVector(const MPoint& p) : x(p.x), y(p.y), z(p.z) {}
MVector::MVector(const MFloatPoint& p) : x(p.x), y(p.y), z(p.z) {}
double MVector::operator()(unsigned int i) const {
  return (*this)[i];
}
double MVector::operator[](unsigned int i) const {
  return i == 0 ? x : i == 1 ? y : z;
}
double& MVector::operator[](unsigned int i) {
  return i == 0 ? x : i == 1 ? y : z;
}

MVector MVector::operator^(const MVector& r) const {
  return MVector(y * r.z - z * r.y, z * r.x - x * r.z, x * r.y - y * r.x);
}
double MVector::operator*(const MVector& r) const {
  return x * r.x + y * r.y + z * r.z;
}
MVector MVector::operator*(const MMatrix& m) const {
  return MVector(x * m.matrix[0][0] + y * m.matrix[1][0] + z * m.matrix[2][0],
                 x * m.matrix[0][1] + y * m.matrix[1][1] + z * m.matrix[2][1],
                 x * m.matrix[0][2] + y * m.matrix[1][2] + z * m.matrix[2][2]);
}
MVector& MVector::operator*=(const MMatrix& m) {
  return *this = *this * m;
}
MVector MVector::operator*(double s) const {
  return MVector(x * s, y * s, z * s);
}
MVector& MVector::operator*=(double s) {
  return *this = *this * s;
}
MVector MVector::operator/(double s) const {
  return MVector(x / s, y / s, z / s);
}
MVector& MVector::operator/=(double s) {
  return *this = *this / s;
}
MVector MVector::operator+(const MVector& o) const {
  return MVector(x + o.x, y + o.y, z + o.z);
}
MVector& MVector::operator+=(const MVector& o) {
  return *this = *this + o;
}
MVector MVector::operator-(const MVector& o) const {
  return MVector(x - o.x, y - o.y, z - o.z);
}
MVector& MVector::operator-=(const MVector& o) {
  return *this = *this - o;
}
MVector MVector::operator-() const {
  return MVector(-x, -y, -z);
}
bool MVector::operator==(const MVector& o) const {
  return isEquivalent(o);
}
bool MVector::operator!=(const MVector& o) const {
  return !isEquivalent(o);
}

double MVector::length() const {
  return std::sqrt(x * x + y * y + z * z);
}
MVector MVector::normal() const {
  MVector r(*this);
  r.normalize();
  return r;
}
MStatus MVector::normalize() {
  double len = length();
  if (len <= 0.0)
    return MS::kFailure;
  x /= len;
  y /= len;
  z /= len;
  return MS::kSuccess;
}
double MVector::angle(const MVector& o) const {
  double d = length() * o.length();
  if (d <= 0.0)
    return 0.0;
  return std::atan2((*this ^ o).length(), (*this * o));
}
bool MVector::isEquivalent(const MVector& o, double t) const {
  return std::fabs(x - o.x) <= t && std::fabs(y - o.y) <= t && std::fabs(z - o.z) <= t;
}
bool MVector::isParallel(const MVector& o, double t) const {
  MVector a = normal(), b = o.normal();
  return std::fabs(std::fabs(a * b) - 1.0) <= t;
}
MStatus MVector::get(double d[3]) const {
  d[0] = x;
  d[1] = y;
  d[2] = z;
  return MS::kSuccess;
}

MVector operator*(int s, const MVector& v) {
  return v * static_cast<double>(s);
}
MVector operator*(double s, const MVector& v) {
  return v * s;
}
MVector operator*(const MMatrix& m, const MVector& v) {
  return MVector(m.matrix[0][0] * v.x + m.matrix[0][1] * v.y + m.matrix[0][2] * v.z,
                 m.matrix[1][0] * v.x + m.matrix[1][1] * v.y + m.matrix[1][2] * v.z,
                 m.matrix[2][0] * v.x + m.matrix[2][1] * v.y + m.matrix[2][2] * v.z);
}
std::ostream& operator<<(std::ostream& out, const MVector& v) {
  return out << "[" << v.x << ", " << v.y << ", " << v.z << "]";
}

OPENMAYA_NAMESPACE_CLOSE
