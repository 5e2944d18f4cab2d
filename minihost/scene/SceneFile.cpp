#include "scene/SceneFile.h"

#include <cctype>
#include <cstdio>
#include <memory>

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

SceneFileResult read(SceneLexer& lexer, const std::string& name, const std::string& path,
                     Scene& scene, bool opening) {
  SceneFileResult result;
  auto description = std::make_shared<SceneDescription>();
  description->fileName = name;
  ParseResult parsed = parseScene(lexer, *description);
  for (const Warning& w : description->warnings)
    result.warnings.push_back(name + ":" + std::to_string(w.line) + ": " + w.text);
  if (!parsed.ok) {
    result.error = parsed.error;
    return result;
  }
  result.ok = assembleScene(description, path, std::string(), scene, opening, result);
  return result;
}

}  // namespace

bool isSceneFilePath(const std::string& path) {
  std::string ext = lowerExtension(path);
  return ext == "ma" || ext == "mb";
}

SceneFileResult readSceneFile(const std::string& path, Scene& scene, bool opening) {
  SceneFileResult result;
  const std::string name = baseName(path);
  if (lowerExtension(path) == "mb") {
    result.error = name + ": binary scenes (.mb) are not read; only ASCII scenes (.ma) are";
    return result;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) {
    result.error = name + ": cannot open \"" + path + "\"";
    return result;
  }
  SceneLexer lexer(file.get());
  return read(lexer, name, path, scene, opening);
}

SceneFileResult readSceneText(const std::string& text, const std::string& name, Scene& scene,
                              bool opening) {
  SceneLexer lexer(text);
  return read(lexer, name, name, scene, opening);
}

}  // namespace minihost::scenefile
