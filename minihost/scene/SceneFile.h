#pragma once
// Opening and importing the host's ASCII scene files (".ma"). The file's text is read as data
// and never run; binary scenes (".mb") are refused.

#include <string>
#include <vector>

#include "engine/Scene.h"

namespace minihost::scenefile {

struct SceneFileResult {
  bool ok = false;
  std::string error;                  // "file:line: what" when not ok
  std::vector<std::string> warnings;  // "file:line: what", in file order
};

// Replaces the scene with the file's (open) or adds the file's nodes to it (import). On any
// error the scene is left as it was.
SceneFileResult readSceneFile(const std::string& path, Scene& scene, bool opening);
// An import whose nodes go into namespace `nameSpace` ("ns" or "a:b", no trailing colon; the
// caller makes it free), references inside the file nested under it.
SceneFileResult importSceneFile(const std::string& path, const std::string& nameSpace,
                                Scene& scene);
// The same for text held in memory; `name` stands for the file in messages.
SceneFileResult readSceneText(const std::string& text, const std::string& name, Scene& scene,
                              bool opening);

// True for paths ending in ".ma" or ".mb" (any case).
bool isSceneFilePath(const std::string& path);

}  // namespace minihost::scenefile
