#pragma once
// A transformation split into scale, rotation (with its order) and translation.
// The composed matrix is S * R * T for row vectors; pivots and shear are not modelled.

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MTransformationMatrix {
 public:
  enum RotationOrder { kInvalid, kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX, kLast };

  MTransformationMatrix();
  MTransformationMatrix(const MTransformationMatrix& other);
  MTransformationMatrix(const MMatrix& matrix);
  ~MTransformationMatrix();

  MTransformationMatrix& operator=(const MTransformationMatrix& other);
  MTransformationMatrix& operator=(const MMatrix& matrix);
  bool operator==(const MTransformationMatrix& other) const;
  bool operator!=(const MTransformationMatrix& other) const;
  bool isEquivalent(const MTransformationMatrix& other, double tolerance = kMMatrixTolerance) const;

  MMatrix asMatrix() const;
  MMatrix asMatrixInverse() const;
  MMatrix asRotateMatrix() const;
  MMatrix asScaleMatrix() const;

  MVector getTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
  MVector translation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
  MStatus setTranslation(const MVector& vector, MSpace::Space space);
  MStatus addTranslation(const MVector& vector, MSpace::Space space);

  MEulerRotation eulerRotation() const;
  MTransformationMatrix& rotateTo(const MEulerRotation& rotation);
  MStatus getRotation(double rotation[3], RotationOrder& order) const;
  MStatus setRotation(const double rotation[3], RotationOrder order);
  RotationOrder rotationOrder(MStatus* ReturnStatus = NULL) const;
  MStatus reorderRotation(const RotationOrder& order);

  MStatus getScale(double scale[3], MSpace::Space space) const;
  MStatus setScale(const double scale[3], MSpace::Space space);

  static const MTransformationMatrix identity;

 private:
  double translate_[3];
  double rotate_[3];
  double scale_[3];
  RotationOrder order_;
};

OPENMAYA_NAMESPACE_CLOSE
