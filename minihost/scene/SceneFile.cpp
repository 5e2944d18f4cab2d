#include "scene/SceneFile.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

#include "scene/LogText.h"
#include "scene/RegularFile.h"
#include "scene/SceneAssembly.h"
#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace minihost::scenefile {
namespace {

std::string lowerExtension(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return std::string();
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::string baseName(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Parses the file, then builds it and the files it references into the scene with the scene set
// aside first: a failure at any point until the warnings are ready, running out of memory
// included, puts back exactly what was there.
SceneFileResult readUnguarded(SceneLexer& lexer, const std::string& name, const std::string& path,
                              const std::string& nameSpace, Scene& scene, bool opening) {
  SceneFileResult result;
  Scene::SavedScene saved;
  {
    auto description = std::make_shared<SceneDescription>();
    description->fileName = name;
    ParseResult parsed = parseScene(lexer, *description);
    lexer.releaseBuffer();
    for (const Warning& w : description->warnings)
      result.warnings.push_back(name + ":" + std::to_string(w.line) + ": " + w.text);
    if (parsed.ok) {
      saved = scene.save(!opening);
      try {
        result.ok = assembleScene(description, path, nameSpace, scene, opening, result);
      } catch (...) {
        scene.restore(std::move(saved));
        throw;
      }
      if (!result.ok)
        scene.restore(std::move(saved));
    } else {
      result.error = parsed.error;
    }
  }
  try {
    for (std::string& w : result.warnings)
      w = logSafe(w);
    result.warnings = summariseWarnings(result.warnings);
    result.error = logSafe(result.error);
  } catch (...) {
    if (saved)
      scene.restore(std::move(saved));
    throw;
  }
  return result;
}

SceneFileResult read(SceneLexer& lexer, const std::string& name, const std::string& path,
                     const std::string& nameSpace, Scene& scene, bool opening) {
  try {
    return readUnguarded(lexer, name, path, nameSpace, scene, opening);
  } catch (const std::bad_alloc&) {
    SceneFileResult result;
    result.error = logSafe(name) + ": out of memory while reading the file; the scene is as it was";
    return result;
  } catch (const std::exception& e) {
    SceneFileResult result;
    result.error =
        logSafe(name + ": cannot read the file (" + e.what() + ")") + "; the scene is as it was";
    return result;
  }
}

SceneFileResult readFile(const std::string& path, const std::string& nameSpace, Scene& scene,
                         bool opening) {
  SceneFileResult result;
  const std::string name = baseName(path);
  if (lowerExtension(path) == "mb") {
    result.error = name + ": binary scenes (.mb) are not read; only ASCII scenes (.ma) are";
    return result;
  }
  std::uint64_t size = 0;
  FileHandle file = openRegularFile(path, name, size, result.error);
  if (!file) {
    result.error = logSafe(result.error);
    return result;
  }
  SceneLexer lexer(file.get(), size);
  return read(lexer, name, path, nameSpace, scene, opening);
}

}  // namespace

bool isSceneFilePath(const std::string& path) {
  std::string ext = lowerExtension(path);
  return ext == "ma" || ext == "mb";
}

SceneFileResult readSceneFile(const std::string& path, Scene& scene, bool opening) {
  return readFile(path, std::string(), scene, opening);
}

SceneFileResult importSceneFile(const std::string& path, const std::string& nameSpace,
                                Scene& scene) {
  return readFile(path, nameSpace.empty() ? std::string() : nameSpace + ":", scene, false);
}

SceneFileResult readSceneText(const std::string& text, const std::string& name, Scene& scene,
                              bool opening) {
  SceneLexer lexer(text);
  return read(lexer, name, name, std::string(), scene, opening);
}

}  // namespace minihost::scenefile
