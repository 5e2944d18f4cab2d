#pragma once
// The scene's nodes by name. Several nodes may share a name (DAG names are unique among
// siblings only), so a name finds every node that has it. The index keeps no names of its own:
// a slot holds the node's handle and its name's hash, and names are compared through the
// caller's `nameOf` (handle -> the node's name), so that a scene of tens of thousands of nodes
// pays 12 bytes a slot in one array instead of a heap record per name. Open addressing with
// linear probing; removal shifts the entries after it back, so no lookup walks past tombstones.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "engine/Handles.h"
#include "engine/NameHash.h"
#include "engine/Prefetch.h"

namespace minihost {

class NameIndex {
 public:
  size_t size() const { return count_; }
  void clear() {
    slots_.clear();
    count_ = 0;
  }

  // Room for `n` names in all without growing on the way.
  void reserve(size_t n) {
    size_t wanted = kMinCapacity;
    while (wanted * kMaxLoadNumerator < n * kMaxLoadDenominator)
      wanted *= 2;
    if (wanted > slots_.size())
      rehash(wanted);
  }

  void insert(std::string_view name, NodeRef ref) {
    if ((count_ + 1) * kMaxLoadDenominator > slots_.size() * kMaxLoadNumerator)
      rehash(slots_.empty() ? kMinCapacity : slots_.size() * 2);
    place(Slot{ref, hashOf(name)});
    ++count_;
  }

  // Removes the entry of `ref` filed under `name`; nothing when there is none.
  void erase(std::string_view name, NodeRef ref) {
    if (slots_.empty())
      return;
    const uint32_t hash = hashOf(name);
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask; slots_[i].ref.isSet(); i = (i + 1) & mask) {
      if (slots_[i].ref == ref && slots_[i].hash == hash) {
        removeAt(i);
        --count_;
        return;
      }
    }
  }

  // Calls `visit(ref)` for each node named `name` until it returns false; false when it was
  // stopped.
  template <typename NameOf, typename Visit>
  bool forEach(std::string_view name, const NameOf& nameOf, const Visit& visit) const {
    if (slots_.empty())
      return true;
    const uint32_t hash = hashOf(name);
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask; slots_[i].ref.isSet(); i = (i + 1) & mask) {
      if (slots_[i].hash == hash && nameOf(slots_[i].ref) == name && !visit(slots_[i].ref))
        return false;
    }
    return true;
  }

  // How many nodes are named `name`, counting no further than `limit`.
  template <typename NameOf>
  size_t countUpTo(std::string_view name, const NameOf& nameOf, size_t limit) const {
    size_t n = 0;
    forEach(name, nameOf, [&](NodeRef) { return ++n < limit; });
    return n;
  }

  template <typename NameOf>
  bool contains(std::string_view name, const NameOf& nameOf) const {
    return countUpTo(name, nameOf, 1) > 0;
  }

  // Asks for the memory where `name` is looked up to be read ahead: a file's next nodes are
  // known before they are made, and each lookup is otherwise a wait on a cache miss.
  void prefetch(std::string_view name) const {
    if (!slots_.empty())
      prefetchForRead(&slots_[hashOf(name) & (slots_.size() - 1)]);
  }

 private:
  struct Slot {
    NodeRef ref;  // unset: empty
    uint32_t hash = 0;
  };
  static constexpr size_t kMinCapacity = 16;
  // At most three quarters full, so that probe runs stay short.
  static constexpr size_t kMaxLoadNumerator = 3;
  static constexpr size_t kMaxLoadDenominator = 4;

  static uint32_t hashOf(std::string_view name) {
    return static_cast<uint32_t>(hashName(name));
  }

  void place(const Slot& s) {
    const size_t mask = slots_.size() - 1;
    size_t i = s.hash & mask;
    while (slots_[i].ref.isSet())
      i = (i + 1) & mask;
    slots_[i] = s;
  }

  void rehash(size_t capacity) {
    std::vector<Slot> old(capacity);
    old.swap(slots_);
    for (const Slot& s : old) {
      if (s.ref.isSet())
        place(s);
    }
  }

  // Backward-shift removal: each entry after the hole that may move into it does, so that every
  // entry stays reachable from its home slot without gaps.
  void removeAt(size_t hole) {
    const size_t mask = slots_.size() - 1;
    for (size_t i = (hole + 1) & mask; slots_[i].ref.isSet(); i = (i + 1) & mask) {
      const size_t home = slots_[i].hash & mask;
      // The entry may fill the hole when its home is not within (hole, i].
      const bool between = hole <= i ? (home > hole && home <= i) : (home > hole || home <= i);
      if (!between) {
        slots_[hole] = slots_[i];
        hole = i;
      }
    }
    slots_[hole] = Slot{};
  }

  std::vector<Slot> slots_;
  size_t count_ = 0;
};

}  // namespace minihost
