#pragma once

#include <cstddef>

#include "boundary/base/GIO.h"
#include "boundary/base/ipstream.h"

// An input stream over a caller's buffer, which must outlive the stream. A negative or zero
// size, or a null buffer, gives an empty stream; an open mode without IORead fails the open.
class impstream : public ipstream {
 public:
  impstream(const void* buffer, long size, int openMode = GIO::IORead);

  std::size_t remaining() const override { return buffered(); }

 protected:
  bool underflow(std::size_t needed) override;
};
