#include <maya/MSelectionList.h>

#include <algorithm>
#include <cctype>

#include <maya/MStringArray.h>

#include "engine/Handles.h"
#include "engine/Scene.h"

OPENMAYA_MAJOR_NAMESPACE_OPEN

using minihost::HandleAccess;
using minihost::NodeRef;
using minihost::Scene;

namespace {

// Parses "[3]", "[1:4]" or "[*]" into indices below `limit`. False for malformed
// text or indices out of range.
bool parseIndices(const std::string& text, int limit, std::vector<int>& out) {
  if (text.size() < 3 || text.front() != '[' || text.back() != ']')
    return false;
  std::string body = text.substr(1, text.size() - 2);
  if (body == "*") {
    for (int i = 0; i < limit; ++i)
      out.push_back(i);
    return limit > 0;
  }
  auto number = [](const std::string& s, int& v) {
    if (s.empty() || s.size() > 9)
      return false;
    for (char c : s) {
      if (!std::isdigit(static_cast<unsigned char>(c)))
        return false;
    }
    v = std::stoi(s);
    return true;
  };
  size_t colon = body.find(':');
  int first = 0, last = 0;
  if (colon == std::string::npos) {
    if (!number(body, first))
      return false;
    last = first;
  } else if (!number(body.substr(0, colon), first) || !number(body.substr(colon + 1), last)) {
    return false;
  }
  if (first > last || last >= limit)
    return false;
  for (int i = first; i <= last; ++i)
    out.push_back(i);
  return true;
}

// The mesh shape a component name refers to: the node itself or the single shape below it.
NodeRef meshFor(NodeRef ref) {
  Scene& scene = Scene::get();
  const minihost::Node* n = scene.node(ref);
  if (!n)
    return NodeRef{};
  if (n->mesh())
    return ref;
  NodeRef found;
  for (NodeRef c : scene.childrenOf(ref)) {
    if (scene.node(c)->mesh()) {
      if (found.isSet())
        return NodeRef{};
      found = c;
    }
  }
  return found;
}

bool containsAll(const MObject& held, const MObject& wanted) {
  if (HandleAccess::componentType(held) != HandleAccess::componentType(wanted))
    return false;
  const std::vector<int>* h = HandleAccess::componentElements(held);
  const std::vector<int>* w = HandleAccess::componentElements(wanted);
  for (int e : *w) {
    if (std::find(h->begin(), h->end(), e) == h->end())
      return false;
  }
  return true;
}

std::string indexText(const std::vector<int>& elements) {
  if (elements.empty())
    return "[]";
  bool contiguous = true;
  for (size_t i = 1; i < elements.size(); ++i)
    contiguous = contiguous && elements[i] == elements[i - 1] + 1;
  if (elements.size() == 1)
    return "[" + std::to_string(elements[0]) + "]";
  if (contiguous) {
    return "[" + std::to_string(elements.front()) + ":" + std::to_string(elements.back()) + "]";
  }
  std::string s;
  for (int e : elements)
    s += (s.empty() ? "[" : ",") + std::to_string(e);
  return s + "]";
}

}  // namespace

MSelectionList::MSelectionList() = default;
MSelectionList::MSelectionList(const MSelectionList& src) = default;
MSelectionList::~MSelectionList() = default;
MSelectionList& MSelectionList::operator=(const MSelectionList& other) = default;

MStatus MSelectionList::clear() {
  items_.clear();
  return MS::kSuccess;
}

bool MSelectionList::isEmpty(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return items_.empty();
}

unsigned int MSelectionList::length(MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  return static_cast<unsigned int>(items_.size());
}

MStatus MSelectionList::add(const MObject& object, const bool mergeWithExisting) {
  if (!Scene::get().isAlive(HandleAccess::nodeRef(object)))
    return MS::kInvalidParameter;
  for (const Item& item : items_) {
    if (item.node == object && item.component.isNull())
      return MS::kSuccess;
  }
  (void)mergeWithExisting;
  items_.push_back(Item{object, MObject()});
  return MS::kSuccess;
}

MStatus MSelectionList::add(const MDagPath& object, const MObject& component,
                            const bool mergeWithExisting) {
  if (!object.isValid())
    return MS::kInvalidParameter;
  MObject node = object.node();
  for (Item& item : items_) {
    if (item.node != node)
      continue;
    if (item.component == component)
      return MS::kSuccess;
    if (mergeWithExisting && !component.isNull() &&
        HandleAccess::componentType(item.component) == HandleAccess::componentType(component)) {
      std::vector<int> merged = *HandleAccess::componentElements(item.component);
      for (int e : *HandleAccess::componentElements(component)) {
        if (std::find(merged.begin(), merged.end(), e) == merged.end())
          merged.push_back(e);
      }
      std::sort(merged.begin(), merged.end());
      item.component =
          HandleAccess::componentObject(HandleAccess::componentType(component), merged);
      return MS::kSuccess;
    }
  }
  items_.push_back(Item{node, component});
  return MS::kSuccess;
}

