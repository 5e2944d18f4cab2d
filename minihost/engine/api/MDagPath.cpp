#include <maya/MDagPath.h>

#include <maya/MDagPathArray.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::NodeRef;
using minihost::Scene;

namespace {

void report(MStatus* s, bool ok) {
  if (s)
    *s = ok ? MS::kSuccess : MS::kFailure;
}

bool isDag(NodeRef ref) {
  const minihost::Node* n = Scene::get().node(ref);
  return n && n->type->dag;
}

}  // namespace

MDagPath::MDagPath() = default;
MDagPath::MDagPath(const MDagPath& other) = default;
MDagPath::~MDagPath() = default;
MDagPath& MDagPath::operator=(const MDagPath& other) = default;
bool MDagPath::operator==(const MDagPath& other) const {
  return node_ == other.node_;
}

bool MDagPath::hasFn(MFn::Type type, MStatus* ReturnStatus) const {
  report(ReturnStatus, isValid());
  return node_.hasFn(type);
}

MFn::Type MDagPath::apiType(MStatus* ReturnStatus) const {
  report(ReturnStatus, isValid());
  return node_.apiType();
}

bool MDagPath::isValid(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return isDag(HandleAccess::nodeRef(node_));
}

MObject MDagPath::node(MStatus* ReturnStatus) const {
  bool ok = isValid();
  report(ReturnStatus, ok);
  return ok ? node_ : MObject();
}

MObject MDagPath::transform(MStatus* ReturnStatus) const {
  NodeRef ref = HandleAccess::nodeRef(node_);
  Scene& scene = Scene::get();
  const minihost::Node* n = scene.node(ref);
  if (!n || !n->type->dag || ref == scene.world()) {
    report(ReturnStatus, false);
    return MObject();
  }
  report(ReturnStatus, true);
  if (n->kind() == minihost::NodeKind::kTransform)
    return node_;
  return HandleAccess::nodeObject(scene.parentOf(ref));
}

unsigned int MDagPath::length(MStatus* ReturnStatus) const {
  bool ok = isValid();
  report(ReturnStatus, ok);
  return ok ? Scene::get().depthOf(HandleAccess::nodeRef(node_)) : 0u;
}

MStatus MDagPath::numberOfShapesDirectlyBelow(unsigned int& num) const {
  num = 0;
  if (!isValid())
    return MS::kFailure;
  Scene& scene = Scene::get();
  for (NodeRef c : scene.childrenOf(HandleAccess::nodeRef(node_))) {
    if (scene.node(c)->type->shape)
      ++num;
  }
  return MS::kSuccess;
}

MStatus MDagPath::extendToShapeDirectlyBelow(unsigned int index) {
  if (!isValid())
    return MS::kFailure;
  Scene& scene = Scene::get();
  unsigned int seen = 0;
  for (NodeRef c : scene.childrenOf(HandleAccess::nodeRef(node_))) {
    if (!scene.node(c)->type->shape)
      continue;
    if (seen++ == index) {
      node_ = HandleAccess::nodeObject(c);
      return MS::kSuccess;
    }
  }
  return MS::kInvalidParameter;
}

MStatus MDagPath::extendToShape() {
  if (!isValid())
    return MS::kFailure;
  const minihost::Node* n = Scene::get().node(HandleAccess::nodeRef(node_));
  if (n->type->shape)
    return MS::kSuccess;
  unsigned int shapes = 0;
  numberOfShapesDirectlyBelow(shapes);
  // Only an unambiguous single shape extends the path.
  if (shapes != 1)
    return MS::kFailure;
  return extendToShapeDirectlyBelow(0);
}

MStatus MDagPath::push(const MObject& child) {
  NodeRef c = HandleAccess::nodeRef(child);
  if (!isValid() || !isDag(c))
    return MS::kInvalidParameter;
  if (Scene::get().parentOf(c) != HandleAccess::nodeRef(node_))
    return MS::kInvalidParameter;
  node_ = child;
  return MS::kSuccess;
}

MStatus MDagPath::pop(unsigned int num) {
  if (!isValid())
    return MS::kFailure;
  Scene& scene = Scene::get();
  NodeRef ref = HandleAccess::nodeRef(node_);
  for (unsigned int i = 0; i < num; ++i) {
    NodeRef p = scene.parentOf(ref);
    if (!p.isSet())
      return MS::kInvalidParameter;
    ref = p;
  }
  node_ = HandleAccess::nodeObject(ref);
  return MS::kSuccess;
}

unsigned int MDagPath::childCount(MStatus* ReturnStatus) const {
  bool ok = isValid();
  report(ReturnStatus, ok);
  return ok ? static_cast<unsigned int>(
                  Scene::get().childrenOf(HandleAccess::nodeRef(node_)).size())
            : 0u;
}

MObject MDagPath::child(unsigned int i, MStatus* ReturnStatus) const {
  const auto& kids = Scene::get().childrenOf(HandleAccess::nodeRef(node_));
  if (!isValid() || i >= kids.size()) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MObject();
  }
  report(ReturnStatus, true);
  return HandleAccess::nodeObject(kids[i]);
}

MMatrix MDagPath::inclusiveMatrix(MStatus* ReturnStatus) const {
  bool ok = isValid();
  report(ReturnStatus, ok);
  return ok ? Scene::get().worldMatrix(HandleAccess::nodeRef(node_)) : MMatrix();
}

MMatrix MDagPath::exclusiveMatrix(MStatus* ReturnStatus) const {
  bool ok = isValid();
  report(ReturnStatus, ok);
  if (!ok)
    return MMatrix();
  Scene& scene = Scene::get();
  return scene.worldMatrix(scene.parentOf(HandleAccess::nodeRef(node_)));
}

MMatrix MDagPath::inclusiveMatrixInverse(MStatus* ReturnStatus) const {
  return inclusiveMatrix(ReturnStatus).inverse();
}

MMatrix MDagPath::exclusiveMatrixInverse(MStatus* ReturnStatus) const {
  return exclusiveMatrix(ReturnStatus).inverse();
}

MString MDagPath::fullPathName(MStatus* ReturnStatus) const {
  bool ok = isValid();
  report(ReturnStatus, ok);
  return ok ? MString(Scene::get().fullPathName(HandleAccess::nodeRef(node_)).c_str()) : MString();
}

MString MDagPath::partialPathName(MStatus* ReturnStatus) const {
  bool ok = isValid();
  report(ReturnStatus, ok);
  return ok ? MString(Scene::get().partialPathName(HandleAccess::nodeRef(node_)).c_str())
            : MString();
}

bool MDagPath::isInstanced(MStatus* ReturnStatus) const {
  report(ReturnStatus, isValid());
  return false;
}

unsigned int MDagPath::instanceNumber(MStatus* ReturnStatus) const {
  report(ReturnStatus, isValid());
  return 0;
}

MStatus MDagPath::getAPathTo(const MObject& node, MDagPath& path) {
  if (!isDag(HandleAccess::nodeRef(node)))
    return MS::kInvalidParameter;
  path = HandleAccess::dagPath(HandleAccess::nodeRef(node));
  return MS::kSuccess;
}

MStatus MDagPath::getAllPathsTo(const MObject& node, MDagPathArray& paths) {
  paths.clear();
  MDagPath p;
  MStatus s = getAPathTo(node, p);
  if (s)
    paths.append(p);
  return s;
}

OPENMAYA_NAMESPACE_CLOSE
