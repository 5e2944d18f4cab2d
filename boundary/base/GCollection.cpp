#include "boundary/base/GCollection.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "boundary/base/ipstream.h"
#include "boundary/base/opstream.h"

namespace {
// The library's own module handle slot; it is never written.
void* baseModuleHandle = nullptr;
}  // namespace

GMetaClass GCollection::metaclass_(&baseModuleHandle, GCollection::gTypeInfo_, "GCollection",
                                   gCreateObject<GCollection>, gDestroyObject<GCollection>,
                                   nullptr);

GCollection::GCollection(int initialLimit, int growthDelta)
    : delta(growthDelta > 0 ? growthDelta : 1) {
  if (initialLimit > 0)
    setLimit(initialLimit);
}

GCollection::~GCollection() {
  shut_down();
}

void* GCollection::cast_to_(const type_info& id) {
  return id == gTypeInfo_ ? this : GStreamable::cast_to_(id);
}

void GCollection::shut_down() {
  empty();
  std::free(items);
  items = nullptr;
  limit = 0;
}

void GCollection::empty() {
  // Entries are taken out before they are freed, so a freeItem that looks at the collection
  // never sees a freed entry.
  while (count > 0) {
    void* item = items[--count];
    freeItem(item);
  }
}

void GCollection::read(ipstream& in) {
  std::uint32_t n = in.readDWord();
  if (in.fail())
    return;
  if (n > static_cast<std::uint32_t>(INT_MAX - count)) {
    in.setFailure(GStreamState::failbit);
    return;
  }
  // Every entry takes at least one byte, so a count the stream cannot hold is refused before
  // anything is allocated.
  if (!in.require(n))
    return;
  if (in.remaining() != ipstream::unknownRemaining)
    reserveFor(static_cast<int>(n));
  for (std::uint32_t i = 0; i < n; ++i) {
    void* item = read_item(in);
    if (in.fail()) {
      if (item != nullptr)
        freeItem(item);
      return;
    }
    if (v_insert(item) < 0)
      freeItem(item);
  }
}

void GCollection::write(opstream& out) const {
  out.writeDWord(static_cast<std::uint32_t>(count));
  for (int i = 0; i < count; ++i)
    write_item(out, items[i]);
}

void GCollection::pack() {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    if (items[i] != nullptr)
      items[kept++] = items[i];
  }
  count = kept;
}

bool GCollection::setLimit(int newLimit) {
  if (newLimit < count)
    newLimit = count;
  if (newLimit == limit)
    return true;
  if (newLimit == 0) {
    std::free(items);
    items = nullptr;
    limit = 0;
    return true;
  }
  void* grown = std::realloc(items, static_cast<std::size_t>(newLimit) * sizeof(void*));
  if (grown == nullptr)
    return false;
  items = static_cast<void**>(grown);
  limit = newLimit;
  return true;
}

bool GCollection::reserveFor(int extra) {
  if (extra <= 0)
    return true;
  if (count > INT_MAX - extra)
    return false;
  int needed = count + extra;
  if (needed <= limit)
    return true;
  long long grown = static_cast<long long>(limit) * 2;
  if (grown < static_cast<long long>(limit) + delta)
    grown = static_cast<long long>(limit) + delta;
  if (grown < needed)
    grown = needed;
  if (grown > INT_MAX)
    grown = INT_MAX;
  return setLimit(static_cast<int>(grown));
}

int GCollection::v_index_of(const void* item) const {
  for (int i = 0; i < count; ++i) {
    if (items[i] == item)
      return i;
  }
  return -1;
}

bool GCollection::v_at_insert(int index, void* item) {
  return v_at_insert_range(index, &item, 1);
}

bool GCollection::v_at_insert_range(int index, void* const* entries, int n) {
  if (index < 0 || index > count || n < 0 || (n > 0 && entries == nullptr))
    return false;
  if (n == 0)
    return true;
  if (!reserveFor(n))
    return false;
  std::memmove(items + index + n, items + index,
               static_cast<std::size_t>(count - index) * sizeof(void*));
  std::memcpy(items + index, entries, static_cast<std::size_t>(n) * sizeof(void*));
  count += n;
  return true;
}

void* GCollection::v_at_put(int index, void* item) {
  if (index < 0 || index >= count)
    return nullptr;
  void* previous = items[index];
  items[index] = item;
  return previous;
}

int GCollection::v_insert(void* item) {
  if (count == limit && !reserveFor(1))
    return -1;
  items[count] = item;
  return count++;
}

void* GCollection::v_at_remove(int index) {
  if (index < 0 || index >= count)
    return nullptr;
  void* item = items[index];
  v_at_remove_range(index, 1);
  return item;
}

void GCollection::v_at_remove_range(int index, int n) {
  if (index < 0 || index >= count || n <= 0)
    return;
  if (n > count - index)
    n = count - index;
  std::memmove(items + index, items + index + n,
               static_cast<std::size_t>(count - index - n) * sizeof(void*));
  count -= n;
}

bool GCollection::v_remove(void* item) {
  int index = v_index_of(item);
  if (index < 0)
    return false;
  v_at_remove_range(index, 1);
  return true;
}

void GCollection::freeItem(void* /*item*/) {}

void GCollection::write_item(opstream& /*out*/, void* /*item*/) const {}

void* GCollection::read_item(ipstream& /*in*/) {
  return nullptr;
}
