#include "scene/SceneAssembly.h"

#include <string_view>
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

void recordReferences(const LoadPlan& plan, const std::vector<std::vector<NodeRef>>& created,
                      const std::vector<bool>& failed, const std::vector<PendingSlot>& pending,
                      bool opening) {
  ReferenceTable& table = ReferenceTable::get();
  if (opening)
    table.clear();
  // What each reference takes from the files, the waiting connections and the edit lists,
  // found through tables: a scene may hold many thousands of references.
  std::vector<int> fileOf(plan.references.size(), -1);
  for (size_t f = 0; f < plan.files.size(); ++f) {
    if (plan.files[f].reference >= 0)
      fileOf[static_cast<size_t>(plan.files[f].reference)] = static_cast<int>(f);
  }
  std::unordered_map<std::string_view, std::vector<const PendingSlot*>> slotsOf;
  for (const PendingSlot& p : pending)
    slotsOf[p.refNode].push_back(&p);
  std::vector<std::unordered_map<std::string, const ReferenceEdits*>> editsOf(plan.files.size());
  for (size_t f = 0; f < plan.files.size(); ++f) {
    for (const ReferenceEdits& e : plan.files[f].description->referenceEdits)
      editsOf[f][plan.files[f].nameSpace + e.refNode] = &e;
  }
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
    if (out.loaded && fileOf[r] >= 0)
      out.nodes = created[static_cast<size_t>(fileOf[r])];
    auto slots = slotsOf.find(out.refNode);
    if (slots != slotsOf.end()) {
      for (const PendingSlot* p : slots->second)
        out.slots.push_back(
            SceneReference::Slot{p->otherPlug, p->referencedPlug, p->intoReference});
    }
    if (rec.file >= 0) {
      const LoadedFile& holder = plan.files[static_cast<size_t>(rec.file)];
      out.holderPrefix = holder.nameSpace;
      out.holderUnits = holder.description->units;
      out.holderFile = holder.description->fileName;
      out.holderFolder = folderOf(holder.path);
      const auto& edits = editsOf[static_cast<size_t>(rec.file)];
      auto e = edits.find(out.refNode);
      if (e != edits.end()) {
        out.edits = e->second->tokens;
        out.editsLine = e->second->line;
      }
    }
    table.add(std::move(out));
  }
}

// Builds every file of the plan. The opened file is staged first, so that its damage changes
// nothing; then each top-level reference with the references inside it is staged and built in
// turn, and its copies released, so that memory holds one reference's staging at a time. A
// damaged referenced file is left out (with what it references) with a warning, as an
// unloadable reference.
class Assembly {
 public:
  Assembly(LoadPlan& plan, Scene& scene, bool opening, SceneFileResult& result)
      : plan_(plan),
        scene_(scene),
        opening_(opening),
        result_(result),
        created_(plan.files.size()),
        failed_(plan.references.size(), false) {
    for (const ReferenceRecord& r : plan_.references) {
      if (!r.loaded)
        unloaded_.insert(r.refNode);
    }
    for (const LoadedFile& f : plan_.files)
      ++uses_[f.description.get()];
  }

  bool run() {
    edits_ = collectReferenceEdits(plan_, result_.warnings);
    slots_ = placeholderPlugs(plan_, edits_);
    const size_t top = plan_.files.size() - 1;
    std::unique_ptr<FileBuild> opened = make(top);
    std::string error;
    if (!opened->stage(error)) {
      result_.error = error;
      return false;
    }
    if (opening_)
      scene_.newScene();
    // Post-order: a top-level reference's files end with its own.
    for (size_t first = 0, i = 0; i < top; ++i) {
      const int r = plan_.files[i].reference;
      if (plan_.references[static_cast<size_t>(r)].parent < 0) {
        buildReference(first, i);
        first = i + 1;
      }
    }
    for (size_t r = 0; r < failed_.size(); ++r)
      plan_.references[r].loaded = plan_.references[r].loaded && !failed_[r];
    applyReferenceEdits(plan_, edits_, scene_, result_.warnings, EditPhase::kAddedAttributes);
    releaseDecodedEdits(edits_);
    opened->apply();
    created_[top] = opened->createdNodes();
    opened.reset();
    decodeEditsAgain(edits_);
    applyReferenceEdits(plan_, edits_, scene_, result_.warnings, EditPhase::kTheRest);
    recordReferences(plan_, created_, failed_, pending_, opening_);
    return true;
  }

 private:
  // A file's build; a file referenced several times is read once, and each build but the last
  // takes a copy of it.
  std::unique_ptr<FileBuild> make(size_t i) {
    LoadedFile& f = plan_.files[i];
    SceneDescription* d = f.description.get();
    if (--uses_[d] > 0) {
      copies_.push_back(std::make_unique<SceneDescription>(*d));
      d = copies_.back().get();
    }
    const bool top = i + 1 == plan_.files.size();
    return std::make_unique<FileBuild>(
        *d, scene_, opening_ && top, result_.warnings,
        BuildContext{f.nameSpace, f.reference >= 0, &slots_, &unloaded_, &pending_});
  }

  void buildReference(size_t first, size_t last) {
    std::vector<std::unique_ptr<FileBuild>> builds;
    for (size_t i = first; i <= last; ++i) {
      const LoadedFile& f = plan_.files[i];
      builds.push_back(make(i));
      std::string error;
      if (leftOut(plan_, f.reference, failed_) || builds.back()->stage(error))
        continue;
      failed_[static_cast<size_t>(f.reference)] = true;
      result_.warnings.push_back("the reference " +
                                 plan_.references[static_cast<size_t>(f.reference)].refNode +
                                 " is not loaded: " + error);
    }
    for (size_t i = first; i <= last; ++i) {
      if (leftOut(plan_, plan_.files[i].reference, failed_))
        continue;
      builds[i - first]->apply();
      created_[i] = builds[i - first]->createdNodes();
    }
    builds.clear();  // they refer to the copies
    copies_.clear();
  }

  LoadPlan& plan_;
  Scene& scene_;
  bool opening_;
  SceneFileResult& result_;
  std::vector<NodeEdits> edits_;
  PlaceholderPlugs slots_;
  std::unordered_set<std::string> unloaded_;
  std::vector<PendingSlot> pending_;
  std::unordered_map<const SceneDescription*, int> uses_;
  std::vector<std::unique_ptr<SceneDescription>> copies_;
  std::vector<std::vector<NodeRef>> created_;
  std::vector<bool> failed_;
};

}  // namespace

bool assembleScene(std::shared_ptr<SceneDescription> description, const std::string& path,
                   const std::string& nameSpace, Scene& scene, bool opening,
                   SceneFileResult& result) {
  LoadPlan plan = planReferences(std::move(description), path, nameSpace, result.warnings);
  return Assembly(plan, scene, opening, result).run();
}

}  // namespace minihost::scenefile
