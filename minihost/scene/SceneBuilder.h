#pragma once
// Turns a parsed scene file into nodes of the scene. Everything that can make the file
// unusable (malformed curve or mesh data) is checked before the scene is touched; what the
// batch host does not evaluate becomes a warning, one per node.

#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/Scene.h"
#include "scene/SceneDescription.h"

namespace minihost::scenefile {

// With `opening`, the file's units become the scene's; otherwise (import) the scene keeps its
// own. The description's values are used up as they are built. False, with `error`
// ("file:line: what"), leaves the scene as it was.
bool buildScene(SceneDescription& description, Scene& scene, bool opening,
                std::vector<std::string>& warnings, std::string& error);

// Reference node (its name in the scene) -> placeholder index -> the referenced plug it stands
// for, as the scene names it.
using PlaceholderPlugs =
    std::unordered_map<std::string, std::unordered_map<long long, std::string>>;

// A connection through the placeholder list of a reference that is not loaded: made when the
// reference is loaded.
struct PendingSlot {
  std::string refNode;
  std::string otherPlug;  // the scene's side, by full path
  std::string referencedPlug;
  bool intoReference = true;  // the referenced plug is the destination
};

// Where a file's nodes go: a referenced file's get its namespace ("cam:" or "cam:lens:").
struct BuildContext {
  std::string nameSpace;
  // A referenced file's part: its playback range, current time and settings of the scene's
  // own nodes are not taken.
  bool referenced = false;
  const PlaceholderPlugs* placeholders = nullptr;
  const std::unordered_set<std::string>* unloaded = nullptr;  // reference nodes not loaded
  std::vector<PendingSlot>* pending = nullptr;
};

class Builder;

// One file's part of a scene that several files make (the opened file and those it
// references): every part is staged before any is applied, so that a damaged file changes
// nothing.
class FileBuild {
 public:
  FileBuild(SceneDescription& description, Scene& scene, bool opening,
            std::vector<std::string>& warnings, BuildContext context);
  ~FileBuild();
  FileBuild(const FileBuild&) = delete;
  FileBuild& operator=(const FileBuild&) = delete;

  bool stage(std::string& error);
  void apply();
  // The nodes the file made, in file order.
  const std::vector<NodeRef>& createdNodes() const;

 private:
  std::unique_ptr<Builder> builder_;
};

}  // namespace minihost::scenefile
