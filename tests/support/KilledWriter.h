#pragma once
// A writer killed in the middle of its file, as a crash or a user's kill leaves one: the
// temporary it was filling stays beside the target, and the target is untouched.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <string>

#include "boundary/base/ofpstream.h"

// Writes `bytes` bytes towards `target` in a child process (more than one buffer, so they reach
// the temporary on disk) and kills the child before it closes the stream.
inline void killWriterMidFile(const std::string& target, std::size_t bytes) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ofpstream out(target.c_str());
    const std::string block(bytes, 'k');
    out.writeBytes(block.data(), block.size());
    ::raise(SIGKILL);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
}
