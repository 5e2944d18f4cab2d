#include "AllocationProbe.h"

#include <cstdlib>
#include <new>

namespace {
bool probing = false;
std::size_t largest = 0;

void* allocate(std::size_t size) {
  if (probing && size > largest)
    largest = size;
  void* p = std::malloc(size ? size : 1);
  return p;
}
}  // namespace

AllocationProbe::AllocationProbe() {
  largest = 0;
  probing = true;
}

AllocationProbe::~AllocationProbe() {
  probing = false;
}

std::size_t AllocationProbe::largestRequest() const {
  return largest;
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
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
  std::free(p);
}
