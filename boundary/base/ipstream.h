#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "boundary/base/ByteOrder.h"
#include "boundary/base/StreamState.h"

class GString;
class GStreamable;
class type_info;

// An input stream of what opstream writes. Reading is defensive: every read checks what is
// left; a short read, a length or count the remaining bytes cannot hold, an unknown class name or
// a class of the wrong kind sets a sticky failure (failbit, with eofbit for a short read). Every
// value read after a failure is zero, and nothing is ever read past the end of the source.
class ipstream : public GStreamState {
 public:
  ipstream(const ipstream&) = delete;
  ipstream& operator=(const ipstream&) = delete;
  virtual ~ipstream() = default;

  std::uint8_t readByte() {
    if (cur_ == end_ && !fill(1))
      return 0;
    return static_cast<std::uint8_t>(*cur_++);
  }
  std::uint32_t readDWord() {
    if (end_ - cur_ < 4 && !fill(4))
      return 0;
    std::uint32_t v = gbyteorder::load32(cur_);
    cur_ += 4;
    return v;
  }
  ipstream& operator>>(float& value) {
    std::uint32_t bits = readDWord();
    std::memcpy(&value, &bits, 4);
    return *this;
  }
  ipstream& operator>>(double& value) {
    std::uint64_t bits = 0;
    if (end_ - cur_ >= 8 || fill(8)) {
      bits = gbyteorder::load64(cur_);
      cur_ += 8;
    }
    std::memcpy(&value, &bits, 8);
    return *this;
  }
  // Reads exactly `length` bytes; on a short read fills `bytes` with zeros and fails.
  bool readBytes(void* bytes, std::size_t length);

  // Bytes left in the source, or `unknownRemaining` when the source cannot tell.
  static constexpr std::size_t unknownRemaining = static_cast<std::size_t>(-1);
  virtual std::size_t remaining() const = 0;
  // True when `bytes` more can be read as far as the source can tell; fails the stream if not.
  bool require(std::size_t bytes);

  // Marks the data as unusable (a caller found it inconsistent).
  void setFailure(int bits);

  // Objects nest at most this deep (lists of lists ...); deeper data fails the stream instead of
  // exhausting the call stack.
  static constexpr int maxNesting = 256;

  // Reads the data of `object`, which must be of the class that was written.
  void readStreamable(GStreamable& object);
  // Reads what writeStreamablePointer wrote: the new object as the class of `wanted` (the
  // caller owns it), or null for a null pointer and on failure. An unknown class name or a class
  // that is not a `wanted` fails the stream; so does an object whose data is cut short, which is
  // then destroyed rather than handed back half read.
  void* readStreamablePointer(const type_info& wanted);

 protected:
  ipstream() = default;
  void setBuffer(const char* begin, const char* end) {
    cur_ = begin;
    end_ = end;
  }
  std::size_t buffered() const { return static_cast<std::size_t>(end_ - cur_); }
  const char* readCursor() const { return cur_; }
  // Makes at least `needed` (at most 8) bytes available at the cursor, keeping the unread ones.
  // Returns false at the end of the source; the caller's read then fails.
  virtual bool underflow(std::size_t needed) = 0;

 private:
  bool fill(std::size_t needed);
  bool enterObject();

  int nesting_ = 0;

  const char* cur_ = nullptr;
  const char* end_ = nullptr;
};

ipstream& operator>>(ipstream& in, GString& text);
