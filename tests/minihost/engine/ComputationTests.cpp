// MComputation: the interrupt request is seen only by a computation that began before it and
// can be interrupted, and progress is printed a few times a second at most, never for a short
// computation.

#include <gtest/gtest.h>

#include <maya/MComputation.h>
#include <maya/MString.h>

#include <chrono>
#include <string>
#include <thread>

#include "engine/Interrupt.h"

namespace {

TEST(ComputationTest, AnInterruptIsSeenByTheRunningComputationOnly) {
  MComputation computation;
  EXPECT_FALSE(computation.isInterruptRequested());
  computation.beginComputation();
  EXPECT_FALSE(computation.isInterruptRequested());
  minihost::requestInterrupt();
  EXPECT_TRUE(computation.isInterruptRequested());
  {
    MComputation inner;  // a nested one shares the request
    inner.beginComputation();
    EXPECT_TRUE(inner.isInterruptRequested());
    inner.endComputation();
  }
  EXPECT_TRUE(computation.isInterruptRequested());
  computation.endComputation();
  EXPECT_FALSE(computation.isInterruptRequested());

  // The next computation starts without it.
  MComputation next;
  next.beginComputation();
  EXPECT_FALSE(next.isInterruptRequested());
  next.endComputation();

  MComputation uninterruptable;
  uninterruptable.beginComputation(false, false);
  minihost::requestInterrupt();
  EXPECT_FALSE(uninterruptable.isInterruptRequested());
  uninterruptable.endComputation();
}

TEST(ComputationTest, ProgressIsPrintedAtMostFourTimesASecondAndNotForAShortComputation) {
  {
    MComputation quick;
    quick.beginComputation(true);
    quick.setProgressRange(0, 10);
    ::testing::internal::CaptureStderr();
    for (int i = 0; i <= 10; ++i)
      quick.setProgress(i);
    quick.endComputation();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  }
  MComputation slow;
  slow.beginComputation(true);
  ASSERT_TRUE(slow.setProgressRange(0, 1000));
  slow.setProgressStatus(MString("Baking"));
  ::testing::internal::CaptureStderr();
  const auto begun = std::chrono::steady_clock::now();
  for (int i = 0; i <= 1000; ++i) {
    slow.setProgress(i);
    std::this_thread::sleep_for(std::chrono::microseconds(1200));
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
  slow.endComputation();
  const std::string printed = ::testing::internal::GetCapturedStderr();
  std::size_t lines = 0;
  for (std::size_t at = printed.find("// Progress: Baking "); at != std::string::npos;
       at = printed.find("// Progress: Baking ", at + 1))
    ++lines;
  EXPECT_GE(lines, 1u) << printed;
  EXPECT_LE(static_cast<double>(lines), 4 * seconds + 1) << printed;
  EXPECT_EQ(slow.progress(), 1000);
  EXPECT_FALSE(slow.setProgressRange(5, 1));
}

}  // namespace
