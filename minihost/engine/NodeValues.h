#pragma once
// The attribute values of one node that differ from its type's defaults. A file sets a handful
// of a node's dozens of attributes, so a node keeps only those: numbers in a small vector sorted
// by attribute, the rare strings apart. Reading an attribute never set gives the type's default.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/NodeTypes.h"

namespace minihost {

class NodeValues {
 public:
  // The attribute's stored number; the type's default when none is stored.
  double number(const NodeType& type, int attribute) const {
    const auto it = findNumber(attribute);
    if (it != numbers_.end() && it->attribute == attribute)
      return it->value;
    return type.attributes[static_cast<size_t>(attribute)].defaultValue;
  }
  // Stores a number; one equal to the default (to the bit) frees its entry.
  void setNumber(const NodeType& type, int attribute, double value);

  // The attribute's stored text; empty when none is stored.
  const std::string& text(int attribute) const;
  void setText(int attribute, const std::string& value);

  size_t storedCount() const { return numbers_.size() + texts_.size(); }

 private:
  struct Number {
    int32_t attribute;
    double value;
  };
  struct Text {
    int32_t attribute;
    std::string value;
  };

  std::vector<Number>::const_iterator findNumber(int attribute) const;

  std::vector<Number> numbers_;  // sorted by attribute
  std::vector<Text> texts_;      // sorted by attribute
};

}  // namespace minihost
