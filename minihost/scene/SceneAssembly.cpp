#include "scene/SceneAssembly.h"

#include <unordered_map>
#include <unordered_set>

#include "scene/ReferenceEditApply.h"
#include "scene/ReferenceLoader.h"
#include "scene/ReferencePaths.h"
#include "scene/ReferenceTable.h"
#include "scene/SceneBuilder.h"

namespace minihost::scenefile {
namespace {

// A file whose reference (or an enclosing one) could not be built is left out with it.
bool leftOut(const LoadPlan& plan, int reference, const std::vector<bool>& failed) {
  for (int r = reference; r >= 0; r = plan.references[static_cast<size_t>(r)].parent) {
    if (failed[static_cast<size_t>(r)])
      return true;
  }
  return false;
}

void recordReferences(const LoadPlan& plan, const std::vector<std::unique_ptr<FileBuild>>& builds,
                      const std::vector<bool>& failed, const std::vector<PendingSlot>& pending,
                      bool opening) {
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
    for (const PendingSlot& p : pending) {
      if (p.refNode == out.refNode)
        out.slots.push_back(SceneReference::Slot{p.otherPlug, p.referencedPlug, p.intoReference});
    }
    if (rec.file >= 0) {
      const LoadedFile& holder = plan.files[static_cast<size_t>(rec.file)];
      out.holderPrefix = holder.nameSpace;
      out.holderUnits = holder.description->units;
      out.holderFile = holder.description->fileName;
      out.holderFolder = folderOf(holder.path);
      for (const ReferenceEdits& e : holder.description->referenceEdits) {
        const std::string& local = holder.description->nodes[static_cast<size_t>(e.node)].name;
        if (holder.nameSpace + local == out.refNode) {
          out.edits = e.tokens;
          out.editsLine = e.line;
        }
      }
    }
    table.references().push_back(std::move(out));
  }
}

// Builds every file of the plan: all are staged first, so that a damaged opened file changes
// nothing; a damaged referenced file is left out with a warning, as an unloadable reference.
bool buildAll(LoadPlan& plan, Scene& scene, bool opening, SceneFileResult& result) {
  std::vector<NodeEdits> edits = collectReferenceEdits(plan, result.warnings);
  PlaceholderPlugs slots = placeholderPlugs(plan, edits);
  std::unordered_set<std::string> unloaded;
  for (const ReferenceRecord& r : plan.references) {
    if (!r.loaded)
      unloaded.insert(r.refNode);
  }
  std::vector<PendingSlot> pending;
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
    builds.push_back(std::make_unique<FileBuild>(
        *d, scene, opening && top, result.warnings,
        BuildContext{f.nameSpace, f.reference >= 0, &slots, &unloaded, &pending}));
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
  recordReferences(plan, builds, failed, pending, opening);
  return true;
}

}  // namespace

bool assembleScene(std::shared_ptr<SceneDescription> description, const std::string& path,
                   const std::string& nameSpace, Scene& scene, bool opening,
                   SceneFileResult& result) {
  LoadPlan plan = planReferences(std::move(description), path, nameSpace, result.warnings);
  return buildAll(plan, scene, opening, result);
}

}  // namespace minihost::scenefile
