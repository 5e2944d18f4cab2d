#pragma once
// The references of the scene the batch host holds, loaded or not, for the reference commands
// (referenceQuery, file -loadReference / -unloadReference). Opening a file replaces them;
// importing or referencing a file adds its own.

#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/Scene.h"
#include "scene/SceneDescription.h"

namespace minihost::scenefile {

struct SceneReference {
  std::string refNode;      // the reference node's name ("camRN", "shot:camRN")
  std::string writtenPath;  // as the referencing file wrote it
  std::string path;         // the file read; empty when it was not found
  std::string nameSpace;    // without a trailing ':'; empty for the root namespace
  std::string parentRefNode;
  bool loaded = false;
  // Tells the references of one file apart ("cam.ma{1}"): the first is 0. Kept for the
  // reference's life, as loading it again or unloading another leaves it.
  int copyNumber = 0;
  std::vector<NodeRef> nodes;  // the nodes its file made, when loaded
  // Connections the scene makes through the reference node's placeholder list, kept to be
  // made again when an unloaded reference is loaded: the other plug, the referenced plug, and
  // whether the referenced plug is the destination.
  struct Slot {
    std::string otherPlug;
    std::string referencedPlug;
    bool intoReference = true;
  };
  std::vector<Slot> slots;
  // What loading it again needs from the file that holds its reference node: that file's
  // namespace prefix, units and name, and the node's edits.
  std::string holderPrefix;
  Units holderUnits;
  std::string holderFile;
  std::string holderFolder;  // where its written path is looked for
  EditTokens edits;
  int editsLine = 0;
};

class ReferenceTable {
 public:
  static ReferenceTable& get();
  // Records are added and removed through the table, which keeps their copy numbers; a record's
  // file is not changed in place.
  std::vector<SceneReference>& references() { return references_; }
  void clear();
  // Takes a reference in, with the lowest copy number no other reference of its file holds.
  void add(SceneReference reference);
  // Removes the references `gone` picks, freeing their copy numbers.
  template <typename Pick>
  void removeIf(Pick gone) {
    auto kept = std::stable_partition(references_.begin(), references_.end(),
                                      [&](const SceneReference& r) { return !gone(r); });
    for (auto r = kept; r != references_.end(); ++r)
      release(*r);
    references_.erase(kept, references_.end());
  }
  // By reference node name, by the file's path as written or as found (a later copy of the same
  // file by its copy number, "cam.ma{1}"), or by a node the reference made; null when none.
  SceneReference* find(const std::string& refNodeOrPath);
  // The file's name as the host gives it: as found (as written when it was not found, or when
  // `unresolved`), with its copy number after the first ("cam.ma{1}").
  static std::string fileName(const SceneReference& r, bool unresolved, bool withCopyNumber);
  SceneReference* owning(NodeRef node);

 private:
  // The copy numbers of one file: those below `next` are taken but for the `freed` ones.
  struct Copies {
    int next = 0;
    std::set<int> freed;
  };
  void release(const SceneReference& r);

  std::vector<SceneReference> references_;
  std::unordered_map<std::string, Copies> copies_;
};

}  // namespace minihost::scenefile
