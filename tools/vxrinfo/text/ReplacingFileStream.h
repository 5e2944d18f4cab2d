#pragma once

#include "boundary/base/ofpstream.h"

// A file stream that replaces its target on close, and that the writer can give up on: after
// abandon() the close leaves the target as it was and removes the temporary.
class ReplacingFileStream : public ofpstream {
 public:
  explicit ReplacingFileStream(const char* path) : ofpstream(path) {}
  void abandon() { setFailure(badbit); }
};
