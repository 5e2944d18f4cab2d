#pragma once
// Single-precision 3D vector.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFloatVector {
 public:
  // The trivial members are inline, as in the host's own header.
  MFloatVector() : x(0.0f), y(0.0f), z(0.0f) {}
  MFloatVector(const MFloatVector& other) = default;
  MFloatVector(const MVector& other);
  MFloatVector(float xx, float yy, float zz = 0.0f) : x(xx), y(yy), z(zz) {}
  MFloatVector(const float f[3]) : x(f[0]), y(f[1]), z(f[2]) {}
  ~MFloatVector() = default;

  MFloatVector& operator=(const MFloatVector& other) = default;
  float operator[](unsigned int i) const;
  float& operator[](unsigned int i);
  MFloatVector operator^(const MFloatVector& right) const;
  float operator*(const MFloatVector& right) const;
  MFloatVector operator*(float scale) const;
  MFloatVector operator/(float scale) const;
  MFloatVector operator+(const MFloatVector& other) const;
  MFloatVector operator-(const MFloatVector& other) const;
  MFloatVector operator-() const;
  bool operator==(const MFloatVector& other) const;
  bool operator!=(const MFloatVector& other) const;

  float length() const;
  MFloatVector normal() const;
  MStatus normalize();
  bool isEquivalent(const MFloatVector& other, float tolerance = 1.0e-5f) const;
  MStatus get(float dest[3]) const;

  float x;
  float y;
  float z;
};

OPENMAYA_EXPORT MFloatVector operator*(float scale, const MFloatVector& v);

OPENMAYA_NAMESPACE_CLOSE
