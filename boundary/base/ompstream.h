#pragma once

#include <cstddef>

#include "boundary/base/opstream.h"

// An output stream into a growing memory buffer, for tests and tools.
class ompstream : public opstream {
 public:
  ompstream();
  ~ompstream() override;

  const char* data() const { return base_; }
  std::size_t size() const { return static_cast<std::size_t>(bufferCursor() - base_); }

 protected:
  bool overflow(std::size_t needed) override;

 private:
  char* base_ = nullptr;
  std::size_t capacity_ = 0;
};
