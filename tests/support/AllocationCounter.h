#pragma once

#include <cstddef>

// The test executables that link this replace operator new and delete with counting ones, so
// that a test can see allocations in any build, with or without a leak checker.

// Records the largest single request made through operator new while a probe is alive, so a
// test can show that a claimed length did not turn into an allocation.
class AllocationProbe {
 public:
  AllocationProbe();
  ~AllocationProbe();
  std::size_t largestRequest() const;
};

// Counts the blocks obtained through operator new and not yet returned, process-wide. A test
// takes the count before it builds something and compares after it is destroyed: a difference
// is a leak.
long liveAllocations();
