#pragma once

#include "boundary/base/GCollection.h"

// A collection kept in ascending order of `compare`. v_insert puts an entry at its sorted place;
// an entry whose key equals one already held is refused unless `duplicates` is set, and then
// goes after every entry with an equal key, so entries with equal keys keep their insertion
// order. v_remove takes out exactly the given pointer (among equal keys too) without freeing it.
class GSortedCollection : public GCollection {
 public:
  bool duplicates;  // admits entries with equal keys when set

  GSortedCollection(int initialLimit, int growthDelta, bool admitDuplicates);

  // Returns the index of the new entry, or -1 when it was refused or memory ran out.
  int v_insert(void* item) override;
  bool v_remove(void* item) override;
  int v_index_of(const void* item) const override;

  // Negative, zero or positive as a's key is below, equal to or above b's. The base compares
  // the pointers themselves.
  virtual int compare(const void* a, const void* b) const;

  // Index of the first entry whose key is not below `key`'s (count when all are below).
  int lowerBound(const void* key) const;
  // Index of the first entry whose key is above `key`'s.
  int upperBound(const void* key) const;
};
