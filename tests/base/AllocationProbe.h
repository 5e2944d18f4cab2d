#pragma once

#include <cstddef>

// Records the largest single request made through operator new while a probe is alive, so a
// test can show that a claimed length did not turn into an allocation.
class AllocationProbe {
 public:
  AllocationProbe();
  ~AllocationProbe();
  std::size_t largestRequest() const;
};
