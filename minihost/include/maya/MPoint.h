#pragma once
// Homogeneous double-precision point (w = 1 for a cartesian point).

#include <iosfwd>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

#define kMPointTolerance 1.0e-10

class OPENMAYA_EXPORT MPoint {
 public:
  // The trivial members are inline, as in the host's own header.
  MPoint() : x(0.0), y(0.0), z(0.0), w(1.0) {}
  MPoint(const MPoint& other) = default;
  MPoint(const MVector& v);
  MPoint(const MFloatPoint& other);
  MPoint(double xx, double yy, double zz = 0.0, double ww = 1.0) : x(xx), y(yy), z(zz), w(ww) {}
  MPoint(const double d[4]) : x(d[0]), y(d[1]), z(d[2]), w(d[3]) {}
  ~MPoint() = default;

  MPoint& operator=(const MPoint& other) = default;
  double operator[](unsigned int i) const;
  double& operator[](unsigned int i);
  MPoint operator+(const MVector& v) const;
  MPoint& operator+=(const MVector& v);
  MPoint operator-(const MVector& v) const;
  MPoint& operator-=(const MVector& v);
  MVector operator-(const MPoint& other) const;
  MPoint operator*(const MMatrix& m) const;
  MPoint& operator*=(const MMatrix& m);
  MPoint operator*(double scale) const;
  MPoint operator/(double scale) const;
  bool operator==(const MPoint& other) const;
  bool operator!=(const MPoint& other) const;

  MPoint& cartesianize();
  MPoint& rationalize();
  MPoint& homogenize();
  double distanceTo(const MPoint& other) const;
  bool isEquivalent(const MPoint& other, double tolerance = kMPointTolerance) const;
  MStatus get(double dest[4]) const;

  static const MPoint origin;

  double x;
  double y;
  double z;
  double w;
};

OPENMAYA_EXPORT MPoint operator*(double scale, const MPoint& p);
OPENMAYA_EXPORT std::ostream& operator<<(std::ostream& out, const MPoint& p);

OPENMAYA_NAMESPACE_CLOSE
