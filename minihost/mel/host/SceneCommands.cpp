// createNode, delete, rename, parent, group, ls, listRelatives, objExists, nodeType.

#include <algorithm>

#include "mel/Glob.h"
#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"

namespace mel::host {

using minihost::NodeKind;
using minihost::NodeRef;

namespace {

bool cmdCreateNode(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"n", "name", 1}, {"p", "parent", 1}, {"ss", "skipSelect", 0}}, false)) {
    return false;
  }
  if (flags.positional.size() != 1)
    return call.failNamed("Expected one node type.");
  std::string type = flags.positional[0].asString();
  if (minihost::findNodeType(type) == nullptr || type == "world") {
    return call.failNamed("Unknown object type: " + type);
  }
  NodeRef parent;
  if (flags.has("parent") && !findNode(call, flags.value("parent").asString(), parent)) {
    return false;
  }
  std::string error;
  NodeRef ref = scene().createNode(type, flags.value("name").asString(), parent, &error);
  if (!ref.isSet())
    return call.failNamed(error);
  if (!flags.has("skipSelect"))
    setSelection({ref});
  call.result = Value(nodeName(ref));
  return true;
}

bool cmdDelete(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {}, false))
    return false;
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, flags.positional, nodes))
    return false;
  if (nodes.empty())
    return call.failNamed("Not enough objects or values.");
  for (NodeRef ref : nodes) {
    // Deleting a parent already took its children with it.
    if (!scene().isAlive(ref))
      continue;
    std::string error;
    if (!scene().deleteNode(ref, &error))
      return call.failNamed(error);
  }
  return true;
}

bool cmdRename(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {}, false))
    return false;
  NodeRef ref;
  std::string newName;
  if (flags.positional.size() == 2) {
    if (!findNode(call, flags.positional[0].asString(), ref))
      return false;
    newName = flags.positional[1].asString();
  } else if (flags.positional.size() == 1) {
    std::vector<NodeRef> selected = selectedNodes();
    if (selected.empty())
      return call.failNamed("Nothing selected to rename.");
    ref = selected.front();
    newName = flags.positional[0].asString();
  } else {
    return call.failNamed("Expected an object and a new name.");
  }
  std::string error;
  if (!scene().renameNode(ref, newName, &error))
    return call.failNamed(error);
  // The reference promises only "the new name": the node's own name, which other DAG nodes
  // elsewhere may share, never a path that tells them apart.
  call.result = Value(scene().node(ref)->name);
  return true;
}

bool cmdParent(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"w", "world", 0}, {"r", "relative", 0}, {"a", "absolute", 0}}, false)) {
    return false;
  }
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, flags.positional, nodes))
    return false;
  NodeRef target = scene().world();
  if (!flags.has("world")) {
    if (nodes.size() < 2)
      return call.failNamed("Expected the objects and their new parent.");
    target = nodes.back();
    nodes.pop_back();
  }
  std::vector<std::string> names;
  for (NodeRef child : nodes) {
    std::string error;
    if (!scene().reparent(child, target, &error))
      return call.failNamed(error);
    names.push_back(nodeName(child));
  }
  call.result = Value(std::move(names));
  return true;
}

bool cmdGroup(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"n", "name", 1}, {"w", "world", 0}, {"em", "empty", 0}, {"p", "parent", 1}},
                   false)) {
    return false;
  }
  std::vector<NodeRef> nodes;
  if (!flags.has("empty") && !objectsOrSelection(call, flags.positional, nodes))
    return false;
  NodeRef parent;
  if (flags.has("parent") && !findNode(call, flags.value("parent").asString(), parent)) {
    return false;
  }
  if (!flags.has("parent") && !flags.has("world") && !nodes.empty()) {
    // The group goes where the first object was.
    NodeRef p = scene().parentOf(nodes.front());
    if (p != scene().world())
      parent = p;
  }
  std::string error;
  std::string name = flags.has("name") ? flags.value("name").asString() : std::string("group1");
  NodeRef group = scene().createNode("transform", name, parent, &error);
  if (!group.isSet())
    return call.failNamed(error);
  for (NodeRef child : nodes) {
    if (!scene().reparent(child, group, &error))
      return call.failNamed(error);
  }
  setSelection({group});
  call.result = Value(nodeName(group));
  return true;
}

