#include "scene/ReferenceLoader.h"

#include <cctype>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "scene/NamespacedNames.h"
#include "scene/ReferencePaths.h"
#include "scene/RegularFile.h"
#include "scene/SceneLexer.h"
#include "scene/SceneParser.h"

namespace minihost::scenefile {
namespace {

std::string baseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string lowerExtension(const std::string& path) {
  std::string name = baseName(path);
  size_t dot = name.find_last_of('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  for (char& c : ext)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

// Empty for an ASCII scene; otherwise what the file is, for the warning.
std::string notAsciiScene(const ReferenceEntry& e) {
  std::string ext = lowerExtension(e.path);
  if (e.type == "mayaAscii" || (e.type.empty() && ext == "ma"))
    return std::string();
  if (e.type == "mayaBinary" || ext == "mb")
    return "binary scenes (.mb) are not read";
  std::string kind = e.type.empty() ? "." + ext : e.type;
  return kind + " files are not read; only ASCII scenes (.ma) are";
}

std::string defaultRefNode(const ReferenceEntry& e) {
  std::string base = e.nameSpace;
  while (!base.empty() && base.front() == ':')
    base.erase(0, 1);
  if (base.empty()) {
    base = baseName(e.path);
    size_t dot = base.find('.');
    base = base.substr(0, dot);
  }
  return base + "RN";
}

class Planner {
 public:
  explicit Planner(std::vector<std::string>& warnings) : warnings_(warnings) {}

  LoadPlan run(std::shared_ptr<SceneDescription> top, const std::string& path,
               const std::string& prefix) {
    for (const ReferenceEntry& e : top->references) {
      if (e.depth > 0)
        topStates_[inNamespace(prefix, e.refNode.empty() ? defaultRefNode(e) : e.refNode)] =
            e.deferred;
    }
    cache_[canonicalPath(path)] = top;
    visit(top, path, prefix, -1, 0);
    return std::move(plan_);
  }

 private:
  // The references a file loads: its "file -r" statements, and depth-one records that have no
  // such statement (a file written by hand); and the state the file's depth-one records save for
  // each reference node (the first record of the node). Found through tables, as a file may hold
  // many thousands of references.
  struct FileReferences {
    std::vector<const ReferenceEntry*> loads;
    std::unordered_map<std::string_view, bool> savedDeferred;
  };
  static FileReferences referencesOf(const SceneDescription& d) {
    FileReferences out;
    std::unordered_set<std::string> stated;
    const auto key = [](const ReferenceEntry& e) { return e.refNode + '\0' + e.path; };
    for (const ReferenceEntry& e : d.references) {
      if (e.depth == 0) {
        out.loads.push_back(&e);
        stated.insert(key(e));
      }
    }
    for (const ReferenceEntry& e : d.references) {
      if (e.depth != 1)
        continue;
      if (!e.refNode.empty())
        out.savedDeferred.emplace(e.refNode, e.deferred);
      if (stated.insert(key(e)).second)
        out.loads.push_back(&e);
    }
    return out;
  }

  // As the file was saved: a depth record of the opened file wins, then the file's own, then
  // the statement's -dr.
  bool deferred(const FileReferences& refs, const ReferenceEntry& e, const std::string& full) {
    auto top = topStates_.find(full);
    if (top != topStates_.end())
      return top->second;
    auto saved = e.refNode.empty() ? refs.savedDeferred.end() : refs.savedDeferred.find(e.refNode);
    return saved != refs.savedDeferred.end() ? saved->second : e.deferred;
  }

  void visit(const std::shared_ptr<SceneDescription>& d, const std::string& path,
             const std::string& prefix, int reference, int depth) {
    stack_.push_back(canonicalPath(path));
    std::vector<int> mine;
    const FileReferences refs = referencesOf(*d);
    for (const ReferenceEntry* e : refs.loads) {
      mine.push_back(static_cast<int>(plan_.references.size()));
      load(*d, refs, *e, path, prefix, reference, depth);
    }
    plan_.files.push_back(LoadedFile{d, prefix, path, reference});
    for (int r : mine)
      plan_.references[static_cast<size_t>(r)].file = static_cast<int>(plan_.files.size()) - 1;
    stack_.pop_back();
  }

  void load(const SceneDescription& d, const FileReferences& refs, const ReferenceEntry& e,
            const std::string& path, const std::string& prefix, int parent, int depth) {
    if (loads_ > kMaxLoadedReferences)
      return;  // said once, at the first one left out
    ReferenceRecord rec;
    rec.refNode = inNamespace(prefix, e.refNode.empty() ? defaultRefNode(e) : e.refNode);
    // Older files rename instead: -rpr "Hero" makes "Hero_<name>" in the referencing namespace.
    const bool renaming = e.nameSpace.empty() && !e.renamePrefix.empty();
    std::string childPrefix =
        renaming ? prefix + e.renamePrefix + "_" : childNamespace(prefix, e.nameSpace);
    const std::string nsPrefix = renaming ? prefix : childPrefix;
    rec.nameSpace = nsPrefix.empty() ? std::string() : nsPrefix.substr(0, nsPrefix.size() - 1);
    rec.writtenPath = e.path;
    rec.parent = parent;
    const int index = static_cast<int>(plan_.references.size());
    plan_.references.push_back(rec);
    const std::string where = d.fileName + ":" + std::to_string(e.line) + ": the reference to \"" +
                              e.path + "\" is not loaded (" + rec.refNode + "): ";
    if (deferred(refs, e, rec.refNode)) {
      // Left unread, but its file is looked for: an unloaded reference still names the file
      // found, as the host's does.
      ResolvedPath found = resolveReferencePath(e.path, folderOf(path));
      if (found.found)
        plan_.references[static_cast<size_t>(index)].path = found.path;
      warnings_.push_back(where + "it was saved unloaded (deferred)");
      return;
    }
    std::string notAscii = notAsciiScene(e);
    if (!notAscii.empty()) {
      warnings_.push_back(where + notAscii);
      return;
    }
    ResolvedPath found = resolveReferencePath(e.path, folderOf(path));
    if (!found.found) {
      std::string tried;
      for (const std::string& t : found.tried)
        tried += (tried.empty() ? "" : ", ") + t;
      warnings_.push_back(where + "the file is not found (tried " + tried + ")");
      return;
    }
    plan_.references[static_cast<size_t>(index)].path = found.path;
    std::string key = canonicalPath(found.path);
    for (const std::string& open : stack_) {
      if (open == key) {
        warnings_.push_back(where + "it refers back to \"" + found.path +
                            "\", which references it (a reference loop)");
        return;
      }
    }
    if (depth + 1 > kMaxReferenceDepth) {
      warnings_.push_back(where + "references nest deeper than " +
                          std::to_string(kMaxReferenceDepth) + " levels");
      return;
    }
    if (++loads_ > kMaxLoadedReferences) {
      warnings_.push_back(where + "the scene already loads " +
                          std::to_string(kMaxLoadedReferences) +
                          " references; this and every further one are left out");
      return;
    }
    std::string error;
    std::shared_ptr<SceneDescription> child = read(found.path, key, error);
    if (!child) {
      warnings_.push_back(where + error);
      return;
    }
    plan_.references[static_cast<size_t>(index)].loaded = true;
    visit(child, found.path, childPrefix, index, depth + 1);
  }

  // Each file is parsed once, however many references name it.
  std::shared_ptr<SceneDescription> read(const std::string& path, const std::string& key,
                                         std::string& error) {
    auto cached = cache_.find(key);
    if (cached != cache_.end()) {
      if (!cached->second)
        error = failed_[key];
      return cached->second;
    }
    auto d = std::make_shared<SceneDescription>();
    d->fileName = baseName(path);
    std::uint64_t size = 0;
    ParseResult parsed;
    // A pipe or a device named as a referenced file is refused at once, as an opened one is.
    FileHandle file = openRegularFile(path, d->fileName, size, parsed.error);
    if (file) {
      SceneLexer lexer(file.get(), size);
      parsed = parseScene(lexer, *d);
    }
    for (const Warning& w : d->warnings)
      warnings_.push_back(d->fileName + ":" + std::to_string(w.line) + ": " + w.text);
    if (!parsed.ok) {
      error = parsed.error;
      failed_[key] = error;
      cache_[key] = nullptr;
      return nullptr;
    }
    cache_[key] = d;
    return d;
  }

  std::vector<std::string>& warnings_;
  LoadPlan plan_;
  std::unordered_map<std::string, std::shared_ptr<SceneDescription>> cache_;
  std::unordered_map<std::string, std::string> failed_;
  std::unordered_map<std::string, bool> topStates_;
  std::vector<std::string> stack_;
  int loads_ = 0;
};

}  // namespace

LoadPlan planReferences(std::shared_ptr<SceneDescription> top, const std::string& topPath,
                        const std::string& prefix, std::vector<std::string>& warnings) {
  return Planner(warnings).run(std::move(top), topPath, prefix);
}

}  // namespace minihost::scenefile
