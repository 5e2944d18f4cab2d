#include "engine/NodeValues.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace minihost {
namespace {

bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Vectors grow by a quarter, not double: a node's entries stay close to what it holds.
template <typename Vector>
void makeRoom(Vector& v) {
  if (v.size() == v.capacity())
    v.reserve(v.size() + v.size() / 4 + 2);
}

}  // namespace

const NodeValues::Number* NodeValues::findNumber(int attribute) const {
  return std::lower_bound(numbers_.begin(), numbers_.end(), attribute,
                          [](const Number& entry, int wanted) { return entry.attribute < wanted; });
}

void NodeValues::setNumber(const NodeType& type, int attribute, double value) {
  const auto found = findNumber(attribute);
  const auto at = numbers_.begin() + (found - numbers_.data());
  const bool stored = at != numbers_.end() && at->attribute == attribute;
  if (sameBits(value, type.attributes[static_cast<size_t>(attribute)].defaultValue)) {
    if (stored)
      numbers_.erase(at);
    return;
  }
  if (stored) {
    at->value = value;
    return;
  }
  const auto offset = at - numbers_.begin();
  makeRoom(numbers_);
  numbers_.insert(numbers_.begin() + offset, Number{attribute, value});
}

NodeValues::NodeValues(const NodeValues& other)
    : numbers_(other.numbers_),
      texts_(other.texts_ ? std::make_unique<std::vector<Text>>(*other.texts_) : nullptr) {}

NodeValues& NodeValues::operator=(const NodeValues& other) {
  if (this != &other) {
    NodeValues copy(other);
    *this = std::move(copy);
  }
  return *this;
}

namespace {
template <typename Texts>
auto findText(Texts& texts, int attribute) {
  return std::lower_bound(texts.begin(), texts.end(), attribute,
                          [](const auto& entry, int wanted) { return entry.attribute < wanted; });
}
}  // namespace

const std::string& NodeValues::text(int attribute) const {
  static const std::string kEmpty;
  if (!texts_)
    return kEmpty;
  const auto it = findText(*texts_, attribute);
  return it != texts_->end() && it->attribute == attribute ? it->value : kEmpty;
}

void NodeValues::setText(int attribute, const std::string& value) {
  if (!texts_) {
    if (value.empty())
      return;
    texts_ = std::make_unique<std::vector<Text>>();
  }
  std::vector<Text>& texts = *texts_;
  auto it = findText(texts, attribute);
  const bool stored = it != texts.end() && it->attribute == attribute;
  if (value.empty()) {
    if (stored)
      texts.erase(it);
    return;
  }
  if (stored) {
    it->value = value;
    return;
  }
  const auto offset = it - texts.begin();
  makeRoom(texts);
  texts.insert(texts.begin() + offset, Text{attribute, value});
}

}  // namespace minihost
