#include "scene/SceneDescription.h"

namespace minihost::scenefile {

const std::vector<int> AttrSetting::kNoIntegers;
const std::vector<std::string> AttrSetting::kNoTexts;

AttrSetting::AttrSetting(const AttrSetting& other)
    : node(other.node),
      sizeHint(other.sizeHint),
      line(other.line),
      lock(other.lock),
      curveData(other.curveData),
      attribute(other.attribute),
      numbers(other.numbers),
      rare_(other.rare_ ? std::make_unique<Rare>(*other.rare_) : nullptr) {}

AttrSetting& AttrSetting::operator=(const AttrSetting& other) {
  if (this != &other)
    *this = AttrSetting(other);
  return *this;
}

}  // namespace minihost::scenefile
