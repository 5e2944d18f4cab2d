#include "scene/SceneReferences.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <memory>
#include <unordered_set>

#include "scene/ReferencePaths.h"
#include "scene/ReferenceTable.h"
#include "scene/SceneAssembly.h"
#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace minihost::scenefile {
namespace {

std::string workingFolder() {
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

// A path or name inside a MEL string.
std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      out += '\\';
    out += c;
  }
  return out + "\"";
}

uint64_t handleKey(NodeRef r) {
  return (static_cast<uint64_t>(r.index) << 32) | r.generation;
}

std::string plugName(const Scene& scene, NodeRef node, int attribute) {
  const AttributeInfo* info = scene.attributeInfo(node, attribute);
  return scene.fullPathName(node) + "." + (info ? info->longName : std::string());
}

bool connectPlugs(Scene& scene, const std::string& from, const std::string& to) {
  size_t a = from.rfind('.'), b = to.rfind('.');
  if (a == std::string::npos || b == std::string::npos)
    return false;
  NodeRef src = scene.findNode(from.substr(0, a)), dst = scene.findNode(to.substr(0, b));
  int srcAttr = src.isSet() ? scene.findAttribute(src, from.substr(a + 1)) : -1;
  int dstAttr = dst.isSet() ? scene.findAttribute(dst, to.substr(b + 1)) : -1;
  return srcAttr >= 0 && dstAttr >= 0 && scene.connect(src, srcAttr, dst, dstAttr, true, nullptr);
}

// The reference and every reference inside it, outermost first.
std::vector<SceneReference*> withNested(SceneReference* top) {
  std::vector<SceneReference*> out{top};
  for (size_t i = 0; i < out.size(); ++i) {
    for (SceneReference& r : ReferenceTable::get().references()) {
      if (r.parentRefNode == out[i]->refNode)
        out.push_back(&r);
    }
  }
  return out;
}

std::string withoutPrefix(const std::string& name, const std::string& prefix) {
  return name.compare(0, prefix.size(), prefix) == 0 ? name.substr(prefix.size()) : name;
}

bool nameSpaceTaken(const std::string& ns, const Scene& scene) {
  for (const SceneReference& r : ReferenceTable::get().references()) {
    if (r.nameSpace == ns || r.refNode == ns + "RN")
      return true;
  }
  // A namespace an import made holds nodes and no reference.
  return scene.findNode(ns + "RN").isSet() || !scene.nodesMatching(ns + ":*").empty();
}

// The requested namespace with what a name cannot hold replaced, numbered while it is taken.
std::string freeNameSpace(std::string base, const Scene& scene) {
  for (char& c : base) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != ':')
      c = '_';
  }
  std::string ns = base;
  for (int n = 1; nameSpaceTaken(ns, scene); ++n)
    ns = base + std::to_string(n);
  return ns;
}

std::shared_ptr<SceneDescription> describe(const std::string& text, const std::string& name,
                                           std::string& error) {
  auto d = std::make_shared<SceneDescription>();
  d->fileName = name;
  SceneLexer lexer(text);
  ParseResult parsed = parseScene(lexer, *d);
  if (!parsed.ok) {
    error = parsed.error;
    return nullptr;
  }
  return d;
}

// The scene's own nodes parented below referenced ones go back under the reference's foster
// parent, as the host keeps them while the reference is unloaded, so that its parent edits find
// them again on loading.
void keepOwnChildren(Scene& scene, const std::vector<NodeRef>& nodes,
                     const std::unordered_set<uint64_t>& inside, const std::string& refNode) {
  NodeRef foster;
  for (NodeRef n : nodes) {
    if (!scene.isAlive(n))
      continue;
    std::vector<NodeRef> children = scene.childrenOf(n).toVector();
    for (NodeRef child : children) {
      if (inside.count(handleKey(child)) > 0)
        continue;
      if (!foster.isSet()) {
        std::string name = refNode.substr(refNode.rfind(':') + 1) + "fosterParent1";
        foster = scene.findNode(name);
        if (!foster.isSet())
          foster = scene.createNode("fosterParent", name, NodeRef{}, nullptr);
        if (!foster.isSet())
          foster = scene.createNode("transform", name, NodeRef{}, nullptr);
      }
      scene.reparent(child, foster, nullptr);
    }
  }
}

}  // namespace

SceneFileResult referenceFile(const std::string& path, const std::string& nameSpace, Scene& scene) {
  SceneFileResult result;
  const std::string folder = workingFolder();
  ResolvedPath found = resolveReferencePath(path, folder);
  if (!found.found) {
    result.error = "file: cannot find \"" + path + "\" to reference";
    return result;
  }
  size_t slash = found.path.find_last_of('/');
  std::string base = nameSpace.empty() ? found.path.substr(slash + 1) : nameSpace;
  if (nameSpace.empty())
    base = base.substr(0, base.find('.'));
  const std::string ns = freeNameSpace(base, scene);
  std::string text = "file -r -ns " + quoted(ns) + " -rfn " + quoted(ns + "RN") + " " +
                     quoted(found.path) + ";\ncreateNode reference -n " + quoted(ns + "RN") + ";\n";
  std::shared_ptr<SceneDescription> d = describe(text, "file -reference", result.error);
  if (d)
    result.ok = assembleScene(d, folder + "/untitled", std::string(), scene, false, result);
  return result;
}

