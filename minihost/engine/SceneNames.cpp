// Node names as the host keeps them: a DAG node's name is unique among its siblings only, so
// two "pCube1" may live under different parents (their full paths tell them apart); a
// dependency node's name is unique in the whole scene. Names the scene makes up for nodes
// created without one are unique in the whole scene, as the host's are.
#include <algorithm>
#include <cctype>

#include "engine/Scene.h"

namespace minihost {
namespace {

std::vector<std::string> splitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '|') {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return parts;
}

}  // namespace

bool Scene::validName(const std::string& name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
    return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != ':')
      return false;
  }
  return true;
}

void Scene::indexName(NodeRef ref, const std::string& name) {
  if (!name.empty())
    byName_[name].push_back(ref);
}

void Scene::unindexName(NodeRef ref, const std::string& name) {
  auto it = byName_.find(name);
  if (it == byName_.end())
    return;
  std::vector<NodeRef>& refs = it->second;
  refs.erase(std::remove(refs.begin(), refs.end(), ref), refs.end());
  if (refs.empty())
    byName_.erase(it);
}

bool Scene::nameTaken(const std::string& name, const NamePlace& place) const {
  auto it = byName_.find(name);
  if (it == byName_.end())
    return false;
  for (NodeRef r : it->second) {
    if (r == place.except)
      continue;
    const Node* other = node(r);
    // A dependency node's name, and a made-up name, clash with any node of that name; a DAG
    // node's only with its siblings' and with dependency nodes'.
    if (place.wholeScene || !place.dag || !other->type->dag || parentOf(r) == place.parent)
      return true;
  }
  return false;
}

std::string Scene::uniqueName(const std::string& requested, const std::string& fallbackBase,
                              NamePlace place) {
  if (requested.empty())
    place.wholeScene = true;
  std::string wanted = requested.empty() ? fallbackBase + "1" : requested;
  if (!nameTaken(wanted, place))
    return wanted;
  size_t end = wanted.size();
  while (end > 0 && std::isdigit(static_cast<unsigned char>(wanted[end - 1])))
    --end;
  std::string base = wanted.substr(0, end);
  int& hint = nextSuffix_[base];
  for (int n = std::max(hint, 1);; ++n) {
    std::string candidate = base + std::to_string(n);
    if (!nameTaken(candidate, place)) {
      hint = n + 1;
      return candidate;
    }
  }
}

Scene::NamePlace Scene::placeOf(const NodeType& type, NodeRef parent) const {
  NamePlace place;
  place.dag = type.dag;
  place.parent = type.dag ? (parent.isSet() ? parent : world_) : NodeRef{};
  return place;
}

std::string Scene::fullPathName(NodeRef ref) const {
  const Node* n = node(ref);
  if (!n || ref == world_)
    return "";
  if (!n->type->dag)
    return n->name;
  std::string path;
  for (NodeRef r = ref; r.isSet() && r != world_; r = parentOf(r)) {
    path = "|" + node(r)->name + path;
  }
  return path;
}

std::string Scene::partialPathName(NodeRef ref) const {
  // The shortest path that names this node alone: its name, then as many parents in front as
  // it takes to tell it from the nodes of the same name, at worst the full path.
  const Node* n = node(ref);
  if (!n || ref == world_)
    return std::string();
  if (!n->type->dag)
    return n->name;
  std::string path = n->name;
  for (NodeRef p = parentOf(ref);; p = parentOf(p)) {
    if (findNode(path) == ref)
      return path;
    if (!p.isSet() || p == world_)
      return "|" + path;
    path = node(p)->name + "|" + path;
  }
}

NodeRef Scene::findNode(const std::string& text, bool* ambiguous) const {
  if (ambiguous)
    *ambiguous = false;
  if (text.empty())
    return NodeRef{};
  std::vector<std::string> parts = splitPath(text);
  const bool absolute = parts.front().empty();
  if (absolute)
    parts.erase(parts.begin());
  if (parts.empty())
    return NodeRef{};
  for (std::string& p : parts) {
    // ":name" names the root namespace's node, as "name" does.
    if (p.size() > 1 && p[0] == ':')
      p.erase(0, 1);
    if (p.empty() || p == ":")
      return NodeRef{};
  }
  auto it = byName_.find(parts.back());
  if (it == byName_.end())
    return NodeRef{};
  NodeRef found;
  int matches = 0;
  for (NodeRef r : it->second) {
    NodeRef walk = r;
    bool match = true;
    for (size_t i = parts.size() - 1; match && i-- > 0;) {
      walk = parentOf(walk);
      match = walk.isSet() && walk != world_ && node(walk)->name == parts[i];
    }
    if (match && absolute && parentOf(walk) != world_)
      match = false;
    if (match) {
      found = r;
      ++matches;
    }
  }
  if (matches > 1) {
    if (ambiguous)
      *ambiguous = true;
    return NodeRef{};
  }
  return found;
}

}  // namespace minihost
