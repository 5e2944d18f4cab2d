#pragma once
// A hash table of a file's node entries by a key worked out from the entry itself (its name, or
// its parent and name). It stores entry indices only, in one array: the entries keep their
// names until the build is done, so a key needs no copy, view or heap node of its own. A slot
// also keeps 16 bits of its key's hash, so that a probe looks at another entry only when those
// match. A file of tens of thousands of nodes costs 8 bytes a slot instead of some sixty per
// entry.
//
// The table does not grow by itself: when `full()`, the owner makes room with `clearWithRoom`
// and puts its entries back in file order, which reads them one after another instead of in the
// table's scattered order.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Prefetch.h"

namespace minihost::scenefile {

class EntryTable {
 public:
  struct Slot {
    int32_t entry = -1;  // the last entry put under the key; -1 for an empty slot
    uint16_t count = 0;  // how many entries were put under the key, up to 65535
    uint16_t tag = 0;    // 16 bits of the key's hash
  };

  // True when one more key would make the table more than two thirds full.
  bool full() const { return (used_ + 1) * 3 > slots_.size() * 2; }
  // Empties the table, with room for `keys` keys.
  void clearWithRoom(size_t keys) {
    size_t size = 8;
    while (size * 2 < (keys + 1) * 3)
      size *= 2;
    slots_.assign(size, Slot{});
    used_ = 0;
  }

  // The slot of the key whose hash is `hash` and whose entries `same(entry)` accepts; the empty
  // slot where it would go when there is none (setting its entry adds the key). Call only when
  // the table is not full.
  template <typename Same>
  Slot& slot(size_t hash, Same same) {
    Slot& s = slots_[position(hash, same)];
    if (s.entry < 0) {
      ++used_;
      s.tag = tagOf(hash);
    }
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
  // Asks for the slot where the key's probe starts to be read ahead.
  void prefetch(size_t hash) const {
    if (!slots_.empty())
      prefetchForRead(&slots_[mix(hash) & (slots_.size() - 1)]);
  }
  static void countUp(Slot& s) {
    if (s.count < UINT16_MAX)
      ++s.count;
  }

 private:
  template <typename Same>
  size_t position(size_t hash, Same& same) const {
    const size_t mask = slots_.size() - 1;
    const uint16_t tag = tagOf(hash);
    // Linear probing from a well-mixed start: the table is sparse enough to stop soon.
    for (size_t i = mix(hash) & mask;; i = (i + 1) & mask) {
      const Slot& s = slots_[i];
      if (s.entry < 0 || (s.tag == tag && same(s.entry)))
        return i;
    }
  }
  static size_t mix(size_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
  }
  // The bits above those that pick the slot (tables stay far below 2^48 slots).
  static uint16_t tagOf(size_t hash) {
    return static_cast<uint16_t>(mix(hash) >> 48);
  }

  std::vector<Slot> slots_;
  size_t used_ = 0;
};

}  // namespace minihost::scenefile