SceneFileResult importFile(const std::string& path, const std::string& nameSpace, Scene& scene) {
  std::string ns = nameSpace;
  while (!ns.empty() && ns.front() == ':')
    ns.erase(0, 1);  // relative to the root, the only current namespace the batch host has
  if (ns.empty())
    return readSceneFile(path, scene, false);
  return importSceneFile(path, freeNameSpace(ns, scene), scene);
}

SceneFileResult loadReference(const std::string& key, Scene& scene) {
  SceneFileResult result;
  ReferenceTable& table = ReferenceTable::get();
  SceneReference* found = table.find(key);
  if (!found) {
    result.error = "file: no reference \"" + key + "\"";
    return result;
  }
  if (found->loaded && !unloadReference(key, scene, result.error))
    return result;
  SceneReference r = *found;
  if (r.path.empty()) {
    ResolvedPath where = resolveReferencePath(r.writtenPath, r.holderFolder);
    if (!where.found) {
      result.error = "file: cannot find \"" + r.writtenPath + "\" for " + r.refNode;
      return result;
    }
    r.path = where.path;
  }
  // Its record, and those of the references inside it, are made anew by the load.
  std::vector<SceneReference*> old = withNested(found);
  std::unordered_set<std::string> gone;
  for (SceneReference* o : old)
    gone.insert(o->refNode);
  table.removeIf([&](const SceneReference& x) { return gone.count(x.refNode) > 0; });
  std::string localNs = withoutPrefix(r.nameSpace, r.holderPrefix);
  std::string localRef = withoutPrefix(r.refNode, r.holderPrefix);
  std::string text = "file -r -ns " + quoted(localNs.empty() ? ":" : localNs) + " -rfn " +
                     quoted(localRef) + " " + quoted(r.path) + ";\nselect -ne " + quoted(localRef) +
                     ";\n";
  std::shared_ptr<SceneDescription> d = describe(text, r.holderFile, result.error);
  if (!d)
    return result;
  d->units = r.holderUnits;
  d->referenceEdits.push_back(ReferenceEdits{localRef, r.edits, r.editsLine});
  // The reference's path is absolute when it was found; the made-up holder is no file.
  result.ok =
      assembleScene(d, workingFolder() + "/(reference load)", r.holderPrefix, scene, false, result);
  SceneReference* now = table.find(r.refNode);
  if (result.ok && now && now->loaded) {
    for (const SceneReference::Slot& s : r.slots) {
      if (s.intoReference ? !connectPlugs(scene, s.otherPlug, s.referencedPlug)
                          : !connectPlugs(scene, s.referencedPlug, s.otherPlug))
        now->slots.push_back(s);
    }
  } else if (now) {
    now->slots.insert(now->slots.end(), r.slots.begin(), r.slots.end());
  }
  return result;
}

bool unloadReference(const std::string& key, Scene& scene, std::string& error) {
  SceneReference* found = ReferenceTable::get().find(key);
  if (!found) {
    error = "file: no reference \"" + key + "\"";
    return false;
  }
  if (!found->loaded)
    return true;
  std::vector<SceneReference*> all = withNested(found);
  std::unordered_set<uint64_t> inside;
  std::vector<NodeRef> nodes;
  for (SceneReference* r : all) {
    for (NodeRef n : r->nodes) {
      if (scene.isAlive(n) && inside.insert(handleKey(n)).second)
        nodes.push_back(n);
    }
  }
  // Connections with the rest of the scene wait on the reference node, as the host keeps them
  // on its placeholders; the rest of the scene keeps its own nodes (shot curves included).
  struct Cut {
    NodeRef src, dst;
    int srcAttr, dstAttr;
  };
  std::vector<Cut> cuts;
  for (NodeRef n : nodes) {
    const Node* node = scene.node(n);
    for (const Connection& c : node->inputs) {
      if (inside.count(handleKey(c.peer)) == 0) {
        found->slots.push_back(
            {plugName(scene, c.peer, c.peerAttribute), plugName(scene, n, c.attribute), true});
        cuts.push_back({c.peer, n, c.peerAttribute, c.attribute});
      }
    }
    for (const Connection& c : node->outputs) {
      if (inside.count(handleKey(c.peer)) == 0) {
        found->slots.push_back(
            {plugName(scene, c.peer, c.peerAttribute), plugName(scene, n, c.attribute), false});
        cuts.push_back({n, c.peer, c.attribute, c.peerAttribute});
      }
    }
  }
  for (const Cut& c : cuts)
    scene.disconnect(c.src, c.srcAttr, c.dst, c.dstAttr);
  keepOwnChildren(scene, nodes, inside, found->refNode);
  for (NodeRef n : nodes) {
    if (scene.isAlive(n))
      scene.deleteNode(n, nullptr);
  }
  for (SceneReference* r : all) {
    r->loaded = false;
    r->nodes.clear();
  }
  return true;
}

}  // namespace minihost::scenefile
