// Nodes come from blocks of a few hundred, one after another in memory, and a deleted node's
// place is the next one given out. A file of tens of thousands of small nodes otherwise makes as
// many heap allocations, interleaved with the frees of the file's own records, and spreads its
// nodes (and so every walk over them) across the heap.
//
// The store is the process's, as the scene is: nodes are made and deleted on the host's main
// thread only. Under AddressSanitizer nodes come from the heap, so that a node used after its
// deletion is still caught.
#include <cstddef>
#include <new>
#include <vector>

#include "engine/Scene.h"

#if defined(__SANITIZE_ADDRESS__)
#define VXR_NODE_STORAGE_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VXR_NODE_STORAGE_FROM_HEAP 1
#endif
#endif

namespace minihost {
namespace {

#ifndef VXR_NODE_STORAGE_FROM_HEAP
class NodeStore {
 public:
  void* take() {
    if (free_) {
      FreePlace* place = free_;
      free_ = place->next;
      return place;
    }
    if (blocks_.empty() || used_ == kPerBlock) {
      blocks_.push_back(static_cast<char*>(::operator new(kPerBlock * sizeof(Node))));
      used_ = 0;
    }
    return blocks_.back() + sizeof(Node) * used_++;
  }
  void give(void* p) {
    FreePlace* place = static_cast<FreePlace*>(p);
    place->next = free_;
    free_ = place;
  }

 private:
  struct FreePlace {
    FreePlace* next;
  };
  static_assert(sizeof(Node) >= sizeof(FreePlace), "a free place holds the link to the next");
  static constexpr size_t kPerBlock = 256;
  std::vector<char*> blocks_;
  size_t used_ = 0;
  FreePlace* free_ = nullptr;
};

// Never destroyed: nodes held by other statics (the undo queue's) may be deleted at exit after
// it would be.
NodeStore& store() {
  static NodeStore* const s = new NodeStore;
  return *s;
}
#endif

}  // namespace

void* Node::operator new(size_t size) {
#ifndef VXR_NODE_STORAGE_FROM_HEAP
  if (size == sizeof(Node))
    return store().take();
#endif
  return ::operator new(size);
}

void Node::operator delete(void* p, size_t size) {
#ifndef VXR_NODE_STORAGE_FROM_HEAP
  if (size == sizeof(Node)) {
    if (p)
      store().give(p);
    return;
  }
#else
  (void)size;
#endif
  ::operator delete(p);
}

}  // namespace minihost