bool kindMatches(const minihost::Node& n, const std::string& type) {
  if (n.type->name == type)
    return true;
  // The abstract kinds scripts filter by.
  if (type == "light") {
    return n.kind() == NodeKind::kDirectionalLight || n.kind() == NodeKind::kPointLight ||
           n.kind() == NodeKind::kSpotLight || n.kind() == NodeKind::kAmbientLight ||
           n.kind() == NodeKind::kAreaLight;
  }
  if (type == "shape")
    return n.type->shape;
  if (type == "dagNode")
    return n.type->dag;
  if (type == "animCurve")
    return minihost::isAnimCurve(n.kind());
  return false;
}

// The nodes that exact names (no pattern characters) can match, in scene order, looked up by
// name instead of walking every node; every node when any name is a pattern.
std::vector<NodeRef> namedNodes(const std::vector<std::string>& names) {
  std::vector<NodeRef> found;
  for (const std::string& name : names) {
    if (name.find_first_of("*?[\\") != std::string::npos)
      return scene().nodes();
    NodeRef ref = scene().findNode(name);
    if (ref.isSet() && std::find(found.begin(), found.end(), ref) == found.end())
      found.push_back(ref);
  }
  std::sort(found.begin(), found.end(),
            [](NodeRef a, NodeRef b) { return scene().node(a)->serial < scene().node(b)->serial; });
  return found;
}

// A name pattern against a node name, namespace by namespace as the host matches them: a
// pattern without a namespace looks in the root namespace only ("*" lists no "cam:shot"), one
// with a namespace in that namespace ("cam:*"); with -recursive the pattern's namespace may sit
// anywhere below (and "*" matches in every namespace).
bool namespaceMatch(std::string pattern, const std::string& name, bool recursive) {
  if (!pattern.empty() && pattern[0] == ':')
    pattern.erase(0, 1);
  size_t p = pattern.rfind(':'), n = name.rfind(':');
  std::string patternNs = p == std::string::npos ? std::string() : pattern.substr(0, p);
  std::string nameNs = n == std::string::npos ? std::string() : name.substr(0, n);
  std::string patternLeaf = p == std::string::npos ? pattern : pattern.substr(p + 1);
  std::string nameLeaf = n == std::string::npos ? name : name.substr(n + 1);
  if (!globMatch(patternLeaf, nameLeaf))
    return false;
  if (!recursive)
    return globMatch(patternNs, nameNs);
  if (patternNs.empty())
    return true;
  return globMatch(patternNs, nameNs) || globMatch("*:" + patternNs, nameNs);
}

bool cmdLs(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"sl", "selection", 0},
                    {"typ", "type", 1},
                    {"l", "long", 0},
                    {"dag", "dag", 0},
                    {"tr", "transforms", 0},
                    {"s", "shapes", 0},
                    {"ca", "cameras", 0},
                    {"lt", "lights", 0},
                    {"g", "geometry", 0},
                    {"st", "showType", 0},
                    {"r", "recursive", 1}},
                   false)) {
    return false;
  }
  const bool recursive = flags.has("recursive") && asBoolArg(flags.value("recursive"));
  std::vector<std::string> patterns;
  for (const Value& v : flags.positional) {
    for (const std::string& p : v.asStringArray())
      patterns.push_back(p);
  }
  std::vector<NodeRef> candidates = flags.has("selection") ? selectedNodes()
                                    : patterns.empty()     ? scene().nodes()
                                                           : namedNodes(patterns);
  std::vector<std::string> types;
  for (const auto& t : flags.all("type"))
    types.push_back(t[0].asString());
  if (flags.has("transforms"))
    types.push_back("transform");
  if (flags.has("shapes"))
    types.push_back("shape");
  if (flags.has("cameras"))
    types.push_back("camera");
  if (flags.has("lights"))
    types.push_back("light");
  if (flags.has("geometry"))
    types.push_back("mesh");
  std::vector<std::string> out;
  for (NodeRef ref : candidates) {
    const minihost::Node* n = scene().node(ref);
    if (n == nullptr)
      continue;
    if (flags.has("dag") && !n->type->dag)
      continue;
    if (!types.empty() && std::none_of(types.begin(), types.end(),
                                       [&](const std::string& t) { return kindMatches(*n, t); })) {
      continue;
    }
    if (!patterns.empty()) {
      std::string full = scene().fullPathName(ref);
      bool match = std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) {
        if (p.find('|') != std::string::npos) {
          return globMatch(p, full) || scene().findNode(p) == ref;
        }
        return namespaceMatch(p, n->name, recursive);
      });
      if (!match)
        continue;
    }
    out.push_back(flags.has("long") ? scene().fullPathName(ref) : nodeName(ref));
    if (flags.has("showType"))
      out.push_back(n->type->name);
  }
  call.result = Value(std::move(out));
  return true;
}

