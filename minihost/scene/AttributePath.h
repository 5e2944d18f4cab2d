#pragma once
// The attribute part of a plug or setAttr name as a scene file writes it: "t", "ktv[0:2]",
// "uvst[0].uvsp[0:7]", "instObjGroups[0].objectGroups[1]".

#include <string>
#include <vector>

namespace minihost::scenefile {

// The largest element index a path may name. Every array the reader keeps has a smaller limit of
// its own; this one keeps the arithmetic on indices and counts far from overflow.
constexpr long long kMaxElementIndex = (1LL << 31) - 1;

struct PathSegment {
  std::string name;
  bool indexed = false;
  long long first = 0;  // [n] or [first:last]
  long long last = 0;
  long long count() const { return indexed ? last - first + 1 : 1; }
};

// False for text that is not a well-formed path, or that names an index above kMaxElementIndex
// (the segments are then unusable).
bool parseAttributePath(const std::string& text, std::vector<PathSegment>& out,
                        bool* indexTooLarge = nullptr);

}  // namespace minihost::scenefile
