#pragma once
// Builders of hand-made file bytes in the files' encoding (little-endian DWords, a string as a
// DWord byte count then the bytes), and an input stream that cannot tell its size, as a pipe.

#include <cstddef>
#include <cstdint>
#include <string>

#include "boundary/base/ipstream.h"

class ByteText {
 public:
  ByteText& byte(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
    return *this;
  }
  ByteText& dword(std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
      byte(static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }
  // A string as the files hold it: its length, then its bytes.
  ByteText& text(const std::string& value) {
    dword(static_cast<std::uint32_t>(value.size()));
    bytes_ += value;
    return *this;
  }
  ByteText& zeros(std::size_t count) {
    bytes_.append(count, '\0');
    return *this;
  }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// The head of an animation file of version 1, z-up, up to the camera list's version byte.
ByteText animationHead();

// Reads a buffer in small pieces and answers `unknownRemaining`, so that no count or length can
// be checked against the size: readers must grow with the bytes that really arrive.
class UnsizedStream : public ipstream {
 public:
  explicit UnsizedStream(const std::string& bytes) : bytes_(bytes) {}
  std::size_t remaining() const override { return unknownRemaining; }

 protected:
  bool underflow(std::size_t needed) override;

 private:
  const std::string& bytes_;
  std::size_t next_ = 0;
  char piece_[16] = {};
};
