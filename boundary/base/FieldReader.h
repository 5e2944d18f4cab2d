#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "boundary/base/GString.h"
#include "boundary/base/ipstream.h"

// Reads the library's primitives from an input stream and counts the bytes taken, so that a
// checker can say at which byte offset each value begins. A read that fails leaves the stream
// failed (as the library does) and returns false; shortReadMessage() then says why.
class FieldReader {
 public:
  explicit FieldReader(ipstream& in) : in_(in) {}

  std::uint64_t offset() const { return offset_; }
  // Bytes left, or ipstream::unknownRemaining when the source cannot tell.
  std::size_t remaining() const { return in_.remaining(); }
  bool remainingKnown() const { return in_.remaining() != ipstream::unknownRemaining; }
  bool failed() const { return in_.fail(); }
  // The system refused a read (as opposed to the data ending).
  bool ioError() const { return in_.bad(); }

  bool readByte(std::uint8_t& value);
  bool readDWord(std::uint32_t& value);
  bool readFloat(float& value);
  bool readDouble(double& value);
  // A DWord byte count, then the bytes. `claimedLength` is the count as stored, also when the
  // bytes are not there.
  bool readString(GString& text, std::uint32_t& claimedLength);

  // False when the source is known to hold fewer than count × bytesEach more bytes.
  bool canHold(std::uint64_t count, std::uint64_t bytesEach) const;

  // Why the last read failed, for a value of `bytes` bytes that began at `at`.
  std::string shortReadMessage(std::uint64_t at, std::uint64_t bytes) const;

 private:
  void noteSize();
  bool took(std::uint64_t bytes);

  ipstream& in_;
  std::uint64_t offset_ = 0;
  std::uint64_t sizeAtFailure_ = 0;  // offset + remaining just before the failed read
  bool sizeKnownAtFailure_ = false;
};
