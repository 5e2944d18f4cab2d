#pragma once
// The attribute part of a plug or setAttr name as a scene file writes it: "t", "ktv[0:2]",
// "uvst[0].uvsp[0:7]", "instObjGroups[0].objectGroups[1]".

#include <string>
#include <vector>

namespace minihost::scenefile {

struct PathSegment {
  std::string name;
  bool indexed = false;
  long long first = 0;  // [n] or [first:last]
  long long last = 0;
  long long count() const { return indexed ? last - first + 1 : 1; }
};

// False for text that is not a well-formed path (the segments are then unusable).
bool parseAttributePath(const std::string& text, std::vector<PathSegment>& out);

}  // namespace minihost::scenefile
