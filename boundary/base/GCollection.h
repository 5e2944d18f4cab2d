#pragma once

#include "boundary/base/GMetaClass.h"
#include "boundary/base/GStreamable.h"

// An ordered list of untyped entry pointers. Callers read `count` and `items[0 .. count-1]`
// directly. Derived classes say what an entry is: freeItem releases one, write_item and
// read_item stream one. The collection owns its entries in the sense that shut_down and empty
// hand each of them to freeItem; the v_*remove operations take entries out without freeing.
//
// Appending grows the entry array geometrically (at least doubling), so v_insert is amortised
// O(1) whatever `delta` is; `delta` is only the smallest step of growth.
//
// Stream layout: a DWord entry count, then each entry through write_item. Reading refuses a count
// larger than the bytes left in the stream (every entry takes at least one byte), stops at the
// first failure, and frees the entry that was being read when the failure struck.
class GCollection : public GStreamable {
 public:
  static constexpr type_info gTypeInfo_{"GCollection"};
  static GMetaClass metaclass_;

  int count = 0;           // number of entries
  void** items = nullptr;  // the entries, count of them
  int limit = 0;           // capacity of `items`
  int delta = 0;           // smallest growth step

  explicit GCollection(int initialLimit = 0, int growthDelta = 8);
  GCollection(const GCollection&) = delete;
  GCollection& operator=(const GCollection&) = delete;

  // Slot order below is part of the class's contract; keep it.
  // The destructor releases the entry array but cannot free entries through a derived
  // freeItem (the derived part is gone by then): a derived class that owns its entries calls
  // shut_down() in its own destructor.
  ~GCollection() override;
  const GMetaClass* getMetaClass() const override { return &metaclass_; }
  const type_info& getTypeInfo_() const override { return gTypeInfo_; }
  void* cast_to_(const type_info& id) override;
  using GStreamable::cast_to_;
  // Frees every entry through freeItem and releases the entry array.
  void shut_down() override;
  // Appends the entries read (see the class comment); on a collection that holds entries
  // already, the new ones come after them.
  void read(ipstream& in) override;
  // Writes the count, then every entry in index order through write_item.
  void write(opstream& out) const override;
  // Removes null entries, keeping the order of the others.
  virtual void pack();
  // Sets the capacity; never below `count`. Returns false when memory ran out.
  virtual bool setLimit(int newLimit);
  // Index of the first entry equal to `item`, or -1.
  virtual int v_index_of(const void* item) const;
  // Inserts at `index` (0 .. count). False when the index is out of range or memory ran out.
  virtual bool v_at_insert(int index, void* item);
  virtual bool v_at_insert_range(int index, void* const* entries, int n);
  // Replaces entry `index` and returns the entry that was there (not freed); null if out of range.
  virtual void* v_at_put(int index, void* item);
  // Appends; returns the index of the new entry, or -1 when memory ran out.
  virtual int v_insert(void* item);
  // Takes entry `index` out without freeing it and returns it; null if out of range.
  virtual void* v_at_remove(int index);
  // Takes `n` entries from `index` out without freeing them; the range is clipped to the entries.
  virtual void v_at_remove_range(int index, int n);
  // Takes the first entry equal to `item` out without freeing it; false if it was not there.
  virtual bool v_remove(void* item);
  // Releases one entry. The base class does not know what an entry is and releases nothing.
  virtual void freeItem(void* item);
  // Streams one entry. The base writes nothing and reads null: derived classes define entries.
  virtual void write_item(opstream& out, void* item) const;
  virtual void* read_item(ipstream& in);

  // Frees every entry through freeItem and leaves the collection without entries.
  void empty();
  void* at(int index) const { return index >= 0 && index < count ? items[index] : nullptr; }

 protected:
  // Makes room for `extra` more entries, growing geometrically.
  bool reserveFor(int extra);
};
