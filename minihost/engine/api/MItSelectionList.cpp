#include <maya/MItSelectionList.h>

#include <maya/MStringArray.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::NodeRef;
using minihost::Scene;

MItSelectionList::MItSelectionList(const MSelectionList& list, MFn::Type filter,
                                   MStatus* ReturnStatus)
    : list_(list), filter_(filter) {
  skipToMatch();
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
}

MItSelectionList::~MItSelectionList() = default;

bool MItSelectionList::matches(unsigned int index) const {
  const MObject& node = HandleAccess::selectionNode(list_, index);
  if (node.isNull())
    return false;
  if (filter_ == MFn::kInvalid || node.hasFn(filter_))
    return true;
  const MObject& component = HandleAccess::selectionComponent(list_, index);
  if (!component.isNull() && component.hasFn(filter_))
    return true;
  // A selected transform stands for the shapes directly below it.
  if (node.hasFn(MFn::kTransform)) {
    Scene& scene = Scene::get();
    for (NodeRef c : scene.childrenOf(HandleAccess::nodeRef(node))) {
      if (scene.node(c)->type->shape && HandleAccess::nodeObject(c).hasFn(filter_))
        return true;
    }
  }
  return false;
}

void MItSelectionList::skipToMatch() {
  while (position_ < list_.length() && !matches(position_))
    ++position_;
}

bool MItSelectionList::isDone(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return position_ >= list_.length();
}

MStatus MItSelectionList::next() {
  if (isDone())
    return MS::kFailure;
  ++position_;
  skipToMatch();
  return MS::kSuccess;
}

MStatus MItSelectionList::reset() {
  position_ = 0;
  skipToMatch();
  return MS::kSuccess;
}

MStatus MItSelectionList::setFilter(MFn::Type filter) {
  filter_ = filter;
  return reset();
}

MStatus MItSelectionList::getDependNode(MObject& depNode) {
  if (isDone())
    return MS::kFailure;
  return list_.getDependNode(position_, depNode);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath, MObject& component) {
  if (isDone())
    return MS::kFailure;
  return list_.getDagPath(position_, dagPath, component);
}

MStatus MItSelectionList::getDagPath(MDagPath& dagPath) {
  if (isDone())
    return MS::kFailure;
  return list_.getDagPath(position_, dagPath);
}

MStatus MItSelectionList::getStrings(MStringArray& array) {
  if (isDone())
    return MS::kFailure;
  return list_.getSelectionStrings(position_, array);
}

MItSelectionList::selItemType MItSelectionList::itemType(MStatus* ReturnStatus) {
  if (ReturnStatus)
    *ReturnStatus = isDone() ? MS::kFailure : MS::kSuccess;
  if (isDone())
    return kUnknownItem;
  const MObject& node = HandleAccess::selectionNode(list_, position_);
  if (node.hasFn(MFn::kDagNode))
    return kDagSelectionItem;
  if (node.hasFn(MFn::kAnimCurve))
    return kAnimSelectionItem;
  return kDNselectionItem;
}

bool MItSelectionList::hasComponents(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  if (position_ >= list_.length())
    return false;
  return !HandleAccess::selectionComponent(list_, position_).isNull();
}

OPENMAYA_NAMESPACE_CLOSE
