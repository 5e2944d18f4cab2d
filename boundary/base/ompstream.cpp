#include "boundary/base/ompstream.h"

#include <cstdlib>

ompstream::ompstream() = default;

ompstream::~ompstream() {
  std::free(base_);
}

bool ompstream::overflow(std::size_t needed) {
  if (fail())
    return false;  // memory ran out before: drop what comes
  std::size_t used = size();
  std::size_t grown = capacity_ ? capacity_ * 2 : 4096;
  while (grown - used < needed)
    grown *= 2;
  void* bigger = std::realloc(base_, grown);
  if (bigger == nullptr) {
    setFailure(badbit);
    return false;
  }
  base_ = static_cast<char*>(bigger);
  capacity_ = grown;
  setBuffer(base_ + used, base_ + capacity_);
  return true;
}