void collectDescendants(NodeRef ref, std::vector<NodeRef>& out) {
  for (NodeRef child : scene().childrenOf(ref)) {
    // Deepest first, as the host lists all descendants.
    collectDescendants(child, out);
    out.push_back(child);
  }
}

bool cmdListRelatives(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"c", "children", 0},
                    {"p", "parent", 0},
                    {"s", "shapes", 0},
                    {"ad", "allDescendents", 0},
                    {"f", "fullPath", 0},
                    {"pa", "path", 0},
                    {"typ", "type", 1},
                    {"ap", "allParents", 0}},
                   false)) {
    return false;
  }
  std::vector<NodeRef> nodes;
  if (!objectsOrSelection(call, flags.positional, nodes))
    return false;
  std::vector<NodeRef> found;
  for (NodeRef ref : nodes) {
    if (flags.has("parent") || flags.has("allParents")) {
      NodeRef p = scene().parentOf(ref);
      if (p.isSet() && p != scene().world())
        found.push_back(p);
    } else if (flags.has("allDescendents")) {
      collectDescendants(ref, found);
    } else {
      for (NodeRef child : scene().childrenOf(ref))
        found.push_back(child);
    }
  }
  std::vector<std::string> types;
  for (const auto& t : flags.all("type"))
    types.push_back(t[0].asString());
  std::vector<NodeRef> kept;
  for (NodeRef ref : found) {
    const minihost::Node* n = scene().node(ref);
    if (n == nullptr)
      continue;
    if (flags.has("shapes") && !n->type->shape)
      continue;
    if (!types.empty() && std::none_of(types.begin(), types.end(),
                                       [&](const std::string& t) { return kindMatches(*n, t); })) {
      continue;
    }
    kept.push_back(ref);
  }
  call.result = namesValue(kept, flags.has("fullPath"));
  return true;
}

bool cmdObjExists(CommandCall& call) {
  if (call.count() != 1)
    return call.failNamed("Expected one object name.");
  std::string name = call.arg(0).asString();
  bool exists = scene().findNode(name).isSet();
  if (!exists && name.find('.') != std::string::npos) {
    // A plug also exists.
    std::size_t dot = name.find('.');
    NodeRef ref = scene().findNode(name.substr(0, dot));
    exists = ref.isSet() && scene().findAttribute(ref, name.substr(dot + 1)) >= 0;
  }
  call.result = Value(exists ? 1 : 0);
  return true;
}

bool cmdNodeType(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call, {{"api", "apiType", 0}}, false))
    return false;
  if (flags.positional.size() != 1)
    return call.failNamed("Expected one object name.");
  NodeRef ref;
  if (!findNode(call, flags.positional[0].asString(), ref))
    return false;
  call.result = Value(scene().node(ref)->type->name);
  return true;
}

}  // namespace

void registerSceneCommands(Interpreter& interp) {
  CommandTable& t = interp.commands();
  t.set("createNode", cmdCreateNode);
  t.set("delete", cmdDelete);
  t.set("rename", cmdRename);
  t.set("parent", cmdParent);
  t.set("group", cmdGroup);
  t.set("ls", cmdLs);
  t.set("listRelatives", cmdListRelatives);
  t.set("objExists", cmdObjExists);
  t.set("nodeType", cmdNodeType);
}

}  // namespace mel::host
