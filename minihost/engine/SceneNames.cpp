// Node names as the host keeps them: a DAG node's name is unique among its siblings only, so
// two "pCube1" may live under different parents (their full paths tell them apart); a
// dependency node's name is unique in the whole scene. Names the scene makes up for nodes
// created without one are unique in the whole scene, as the host's are.
#include <algorithm>
#include <cctype>

#include "engine/Scene.h"

namespace minihost {
namespace {

std::vector<std::string_view> splitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  for (size_t pos = 0;;) {
    const size_t bar = path.find('|', pos);
    parts.push_back(path.substr(pos, bar == std::string_view::npos ? bar : bar - pos));
    if (bar == std::string_view::npos)
      return parts;
    pos = bar + 1;
  }
}

}  // namespace

// Node names are ASCII letters, digits, '_' and ':', whatever the process's locale says; a
// table answers for each byte, as every node a file makes asks.
bool Scene::validName(const std::string& name) {
  struct NameBytes {
    bool allowed[256] = {};
    constexpr NameBytes() {
      for (int c = 0; c < 256; ++c)
        allowed[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '_' || c == ':';
    }
  };
  static constexpr NameBytes kBytes;
  if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
    return false;
  for (char c : name) {
    if (!kBytes.allowed[static_cast<unsigned char>(c)])
      return false;
  }
  return true;
}

void Scene::indexName(NodeRef ref) {
  const Node* n = node(ref);
  if (!n || n->name.empty())
    return;
  byName_.insert(n->name, ref);
  if (!n->type->dag)
    dependencyNames_.insert(n->name);
}

void Scene::unindexName(NodeRef ref) {
  const Node* n = node(ref);
  if (!n)
    return;
  byName_.erase(n->name, ref);
  if (!n->type->dag)
    dependencyNames_.erase(n->name);
}

NameIndex Scene::indexOf(const std::vector<Slot>& slots) {
  NameIndex index;
  index.reserve(slots.size());
  for (size_t i = 0; i < slots.size(); ++i) {
    if (const Node* n = slots[i].node.get()) {
      if (!n->name.empty())
        index.insert(n->name, NodeRef{static_cast<uint32_t>(i), slots[i].generation});
    }
  }
  return index;
}

bool Scene::fewerNamed(std::string_view a, std::string_view b) const {
  // Counted in growing steps, so that thousands of nodes of one name cost a lookup of the
  // other name no more than the other name's own count.
  for (size_t limit = 4;; limit *= 4) {
    const size_t as = byName_.countUpTo(a, nameOf(), limit);
    const size_t bs = byName_.countUpTo(b, nameOf(), limit);
    if (as < limit || bs < limit)
      return as < bs;
  }
}

// The child of `parent` with that name (sibling names are unique): from the parent's children or
// from the nodes of that name, whichever list is shorter, so that neither thousands of children
// nor thousands of nodes of one name make the lookup slow.
NodeRef Scene::childNamed(NodeRef parent, std::string_view name, NodeRef except) const {
  const CompactVector<NodeRef>& kids = childrenOf(parent.isSet() ? parent : world_);
  const size_t named = byName_.countUpTo(name, nameOf(), kids.size() + 1);
  if (named == 0)
    return NodeRef{};
  if (named > kids.size()) {
    for (NodeRef k : kids) {
      if (k != except && node(k)->name == name)
        return k;
    }
    return NodeRef{};
  }
  NodeRef found;
  byName_.forEach(name, nameOf(), [&](NodeRef r) {
    if (r != except && node(r)->type->dag && parentOf(r) == (parent.isSet() ? parent : world_))
      found = r;
    return !found.isSet();
  });
  return found;
}

bool Scene::nameTaken(const std::string& name, const NamePlace& place) const {
  if (!byName_.contains(name, nameOf()))
    return false;
  if (place.dag && !place.wholeScene) {
    // A DAG node's name clashes with a dependency node's and with its siblings' only.
    if (dependencyNames_.count(name) > 0)
      return true;
    return childNamed(place.parent, name, place.except).isSet();
  }
  // A dependency node's name, and a made-up name, clash with any node of that name; a DAG
  // node's only with its siblings' and with dependency nodes'.
  return !byName_.forEach(name, nameOf(), [&](NodeRef r) {
    return r == place.except ||
           !(place.wholeScene || !place.dag || !node(r)->type->dag || parentOf(r) == place.parent);
  });
}

std::string Scene::uniqueName(const std::string& requested, const std::string& fallbackBase,
                              NamePlace place) {
  if (!requested.empty() && !nameTaken(requested, place))
    return requested;  // nearly every node a file makes
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
  // Gathered first and joined once: prepending name by name costs the square of the depth.
  std::vector<const std::string*> names;
  size_t length = 0;
  for (NodeRef r = ref; r.isSet() && r != world_; r = parentOf(r)) {
    names.push_back(&node(r)->name);
    length += names.back()->size() + 1;
  }
  std::string path;
  path.reserve(length);
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    path += '|';
    path += **it;
  }
  return path;
}

