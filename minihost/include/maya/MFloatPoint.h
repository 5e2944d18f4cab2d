#pragma once
// Homogeneous single-precision point.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFloatPoint {
 public:
  MFloatPoint();
  MFloatPoint(const MFloatPoint& other);
  MFloatPoint(const MPoint& other);
  MFloatPoint(float xx, float yy, float zz = 0.0f, float ww = 1.0f);
  ~MFloatPoint();

  MFloatPoint& operator=(const MFloatPoint& other);
  float operator[](unsigned int i) const;
  float& operator[](unsigned int i);
  MFloatPoint operator+(const MFloatVector& v) const;
  MFloatVector operator-(const MFloatPoint& other) const;
  bool operator==(const MFloatPoint& other) const;
  bool operator!=(const MFloatPoint& other) const;
  bool isEquivalent(const MFloatPoint& other, float tolerance = 1.0e-5f) const;
  MStatus setCast(const MPoint& other);

  float x;
  float y;
  float z;
  float w;
};

OPENMAYA_NAMESPACE_CLOSE
