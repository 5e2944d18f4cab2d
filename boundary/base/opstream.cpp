#include "boundary/base/opstream.h"

#include "boundary/base/GMetaClass.h"
#include "boundary/base/GStreamable.h"
#include "boundary/base/GString.h"

void opstream::writeBytes(const void* bytes, std::size_t length) {
  const char* from = static_cast<const char*>(bytes);
  while (length > 0) {
    if (cur_ == end_ && !makeRoom(1))
      return;
    std::size_t room = static_cast<std::size_t>(end_ - cur_);
    std::size_t n = length < room ? length : room;
    std::memcpy(cur_, from, n);
    cur_ += n;
    from += n;
    length -= n;
  }
}

char* opstream::reserveSlow(std::size_t length) {
  if (length <= maxReserve && makeRoom(length))
    return cur_;
  setBuffer(scratch_, scratch_ + maxReserve);
  return scratch_;
}

bool opstream::enterObject() {
  if (nesting_ >= maxNesting) {
    setFailure(failbit);
    return false;
  }
  ++nesting_;
  return true;
}

void opstream::writeStreamable(const GStreamable& object) {
  if (!enterObject())
    return;
  object.write(*this);
  --nesting_;
}

void opstream::writeStreamablePointer(const GStreamable* object, bool /*shareObjects*/) {
  if (object == nullptr) {
    writeByte(0);
    return;
  }
  const GMetaClass* record = object->getMetaClass();
  if (record == nullptr) {
    setFailure(failbit);
    return;
  }
  if (!enterObject())
    return;
  writeByte(1);
  *this << GString(record->name());
  object->write(*this);
  --nesting_;
}

opstream& operator<<(opstream& out, const GString& text) {
  out.writeDWord(static_cast<std::uint32_t>(text.length()));
  out.writeBytes(text.data(), text.length());
  return out;
}
