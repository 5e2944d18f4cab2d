#pragma once
// What a node holds beyond its type's attributes: attributes added at run time (addAttr) and the
// attributes locked against change. Most nodes have neither, so the record is made on first
// use (Node::extras) and costs an empty pointer otherwise.

#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/NameHash.h"
#include "engine/NodeTypes.h"

namespace minihost {

// The value range of an added numeric attribute, besides what its type allows.
struct AttributeLimits {
  bool hasMin = false;
  bool hasMax = false;
  double minValue = 0.0;
  double maxValue = 0.0;
  bool hasSoftMin = false;
  bool hasSoftMax = false;
  double softMin = 0.0;
  double softMax = 0.0;
};

// One added attribute. Its index on the node is the type's attribute count plus its slot; a
// deleted attribute leaves its slot empty (no long name) until another one takes it.
struct DynamicAttribute {
  AttributeInfo info;  // parent and children are node attribute indices
  AttributeLimits limits;
  std::string niceName;
  std::vector<std::pair<std::string, int>> enumFields;  // enums: each field's name and value
  bool hidden = false;
  int expectedChildren = 0;  // compounds: the children -numberOfChildren announced
  double number = 0.0;
  std::string text;

  bool live() const { return !info.longName.empty(); }
};

struct NodeExtras {
  std::vector<DynamicAttribute> dynamic;
  std::unordered_map<std::string, int, NameHasher> byName;  // long and short names -> index
  std::set<int> locked;   // node attribute indices, static or added
  size_t emptySlots = 0;  // slots of deleted attributes, taken again before the list grows
};

}  // namespace minihost
