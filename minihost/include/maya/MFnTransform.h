#pragma once
// Function set for transform nodes.

#include <maya/MEulerRotation.h>
#include <maya/MFnDagNode.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnTransform : public MFnDagNode {
 public:
  MFnTransform();
  MFnTransform(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnTransform(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnTransform() override;
  MFn::Type type() const override;

  MObject create(const MObject& parent = MObject::kNullObj, MStatus* ReturnStatus = NULL);

  MTransformationMatrix transformation(MStatus* ReturnStatus = NULL) const;
  // Sets translate, rotate, rotate order and scale from the given transformation.
  MStatus set(const MTransformationMatrix& transform);

  MVector getTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
  MVector translation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
  MStatus setTranslation(const MVector& vec, MSpace::Space space);
  MStatus translateBy(const MVector& vec, MSpace::Space space);

  MStatus getRotation(MEulerRotation& rotation) const;
  MStatus setRotation(const MEulerRotation& rotation);
  MStatus getRotation(double rotation[3], MTransformationMatrix::RotationOrder& order) const;
  MStatus setRotation(const double rotation[3], MTransformationMatrix::RotationOrder order);
  MTransformationMatrix::RotationOrder rotationOrder(MStatus* ReturnStatus = NULL) const;
  MStatus setRotationOrder(MTransformationMatrix::RotationOrder order, bool reorder);

  MStatus getScale(double scale[3]) const;
  MStatus setScale(const double scale[3]);
};

OPENMAYA_NAMESPACE_CLOSE
