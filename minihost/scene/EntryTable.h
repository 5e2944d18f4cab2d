#pragma once
// A hash table of a file's node entries by a key worked out from the entry itself (its name, or
// its parent and name). It stores entry indices only, in one array: the entries keep
// their names until the build is done, so a key needs no copy, view or heap node of its own.
// A file of tens of thousands of nodes costs a few bytes per entry instead of some sixty.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace minihost::scenefile {

class EntryTable {
 public:
  struct Slot {
    int32_t entry = -1;  // the last entry put under the key; -1 for an empty slot
    int32_t count = 0;   // how many entries were put under the key
  };

  // The slot of the key whose hash is `hash` and whose entries `same(entry)` accepts; the empty
  // slot where it would go when there is none (setting its entry adds the key). The table
  // grows (at most two thirds full) as keys are added, so it costs in step with the entries
  // made so far; `hashOf(entry)` gives a stored entry's key hash to place it anew.
  template <typename Same, typename HashOf>
  Slot& slot(size_t hash, Same same, HashOf hashOf) {
    if ((used_ + 1) * 3 > slots_.size() * 2)
      grow(hashOf);
    Slot& s = slots_[position(hash, same)];
    if (s.entry < 0)
      ++used_;
    return s;
  }
  // The key's slot, or null when it has none.
  template <typename Same>
  const Slot* find(size_t hash, Same same) const {
    if (slots_.empty())
      return nullptr;
    const Slot& s = slots_[position(hash, same)];
    return s.entry < 0 ? nullptr : &s;
  }

 private:
  template <typename Same>
  size_t position(size_t hash, Same& same) const {
    const size_t mask = slots_.size() - 1;
    // Linear probing from a well-mixed start: the table is sparse enough to stop soon.
    for (size_t i = mix(hash) & mask;; i = (i + 1) & mask) {
      const Slot& s = slots_[i];
      if (s.entry < 0 || same(s.entry))
        return i;
    }
  }
  template <typename HashOf>
  void grow(HashOf& hashOf) {
    std::vector<Slot> old(slots_.empty() ? 8 : slots_.size() * 2);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
      if (s.entry < 0)
        continue;
      size_t i = mix(hashOf(s.entry)) & mask;
      while (slots_[i].entry >= 0)
        i = (i + 1) & mask;
      slots_[i] = s;
    }
  }
  static size_t mix(size_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
  }

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

}  // namespace minihost::scenefile
