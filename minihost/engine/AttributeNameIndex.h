#pragma once
// A node type's attributes by long and short name. Every value a file sets is looked up here
// (tens of thousands per shot), so the names sit in one open-addressed array, probed from a
// cheap hash, instead of a node-based map that divides by its bucket count and follows a
// pointer per lookup. Filled once when the type is made; a name already there keeps its index.

#include <string>
#include <string_view>
#include <vector>

#include "engine/NameHash.h"

namespace minihost {

class AttributeNameIndex {
 public:
  // Adds `name` for `index`; false (and nothing changes) when the name is there already.
  bool emplace(const std::string& name, int index) {
    if ((count_ + 1) * 2 > slots_.size())
      grow();
    Slot& s = slots_[position(name)];
    if (s.index >= 0)
      return false;
    s.name = name;
    s.index = index;
    ++count_;
    return true;
  }
  // The index of `name`; -1 when the type has no attribute of that name.
  int find(std::string_view name) const {
    if (slots_.empty())
      return -1;
    return slots_[position(name)].index;
  }
  size_t size() const { return count_; }

 private:
  struct Slot {
    std::string name;
    int index = -1;  // -1: empty
  };

  size_t position(std::string_view name) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = static_cast<size_t>(hashName(name)) & mask;; i = (i + 1) & mask) {
      if (slots_[i].index < 0 || slots_[i].name == name)
        return i;
    }
  }
  // At most half full, so that a probe stops within a slot or two.
  void grow() {
    std::vector<Slot> old(slots_.empty() ? 16 : slots_.size() * 2);
    old.swap(slots_);
    for (Slot& s : old) {
      if (s.index >= 0) {
        Slot& to = slots_[position(s.name)];
        to.name = std::move(s.name);
        to.index = s.index;
      }
    }
  }

  std::vector<Slot> slots_;
  size_t count_ = 0;
};

}  // namespace minihost
