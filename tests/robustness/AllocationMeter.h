#pragma once
// Live heap bytes of the whole process, measured at the allocator itself, so that every
// allocation counts: operator new, malloc and realloc, in the test and in a loaded plug-in.
//
// In a plain build the program replaces the C allocator (malloc, free, calloc, realloc and the
// aligned forms) with thin wrappers around the C library's own, which add up the usable size of
// every block. Under AddressSanitizer the sanitizer owns the allocator, so its allocation hooks
// do the counting instead.

#include <cstddef>

class AllocationMeter {
 public:
  // Starts a measurement: the peak is reset to what is live now.
  AllocationMeter();

  // The highest number of live bytes since construction, above what was live at construction.
  std::size_t peakAboveStart() const;

  // Whether this build can count at all.
  static bool available();
  // "replaced C allocator" or "sanitizer allocation hooks".
  static const char* method();

 private:
  std::size_t start_;
};
