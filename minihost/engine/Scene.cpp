// Node storage and the DAG hierarchy of the scene; names are in SceneNames.cpp.
#include "engine/Scene.h"
#include "engine/UndoQueue.h"

#include <algorithm>
#include <cctype>

namespace minihost {
namespace {

bool wildcardMatch(const char* pattern, const char* text) {
  // Iterative matcher with single-star backtracking: linear in practice.
  const char* starP = nullptr;
  const char* starT = nullptr;
  while (*text) {
    if (*pattern == '?' || *pattern == *text) {
      ++pattern;
      ++text;
    } else if (*pattern == '*') {
      starP = pattern++;
      starT = text;
    } else if (starP) {
      pattern = starP + 1;
      text = ++starT;
    } else {
      return false;
    }
  }
  while (*pattern == '*')
    ++pattern;
  return *pattern == '\0';
}

const CompactVector<NodeRef> kNoChildren;

}  // namespace

Scene& Scene::get() {
  static Scene scene;
  return scene;
}

Scene::Scene() {
  newScene();
}

void Scene::newScene() {
  clearAll();
  buildDefaults();
}

void Scene::clearAll() {
  // A new scene empties the undo queue, as the host's does.
  UndoQueue::get().forget();
  // Slots are emptied, not dropped: each keeps counting its generations, so a handle from
  // before the new scene stays dead instead of naming whatever node takes its slot next.
  freeSlots_.clear();
  for (uint32_t i = static_cast<uint32_t>(slots_.size()); i-- > 0;) {
    Slot& slot = slots_[i];
    slot.node.reset();
    if (++slot.generation == 0)
      slot.generation = 1;
    freeSlots_.push_back(i);  // slot 0 comes out first, for the world
  }
  ++revision_;
  byName_.clear();
  dependencyNames_.clear();
  nextSuffix_.clear();
  curves_.clear();
  active_.clear();
  for (NodeRef& r : defaultCameras_)
    r = NodeRef{};
  currentTicks_ = 250.0;
  minTicks_ = 250.0;
  maxTicks_ = 120.0 * 250.0;
  animStartTicks_ = 250.0;
  animEndTicks_ = 200.0 * 250.0;
  playbackBy_ = 250.0;
  // The world takes slot 0 and is never named or deleted.
  world_ = allocate(nodeType(NodeKind::kWorld), "");
  node(world_)->isDefault = true;
}

NodeRef Scene::allocate(const NodeType& type, std::string name) {
  uint32_t index;
  if (!freeSlots_.empty()) {
    index = freeSlots_.back();
    freeSlots_.pop_back();
  } else {
    index = static_cast<uint32_t>(slots_.size());
    slots_.emplace_back();
  }
  auto n = std::make_unique<Node>();
  n->type = &type;
  n->name = std::move(name);
  n->serial = nextSerial_++;
  if (type.kind == NodeKind::kMesh)
    n->rareParts().mesh = std::make_unique<MeshData>();
  if (isAnimCurve(type.kind))
    n->rareParts().curve = std::make_unique<AnimCurve>();
  if (isDrivenKeyCurve(type.kind))
    n->rareParts().drivenCurve = std::make_unique<AnimCurve>();
  ++revision_;
  slots_[index].node = std::move(n);
  NodeRef ref{index, slots_[index].generation};
  indexName(ref);
  if (isAnimCurve(type.kind))
    curves_.push_back(ref);
  return ref;
}

void Scene::reserveNodes(size_t more) {
  const size_t fresh = more > freeSlots_.size() ? more - freeSlots_.size() : 0;
  const size_t needed = slots_.size() + fresh;
  // Many small files in a row still grow the list geometrically.
  if (needed > slots_.capacity())
    slots_.reserve(std::max(needed, slots_.capacity() + slots_.capacity() / 2));
  // Grows (in powers of two) only when the index would grow anyway.
  byName_.reserve(byName_.size() + more);
}

NodeRef Scene::createNode(const std::string& typeName, const std::string& name, NodeRef parent,
                          std::string* error) {
  const NodeType* found = findNodeType(typeName);
  if (!found) {
    if (error)
      *error = "Unknown node type: " + typeName;
    return NodeRef{};
  }
  return createNode(*found, name, parent, error);
}

NodeRef Scene::createNode(const NodeType& typeRef, const std::string& name, NodeRef parent,
                          std::string* error) {
  const NodeType* type = &typeRef;
  if (!name.empty() && !validName(name)) {
    if (error)
      *error = "Invalid node name: " + name;
    return NodeRef{};
  }
  if (parent.isSet() && parent != world_) {
    const Node* p = node(parent);
    if (!p || !p->type->dag || p->type->shape) {
      if (error)
        *error = "A DAG node can only be parented under a transform";
      return NodeRef{};
    }
    if (!type->dag) {
      if (error)
        *error = "Only DAG nodes can have a parent";
      return NodeRef{};
    }
  }
  if (type->shape && (!parent.isSet() || parent == world_)) {
    // Shapes live under a transform; make one named after the shape.
    std::string shapeName = name;
    std::string transformName;
    if (!shapeName.empty()) {
      size_t pos = shapeName.rfind("Shape");
      transformName = pos != std::string::npos && pos > 0 ? shapeName.substr(0, pos) : "";
    }
    std::string base = type->kind == NodeKind::kMesh ? std::string("polySurface") : type->name;
    const NodeType& transform = nodeType(NodeKind::kTransform);
    parent = allocate(transform, uniqueName(transformName, base, placeOf(transform, world_)));
    Node* w = node(world_);
    w->children.push_back(parent);
    if (UndoQueue::get().recording())
      UndoQueue::get().nodeCreated(parent);
  }
  std::string madeUpName;
  if (type->shape && name.empty()) {
    // Shapes are named after their transform: "camera1" -> "cameraShape1", "persp" -> "perspShape".
    const std::string& owner = node(parent)->name;
    size_t end = owner.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(owner[end - 1])))
      --end;
    madeUpName = owner.substr(0, end) + "Shape" + owner.substr(end);
  }
  const std::string& requested = type->shape && name.empty() ? madeUpName : name;
  NodeRef ref = allocate(*type, uniqueName(requested, type->name, placeOf(*type, parent)));
  if (type->dag) {
    NodeRef p = parent.isSet() ? parent : world_;
    Node* n = node(ref);
    n->parent = p == world_ ? NodeRef{} : p;
    node(p)->children.push_back(ref);
  }
  if (UndoQueue::get().recording())
    UndoQueue::get().nodeCreated(ref);
  return ref;
}

