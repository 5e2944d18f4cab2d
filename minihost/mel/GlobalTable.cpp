#include "mel/GlobalTable.h"

namespace mel {

int GlobalTable::declare(const std::string& name, ValueType type, bool* created) {
  if (created != nullptr) {
    *created = false;
  }
  auto it = byName_.find(name);
  if (it != byName_.end()) {
    return types_[static_cast<std::size_t>(it->second)] == type ? it->second : -1;
  }
  int index = static_cast<int>(values_.size());
  values_.push_back(Value::defaultOf(type));
  types_.push_back(type);
  byName_.emplace(name, index);
  if (created != nullptr) {
    *created = true;
  }
  return index;
}

int GlobalTable::find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? -1 : it->second;
}

}  // namespace mel
