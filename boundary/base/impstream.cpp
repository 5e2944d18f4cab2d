#include "boundary/base/impstream.h"

impstream::impstream(const void* buffer, long size, int openMode) {
  if ((openMode & GIO::IORead) == 0) {
    setFailure(badbit);
    return;
  }
  if (buffer != nullptr && size > 0) {
    const char* begin = static_cast<const char*>(buffer);
    setBuffer(begin, begin + size);
  }
}

bool impstream::underflow(std::size_t /*needed*/) {
  // The whole buffer is visible from the start: there is never more.
  return false;
}
