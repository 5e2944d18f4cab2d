#pragma once
// A parsed scene file and every file it references, built into the scene together: the
// references are found and read, every file is staged, then built, then the reference edits
// are applied and the scene's reference table is brought up to date.

#include <memory>
#include <string>

#include "engine/Scene.h"
#include "scene/SceneDescription.h"
#include "scene/SceneFile.h"

namespace minihost::scenefile {

// `path` is where the file is (for finding its references); `nameSpace` the prefix ("ns:") for
// its nodes, empty for none. False, with result.error, leaves the scene as it was.
bool assembleScene(std::shared_ptr<SceneDescription> description, const std::string& path,
                   const std::string& nameSpace, Scene& scene, bool opening,
                   SceneFileResult& result);

}  // namespace minihost::scenefile
