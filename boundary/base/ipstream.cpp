#include "boundary/base/ipstream.h"

#include "boundary/base/GMetaClass.h"
#include "boundary/base/GStreamable.h"
#include "boundary/base/GString.h"

void ipstream::setFailure(int bits) {
  state_ |= bits;
  // Nothing more is handed out: the inline reads see an empty buffer and return zero.
  cur_ = end_;
}

bool ipstream::fill(std::size_t needed) {
  if (fail() || !underflow(needed) || buffered() < needed) {
    setFailure(fail() ? 0 : (eofbit | failbit));
    return false;
  }
  return true;
}

bool ipstream::require(std::size_t bytes) {
  if (fail())
    return false;
  std::size_t left = remaining();
  if (left != unknownRemaining && bytes > left) {
    setFailure(eofbit | failbit);
    return false;
  }
  return true;
}

bool ipstream::readBytes(void* bytes, std::size_t length) {
  char* to = static_cast<char*>(bytes);
  std::size_t done = 0;
  if (require(length)) {
    while (done < length) {
      if (cur_ == end_ && !fill(1))
        break;
      std::size_t n = length - done < buffered() ? length - done : buffered();
      std::memcpy(to + done, cur_, n);
      cur_ += n;
      done += n;
    }
  }
  if (done < length) {
    if (length > 0)
      std::memset(to, 0, length);
    return false;
  }
  return !fail();
}

bool ipstream::enterObject() {
  if (nesting_ >= maxNesting) {
    setFailure(failbit);
    return false;
  }
  ++nesting_;
  return true;
}

void ipstream::readStreamable(GStreamable& object) {
  if (fail() || !enterObject())
    return;
  object.read(*this);
  --nesting_;
}

void* ipstream::readStreamablePointer(const type_info& wanted) {
  std::uint8_t tag = readByte();
  if (fail() || tag == 0)
    return nullptr;
  if (tag != 1) {
    setFailure(failbit);
    return nullptr;
  }
  GString className;
  *this >> className;
  if (fail())
    return nullptr;
  const GMetaClass* record = GMetaClass::find(className.data(), className.length());
  if (record == nullptr) {
    setFailure(failbit);
    return nullptr;
  }
  GRTTIObject* made = record->create();
  GStreamable* streamable = gcast<GStreamable>(made);
  void* result = made ? made->cast_to_(wanted) : nullptr;
  if (streamable == nullptr || result == nullptr) {
    // Unknown how to read it, or not the kind of object the caller asked for: the object's data
    // cannot be skipped, so the rest of the stream is unusable.
    record->destroy(made);
    setFailure(made ? failbit : badbit);
    return nullptr;
  }
  if (enterObject()) {
    streamable->read(*this);
    --nesting_;
  }
  if (fail()) {
    record->destroy(made);
    return nullptr;
  }
  return result;
}

ipstream& operator>>(ipstream& in, GString& text) {
  text.clear();
  std::uint32_t length = in.readDWord();
  if (in.fail() || !in.require(length))
    return in;
  // With a known size the length has been checked against it; otherwise the text grows with
  // the bytes that really arrive, never with the length the data claims.
  if (in.remaining() != ipstream::unknownRemaining)
    text.reserve(length);
  char chunk[4096];
  std::size_t left = length;
  while (left > 0) {
    std::size_t n = left < sizeof chunk ? left : sizeof chunk;
    if (!in.readBytes(chunk, n)) {
      text.clear();
      return in;
    }
    text.append(chunk, n);
    left -= n;
  }
  return in;
}