void Scene::removeConnections(NodeRef ref) {
  Node* n = node(ref);
  for (const Connection& c : n->inputs) {
    if (Node* peer = node(c.peer)) {
      auto& outs = peer->outputs;
      outs.erase(std::remove_if(outs.begin(), outs.end(),
                                [&](const Connection& o) { return o.peer == ref; }),
                 outs.end());
    }
  }
  for (const Connection& c : n->outputs) {
    if (Node* peer = node(c.peer)) {
      auto& ins = peer->inputs;
      ins.erase(std::remove_if(ins.begin(), ins.end(),
                               [&](const Connection& o) { return o.peer == ref; }),
                ins.end());
    }
  }
  n->inputs.clear();
  n->outputs.clear();
}

void Scene::destroy(NodeRef ref) {
  // Everything below first, deepest first, without recursion: a file decides how deep a
  // hierarchy is, and the stack must not.
  std::vector<NodeRef> order;
  for (std::vector<NodeRef> pending{ref}; !pending.empty();) {
    NodeRef r = pending.back();
    pending.pop_back();
    if (const Node* n = node(r)) {
      order.push_back(r);
      pending.insert(pending.end(), n->children.begin(), n->children.end());
    }
  }
  for (auto it = order.rbegin(); it != order.rend(); ++it)
    destroyOne(*it);
}

void Scene::destroyOne(NodeRef ref) {
  Node* n = node(ref);
  if (!n)
    return;
  ++revision_;
  // Curves that animated only this node go with it.
  std::vector<NodeRef> feeders;
  for (const Connection& c : n->inputs) {
    const Node* src = node(c.peer);
    if (src && src->curve())
      feeders.push_back(c.peer);
  }
  removeConnections(ref);
  for (NodeRef f : feeders) {
    const Node* src = node(f);
    if (src && src->outputs.empty())
      destroyOne(f);
  }
  NodeRef parent = n->parent.isSet() ? n->parent : world_;
  if (n->type->dag) {
    if (Node* p = node(parent)) {
      auto& kids = p->children;
      kids.erase(std::remove(kids.begin(), kids.end(), ref), kids.end());
    }
  }
  unindexName(ref);
  for (unsigned int i = HandleAccess::selectionLength(active_); i-- > 0;) {
    if (HandleAccess::nodeRef(HandleAccess::selectionNode(active_, i)) == ref) {
      HandleAccess::selectionRemove(active_, i);
    }
  }
  Slot& slot = slots_[ref.index];
  slot.node.reset();
  // Generation 0 is reserved for "no node"; skip it on wrap-around.
  if (++slot.generation == 0)
    slot.generation = 1;
  freeSlots_.push_back(ref.index);
}

