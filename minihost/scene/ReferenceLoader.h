#pragma once
// Finds and reads the files a scene references, and the files those reference in turn, as data
// with the same reader. Each file is read once however often it is referenced; a reference
// that cannot be found, is not an ASCII scene, loops back to a file that references it, or lies
// deeper than kMaxReferenceDepth, or comes after kMaxLoadedReferences others is left unloaded with
// a warning, as the host leaves a reference it cannot load, and the scene opens without it.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "scene/SceneDescription.h"

namespace minihost::scenefile {

constexpr int kMaxReferenceDepth = 32;
// Loaded references in one scene, counting each copy: files that reference each other many
// times over would otherwise multiply without end.
constexpr int kMaxLoadedReferences = 4096;

// One file that goes into the scene: the opened file last, each referenced file before the
// file that references it.
struct LoadedFile {
  std::shared_ptr<SceneDescription> description;
  std::string nameSpace;  // "cam:", "cam:lens:"; empty for the opened file
  std::string path;
  int reference = -1;  // the reference it stands for, an index into LoadPlan::references
};

// A reference as the scene knows it, loaded or not.
struct ReferenceRecord {
  std::string refNode;      // its reference node as the scene names it ("cam:lensRN")
  std::string writtenPath;  // as the referencing file wrote it
  std::string path;         // the file found; empty when not found
  std::string nameSpace;    // its nodes' namespace, without the trailing ':'
  bool loaded = false;
  int parent = -1;  // the reference whose file holds this one; -1 for the opened file's
  int file = -1;    // the LoadedFile holding its reference node
};

struct LoadPlan {
  std::vector<LoadedFile> files;
  std::vector<ReferenceRecord> references;
};

// `top` is the parsed opened (or imported) file; `prefix` the namespace its nodes go into.
LoadPlan planReferences(std::shared_ptr<SceneDescription> top, const std::string& topPath,
                        const std::string& prefix, std::vector<std::string>& warnings);

}  // namespace minihost::scenefile
