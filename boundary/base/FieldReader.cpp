#include "boundary/base/FieldReader.h"

#include <limits>

// The stream drops its buffer when a read fails, so the size is noted before every read: the
// message about a short read can then say how much was there.
void FieldReader::noteSize() {
  sizeKnownAtFailure_ = remainingKnown();
  sizeAtFailure_ = offset_ + (sizeKnownAtFailure_ ? remaining() : 0);
}

bool FieldReader::took(std::uint64_t bytes) {
  if (in_.fail())
    return false;
  offset_ += bytes;
  return true;
}

bool FieldReader::readByte(std::uint8_t& value) {
  noteSize();
  value = in_.readByte();
  return took(1);
}

bool FieldReader::readDWord(std::uint32_t& value) {
  noteSize();
  value = in_.readDWord();
  return took(4);
}

bool FieldReader::readFloat(float& value) {
  noteSize();
  in_ >> value;
  return took(4);
}

bool FieldReader::readDouble(double& value) {
  noteSize();
  in_ >> value;
  return took(8);
}

bool FieldReader::readString(GString& text, std::uint32_t& claimedLength) {
  text.clear();
  if (!readDWord(claimedLength))
    return false;
  noteSize();
  // Grows with the bytes that really arrive, never with the length the data claims.
  if (!in_.require(claimedLength))
    return false;
  char chunk[4096];
  std::uint32_t left = claimedLength;
  while (left > 0) {
    std::uint32_t n = left < sizeof chunk ? left : static_cast<std::uint32_t>(sizeof chunk);
    if (!in_.readBytes(chunk, n)) {
      text.clear();
      return false;
    }
    text.append(chunk, n);
    offset_ += n;
    left -= n;
  }
  return true;
}

bool FieldReader::canHold(std::uint64_t count, std::uint64_t bytesEach) const {
  if (!remainingKnown())
    return true;
  if (bytesEach != 0 && count > std::numeric_limits<std::uint64_t>::max() / bytesEach)
    return false;
  return count * bytesEach <= remaining();
}

std::string FieldReader::shortReadMessage(std::uint64_t at, std::uint64_t bytes) const {
  if (in_.bad())
    return "read error";
  if (!sizeKnownAtFailure_)
    return "the data ends inside this value";
  std::uint64_t present = sizeAtFailure_ > at ? sizeAtFailure_ - at : 0;
  return "truncated: needs " + std::to_string(bytes) + " bytes, only " + std::to_string(present) +
         " left";
}