std::string Scene::partialPathName(NodeRef ref) const {
  // The shortest path that names this node alone: its name, then as many parents in front as
  // it takes to tell it from the other nodes of its name, at worst the full path. The rivals
  // are followed up their parents level by level, each step once.
  const Node* n = node(ref);
  if (!n || ref == world_)
    return std::string();
  if (!n->type->dag)
    return n->name;
  std::vector<NodeRef> rivals;
  byName_.forEach(n->name, nameOf(), [&](NodeRef r) {
    if (r != ref)
      rivals.push_back(r);
    return true;
  });
  std::vector<const std::string*> names{&n->name};
  bool full = false;
  for (NodeRef mine = ref; !rivals.empty();) {
    mine = parentOf(mine);
    if (!mine.isSet() || mine == world_) {
      full = true;
      break;
    }
    const std::string& above = node(mine)->name;
    names.push_back(&above);
    size_t kept = 0;
    for (NodeRef r : rivals) {
      NodeRef p = parentOf(r);
      if (p.isSet() && p != world_ && node(p)->name == above)
        rivals[kept++] = p;
    }
    rivals.resize(kept);
  }
  std::string path = full ? "|" : "";
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    if (name != names.rbegin())
      path += '|';
    path += **name;
  }
  return path;
}

NodeRef Scene::findNode(const std::string& text, bool* ambiguous) const {
  if (ambiguous)
    *ambiguous = false;
  if (text.empty())
    return NodeRef{};
  std::vector<std::string_view> parts = splitPath(text);
  const bool absolute = parts.front().empty();
  if (absolute)
    parts.erase(parts.begin());
  if (parts.empty())
    return NodeRef{};
  for (std::string_view& p : parts) {
    // ":name" names the root namespace's node, as "name" does.
    if (p.size() > 1 && p[0] == ':')
      p.remove_prefix(1);
    if (p.empty() || p == ":")
      return NodeRef{};
  }
  if (!byName_.contains(parts.back(), nameOf()) ||
      (parts.size() > 1 && !byName_.contains(parts.front(), nameOf())))
    return NodeRef{};
  NodeRef found;
  int matches = 0;
  if (absolute || (parts.size() > 1 && fewerNamed(parts.front(), parts.back()))) {
    // From the first name down, one child lookup per level.
    auto descend = [&](NodeRef walk) {
      for (size_t i = 1; i < parts.size() && walk.isSet(); ++i)
        walk = childNamed(walk, parts[i]);
      if (walk.isSet()) {
        found = walk;
        ++matches;
      }
    };
    if (absolute) {
      descend(childNamed(world_, parts.front()));
    } else {
      byName_.forEach(parts.front(), nameOf(), [&](NodeRef r) {
        if (node(r)->type->dag)
          descend(r);
        return matches <= 1;
      });
    }
  } else {
    byName_.forEach(parts.back(), nameOf(), [&](NodeRef r) {
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
      return matches <= 1;
    });
  }
  if (matches > 1) {
    if (ambiguous)
      *ambiguous = true;
    return NodeRef{};
  }
  return found;
}

}  // namespace minihost
