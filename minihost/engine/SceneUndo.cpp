// What the undo queue needs of the scene: putting values, names, keys and whole nodes back
// without the checks and recording of the ordinary setters.
#include <algorithm>

#include "engine/Scene.h"

namespace minihost {

void Scene::restoreNumber(NodeRef ref, int attribute, double value) {
  if (Node* n = node(ref)) {
    if (DynamicAttribute* added = dynamicSlot(*n, attribute))
      added->number = value;
    else if (attribute >= 0 && static_cast<size_t>(attribute) < n->type->attributes.size())
      n->values.setNumber(*n->type, attribute, value);
  }
  ++revision_;
}

void Scene::restoreText(NodeRef ref, int attribute, const std::string& value) {
  if (Node* n = node(ref)) {
    if (DynamicAttribute* added = dynamicSlot(*n, attribute))
      added->text = value;
    else if (attribute >= 0 && static_cast<size_t>(attribute) < n->type->attributes.size())
      n->values.setText(attribute, value);
  }
  ++revision_;
}

void Scene::restoreName(NodeRef ref, const std::string& name) {
  Node* n = node(ref);
  if (!n || n->name == name)
    return;
  unindexName(ref);
  n->name = name;
  indexName(ref);
}

void Scene::restoreKey(NodeRef curve, bool present, const CurveKey& key, double ticks) {
  Node* c = node(curve);
  if (!c || !c->curve())
    return;
  if (present)
    c->curve()->setKey(key);
  else
    c->curve()->removeKeyAt(ticks);
  // A curve left without keys drives nothing any more: the attribute keeps the value the undo
  // queue puts back.
  if (c->curve()->keyCount() > 0)
    evaluateCurve(curve);
  ++revision_;
}

std::unique_ptr<Node> Scene::takeOut(NodeRef ref) {
  Node* n = node(ref);
  if (!n || n->isDefault || ref == world_)
    return nullptr;
  removeConnections(ref);
  if (n->type->dag) {
    if (Node* p = node(n->parent.isSet() ? n->parent : world_)) {
      auto& kids = p->children;
      kids.erase(std::remove(kids.begin(), kids.end(), ref), kids.end());
    }
  }
  unindexName(ref);
  curves_.erase(std::remove(curves_.begin(), curves_.end(), ref), curves_.end());
  for (unsigned int i = HandleAccess::selectionLength(active_); i-- > 0;) {
    if (HandleAccess::nodeRef(HandleAccess::selectionNode(active_, i)) == ref)
      HandleAccess::selectionRemove(active_, i);
  }
  ++revision_;
  // The slot keeps its generation and stays out of the free list: handles to the node are dead
  // while it is out and name it again once it is back.
  return std::move(slots_[ref.index].node);
}

void Scene::putBack(NodeRef ref, std::unique_ptr<Node> n) {
  if (!n || ref.index >= slots_.size() || slots_[ref.index].node ||
      slots_[ref.index].generation != ref.generation)
    return;
  const bool dag = n->type->dag;
  const bool curve = static_cast<bool>(n->curve());
  const NodeRef parent = n->parent.isSet() ? n->parent : world_;
  slots_[ref.index].node = std::move(n);
  indexName(ref);
  if (dag) {
    if (Node* p = node(parent))
      p->children.push_back(ref);
  }
  if (curve)
    curves_.push_back(ref);
  ++revision_;
}

void Scene::releaseSlot(NodeRef ref) {
  if (ref.index >= slots_.size() || slots_[ref.index].node ||
      slots_[ref.index].generation != ref.generation)
    return;
  Slot& slot = slots_[ref.index];
  if (++slot.generation == 0)
    slot.generation = 1;
  freeSlots_.push_back(ref.index);
}

}  // namespace minihost
