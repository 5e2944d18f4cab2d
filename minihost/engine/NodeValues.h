#pragma once
// The attribute values of one node that differ from its type's defaults. A file sets a handful
// of a node's dozens of attributes, so a node keeps only those: numbers in a small vector sorted
// by attribute, the rare strings apart. Reading an attribute never set gives the type's default.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/CompactVector.h"
#include "engine/NodeTypes.h"

namespace minihost {

class NodeValues {
 public:
  NodeValues() = default;
  NodeValues(const NodeValues& other);
  NodeValues& operator=(const NodeValues& other);
  NodeValues(NodeValues&&) = default;
  NodeValues& operator=(NodeValues&&) = default;

  // The attribute's stored number; the type's default when none is stored.
  double number(const NodeType& type, int attribute) const {
    const auto it = findNumber(attribute);
    if (it != numbers_.end() && it->attribute == attribute)
      return it->value;
    return type.attributes[static_cast<size_t>(attribute)].defaultValue;
  }
  // Stores a number; one equal to the default (to the bit) frees its entry.
  void setNumber(const NodeType& type, int attribute, double value);
  // Room for `more` numbers about to be stored, so that they take one allocation.
  void reserveNumbers(size_t more) {
    if (numbers_.capacity() < numbers_.size() + more)
      numbers_.reserve(numbers_.size() + more);
  }

  // The attribute's stored text; empty when none is stored.
  const std::string& text(int attribute) const;
  void setText(int attribute, const std::string& value);

  size_t storedCount() const { return numbers_.size() + (texts_ ? texts_->size() : 0); }

 private:
  struct Number {
    int32_t attribute;
    double value;
  };
  struct Text {
    int32_t attribute;
    std::string value;
  };

  const Number* findNumber(int attribute) const;

  CompactVector<Number> numbers_;  // sorted by attribute
  // Sorted by attribute; made for the first text, since few nodes hold one.
  std::unique_ptr<std::vector<Text>> texts_;
};

}  // namespace minihost
