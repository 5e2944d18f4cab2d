#pragma once
// The edits a referencing file keeps on its reference nodes, applied to the referenced nodes:
// addAttr edits once the referenced files are built, before the referencing file's own
// statements (which may set or connect the added attributes, as the host loads a reference
// with its edits first); parent, setAttr, connectAttr, disconnectAttr, deleteAttr, lock and
// unlock once every file of the scene is built, in the order the list holds them.
// Relationship edits (light links) are left out. Connections through a reference node's
// placeholder list reach the plug its placeholder edit names.

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
  const ReferenceEdits* source = nullptr;  // the file's words and strings the list is read from
  ReferenceEditList list;
};

// Every reference node's edits, decoded; a value that stops making sense gives a warning and
// keeps the edits before it.
std::vector<NodeEdits> collectReferenceEdits(const LoadPlan& plan,
                                             std::vector<std::string>& warnings);

PlaceholderPlugs placeholderPlugs(const LoadPlan& plan, const std::vector<NodeEdits>& edits);

// A shot's thousands of edits, decoded, are larger than their text: between their uses (the
// placeholder plugs before the build, the addAttr edits, the rest once the opened file is
// built) they are let go and read again from the files' words, which stay until the end.
void releaseDecodedEdits(std::vector<NodeEdits>& edits);
void decodeEditsAgain(std::vector<NodeEdits>& edits);

enum class EditPhase { kAddedAttributes, kTheRest };

void applyReferenceEdits(const LoadPlan& plan, const std::vector<NodeEdits>& edits, Scene& scene,
                         std::vector<std::string>& warnings, EditPhase phase);

}  // namespace minihost::scenefile
