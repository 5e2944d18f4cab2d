#pragma once
// Rotation as three angles (radians) applied in a given axis order.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MEulerRotation {
 public:
  enum RotationOrder { kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX };

  MEulerRotation();
  MEulerRotation(const MEulerRotation& other);
  MEulerRotation(const MVector& v, RotationOrder ord = kXYZ);
  MEulerRotation(double xx, double yy, double zz, RotationOrder ord = kXYZ);
  ~MEulerRotation();

  MEulerRotation& operator=(const MEulerRotation& other);
  double operator[](unsigned int i) const;
  double& operator[](unsigned int i);
  bool operator==(const MEulerRotation& other) const;
  bool operator!=(const MEulerRotation& other) const;
  MEulerRotation operator-() const;
  bool isEquivalent(const MEulerRotation& other, double tolerance = 1.0e-10) const;

  // Pure rotation matrix (row-vector convention: the first axis of the order acts first).
  MMatrix asMatrix() const;
  MVector asVector() const;
  MEulerRotation& setValue(double xx, double yy, double zz, RotationOrder ord = kXYZ);
  MEulerRotation reorder(RotationOrder ord) const;
  MStatus reorderIt(RotationOrder ord);
  // Angles of the rotation part of a matrix without scale or shear, in the given order.
  static MEulerRotation decompose(const MMatrix& matrix, RotationOrder ord);

  static const MEulerRotation identity;

  double x;
  double y;
  double z;
  RotationOrder order;
};

OPENMAYA_NAMESPACE_CLOSE
