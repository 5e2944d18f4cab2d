#include "boundary/base/GSortedCollection.h"

#include <functional>

GSortedCollection::GSortedCollection(int initialLimit, int growthDelta, bool admitDuplicates)
    : GCollection(initialLimit, growthDelta), duplicates(admitDuplicates) {}

int GSortedCollection::compare(const void* a, const void* b) const {
  if (std::less<const void*>()(a, b))
    return -1;
  return std::less<const void*>()(b, a) ? 1 : 0;
}

int GSortedCollection::lowerBound(const void* key) const {
  int low = 0;
  int high = count;
  while (low < high) {
    int mid = low + (high - low) / 2;
    if (compare(items[mid], key) < 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

int GSortedCollection::upperBound(const void* key) const {
  int low = 0;
  int high = count;
  while (low < high) {
    int mid = low + (high - low) / 2;
    if (compare(items[mid], key) <= 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

int GSortedCollection::v_insert(void* item) {
  int at = upperBound(item);
  if (!duplicates && at > 0 && compare(items[at - 1], item) == 0)
    return -1;
  return v_at_insert(at, item) ? at : -1;
}

int GSortedCollection::v_index_of(const void* item) const {
  // Among entries with equal keys, look for this very pointer.
  for (int i = lowerBound(item); i < count && compare(items[i], item) == 0; ++i) {
    if (items[i] == item)
      return i;
  }
  // An entry whose key changed after insertion is no longer at its sorted place.
  return GCollection::v_index_of(item);
}

bool GSortedCollection::v_remove(void* item) {
  int index = v_index_of(item);
  if (index < 0)
    return false;
  v_at_remove_range(index, 1);
  return true;
}
