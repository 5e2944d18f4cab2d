#pragma once
// Global variables by name. Entries are never removed, and their storage never moves,
// so the parser can bind a name to an index once and the evaluator can hold references.

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "mel/Value.h"

namespace mel {

class GlobalTable {
 public:
  // The entry for `name`, made with `type`'s zero when new. Returns -1 when it exists with
  // another type. `created` tells whether this call made it.
  int declare(const std::string& name, ValueType type, bool* created = nullptr);
  int find(const std::string& name) const;
  Value& at(int index) { return values_[static_cast<std::size_t>(index)]; }
  ValueType typeAt(int index) const { return types_[static_cast<std::size_t>(index)]; }
  std::size_t size() const { return values_.size(); }

 private:
  std::deque<Value> values_;
  std::vector<ValueType> types_;
  std::unordered_map<std::string, int> byName_;
};

}  // namespace mel