MStatus MSelectionList::add(const MString& matchString, const bool) {
  Scene& scene = Scene::get();
  std::string text = matchString.asChar();
  size_t dot = text.find('.');
  if (dot != std::string::npos) {
    std::string nodeText = text.substr(0, dot);
    std::string rest = text.substr(dot + 1);
    NodeRef mesh = meshFor(scene.findNode(nodeText));
    if (!mesh.isSet())
      return MS::kInvalidParameter;
    const minihost::MeshData& data = *scene.node(mesh)->mesh();
    MFn::Type type;
    int limit;
    std::string indices;
    if (rest.compare(0, 1, "f") == 0 && rest.size() > 1 && rest[1] == '[') {
      type = MFn::kMeshPolygonComponent;
      limit = data.polygonCount();
      indices = rest.substr(1);
    } else if (rest.compare(0, 4, "vtx[") == 0) {
      type = MFn::kMeshVertComponent;
      limit = data.pointCount();
      indices = rest.substr(3);
    } else {
      return MS::kInvalidParameter;
    }
    std::vector<int> elements;
    if (!parseIndices(indices, limit, elements))
      return MS::kInvalidParameter;
    return add(HandleAccess::dagPath(mesh), HandleAccess::componentObject(type, elements), true);
  }
  std::vector<NodeRef> matches;
  if (text.find_first_of("*?") != std::string::npos) {
    if (text.find('|') != std::string::npos)
      return MS::kInvalidParameter;
    matches = scene.nodesMatching(text);
  } else {
    NodeRef r = scene.findNode(text);
    if (r.isSet())
      matches.push_back(r);
  }
  if (matches.empty())
    return MS::kInvalidParameter;
  for (NodeRef r : matches)
    add(HandleAccess::nodeObject(r));
  return MS::kSuccess;
}

MStatus MSelectionList::remove(unsigned int index) {
  if (index >= items_.size())
    return MS::kInvalidParameter;
  items_.erase(items_.begin() + index);
  return MS::kSuccess;
}

MStatus MSelectionList::merge(const MSelectionList& other, const MergeStrategy strategy) {
  for (const Item& item : other.items_) {
    auto same = [&](const Item& i) { return i.node == item.node && i.component == item.component; };
    auto it = std::find_if(items_.begin(), items_.end(), same);
    if (strategy == kRemoveFromList) {
      if (it != items_.end())
        items_.erase(it);
    } else if (strategy == kXORWithList && it != items_.end()) {
      items_.erase(it);
    } else if (it == items_.end()) {
      items_.push_back(item);
    }
  }
  return MS::kSuccess;
}

MStatus MSelectionList::getDependNode(unsigned int index, MObject& depNode) const {
  if (index >= items_.size())
    return MS::kInvalidParameter;
  if (items_[index].node.isNull())
    return MS::kFailure;
  depNode = items_[index].node;
  return MS::kSuccess;
}

MStatus MSelectionList::getDagPath(unsigned int index, MDagPath& dagPath,
                                   MObject& component) const {
  if (index >= items_.size())
    return MS::kInvalidParameter;
  const Item& item = items_[index];
  if (!item.node.hasFn(MFn::kDagNode))
    return MS::kFailure;
  dagPath = HandleAccess::dagPath(HandleAccess::nodeRef(item.node));
  // The shared null object is the "no component wanted" default: never overwrite it.
  if (&component != &MObject::kNullObj)
    component = item.component;
  return MS::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(MStringArray& array) const {
  array.clear();
  for (unsigned int i = 0; i < items_.size(); ++i) {
    MStringArray one;
    if (getSelectionStrings(i, one))
      array.append(one[0]);
  }
  return MS::kSuccess;
}

MStatus MSelectionList::getSelectionStrings(unsigned int index, MStringArray& array) const {
  array.clear();
  if (index >= items_.size())
    return MS::kInvalidParameter;
  const Item& item = items_[index];
  const minihost::Node* n = Scene::get().node(HandleAccess::nodeRef(item.node));
  if (!n)
    return MS::kFailure;
  std::string text = n->name;
  if (const std::vector<int>* e = HandleAccess::componentElements(item.component)) {
    text += HandleAccess::componentType(item.component) == MFn::kMeshVertComponent ? ".vtx" : ".f";
    text += indexText(*e);
  }
  array.append(MString(text.c_str()));
  return MS::kSuccess;
}

bool MSelectionList::hasItem(const MObject& item, MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  if (item.isNull())
    return false;
  for (const Item& i : items_) {
    if (i.node == item)
      return true;
  }
  return false;
}

bool MSelectionList::hasItem(const MDagPath& item, const MObject& component,
                             MStatus* ReturnStatus) const {
  if (ReturnStatus)
    *ReturnStatus = MS::kSuccess;
  if (!item.isValid())
    return false;
  MObject node = item.node();
  for (const Item& i : items_) {
    if (i.node != node)
      continue;
    if (component.isNull())
      return true;
    if (!i.component.isNull() && containsAll(i.component, component))
      return true;
  }
  return false;
}

OPENMAYA_NAMESPACE_CLOSE
