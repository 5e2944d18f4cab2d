#pragma once
// The reference commands of the batch host on the scene's references: referencing a file into
// the scene, and loading or unloading a reference, with the same reader and the same edits as
// opening a shot.

#include <string>

#include "engine/Scene.h"
#include "scene/SceneFile.h"

namespace minihost::scenefile {

// file -reference: the file's nodes in namespace `nameSpace` (made unique; the file's base
// name when empty) with reference node "<namespace>RN". A file that cannot be read is an error
// and changes nothing.
SceneFileResult referenceFile(const std::string& path, const std::string& nameSpace, Scene& scene);

// file -import -namespace: the file's nodes in namespace `nameSpace`, numbered when it is taken
// (the host's default, without -mergeNamespacesOnClash); an empty one imports into the root.
SceneFileResult importFile(const std::string& path, const std::string& nameSpace, Scene& scene);

// file -loadReference: reads an unloaded reference's file again, applies its edits and makes
// the connections the scene keeps through its placeholders. `key` is a reference node's name
// or a referenced file's path.
SceneFileResult loadReference(const std::string& key, Scene& scene);

// file -unloadReference: removes the reference's nodes (and those of references inside it);
// connections from the rest of the scene are kept to be made again on loading.
bool unloadReference(const std::string& key, Scene& scene, std::string& error);

}  // namespace minihost::scenefile
