#pragma once
// Turns a parsed scene file into nodes of the scene. Everything that can make the file
// unusable (malformed curve or mesh data) is checked before the scene is touched; what the
// batch host does not evaluate becomes a warning, one per node.

#include <string>
#include <vector>

#include "engine/Scene.h"
#include "scene/SceneDescription.h"

namespace minihost::scenefile {

// With `opening`, the file's units become the scene's; otherwise (import) the scene keeps its
// own. The description's large arrays are moved out. False, with `error` ("file:line: what"),
// leaves the scene as it was.
bool buildScene(SceneDescription& description, Scene& scene, bool opening,
                std::vector<std::string>& warnings, std::string& error);

}  // namespace minihost::scenefile