bool Scene::deleteNode(NodeRef ref, std::string* error) {
  const Node* n = node(ref);
  if (!n) {
    if (error)
      *error = "No such node";
    return false;
  }
  if (n->isDefault) {
    if (error)
      *error = "Cannot delete default node '" + n->name + "'";
    return false;
  }
  std::vector<NodeRef> stack{ref};
  while (!stack.empty()) {
    const Node* m = node(stack.back());
    stack.pop_back();
    if (m->isDefault) {
      if (error)
        *error = "Cannot delete default node '" + m->name + "'";
      return false;
    }
    stack.insert(stack.end(), m->children.begin(), m->children.end());
  }
  // Deleting is not recorded: the items before it could no longer be undone soundly.
  UndoQueue::get().flush();
  destroy(ref);
  return true;
}

bool Scene::renameNode(NodeRef ref, const std::string& newName, std::string* error) {
  Node* n = node(ref);
  if (!n || ref == world_) {
    if (error)
      *error = "No such node";
    return false;
  }
  if (!validName(newName)) {
    if (error)
      *error = "Invalid node name: " + newName;
    return false;
  }
  if (n->isDefault) {
    if (error)
      *error = "Cannot rename default node '" + n->name + "'";
    return false;
  }
  if (newName == n->name)
    return true;
  NamePlace place = placeOf(*n->type, parentOf(ref));
  place.except = ref;
  const std::string given = uniqueName(newName, newName, place);
  unindexName(ref);
  if (UndoQueue::get().recording())
    UndoQueue::get().nodeRenamed(ref, n->name, given);
  n->name = given;
  indexName(ref);
  return true;
}

bool Scene::reparent(NodeRef child, NodeRef newParent, std::string* error) {
  // Moving is not recorded: the items before it could no longer be undone soundly.
  UndoQueue::get().flush();
  Node* c = node(child);
  if (!c || !c->type->dag || child == world_) {
    if (error)
      *error = "Only DAG nodes can be parented";
    return false;
  }
  NodeRef target = newParent.isSet() ? newParent : world_;
  Node* p = node(target);
  if (!p || (target != world_ && (!p->type->dag || p->type->shape))) {
    if (error)
      *error = "A DAG node can only be parented under a transform";
    return false;
  }
  if (target == world_ && c->type->shape) {
    if (error)
      *error = "A shape cannot be parented under the world";
    return false;
  }
  if (target == child || isAncestor(child, target)) {
    if (error)
      *error = "A node cannot be parented under itself or its descendants";
    return false;
  }
  Node* old = node(c->parent.isSet() ? c->parent : world_);
  auto& kids = old->children;
  kids.erase(std::remove(kids.begin(), kids.end(), child), kids.end());
  p->children.push_back(child);
  c->parent = target == world_ ? NodeRef{} : target;
  ++revision_;
  // A name a new sibling already has gets a numbered variant, as the host does.
  NamePlace place = placeOf(*c->type, target);
  place.except = child;
  if (nameTaken(c->name, place)) {
    const std::string given = uniqueName(c->name, c->name, place);
    unindexName(child);
    c->name = given;
    indexName(child);
  }
  return true;
}

NodeRef Scene::parentOf(NodeRef ref) const {
  const Node* n = node(ref);
  if (!n || !n->type->dag || ref == world_)
    return NodeRef{};
  return n->parent.isSet() ? n->parent : world_;
}

const CompactVector<NodeRef>& Scene::childrenOf(NodeRef ref) const {
  const Node* n = node(ref);
  return n ? n->children : kNoChildren;
}

bool Scene::isAncestor(NodeRef ancestor, NodeRef ref) const {
  for (NodeRef p = parentOf(ref); p.isSet(); p = parentOf(p)) {
    if (p == ancestor)
      return true;
  }
  return false;
}

unsigned int Scene::depthOf(NodeRef ref) const {
  unsigned int depth = 0;
  for (NodeRef p = parentOf(ref); p.isSet(); p = parentOf(p))
    ++depth;
  return depth;
}

std::vector<NodeRef> Scene::nodes() const {
  std::vector<std::pair<unsigned long long, NodeRef>> all;
  for (uint32_t i = 0; i < slots_.size(); ++i) {
    const Slot& s = slots_[i];
    NodeRef r{i, s.generation};
    if (s.node && r != world_)
      all.emplace_back(static_cast<unsigned long long>(s.node->serial), r);
  }
  std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<NodeRef> out;
  out.reserve(all.size());
  for (const auto& e : all)
    out.push_back(e.second);
  return out;
}

std::vector<NodeRef> Scene::nodesMatching(const std::string& pattern) const {
  std::vector<NodeRef> out;
  for (NodeRef r : nodes()) {
    if (wildcardMatch(pattern.c_str(), node(r)->name.c_str()))
      out.push_back(r);
  }
  return out;
}

}  // namespace minihost
