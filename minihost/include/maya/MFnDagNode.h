#pragma once
// Function set for DAG nodes: hierarchy, paths and the local transformation.

#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MMatrix.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnDagNode : public MFnDependencyNode {
 public:
  enum { kNextPos = 0xff };

  MFnDagNode();
  MFnDagNode(const MObject& object, MStatus* ReturnStatus = NULL);
  MFnDagNode(const MDagPath& object, MStatus* ReturnStatus = NULL);
  ~MFnDagNode() override;
  MFn::Type type() const override;

  using MFnBase::setObject;
  // Attaches to the path's node; when this set does not accept that node and it is a
  // transform, to the first compatible shape directly below it.
  virtual MStatus setObject(const MDagPath& path);

  MObject create(const MString& type, const MObject& parent = MObject::kNullObj,
                 MStatus* ReturnStatus = NULL);
  MObject create(const MString& type, const MString& name,
                 const MObject& parent = MObject::kNullObj, MStatus* ReturnStatus = NULL);

  unsigned int parentCount(MStatus* ReturnStatus = NULL) const;
  MObject parent(unsigned int i, MStatus* ReturnStatus = NULL) const;
  MStatus addChild(MObject& child, unsigned int index = kNextPos, bool keepExistingParents = false);
  MStatus removeChild(MObject& child);
  unsigned int childCount(MStatus* ReturnStatus = NULL) const;
  MObject child(unsigned int i, MStatus* ReturnStatus = NULL) const;
  bool hasParent(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool hasChild(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool isChildOf(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool isParentOf(const MObject& node, MStatus* ReturnStatus = NULL) const;
  bool isInstanced(bool indirect = true, MStatus* ReturnStatus = NULL) const;

  MStatus getPath(MDagPath& path) const;
  MDagPath dagPath(MStatus* ReturnStatus = NULL) const;
  MString fullPathName(MStatus* ReturnStatus = NULL) const;
  MString partialPathName(MStatus* ReturnStatus = NULL) const;
  // Local matrix of a transform relative to its parent; identity for a shape.
  MMatrix transformationMatrix(MStatus* ReturnStatus = NULL) const;

 protected:
  MStatus attachToPath(const MDagPath& path);
};

OPENMAYA_NAMESPACE_CLOSE
