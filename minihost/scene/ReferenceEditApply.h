#pragma once
// The edits a referencing file keeps on its reference nodes, applied to the referenced nodes
// once every file of the scene is built: parent, setAttr, connectAttr and disconnectAttr
// change the scene; addAttr, deleteAttr, lock and unlock are read and left out, as the same
// statements are in a file (the scene keeps no dynamic attributes and no locks); relationship
// edits (light links) are left out. Connections through a reference node's placeholder list
// reach the plug its placeholder edit names.

#include <string>
#include <vector>

#include "engine/Scene.h"
#include "scene/ReferenceEditList.h"
#include "scene/ReferenceLoader.h"
#include "scene/SceneBuilder.h"

namespace minihost::scenefile {

struct NodeEdits {
  int file = -1;        // the LoadedFile holding the reference node
  int reference = -1;   // the ReferenceRecord of that node; -1 when none
  std::string refNode;  // as the scene names it
  int line = 0;
  ReferenceEditList list;
};

// Every reference node's edits, decoded; a value that stops making sense gives a warning and
// keeps the edits before it.
std::vector<NodeEdits> collectReferenceEdits(const LoadPlan& plan,
                                             std::vector<std::string>& warnings);

PlaceholderPlugs placeholderPlugs(const LoadPlan& plan, const std::vector<NodeEdits>& edits);

void applyReferenceEdits(const LoadPlan& plan, const std::vector<NodeEdits>& edits, Scene& scene,
                         std::vector<std::string>& warnings);

}  // namespace minihost::scenefile
