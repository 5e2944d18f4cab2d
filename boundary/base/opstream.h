#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "boundary/base/ByteOrder.h"
#include "boundary/base/StreamState.h"

class GString;
class GStreamable;

// An output stream of primitives, strings and streamable objects, little-endian:
// Byte 1 byte, DWord 4 bytes, float 4 bytes and double 8 bytes (IEEE 754).
//
// Bytes gather in a buffer that the concrete stream drains (flushes to its file, or grows in
// memory), so a primitive write is a copy into the buffer. Once the stream has failed, writes
// are accepted and dropped; the failure stays visible in rdstate().
class opstream : public GStreamState {
 public:
  opstream(const opstream&) = delete;
  opstream& operator=(const opstream&) = delete;
  virtual ~opstream() = default;

  void writeByte(std::uint8_t value) {
    if (cur_ == end_ && !makeRoom(1))
      return;
    *cur_++ = static_cast<char>(value);
  }
  void writeDWord(std::uint32_t value) {
    if (end_ - cur_ < 4 && !makeRoom(4))
      return;
    gbyteorder::store32(cur_, value);
    cur_ += 4;
  }
  opstream& operator<<(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    writeDWord(bits);
    return *this;
  }
  opstream& operator<<(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    if (end_ - cur_ < 8 && !makeRoom(8))
      return *this;
    gbyteorder::store64(cur_, bits);
    cur_ += 8;
    return *this;
  }
  void writeBytes(const void* bytes, std::size_t length);

  // Room for `length` bytes (at most maxReserve) at the cursor, which moves past them; the
  // caller stores exactly that many bytes through the pointer, in the encoding above. For
  // writers of many small values: the cursor is read and moved once per call, however many
  // values are stored (a byte store through any pointer could alias it, so storing through the
  // primitive writes would reload it after each one). Once the stream has failed the room is a
  // scratch area and the bytes are dropped.
  static constexpr std::size_t maxReserve = 256;
  char* reserve(std::size_t length) {
    char* at = cur_;
    if (static_cast<std::size_t>(end_ - at) < length)
      at = reserveSlow(length);
    cur_ = at + length;
    return at;
  }

  // Objects nest at most this deep; deeper (or cyclic) structures fail the stream instead of
  // exhausting the call stack. Readers refuse the same depth.
  static constexpr int maxNesting = 256;

  // The object's data only; the reader must know its class (ipstream::readStreamable).
  void writeStreamable(const GStreamable& object);
  // Byte 0 for null; otherwise Byte 1, the class name as a string, then the object's data.
  // An object whose class has no record cannot be read back: the stream fails instead.
  // `shareObjects` is accepted for callers of the classic interface; every object is written
  // in full whatever its value.
  void writeStreamablePointer(const GStreamable* object, bool shareObjects = false);

 protected:
  opstream() = default;
  // Sets the buffer the inline writes fill.
  void setBuffer(char* begin, char* end) {
    cur_ = begin;
    end_ = end;
  }
  char* bufferCursor() const { return cur_; }
  void setFailure(int bits) { state_ |= bits; }
  // Drains or grows the buffer so that `needed` bytes (at most maxReserve) fit at the cursor.
  // Returns false to drop the value (the stream has failed).
  virtual bool overflow(std::size_t needed) = 0;

 private:
  bool makeRoom(std::size_t needed) {
    return overflow(needed) && std::size_t(end_ - cur_) >= needed;
  }

  char* reserveSlow(std::size_t length);
  bool enterObject();

  char* cur_ = nullptr;
  char* end_ = nullptr;
  int nesting_ = 0;
  char scratch_[maxReserve];  // takes what reserve() drops
};

opstream& operator<<(opstream& out, const GString& text);
