// Attributes added to a node at run time (addAttr, deleteAttr) and attribute locks.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "engine/Scene.h"
#include "engine/UndoQueue.h"

namespace minihost {
namespace {

// Rig controls carry dozens of added attributes; a node with thousands is a damaged or hostile
// file, and each slot costs memory for as long as the node lives.
constexpr size_t kMaxAddedAttributes = 4096;

int staticCount(const Node& n) {
  return static_cast<int>(n.type->attributes.size());
}

bool attributeName(const std::string& name) {
  if (name.empty() || name.size() > 256 ||
      !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_'))
    return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

bool fail(std::string* error, const std::string& text) {
  if (error)
    *error = text;
  return false;
}

NodeExtras& extrasOf(Node& n) {
  NodeRare& rare = n.rareParts();
  if (!rare.extras)
    rare.extras = std::make_unique<NodeExtras>();
  return *rare.extras;
}

// Values start at the default, inside the limits and the type's range.
double startValue(const DynamicAttribute& a) {
  double v = a.info.defaultValue;
  if (a.limits.hasMin)
    v = std::max(v, a.limits.minValue);
  if (a.limits.hasMax)
    v = std::min(v, a.limits.maxValue);
  if (a.info.type == AttrType::kEnum)
    v = std::min(std::max(v, a.info.minValue), a.info.maxValue);
  return v;
}

void indexNames(NodeExtras& x, const DynamicAttribute& a, int attribute) {
  x.byName[a.info.longName] = attribute;
  if (!a.info.shortName.empty())
    x.byName[a.info.shortName] = attribute;
}

void unindexNames(NodeExtras& x, const DynamicAttribute& a) {
  x.byName.erase(a.info.longName);
  x.byName.erase(a.info.shortName);
}

}  // namespace

DynamicAttribute* Scene::dynamicSlot(Node& n, int attribute) {
  const int slot = attribute - staticCount(n);
  if (!n.extras() || attribute < 0 || slot < 0 ||
      slot >= static_cast<int>(n.extras()->dynamic.size()))
    return nullptr;
  DynamicAttribute& a = n.extras()->dynamic[static_cast<size_t>(slot)];
  return a.live() ? &a : nullptr;
}

const DynamicAttribute* Scene::dynamicSlot(const Node& n, int attribute) {
  return dynamicSlot(const_cast<Node&>(n), attribute);
}

double Scene::storedNumber(const Node& n, int attribute) const {
  if (attribute >= staticCount(n)) {
    const DynamicAttribute* a = dynamicSlot(n, attribute);
    return a ? a->number : 0.0;
  }
  return n.values.number(*n.type, attribute);
}

const std::string& Scene::storedText(const Node& n, int attribute) {
  static const std::string kNone;
  if (attribute >= staticCount(n)) {
    const DynamicAttribute* a = dynamicSlot(n, attribute);
    return a ? a->text : kNone;
  }
  return n.values.text(attribute);
}

void Scene::storeText(Node& n, int attribute, const std::string& value) {
  if (attribute >= staticCount(n)) {
    if (DynamicAttribute* a = dynamicSlot(n, attribute))
      a->text = value;
    return;
  }
  n.values.setText(attribute, value);
}

const DynamicAttribute* Scene::dynamicAttribute(NodeRef ref, int attribute) const {
  const Node* n = node(ref);
  return n ? dynamicSlot(*n, attribute) : nullptr;
}

std::vector<int> Scene::dynamicAttributes(NodeRef ref) const {
  std::vector<int> out;
  const Node* n = node(ref);
  if (!n || !n->extras())
    return out;
  for (size_t i = 0; i < n->extras()->dynamic.size(); ++i) {
    if (n->extras()->dynamic[i].live())
      out.push_back(staticCount(*n) + static_cast<int>(i));
  }
  return out;
}

int Scene::addAttribute(NodeRef ref, const DynamicAttribute& wanted, int parent,
                        std::string* error) {
  Node* n = node(ref);
  if (!n) {
    fail(error, "No such node");
    return -1;
  }
  const std::string& longName = wanted.info.longName;
  const std::string& shortName = wanted.info.shortName;
  if (!attributeName(longName) || (!shortName.empty() && !attributeName(shortName))) {
    fail(error, "Invalid attribute name: " + (attributeName(longName) ? shortName : longName));
    return -1;
  }
  for (const std::string* name : {&longName, &shortName}) {
    if (!name->empty() && findAttribute(ref, *name) >= 0) {
      fail(error, "An attribute named '" + *name + "' already exists on '" + n->name + "'");
      return -1;
    }
  }
  const AttrType type = wanted.info.type;
  if (type == AttrType::kMatrix) {
    fail(error, "Matrix attributes cannot be added");
    return -1;
  }
  if (type == AttrType::kEnum && wanted.enumFields.empty()) {
    fail(error, "An enum attribute needs at least one field");
    return -1;
  }
  DynamicAttribute* owner = nullptr;
  if (parent >= 0) {
    owner = dynamicSlot(*n, parent);
    if (!owner || owner->info.type != AttrType::kCompound) {
      fail(error, "The parent is not a compound attribute added to '" + n->name + "'");
      return -1;
    }
    if (owner->expectedChildren > 0 &&
        owner->info.children.size() >= static_cast<size_t>(owner->expectedChildren)) {
      fail(error, "The compound '" + owner->info.longName + "' already has its " +
                      std::to_string(owner->expectedChildren) + " children");
      return -1;
    }
  }
  NodeExtras& x = extrasOf(*n);
  // Most nodes only ever add: the search for a freed slot runs only when there is one.
  size_t slot = x.emptySlots == 0 ? x.dynamic.size() : 0;
  while (slot < x.dynamic.size() && x.dynamic[slot].live())
    ++slot;
  if (slot < x.dynamic.size()) {
    --x.emptySlots;
  } else {
    if (x.dynamic.size() >= kMaxAddedAttributes) {
      fail(error, "'" + n->name + "' holds " + std::to_string(kMaxAddedAttributes) +
                      " added attributes, as many as a node may");
      return -1;
    }
    x.dynamic.emplace_back();
    // The owner may have moved with the vector.
    if (parent >= 0)
      owner = dynamicSlot(*n, parent);
  }
  const int attribute = staticCount(*n) + static_cast<int>(slot);
  DynamicAttribute a = wanted;
  if (a.info.shortName.empty())
    a.info.shortName = a.info.longName;
  a.info.parent = parent;
  a.info.children.clear();
  if (type == AttrType::kEnum) {
    a.info.minValue = a.enumFields.front().second;
    a.info.maxValue = a.enumFields.front().second;
    for (const auto& field : a.enumFields) {
      a.info.minValue = std::min<double>(a.info.minValue, field.second);
      a.info.maxValue = std::max<double>(a.info.maxValue, field.second);
    }
  }
  a.number = startValue(a);
  a.text.clear();
  x.dynamic[slot] = std::move(a);
  indexNames(x, x.dynamic[slot], attribute);
  if (owner)
    owner->info.children.push_back(attribute);
  ++revision_;
  if (UndoQueue::get().recording())
    UndoQueue::get().attributeAdded(ref, attribute, x.dynamic[slot]);
  return attribute;
}

bool Scene::deleteAttribute(NodeRef ref, int attribute, std::string* error) {
  Node* n = node(ref);
  if (!n)
    return fail(error, "No such node");
  const DynamicAttribute* a = dynamicSlot(*n, attribute);
  if (!a) {
    const AttributeInfo* info = attributeInfo(ref, attribute);
    return fail(error, info ? "'" + info->longName +
                                  "' is not an added attribute and cannot be "
                                  "deleted"
                            : "No such attribute");
  }
  if (a->info.parent >= 0)
    return fail(error, "'" + a->info.longName + "' is a child of a compound; delete the compound");
  std::vector<int> doomed = a->info.children;
  std::reverse(doomed.begin(), doomed.end());  // undo puts the children back in their order
  doomed.push_back(attribute);
  for (int d : doomed) {
    if (isLocked(ref, d))
      return fail(error, "'" + dynamicSlot(*n, d)->info.longName + "' is locked");
  }
  for (int d : doomed) {
    // Connections go first, each through the recorded path so that undo makes them again.
    NodeRef src;
    int srcAttr = -1;
    if (inputOf(ref, d, src, srcAttr))
      disconnect(src, srcAttr, ref, d);
    for (const auto& out : outputsOf(ref, d))
      disconnect(ref, d, out.first, out.second);
    if (UndoQueue::get().recording())
      UndoQueue::get().attributeDeleted(ref, d, *dynamicSlot(*n, d));
    restoreAttribute(ref, d, nullptr);
  }
  return true;
}

void Scene::restoreAttribute(NodeRef ref, int attribute, const DynamicAttribute* record) {
  Node* n = node(ref);
  const int slot = n ? attribute - staticCount(*n) : -1;
  if (!n || slot < 0 || static_cast<size_t>(slot) >= kMaxAddedAttributes)
    return;
  NodeExtras& x = extrasOf(*n);
  if (static_cast<size_t>(slot) >= x.dynamic.size()) {
    if (!record)
      return;
    x.emptySlots += static_cast<size_t>(slot) + 1 - x.dynamic.size();
    x.dynamic.resize(static_cast<size_t>(slot) + 1);
  }
  DynamicAttribute& a = x.dynamic[static_cast<size_t>(slot)];
  if (a.live() && !record)
    ++x.emptySlots;
  else if (!a.live() && record)
    --x.emptySlots;
  if (a.live()) {
    if (DynamicAttribute* owner = dynamicSlot(*n, a.info.parent)) {
      auto& kids = owner->info.children;
      kids.erase(std::remove(kids.begin(), kids.end(), attribute), kids.end());
    }
    unindexNames(x, a);
    x.locked.erase(attribute);
  }
  a = record ? *record : DynamicAttribute{};
  if (record) {
    indexNames(x, a, attribute);
    if (DynamicAttribute* owner = dynamicSlot(*n, a.info.parent)) {
      auto& kids = owner->info.children;
      if (std::find(kids.begin(), kids.end(), attribute) == kids.end())
        kids.push_back(attribute);
    }
  }
  ++revision_;
}

bool Scene::isLocked(NodeRef ref, int attribute) const {
  const Node* n = node(ref);
  if (!n || !n->extras() || n->extras()->locked.empty())
    return false;
  if (n->extras()->locked.count(attribute) > 0)
    return true;
  // A locked compound locks its children.
  const AttributeInfo* info = attributeInfo(ref, attribute);
  return info && info->parent >= 0 && n->extras()->locked.count(info->parent) > 0;
}

bool Scene::setLocked(NodeRef ref, int attribute, bool locked) {
  Node* n = node(ref);
  if (!n || !attributeInfo(ref, attribute))
    return false;
  const bool before = isLocked(ref, attribute);
  if (before == locked)
    return true;
  restoreLock(ref, attribute, locked);
  if (UndoQueue::get().recording())
    UndoQueue::get().lockChanged(ref, attribute, before, locked);
  return true;
}

void Scene::restoreLock(NodeRef ref, int attribute, bool locked) {
  Node* n = node(ref);
  if (!n)
    return;
  if (locked)
    extrasOf(*n).locked.insert(attribute);
  else if (n->extras())
    n->extras()->locked.erase(attribute);
}

}  // namespace minihost
