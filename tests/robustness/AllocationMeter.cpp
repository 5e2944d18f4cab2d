#include "AllocationMeter.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define VXR_METER_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VXR_METER_SANITIZER 1
#endif
#endif

#if defined(VXR_METER_SANITIZER)
// The sanitizer runtime's allocator interface (declared here: not every compiler ships its
// header).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, std::size_t),
                                              void (*onFree)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* block);
}
#else
#include <malloc.h>
#endif

namespace {

// Plain integers behind atomics: the hooks run inside the allocator, where nothing may allocate.
std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

void added(std::size_t bytes) {
  const std::size_t now = liveBytes.fetch_add(bytes, std::memory_order_relaxed) + bytes;
  std::size_t peak = peakBytes.load(std::memory_order_relaxed);
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
}

void removed(std::size_t bytes) {
  // A block made before counting began (there are none in practice) must not wrap the count.
  std::size_t live = liveBytes.load(std::memory_order_relaxed);
  std::size_t next;
  do {
    next = live > bytes ? live - bytes : 0;
  } while (!liveBytes.compare_exchange_weak(live, next, std::memory_order_relaxed));
}

}  // namespace

#if defined(VXR_METER_SANITIZER)

namespace {

void onMalloc(const volatile void* /*block*/, std::size_t size) {
  added(size);
}

void onFree(const volatile void* block) {
  // The hook runs before the block is released, so its size is still known.
  if (block != nullptr)
    removed(__sanitizer_get_allocated_size(block));
}

const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);

}  // namespace

bool AllocationMeter::available() {
  return hooksInstalled != 0;
}

const char* AllocationMeter::method() {
  return "sanitizer allocation hooks";
}

#else

// The C library's own allocator, which the replacements below hand every request to.
extern "C" {
void* __libc_malloc(std::size_t size);
void __libc_free(void* block);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void* __libc_valloc(std::size_t size);
void* __libc_pvalloc(std::size_t size);
}

namespace {

void* counted(void* block) {
  if (block != nullptr)
    added(malloc_usable_size(block));
  return block;
}

void uncount(void* block) {
  if (block != nullptr)
    removed(malloc_usable_size(block));
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
  return counted(__libc_malloc(size));
}

void free(void* block) {
  uncount(block);
  __libc_free(block);
}

void* calloc(std::size_t count, std::size_t size) {
  return counted(__libc_calloc(count, size));
}

void* realloc(void* block, std::size_t size) {
  if (block == nullptr)
    return malloc(size);
  const std::size_t before = malloc_usable_size(block);
  void* moved = __libc_realloc(block, size);
  if (moved == nullptr) {
    if (size == 0)
      removed(before);  // freed
    return nullptr;     // otherwise the old block is still there, unchanged
  }
  removed(before);
  added(malloc_usable_size(moved));
  return moved;
}

void* reallocarray(void* block, std::size_t count, std::size_t size) {
  if (size != 0 && count > SIZE_MAX / size) {
    errno = ENOMEM;
    return nullptr;
  }
  return realloc(block, count * size);
}

void* memalign(std::size_t alignment, std::size_t size) {
  return counted(__libc_memalign(alignment, size));
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
  return counted(__libc_memalign(alignment, size));
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
  if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0)
    return EINVAL;
  void* block = counted(__libc_memalign(alignment, size));
  if (block == nullptr)
    return ENOMEM;
  *result = block;
  return 0;
}

void* valloc(std::size_t size) {
  return counted(__libc_valloc(size));
}

void* pvalloc(std::size_t size) {
  return counted(__libc_pvalloc(size));
}

}  // extern "C"

bool AllocationMeter::available() {
  return true;
}

const char* AllocationMeter::method() {
  return "replaced C allocator";
}

#endif

AllocationMeter::AllocationMeter() : start_(liveBytes.load(std::memory_order_relaxed)) {
  peakBytes.store(start_, std::memory_order_relaxed);
}

std::size_t AllocationMeter::peakAboveStart() const {
  const std::size_t peak = peakBytes.load(std::memory_order_relaxed);
  return peak > start_ ? peak - start_ : 0;
}
