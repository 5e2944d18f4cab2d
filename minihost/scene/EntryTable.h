#pragma once
// A hash table of a file's node entries by a key worked out from the entry itself (its name, or
// its parent and name). It stores entry indices only, in one array made once: the entries keep
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

  // Room for `keys` keys at most, the table at most two thirds full: it never grows.
  void reserve(size_t keys) {
    size_t size = 8;
    while (size < keys + keys / 2 + 1)
      size *= 2;
    slots_.assign(size, Slot{});
  }

  // The slot of the key whose hash is `hash` and whose entries `same(entry)` accepts; the empty
  // slot where it would go when there is none (setting its entry adds the key). At most as many
  // keys as reserved may be added.
  template <typename Same>
  Slot& slot(size_t hash, Same same) {
    return slots_[position(hash, same)];
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
  static size_t mix(size_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
  }

  std::vector<Slot> slots_;
};

}  // namespace minihost::scenefile
