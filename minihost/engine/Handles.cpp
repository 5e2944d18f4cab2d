#include "engine/Handles.h"

#include <utility>

namespace minihost {

MObject HandleAccess::nodeObject(NodeRef ref) {
  MObject o;
  if (!ref.isSet())
    return o;
  o.kind_ = MObject::Kind::kNode;
  o.index_ = ref.index;
  o.generation_ = ref.generation;
  return o;
}

bool HandleAccess::isComponent(const MObject& object) {
  return object.kind_ == MObject::Kind::kComponent;
}

MObject HandleAccess::componentObject(MFn::Type type, std::vector<int> elements) {
  MObject o;
  o.kind_ = MObject::Kind::kComponent;
  o.componentType_ = type;
  o.elements_ = std::make_shared<const std::vector<int>>(std::move(elements));
  return o;
}

MFn::Type HandleAccess::componentType(const MObject& object) {
  return object.kind_ == MObject::Kind::kComponent ? object.componentType_ : MFn::kInvalid;
}

const std::vector<int>* HandleAccess::componentElements(const MObject& object) {
  return object.kind_ == MObject::Kind::kComponent ? object.elements_.get() : nullptr;
}

MObject HandleAccess::pluginObject(uint32_t index, uint32_t generation) {
  MObject o;
  o.kind_ = MObject::Kind::kPlugin;
  o.index_ = index;
  o.generation_ = generation;
  return o;
}

bool HandleAccess::pluginRef(const MObject& object, uint32_t& index, uint32_t& generation) {
  if (object.kind_ != MObject::Kind::kPlugin)
    return false;
  index = object.index_;
  generation = object.generation_;
  return true;
}

MPlug HandleAccess::plug(NodeRef node, int attribute) {
  MPlug p;
  p.node_ = nodeObject(node);
  p.attribute_ = attribute;
  return p;
}

NodeRef HandleAccess::plugNode(const MPlug& plug) {
  return nodeRef(plug.node_);
}
int HandleAccess::plugAttribute(const MPlug& plug) {
  return plug.attribute_;
}

MDagPath HandleAccess::dagPath(NodeRef node) {
  MDagPath p;
  p.node_ = nodeObject(node);
  return p;
}

NodeRef HandleAccess::pathNode(const MDagPath& path) {
  return nodeRef(path.node_);
}

unsigned int HandleAccess::selectionLength(const MSelectionList& list) {
  return static_cast<unsigned int>(list.items_.size());
}
const MObject& HandleAccess::selectionNode(const MSelectionList& list, unsigned int i) {
  return list.items_[i].node;
}
const MObject& HandleAccess::selectionComponent(const MSelectionList& list, unsigned int i) {
  return list.items_[i].component;
}
void HandleAccess::selectionAppend(MSelectionList& list, const MObject& node,
                                   const MObject& component) {
  list.items_.push_back(MSelectionList::Item{node, component});
}
void HandleAccess::selectionRemove(MSelectionList& list, unsigned int i) {
  if (i < list.items_.size())
    list.items_.erase(list.items_.begin() + i);
}

}  // namespace minihost
