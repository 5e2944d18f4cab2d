#pragma once

// Counts the blocks obtained through operator new and not yet returned, process-wide. A test
// takes the count before it builds something and compares after it is destroyed: a difference
// is a leak, also in builds without a leak checker.
long liveAllocations();
