#include <maya/MItDag.h>

#include <maya/MDagPathArray.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::NodeRef;
using minihost::Scene;

MItDag::MItDag(TraversalType type, MFn::Type filter, MStatus* ReturnStatus)
    : traversal_(type == kBreadthFirst ? kBreadthFirst : kDepthFirst), filter_(filter) {
  start(HandleAccess::nodeObject(Scene::get().world()));
  if (ReturnStatus)
    *ReturnStatus = type == kInvalidType ? MS::kInvalidParameter : MS::kSuccess;
}

MItDag::~MItDag() = default;

void MItDag::start(const MObject& root) {
  root_ = root;
  current_ = root;
  pruned_ = false;
  pending_.clear();
  settle();
}

// Moves past the current node, queueing its children (unless pruned).
void MItDag::advance() {
  Scene& scene = Scene::get();
  NodeRef ref = HandleAccess::nodeRef(current_);
  if (!pruned_ && scene.isAlive(ref)) {
    const auto& kids = scene.childrenOf(ref);
    if (traversal_ == kBreadthFirst) {
      for (NodeRef k : kids)
        pending_.push_back(HandleAccess::nodeObject(k));
    } else {
      for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        pending_.push_front(HandleAccess::nodeObject(*it));
      }
    }
  }
  pruned_ = false;
  current_ = MObject();
  // Nodes deleted while iterating are skipped, never followed.
  while (!pending_.empty()) {
    MObject next = pending_.front();
    pending_.pop_front();
    if (scene.isAlive(HandleAccess::nodeRef(next))) {
      current_ = next;
      break;
    }
  }
}

// Advances until the current node passes the filter or the traversal ends.
void MItDag::settle() {
  while (!current_.isNull() && filter_ != MFn::kInvalid && !current_.hasFn(filter_))
    advance();
}

MStatus MItDag::reset() {
  start(root_.isNull() ? HandleAccess::nodeObject(Scene::get().world()) : root_);
  return MS::kSuccess;
}

MStatus MItDag::reset(const MObject& object, TraversalType type, MFn::Type filter) {
  if (!object.hasFn(MFn::kDagNode) || type == kInvalidType)
    return MS::kInvalidParameter;
  traversal_ = type;
  filter_ = filter;
  start(object);
  return MS::kSuccess;
}

MStatus MItDag::reset(const MDagPath& path, TraversalType type, MFn::Type filter) {
  return reset(path.node(), type, filter);
}

MObject MItDag::item(MStatus* ReturnStatus) {
  return currentItem(ReturnStatus);
}

MObject MItDag::currentItem(MStatus* ReturnStatus) {
  bool done = isDone();
  if (ReturnStatus)
    *ReturnStatus = done ? MS::kFailure : MS::kSuccess;
  return done ? MObject() : current_;
}

MStatus MItDag::next() {
  if (isDone())
    return MS::kFailure;
  advance();
  settle();
  return MS::kSuccess;
}

MStatus MItDag::prune() {
  if (isDone())
    return MS::kFailure;
  pruned_ = true;
  return MS::kSuccess;
}

bool MItDag::isDone(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return current_.isNull();
}

MObject MItDag::root(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = root_.isNull() ? MS::kFailure : MS::kSuccess;
  return root_;
}

unsigned int MItDag::depth(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = isDone() ? MS::kFailure : MS::kSuccess;
  if (isDone())
    return 0;
  Scene& scene = Scene::get();
  return scene.depthOf(HandleAccess::nodeRef(current_)) -
         scene.depthOf(HandleAccess::nodeRef(root_));
}

MItDag::TraversalType MItDag::getType(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return traversal_;
}

MStatus MItDag::getPath(MDagPath& path) const {
  if (isDone())
    return MS::kFailure;
  path = HandleAccess::dagPath(HandleAccess::nodeRef(current_));
  return MS::kSuccess;
}

MStatus MItDag::getAllPaths(MDagPathArray& paths) const {
  paths.clear();
  MDagPath p;
  MStatus s = getPath(p);
  if (s)
    paths.append(p);
  return s;
}

MString MItDag::fullPathName(MStatus* ReturnStatus) const {
  MDagPath p;
  MStatus s = getPath(p);
  if (ReturnStatus)
    *ReturnStatus = s;
  return s ? p.fullPathName() : MString();
}

MString MItDag::partialPathName(MStatus* ReturnStatus) const {
  MDagPath p;
  MStatus s = getPath(p);
  if (ReturnStatus)
    *ReturnStatus = s;
  return s ? p.partialPathName() : MString();
}

bool MItDag::isInstanced(bool, MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return false;
}

OPENMAYA_NAMESPACE_CLOSE
