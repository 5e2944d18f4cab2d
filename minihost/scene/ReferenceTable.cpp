#include "scene/ReferenceTable.h"

#include <algorithm>

namespace minihost::scenefile {

ReferenceTable& ReferenceTable::get() {
  static ReferenceTable table;
  return table;
}

SceneReference* ReferenceTable::find(const std::string& key) {
  for (SceneReference& r : references_) {
    if (r.refNode == key || (!r.path.empty() && r.path == key) || r.writtenPath == key)
      return &r;
  }
  return nullptr;
}

SceneReference* ReferenceTable::owning(NodeRef node) {
  for (SceneReference& r : references_) {
    if (std::find(r.nodes.begin(), r.nodes.end(), node) != r.nodes.end())
      return &r;
  }
  return nullptr;
}

}  // namespace minihost::scenefile
