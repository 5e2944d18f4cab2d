#pragma once

#include "boundary/base/GCollection.h"

// A collection whose entries are heap objects of type Entry that it owns: freeing an entry
// deletes it (through Entry's virtual destructor when it has one; null entries are ignored).
// It keeps GCollection's class record.
//
// GCollection's destructor cannot reach this freeItem (the derived part is gone by then), so the
// entries are freed here, before the base is destroyed.
template <class Entry>
class OwningCollection : public GCollection {
 public:
  OwningCollection() = default;
  ~OwningCollection() override { shut_down(); }

  void freeItem(void* item) override { delete static_cast<Entry*>(item); }

  // The entry at `index` as an Entry, or null when the index is out of range.
  Entry* entry(int index) const { return static_cast<Entry*>(at(index)); }
};
