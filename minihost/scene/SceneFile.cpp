#include "scene/SceneFile.h"

#include <cctype>
#include <cstdio>
#include <memory>

#include <unordered_map>

#include "scene/ReferenceEditApply.h"
#include "scene/ReferenceLoader.h"
#include "scene/ReferenceTable.h"
#include "scene/SceneBuilder.h"
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

// A file whose reference (or an enclosing one) could not be built is left out with it.
bool leftOut(const LoadPlan& plan, int reference, const std::vector<bool>& failed) {
  for (int r = reference; r >= 0; r = plan.references[static_cast<size_t>(r)].parent) {
    if (failed[static_cast<size_t>(r)])
      return true;
  }
  return false;
}

void recordReferences(const LoadPlan& plan, const std::vector<std::unique_ptr<FileBuild>>& builds,
                      const std::vector<bool>& failed, bool opening) {
  ReferenceTable& table = ReferenceTable::get();
  if (opening)
    table.clear();
  for (size_t r = 0; r < plan.references.size(); ++r) {
    const ReferenceRecord& rec = plan.references[r];
    SceneReference out;
    out.refNode = rec.refNode;
    out.writtenPath = rec.writtenPath;
    out.path = rec.path;
    out.nameSpace = rec.nameSpace;
    out.loaded = rec.loaded && !leftOut(plan, static_cast<int>(r), failed);
    if (rec.parent >= 0)
      out.parentRefNode = plan.references[static_cast<size_t>(rec.parent)].refNode;
    for (size_t f = 0; out.loaded && f < plan.files.size(); ++f) {
      if (plan.files[f].reference == static_cast<int>(r))
        out.nodes = builds[f]->createdNodes();
    }
    table.references().push_back(std::move(out));
  }
}

// Builds every file of the plan: all are staged first, so that a damaged opened file changes
// nothing; a damaged referenced file is left out with a warning, as an unloadable reference.
bool buildAll(LoadPlan& plan, Scene& scene, bool opening, SceneFileResult& result) {
  std::vector<NodeEdits> edits = collectReferenceEdits(plan, result.warnings);
  PlaceholderPlugs slots = placeholderPlugs(plan, edits);
  std::unordered_map<const SceneDescription*, int> uses;
  for (const LoadedFile& f : plan.files)
    ++uses[f.description.get()];
  std::vector<std::unique_ptr<SceneDescription>> copies;
  std::vector<std::unique_ptr<FileBuild>> builds;
  std::vector<bool> failed(plan.references.size(), false);
  for (size_t i = 0; i < plan.files.size(); ++i) {
    LoadedFile& f = plan.files[i];
    SceneDescription* d = f.description.get();
    // A file referenced several times is read once; each build but the last takes a copy.
    if (--uses[d] > 0) {
      copies.push_back(std::make_unique<SceneDescription>(*d));
      d = copies.back().get();
    }
    const bool top = i + 1 == plan.files.size();
    builds.push_back(std::make_unique<FileBuild>(*d, scene, opening && top, result.warnings,
                                                 BuildContext{f.nameSpace, &slots}));
    std::string error;
    if (leftOut(plan, f.reference, failed) || builds.back()->stage(error))
      continue;
    if (top) {
      result.error = error;
      return false;
    }
    failed[static_cast<size_t>(f.reference)] = true;
    result.warnings.push_back("the reference " +
                              plan.references[static_cast<size_t>(f.reference)].refNode +
                              " is not loaded: " + error);
  }
  if (opening)
    scene.newScene();
  for (size_t i = 0; i < plan.files.size(); ++i) {
    if (!leftOut(plan, plan.files[i].reference, failed))
      builds[i]->apply();
  }
  for (size_t r = 0; r < failed.size(); ++r)
    plan.references[r].loaded = plan.references[r].loaded && !failed[r];
  applyReferenceEdits(plan, edits, scene, result.warnings);
  recordReferences(plan, builds, failed, opening);
  return true;
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
  LoadPlan plan = planReferences(description, path, std::string(), result.warnings);
  result.ok = buildAll(plan, scene, opening, result);
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
