// The reference commands: file -reference / -loadReference / -unloadReference and
// referenceQuery, over the references the scene reader keeps (scene/ReferenceTable).

#include "mel/host/ReferenceCommands.h"

#include "mel/Interpreter.h"
#include "mel/host/HostCommands.h"
#include "mel/host/HostCommon.h"
#include "scene/ReferenceTable.h"
#include "scene/SceneReferences.h"

namespace mel::host {
namespace {

using minihost::scenefile::ReferenceTable;
using minihost::scenefile::SceneFileResult;
using minihost::scenefile::SceneReference;

bool finish(CommandCall& call, const SceneFileResult& result, const std::string& value) {
  for (const std::string& warning : result.warnings)
    call.interp.reportWarning(warning, false);
  if (!result.ok)
    return call.failNamed(result.error);
  call.result = Value(value);
  return true;
}

// A reference by its node's name or its file, or the reference a node came from.
SceneReference* target(const std::string& text) {
  ReferenceTable& table = ReferenceTable::get();
  if (SceneReference* r = table.find(text))
    return r;
  minihost::NodeRef node = scene().findNode(text);
  return node.isSet() ? table.owning(node) : nullptr;
}

// A reference's file name as -filename, -unresolvedName, -withoutCopyNumber and -shortName ask.
std::string fileName(const SceneReference& r, const FlagSet& flags) {
  std::string path =
      ReferenceTable::fileName(r, flags.has("unresolvedName"), !flags.has("withoutCopyNumber"));
  if (flags.has("shortName"))
    path = path.substr(path.find_last_of("/\\") + 1);
  return path;
}

bool cmdReferenceQuery(CommandCall& call) {
  FlagSet flags;
  if (!flags.parse(call,
                   {{"f", "filename", 0},
                    {"ns", "namespace", 0},
                    {"il", "isLoaded", 0},
                    {"n", "nodes", 0},
                    {"rfn", "referenceNode", 0},
                    {"inr", "isNodeReferenced", 0},
                    {"un", "unresolvedName", 0},
                    {"shn", "shortName", 0},
                    {"wcn", "withoutCopyNumber", 0}},
                   false)) {
    return false;
  }
  if (flags.positional.size() != 1)
    return call.failNamed("Expected one reference node, file or node name.");
  const std::string name = flags.positional[0].asString();
  SceneReference* r = target(name);
  if (flags.has("isNodeReferenced")) {
    call.result = Value(r != nullptr && ReferenceTable::get().find(name) == nullptr ? 1 : 0);
    return true;
  }
  if (!r)
    return call.failNamed("'" + name + "' is not a reference, a referenced file or a node " +
                          "from a reference.");
  if (flags.has("filename")) {
    call.result = Value(fileName(*r, flags));
  } else if (flags.has("namespace")) {
    call.result = Value(flags.has("shortName") ? r->nameSpace : ":" + r->nameSpace);
  } else if (flags.has("isLoaded")) {
    call.result = Value(r->loaded ? 1 : 0);
  } else if (flags.has("nodes")) {
    std::vector<minihost::NodeRef> alive;
    for (minihost::NodeRef n : r->nodes) {
      if (scene().isAlive(n))
        alive.push_back(n);
    }
    call.result = namesValue(alive);
  } else if (flags.has("referenceNode")) {
    call.result = Value(r->refNode);
  } else {
    return call.failNamed("Expected -filename, -namespace, -isLoaded, -nodes or -referenceNode.");
  }
  return true;
}

}  // namespace

bool queryFileReferences(CommandCall& call, const FlagSet& flags, bool ofTheScene) {
  std::string parent;
  if (!ofTheScene) {
    const std::string file = flags.positional[0].asString();
    const SceneReference* holder = ReferenceTable::get().find(file);
    if (!holder || holder->refNode == file)
      return call.failNamed("\"" + file + "\" is not a file of the current scene.");
    parent = holder->refNode;
  }
  std::vector<std::string> names;
  for (const SceneReference& r : ReferenceTable::get().references()) {
    if (r.parentRefNode == parent)
      names.push_back(fileName(r, flags));
  }
  call.result = Value(std::move(names));
  return true;
}

bool fileReferenceFlags(CommandCall& call, const FlagSet& flags, bool& handled) {
  if (flags.has("reference")) {
    if (flags.positional.size() != 1) {
      handled = call.failNamed("Expected one file name.");
      return true;
    }
    std::string path = flags.positional[0].asString();
    SceneFileResult result =
        minihost::scenefile::referenceFile(path, flags.value("namespace").asString(), scene());
    handled = finish(call, result, path);
    return true;
  }
  if (flags.has("loadReference")) {
    std::string key = flags.value("loadReference").asString();
    SceneFileResult result = minihost::scenefile::loadReference(key, scene());
    SceneReference* r = ReferenceTable::get().find(key);
    handled = finish(call, result, r ? r->path : std::string());
    return true;
  }
  if (flags.has("unloadReference")) {
    std::string key = flags.value("unloadReference").asString(), error;
    if (!minihost::scenefile::unloadReference(key, scene(), error)) {
      handled = call.failNamed(error);
      return true;
    }
    SceneReference* r = ReferenceTable::get().find(key);
    call.result = Value(r ? r->path : std::string());
    handled = true;
    return true;
  }
  return false;
}

void registerReferenceCommands(Interpreter& interp) {
  interp.commands().set("referenceQuery", cmdReferenceQuery);
}

}  // namespace mel::host
