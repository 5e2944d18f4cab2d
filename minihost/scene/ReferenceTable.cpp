#include "scene/ReferenceTable.h"

#include <algorithm>
#include <string_view>

namespace minihost::scenefile {

ReferenceTable& ReferenceTable::get() {
  static ReferenceTable table;
  return table;
}

namespace {

// What tells references of the same file: the path found, or the path written when none was.
const std::string& identity(const SceneReference& r) {
  return r.path.empty() ? r.writtenPath : r.path;
}

bool namesFile(const SceneReference& r, std::string_view path) {
  return (!r.path.empty() && r.path == path) || r.writtenPath == path;
}

// "cam.ma{2}": the path and the copy number; false when the key ends in no copy number.
bool splitCopyNumber(std::string_view key, std::string_view& path, size_t& copy) {
  if (key.size() < 3 || key.back() != '}')
    return false;
  const size_t open = key.rfind('{');
  if (open == std::string_view::npos || open == 0 || open + 2 > key.size() - 1)
    return false;
  copy = 0;
  for (size_t i = open + 1; i + 1 < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9' || copy > 1000000)
      return false;
    copy = copy * 10 + static_cast<size_t>(key[i] - '0');
  }
  path = key.substr(0, open);
  return true;
}

}  // namespace

SceneReference* ReferenceTable::find(const std::string& key) {
  for (SceneReference& r : references_) {
    if (r.refNode == key || namesFile(r, key))
      return &r;
  }
  std::string_view path;
  size_t copy = 0;
  if (!splitCopyNumber(key, path, copy))
    return nullptr;
  for (SceneReference& r : references_) {
    if (namesFile(r, path)) {
      // The copies are those of the same file as the first one named.
      for (SceneReference& other : references_) {
        if (identity(other) == identity(r) && static_cast<size_t>(other.copyNumber) == copy)
          return &other;
      }
      return nullptr;
    }
  }
  return nullptr;
}

void ReferenceTable::clear() {
  references_.clear();
  copies_.clear();
}

void ReferenceTable::add(SceneReference reference) {
  Copies& copies = copies_[identity(reference)];
  if (copies.freed.empty()) {
    reference.copyNumber = copies.next++;
  } else {
    reference.copyNumber = *copies.freed.begin();
    copies.freed.erase(copies.freed.begin());
  }
  references_.push_back(std::move(reference));
}

void ReferenceTable::release(const SceneReference& r) {
  auto copies = copies_.find(identity(r));
  if (copies == copies_.end())
    return;
  copies->second.freed.insert(r.copyNumber);
  if (static_cast<int>(copies->second.freed.size()) == copies->second.next)
    copies_.erase(copies);  // no reference of the file is left
}

std::string ReferenceTable::fileName(const SceneReference& r, bool unresolved,
                                     bool withCopyNumber) {
  std::string name = unresolved || r.path.empty() ? r.writtenPath : r.path;
  if (withCopyNumber && r.copyNumber > 0)
    name += "{" + std::to_string(r.copyNumber) + "}";
  return name;
}

SceneReference* ReferenceTable::owning(NodeRef node) {
  for (SceneReference& r : references_) {
    if (std::find(r.nodes.begin(), r.nodes.end(), node) != r.nodes.end())
      return &r;
  }
  return nullptr;
}

}  // namespace minihost::scenefile
