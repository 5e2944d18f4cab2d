#include <maya/MFnDependencyNode.h>

#include <maya/MPlugArray.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::NodeRef;
using minihost::Scene;

MFnDependencyNode::MFnDependencyNode() = default;
MFnDependencyNode::MFnDependencyNode(const MObject& object, MStatus* ReturnStatus) {
  MStatus s = setObject(object);
  if (ReturnStatus)
    *ReturnStatus = s;
}
MFnDependencyNode::~MFnDependencyNode() = default;
MFn::Type MFnDependencyNode::type() const {
  return MFn::kDependencyNode;
}

MObject MFnDependencyNode::create(const MString& typeName, MStatus* ReturnStatus) {
  return create(typeName, MString(), ReturnStatus);
}

MObject MFnDependencyNode::create(const MString& typeName, const MString& name,
                                  MStatus* ReturnStatus) {
  const minihost::NodeType* t = minihost::findNodeType(typeName.asChar());
  if (!t || t->dag) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MObject();
  }
  NodeRef ref = Scene::get().createNode(typeName.asChar(), name.asChar(), NodeRef{}, nullptr);
  MObject object = HandleAccess::nodeObject(ref);
  MStatus s = ref.isSet() ? setObject(object) : MStatus(MS::kInvalidParameter);
  if (ReturnStatus)
    *ReturnStatus = s;
  return s ? object : MObject();
}

MString MFnDependencyNode::name(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MString();
  return MString(Scene::get().node(HandleAccess::nodeRef(object_))->name.c_str());
}

MString MFnDependencyNode::absoluteName(MStatus* ReturnStatus) const {
  return MString(":") + name(ReturnStatus);
}

MString MFnDependencyNode::setName(const MString& newName, bool, MStatus* ReturnStatus) {
  if (!attached(ReturnStatus))
    return MString();
  NodeRef ref = HandleAccess::nodeRef(object_);
  bool ok = Scene::get().renameNode(ref, newName.asChar(), nullptr);
  if (ReturnStatus)
    *ReturnStatus = ok ? MS::kSuccess : MS::kInvalidParameter;
  return MString(Scene::get().node(ref)->name.c_str());
}

MString MFnDependencyNode::typeName(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MString();
  return MString(Scene::get().node(HandleAccess::nodeRef(object_))->type->name.c_str());
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, bool, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return MPlug();
  NodeRef ref = HandleAccess::nodeRef(object_);
  int attr = Scene::get().findAttribute(ref, attrName.asChar());
  if (attr < 0) {
    if (ReturnStatus)
      *ReturnStatus = MS::kInvalidParameter;
    return MPlug();
  }
  return HandleAccess::plug(ref, attr);
}

MPlug MFnDependencyNode::findPlug(const MString& attrName, MStatus* ReturnStatus) const {
  return findPlug(attrName, true, ReturnStatus);
}

bool MFnDependencyNode::hasAttribute(const MString& attrName, MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return false;
  return Scene::get().findAttribute(HandleAccess::nodeRef(object_), attrName.asChar()) >= 0;
}

unsigned int MFnDependencyNode::attributeCount(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return 0;
  // The type's attributes and those added to the node.
  const NodeRef ref = HandleAccess::nodeRef(object_);
  return static_cast<unsigned int>(Scene::get().node(ref)->type->attributes.size() +
                                   Scene::get().dynamicAttributes(ref).size());
}

MStatus MFnDependencyNode::getConnections(MPlugArray& array) const {
  array.clear();
  MStatus s;
  if (!attached(&s))
    return s;
  NodeRef ref = HandleAccess::nodeRef(object_);
  const minihost::Node* n = Scene::get().node(ref);
  std::vector<int> seen;
  for (const auto* list : {&n->inputs, &n->outputs}) {
    for (const minihost::Connection& c : *list) {
      bool dup = false;
      for (int a : seen)
        dup = dup || a == c.attribute;
      if (dup)
        continue;
      seen.push_back(c.attribute);
      array.append(HandleAccess::plug(ref, c.attribute));
    }
  }
  return MS::kSuccess;
}

bool MFnDependencyNode::isFromReferencedFile(MStatus* ReturnStatus) const {
  attached(ReturnStatus);
  return false;
}

bool MFnDependencyNode::isLocked(MStatus* ReturnStatus) const {
  if (!attached(ReturnStatus))
    return false;
  return Scene::get().node(HandleAccess::nodeRef(object_))->isDefault;
}

OPENMAYA_NAMESPACE_CLOSE
