#pragma once
// Iterator over the DAG, depth first (pre-order) or breadth first, optionally
// yielding only nodes compatible with a function set type.

#include <deque>

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MItDag {
 public:
  enum TraversalType { kInvalidType, kDepthFirst, kBreadthFirst };

  MItDag(TraversalType type = kDepthFirst, MFn::Type filter = MFn::kInvalid,
         MStatus* ReturnStatus = NULL);
  virtual ~MItDag();

  MStatus reset();
  MStatus reset(const MObject& object, TraversalType type = kDepthFirst,
                MFn::Type filter = MFn::kInvalid);
  MStatus reset(const MDagPath& path, TraversalType type = kDepthFirst,
                MFn::Type filter = MFn::kInvalid);
  MObject item(MStatus* ReturnStatus = NULL);
  MObject currentItem(MStatus* ReturnStatus = NULL);
  MStatus next();
  MStatus prune();
  bool isDone(MStatus* ReturnStatus = NULL) const;
  MObject root(MStatus* ReturnStatus = NULL);
  unsigned int depth(MStatus* ReturnStatus = NULL) const;
  TraversalType getType(MStatus* ReturnStatus = NULL) const;
  MStatus getPath(MDagPath& path) const;
  MStatus getAllPaths(MDagPathArray& paths) const;
  MString fullPathName(MStatus* ReturnStatus = NULL) const;
  MString partialPathName(MStatus* ReturnStatus = NULL) const;
  bool isInstanced(bool indirect = true, MStatus* ReturnStatus = NULL) const;

 private:
  MItDag(const MItDag&) = delete;
  MItDag& operator=(const MItDag&) = delete;
  void start(const MObject& root);
  void advance();
  void settle();

  TraversalType traversal_;
  MFn::Type filter_;
  MObject root_;
  MObject current_;
  bool pruned_ = false;
  std::deque<MObject> pending_;
};

OPENMAYA_NAMESPACE_CLOSE
