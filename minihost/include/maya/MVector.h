#pragma once
// Double-precision 3D vector. Host matrices act on row vectors: v * M.

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

#define kMVectorTolerance 1.0e-10

class OPENMAYA_EXPORT MVector {
 public:
  enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

  // The trivial members are inline, as in the host's own header.
  MVector() : x(0.0), y(0.0), z(0.0) {}
  MVector(const MVector& other) = default;
  MVector(const MFloatVector& other);
  MVector(const MPoint& point);
  MVector(const MFloatPoint& point);
  MVector(double xx, double yy, double zz = 0.0) : x(xx), y(yy), z(zz) {}
  MVector(const double d[3]) : x(d[0]), y(d[1]), z(d[2]) {}
  MVector(const float f[3]) : x(f[0]), y(f[1]), z(f[2]) {}
  ~MVector() = default;

  MVector& operator=(const MVector& other) = default;
  double operator()(unsigned int i) const;
  double operator[](unsigned int i) const;
  double& operator[](unsigned int i);

  MVector operator^(const MVector& right) const;  // cross product
  double operator*(const MVector& right) const;   // dot product
  MVector operator*(const MMatrix& right) const;  // direction: translation ignored
  MVector& operator*=(const MMatrix& right);
  MVector operator*(double scale) const;
  MVector& operator*=(double scale);
  MVector operator/(double scale) const;
  MVector& operator/=(double scale);
  MVector operator+(const MVector& other) const;
  MVector& operator+=(const MVector& other);
  MVector operator-(const MVector& other) const;
  MVector& operator-=(const MVector& other);
  MVector operator-() const;
  bool operator==(const MVector& other) const;
  bool operator!=(const MVector& other) const;

  double length() const;
  MVector normal() const;
  MStatus normalize();
  double angle(const MVector& other) const;
  bool isEquivalent(const MVector& other, double tolerance = kMVectorTolerance) const;
  bool isParallel(const MVector& other, double tolerance = kMVectorTolerance) const;
  MStatus get(double dest[3]) const;

  static const MVector zero;
  static const MVector one;
  static const MVector xAxis;
  static const MVector yAxis;
  static const MVector zAxis;
  static const MVector xNegAxis;
  static const MVector yNegAxis;
  static const MVector zNegAxis;

  double x;
  double y;
  double z;
};

OPENMAYA_EXPORT MVector operator*(int scale, const MVector& v);
OPENMAYA_EXPORT MVector operator*(double scale, const MVector& v);
OPENMAYA_EXPORT MVector operator*(const MMatrix& m, const MVector& v);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& out, const MVector& v);

OPENMAYA_NAMESPACE_CLOSE
