#pragma once
// A path from the world to one DAG node. The stand-in host has no instancing,
// so a node has exactly one path and the path is kept as a handle to its last node.

#include <maya/MFn.h>
#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MDagPath {
 public:
  MDagPath();
  MDagPath(const MDagPath& other);
  virtual ~MDagPath();
  MDagPath& operator=(const MDagPath& other);
  bool operator==(const MDagPath& other) const;

  bool hasFn(MFn::Type type, MStatus* ReturnStatus = NULL) const;
  MFn::Type apiType(MStatus* ReturnStatus = NULL) const;
  bool isValid(MStatus* ReturnStatus = NULL) const;
  MObject node(MStatus* ReturnStatus = NULL) const;
  // The transform above a shape, or the node itself when it is a transform.
  MObject transform(MStatus* ReturnStatus = NULL) const;
  unsigned int length(MStatus* ReturnStatus = NULL) const;
  MStatus extendToShape();
  MStatus extendToShapeDirectlyBelow(unsigned int index);
  MStatus numberOfShapesDirectlyBelow(unsigned int& num) const;
  MStatus push(const MObject& child);
  MStatus pop(unsigned int num = 1);
  unsigned int childCount(MStatus* ReturnStatus = NULL) const;
  MObject child(unsigned int i, MStatus* ReturnStatus = NULL) const;
  MMatrix inclusiveMatrix(MStatus* ReturnStatus = NULL) const;
  MMatrix exclusiveMatrix(MStatus* ReturnStatus = NULL) const;
  MMatrix inclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;
  MMatrix exclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;
  MString fullPathName(MStatus* ReturnStatus = NULL) const;
  MString partialPathName(MStatus* ReturnStatus = NULL) const;
  bool isInstanced(MStatus* ReturnStatus = NULL) const;
  unsigned int instanceNumber(MStatus* ReturnStatus = NULL) const;

  static MStatus getAPathTo(const MObject& node, MDagPath& path);
  static MStatus getAllPathsTo(const MObject& node, MDagPathArray& paths);

 private:
  friend class minihost::HandleAccess;
  MObject node_;
};

OPENMAYA_NAMESPACE_CLOSE
