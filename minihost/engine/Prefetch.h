#pragma once
// A hint that memory is about to be read, for look-ups whose place is known a little ahead.

namespace minihost {

inline void prefetchForRead(const void* p) {
#if defined(__GNUC__)
  // The empty asm makes the address opaque: GCC 12 otherwise drops the hint, and the hash it is
  // worked out from, when that computation holds a loop.
  asm volatile("" : "+r"(p));
  __builtin_prefetch(p);
#else
  (void)p;
#endif
}

}  // namespace minihost
