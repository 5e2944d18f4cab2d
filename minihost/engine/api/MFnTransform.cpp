#include <maya/MFnTransform.h>

#include <maya/MPoint.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::NodeRef;
using minihost::Scene;

MFnTransform::MFnTransform() = default;
MFnTransform::MFnTransform(const MObject& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnTransform::MFnTransform(const MDagPath& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnTransform::~MFnTransform() = default;
MFn::Type MFnTransform::type() const {
  return MFn::kTransform;
}

MObject MFnTransform::create(const MObject& parent, MStatus* ReturnStatus) {
  return MFnDagNode::create("transform", parent, ReturnStatus);
}

MTransformationMatrix MFnTransform::transformation(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MTransformationMatrix();
  return Scene::get().transformation(HandleAccess::nodeRef(object_));
}

MStatus MFnTransform::set(const MTransformationMatrix& transform) {
  MStatus s;
  if (!attached(&s))
    return s;
  return Scene::get().setTransformation(HandleAccess::nodeRef(object_), transform) ? MS::kSuccess
                                                                                   : MS::kFailure;
}

MVector MFnTransform::getTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MVector();
  NodeRef ref = HandleAccess::nodeRef(object_);
  if (space == MSpace::kWorld) {
    MMatrix w = Scene::get().worldMatrix(ref);
    return MVector(w.matrix[3][0], w.matrix[3][1], w.matrix[3][2]);
  }
  return Scene::get().transformation(ref).getTranslation(MSpace::kTransform);
}

MVector MFnTransform::translation(MSpace::Space space, MStatus* ReturnStatus) const {
  return getTranslation(space, ReturnStatus);
}

MStatus MFnTransform::setTranslation(const MVector& vec, MSpace::Space space) {
  MStatus s;
  if (!attached(&s))
    return s;
  NodeRef ref = HandleAccess::nodeRef(object_);
  Scene& scene = Scene::get();
  MVector local = vec;
  if (space == MSpace::kWorld) {
    MMatrix parentInverse = scene.worldMatrix(scene.parentOf(ref)).inverse();
    local = MVector(MPoint(vec) * parentInverse);
  }
  MTransformationMatrix tm = scene.transformation(ref);
  tm.setTranslation(local, MSpace::kTransform);
  return scene.setTransformation(ref, tm) ? MS::kSuccess : MS::kFailure;
}

MStatus MFnTransform::translateBy(const MVector& vec, MSpace::Space space) {
  MStatus s;
  MVector current = getTranslation(space, &s);
  if (!s)
    return s;
  return setTranslation(current + vec, space);
}

MStatus MFnTransform::getRotation(MEulerRotation& rotation) const {
  MStatus s;
  if (!attached(&s))
    return s;
  rotation = Scene::get().transformation(HandleAccess::nodeRef(object_)).eulerRotation();
  return MS::kSuccess;
}

MStatus MFnTransform::setRotation(const MEulerRotation& rotation) {
  MStatus s;
  if (!attached(&s))
    return s;
  NodeRef ref = HandleAccess::nodeRef(object_);
  MTransformationMatrix tm = Scene::get().transformation(ref);
  tm.rotateTo(rotation);
  return Scene::get().setTransformation(ref, tm) ? MS::kSuccess : MS::kFailure;
}

MStatus MFnTransform::getRotation(double rotation[3],
                                  MTransformationMatrix::RotationOrder& order) const {
  MStatus s;
  if (!attached(&s))
    return s;
  return Scene::get().transformation(HandleAccess::nodeRef(object_)).getRotation(rotation, order);
}

MStatus MFnTransform::setRotation(const double rotation[3],
                                  MTransformationMatrix::RotationOrder order) {
  MStatus s;
  if (!attached(&s))
    return s;
  NodeRef ref = HandleAccess::nodeRef(object_);
  MTransformationMatrix tm = Scene::get().transformation(ref);
  s = tm.setRotation(rotation, order);
  if (!s)
    return s;
  return Scene::get().setTransformation(ref, tm) ? MS::kSuccess : MS::kFailure;
}

MTransformationMatrix::RotationOrder MFnTransform::rotationOrder(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MTransformationMatrix::kInvalid;
  return Scene::get().transformation(HandleAccess::nodeRef(object_)).rotationOrder();
}

MStatus MFnTransform::setRotationOrder(MTransformationMatrix::RotationOrder order, bool reorder) {
  MStatus s;
  if (!attached(&s))
    return s;
  NodeRef ref = HandleAccess::nodeRef(object_);
  MTransformationMatrix tm = Scene::get().transformation(ref);
  if (reorder) {
    s = tm.reorderRotation(order);
  } else {
    double r[3];
    MTransformationMatrix::RotationOrder old;
    tm.getRotation(r, old);
    s = tm.setRotation(r, order);
  }
  if (!s)
    return s;
  return Scene::get().setTransformation(ref, tm) ? MS::kSuccess : MS::kFailure;
}

MStatus MFnTransform::getScale(double scale[3]) const {
  MStatus s;
  if (!attached(&s))
    return s;
  return Scene::get()
      .transformation(HandleAccess::nodeRef(object_))
      .getScale(scale, MSpace::kTransform);
}

MStatus MFnTransform::setScale(const double scale[3]) {
  MStatus s;
  if (!attached(&s))
    return s;
  NodeRef ref = HandleAccess::nodeRef(object_);
  MTransformationMatrix tm = Scene::get().transformation(ref);
  tm.setScale(scale, MSpace::kTransform);
  return Scene::get().setTransformation(ref, tm) ? MS::kSuccess : MS::kFailure;
}

OPENMAYA_NAMESPACE_CLOSE
