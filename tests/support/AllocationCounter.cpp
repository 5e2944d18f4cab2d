#include "tests/support/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> probing{false};
std::atomic<std::size_t> largest{0};
std::atomic<long> live{0};

void* allocate(std::size_t size) {
  if (probing.load(std::memory_order_relaxed) && size > largest.load(std::memory_order_relaxed))
    largest.store(size, std::memory_order_relaxed);
  void* p = std::malloc(size ? size : 1);
  if (p != nullptr)
    live.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void release(void* p) {
  if (p == nullptr)
    return;
  live.fetch_sub(1, std::memory_order_relaxed);
  std::free(p);
}
}  // namespace

AllocationProbe::AllocationProbe() {
  largest.store(0, std::memory_order_relaxed);
  probing.store(true, std::memory_order_relaxed);
}

AllocationProbe::~AllocationProbe() {
  probing.store(false, std::memory_order_relaxed);
}

std::size_t AllocationProbe::largestRequest() const {
  return largest.load(std::memory_order_relaxed);
}

long liveAllocations() {
  return live.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size) {
  void* p = allocate(size);
  if (p == nullptr)
    throw std::bad_alloc();
  return p;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void operator delete(void* p) noexcept {
  release(p);
}
void operator delete[](void* p) noexcept {
  release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  release(p);
}
