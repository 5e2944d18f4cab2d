#include <maya/MFnDagNode.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::NodeRef;
using minihost::Scene;

MFnDagNode::MFnDagNode() = default;
MFnDagNode::MFnDagNode(const MObject& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnDagNode::MFnDagNode(const MDagPath& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnDagNode::~MFnDagNode() = default;
MFn::Type MFnDagNode::type() const {
  return MFn::kDagNode;
}

MStatus MFnDagNode::setObject(const MDagPath& path) {
  return attachToPath(path);
}

MStatus MFnDagNode::attachToPath(const MDagPath& path) {
  MObject node = path.node();
  if (node.hasFn(type()))
    return MFnBase::setObject(node);
  if (node.hasFn(MFn::kTransform)) {
    Scene& scene = Scene::get();
    for (NodeRef c : scene.childrenOf(HandleAccess::nodeRef(node))) {
      MObject child = HandleAccess::nodeObject(c);
      if (scene.node(c)->type->shape && child.hasFn(type()))
        return MFnBase::setObject(child);
    }
  }
  object_ = MObject();
  return MS::kInvalidParameter;
}

MObject MFnDagNode::create(const MString& typeName, const MObject& parent, MStatus* ReturnStatus) {
  return create(typeName, MString(), parent, ReturnStatus);
}

MObject MFnDagNode::create(const MString& typeName, const MString& name, const MObject& parent,
                           MStatus* ReturnStatus) {
  const minihost::NodeType* t = minihost::findNodeType(typeName.asChar());
  NodeRef parentRef = HandleAccess::nodeRef(parent);
  if (!t || !t->dag || (!parent.isNull() && !parent.hasFn(MFn::kTransform)) ||
      (parentRef.isSet() && !Scene::get().isAlive(parentRef))) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MObject();
  }
  NodeRef ref = Scene::get().createNode(typeName.asChar(), name.asChar(), parentRef, nullptr);
  if (!ref.isSet()) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MObject();
  }
  MObject made = HandleAccess::nodeObject(ref);
  MFnBase::setObject(made);
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  // As the host does: a shape made without a parent returns its new transform.
  if (t->shape && parent.isNull())
    return HandleAccess::nodeObject(Scene::get().parentOf(ref));
  return made;
}

unsigned int MFnDagNode::parentCount(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0;
  return Scene::get().parentOf(HandleAccess::nodeRef(object_)).isSet() ? 1u : 0u;
}

MObject MFnDagNode::parent(unsigned int i, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MObject();
  NodeRef p = Scene::get().parentOf(HandleAccess::nodeRef(object_));
  if (i != 0 || !p.isSet()) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MObject();
  }
  return HandleAccess::nodeObject(p);
}

MStatus MFnDagNode::addChild(MObject& child, unsigned int, bool) {
  MStatus s;
  if (!attached(&s))
    return s;
  return Scene::get().reparent(HandleAccess::nodeRef(child), HandleAccess::nodeRef(object_),
                               nullptr)
             ? MS::kSuccess
             : MS::kInvalidParameter;
}

MStatus MFnDagNode::removeChild(MObject& child) {
  MStatus s;
  if (!attached(&s))
    return s;
  Scene& scene = Scene::get();
  NodeRef c = HandleAccess::nodeRef(child);
  if (scene.parentOf(c) != HandleAccess::nodeRef(object_))
    return MS::kInvalidParameter;
  return scene.reparent(c, scene.world(), nullptr) ? MS::kSuccess : MS::kInvalidParameter;
}

unsigned int MFnDagNode::childCount(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0;
  return static_cast<unsigned int>(Scene::get().childrenOf(HandleAccess::nodeRef(object_)).size());
}

MObject MFnDagNode::child(unsigned int i, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MObject();
  const auto& kids = Scene::get().childrenOf(HandleAccess::nodeRef(object_));
  if (i >= kids.size()) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MObject();
  }
  return HandleAccess::nodeObject(kids[i]);
}

bool MFnDagNode::hasParent(const MObject& node, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return false;
  return Scene::get().parentOf(HandleAccess::nodeRef(object_)) == HandleAccess::nodeRef(node);
}

bool MFnDagNode::hasChild(const MObject& node, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return false;
  return Scene::get().parentOf(HandleAccess::nodeRef(node)) == HandleAccess::nodeRef(object_);
}

bool MFnDagNode::isChildOf(const MObject& node, MStatus* ReturnStatus) const {
  return hasParent(node, ReturnStatus);
}

bool MFnDagNode::isParentOf(const MObject& node, MStatus* ReturnStatus) const {
  return hasChild(node, ReturnStatus);
}

bool MFnDagNode::isInstanced(bool, MStatus* ReturnStatus) const {
  attached(ReturnStatus);
  return false;
}

MStatus MFnDagNode::getPath(MDagPath& path) const {
  MStatus s;
  if (!attached(&s))
    return s;
  path = HandleAccess::dagPath(HandleAccess::nodeRef(object_));
  return MS::kSuccess;
}

MDagPath MFnDagNode::dagPath(MStatus* ReturnStatus) const {
  MDagPath p;
  MStatus s = getPath(p);
  if (ReturnStatus)
    *ReturnStatus = s;
  return p;
}

MString MFnDagNode::fullPathName(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MString();
  return MString(Scene::get().fullPathName(HandleAccess::nodeRef(object_)).c_str());
}

MString MFnDagNode::partialPathName(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MString();
  return MString(Scene::get().partialPathName(HandleAccess::nodeRef(object_)).c_str());
}

MMatrix MFnDagNode::transformationMatrix(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MMatrix();
  return Scene::get().localMatrix(HandleAccess::nodeRef(object_));
}

OPENMAYA_NAMESPACE_CLOSE
