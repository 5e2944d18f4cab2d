// The counting operator new the allocation checks rely on: if it were not linked in, every
// "no large allocation" and "no leak" check would pass without looking.
#include <gtest/gtest.h>

#include <memory>

#include "tests/support/AllocationCounter.h"

TEST(AllocationCounter, SeesEveryRequestAndEveryReturn) {
  const long before = liveAllocations();
  AllocationProbe probe;
  auto block = std::make_unique<char[]>(123456);
  EXPECT_GE(probe.largestRequest(), 123456u);
  EXPECT_EQ(liveAllocations(), before + 1);
  block.reset();
  EXPECT_EQ(liveAllocations(), before);
}
